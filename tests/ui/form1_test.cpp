// The main window with a fake MIDI device: its load, keys that play, display modes, the
// popup menu's tree, the damper lamp, focus loss, and the staged close that saves once.
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "common/basic/text_file.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_input.h"
#include "fakes/fake_midi_in.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_sounds.h"
#include "fakes/test_paths.h"
#include "player/app/form1_window.h"
#include "player/app/player.h"
#include "player/layout/score_panel.h"
#include "player/state/language_table.h"
#include "player/widgets/lamp_shape_widget.h"

using namespace kirivane;

namespace {

using Bytes = std::vector<std::vector<std::uint8_t>>;

// A key as an X11 session delivers it (keysym and keycode filled in).
void SendKey(QWidget* target, QEvent::Type type, int key, quint32 keycode, quint32 keysym) {
  QKeyEvent event(type, key, Qt::NoModifier, keycode, keysym, 0);
  QApplication::sendEvent(target, &event);
}

void Tap(QWidget* target, int key, quint32 keycode, quint32 keysym) {
  SendKey(target, QEvent::KeyPress, key, keycode, keysym);
  SendKey(target, QEvent::KeyRelease, key, keycode, keysym);
}

constexpr quint32 kKeycodeZ = 52;
constexpr quint32 kKeysymZ = 0x7a;
constexpr quint32 kKeycodeSpace = 65;
constexpr quint32 kKeysymSpace = 0x20;

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    folder_ = testing::MakeTempDir("form1");
    clock_.today = {2026, 6, 15};
    Reload();
  }

  void cleanup() {
    form_.reset();
    player_.reset();
    std::filesystem::remove_all(folder_);
  }

  void LoadOpensTheMapperAndSelectsTheFirstInstrument() {
    QCOMPARE(out_->opened_id, kMidiMapper);
    auto* combo = form_->findChild<QComboBox*>("Combo1");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QString("Built-in synthesizer"));
    QCOMPARE(combo->itemText(1), QString("1:Built-in synthesizer"));
    QCOMPARE(form_->findChild<QListWidget*>("List1")->count(), 128);
    QCOMPARE(form_->size(), QSize(682, 565));
    QCOMPARE(state_->layout.DisplayMode, 0);
    const Bytes& sent = out_->messages;
    QVERIFY(!sent.empty());
    QCOMPARE(sent.back(), (std::vector<std::uint8_t>{0xC0, 0x00, 0x00}));
  }

  void TypedKeysPlayAndTheDamperLightsTheLamp() {
    out_->Clear();
    SendKey(form_.get(), QEvent::KeyPress, Qt::Key_Z, kKeycodeZ, kKeysymZ);
    SendKey(form_.get(), QEvent::KeyPress, Qt::Key_Z, kKeycodeZ, kKeysymZ);  // held: no repeat
    SendKey(form_.get(), QEvent::KeyRelease, Qt::Key_Z, kKeycodeZ, kKeysymZ);
    QCOMPARE(out_->ShortMessages(), (Bytes{{0x90, 55, 121}, {0x80, 55, 64}}));
    auto* lamp = form_->findChild<LampShape*>("Shape1");
    const QColor idle = lamp->Fill();
    out_->Clear();
    SendKey(form_.get(), QEvent::KeyPress, Qt::Key_Space, kKeycodeSpace, kKeysymSpace);
    QCOMPARE(out_->ShortMessages(), (Bytes{{0xB0, 64, 127}}));
    QVERIFY(lamp->Fill() != idle);
    SendKey(form_.get(), QEvent::KeyRelease, Qt::Key_Space, kKeycodeSpace, kKeysymSpace);
    QCOMPARE(lamp->Fill(), idle);
  }

  void LosingTheFocusReleasesHeldKeys() {
    SendKey(form_.get(), QEvent::KeyPress, Qt::Key_Z, kKeycodeZ, kKeysymZ);
    out_->Clear();
    QEvent deactivate(QEvent::ActivationChange);
    QApplication::sendEvent(form_.get(), &deactivate);
    QVERIFY(out_->ShortMessages().size() >= 1);
    QCOMPARE(out_->ShortMessages().front(), (std::vector<std::uint8_t>{0x80, 55, 64}));
  }

  void FunctionKeysSwitchTheDisplayModes() {
    Tap(form_.get(), Qt::Key_F3, 69, 0xffc0);
    QCOMPARE(state_->layout.DisplayMode, 1);
    QCOMPARE(form_->size(), QSize(669, 120));
    QVERIFY(form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    Tap(form_.get(), Qt::Key_F2, 68, 0xffbf);
    QCOMPARE(state_->layout.DisplayMode, 2);
    QCOMPARE(form_->size(), QSize(669, 33));
    QVERIFY(!form_->findChild<QComboBox*>("Combo1")->isVisible());
    Tap(form_.get(), Qt::Key_F4, 70, 0xffc1);
    QCOMPARE(state_->layout.DisplayMode, 0);
    QCOMPARE(form_->size(), QSize(682, 565));
    QVERIFY(!form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(form_->findChild<QComboBox*>("Combo1")->isVisible());
  }

  void PopupMenuHoldsItsTreeInOrder() {
    auto* mnu = form_->findChild<QMenu*>("mnu");
    QStringList names;
    for (QAction* action : mnu->actions()) {
      names << (action->menu() ? action->menu()->objectName() : action->objectName());
    }
    QCOMPARE(names, (QStringList{"mnuBankSelect", "mnuReset", "mnuPaneru", "mnuCC", "mnuChSelect",
                                 "mnuber1", "mnuFileOpen", "mnuFileSave", "mnuOption", "mnuber2",
                                 "mnuversion", "mnuExit"}));
    auto* keys = form_->findChild<QMenu*>("mnuKeysFile");
    QVERIFY(keys->actions().at(0)->isChecked());  // the standard key map
    auto* reset = form_->findChild<QMenu*>("mnuReset");
    out_->Clear();
    reset->actions().at(1)->trigger();  // GS reset
    QCOMPARE(out_->messages.back(), (std::vector<std::uint8_t>{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40,
                                                               0x00, 0x7F, 0x00, 0x41, 0xF7}));
  }

  // An open popup menu keeps its keys: arrows move, Esc closes, a letter plays nothing; a key
  // held since before the menu opened still ends its note when released.
  void OpenPopupMenuKeepsItsKeys() {
    SendKey(form_.get(), QEvent::KeyPress, Qt::Key_Z, kKeycodeZ, kKeysymZ);
    auto* mnu = form_->findChild<QMenu*>("mnu");
    mnu->popup(QPoint(0, 0));
    QTRY_COMPARE(QApplication::activePopupWidget(), mnu);
    out_->Clear();
    Tap(mnu, Qt::Key_X, 53, 'x');
    QVERIFY(out_->ShortMessages().empty());
    SendKey(mnu, QEvent::KeyRelease, Qt::Key_Z, kKeycodeZ, kKeysymZ);
    QCOMPARE(out_->ShortMessages(), (Bytes{{0x80, 55, 64}}));
    Tap(mnu, Qt::Key_Down, 116, 0xff54);
    QVERIFY(mnu->activeAction() != nullptr);
    Tap(mnu, Qt::Key_Escape, 9, 0xff1b);
    QTRY_VERIFY(!mnu->isVisible());
    QCOMPARE(out_->ShortMessages(), (Bytes{{0x80, 55, 64}}));
  }

  void ClosingSavesOnceAndClosesTheDeviceAfterTheWait() {
    const std::string path = folder_ + "/kirivane.ini";
    QVERIFY(!form_->close());  // the first request only starts the staged close
    QCOMPARE(state_->app.AppClosing, -1);
    QCOMPARE(state_->app.Ending, -1);
    QVERIFY(std::filesystem::exists(path));
    // While it closes, clicks stop at EndShape: the device button under the pointer stays on.
    auto* command1 = form_->findChild<QPushButton*>("Command1");
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, command1->geometry().center());
    QCOMPARE(command1->text(), QString("ON"));
    std::filesystem::remove(path);
    form_->close();  // a second request does not save again
    QVERIFY(!std::filesystem::exists(path));
    QTRY_VERIFY_WITH_TIMEOUT(!out_->open, 3000);
    QVERIFY(out_->closes >= 1);
  }

  void ScorePanelShowsTheNoteThatSounds() {
    auto* score = form_->findChild<ScorePanel*>("PicScore");
    QVERIFY(score->isVisible());
    Tap(form_.get(), Qt::Key_Z, kKeycodeZ, kKeysymZ);
    QCOMPARE(score->ShownNote(), 55);
  }

  void DeviceButtonOctaveAndTransposition() {
    auto* command1 = form_->findChild<QPushButton*>("Command1");
    QCOMPARE(command1->text(), QString("ON"));
    command1->click();
    QCOMPARE(command1->text(), QString("OFF"));
    QVERIFY(!out_->open);
    command1->click();
    QCOMPARE(command1->text(), QString("ON"));
    QVERIFY(out_->open);

    Tap(form_.get(), Qt::Key_F9, 75, 0xffc6);  // one octave up
    QCOMPARE(form_->findChild<QScrollBar*>("HScroll1")->value(), 1);
    auto* transpose = form_->findChild<QScrollBar*>("VScroll1");
    transpose->setValue(2);
    QCOMPARE(form_->findChild<QLabel*>("Label10")->text(), QString("+2"));
    out_->Clear();
    Tap(form_.get(), Qt::Key_Z, kKeycodeZ, kKeysymZ);
    QCOMPARE(out_->ShortMessages(), (Bytes{{0x90, 69, 121}, {0x80, 69, 64}}));
  }

  void KeyMapMenuLoadsAndChecksTheMap() {
    auto* keys = form_->findChild<QMenu*>("mnuKeysFile");
    keys->actions().at(1)->trigger();  // the modified layout
    QVERIFY(state_->input.KeyMapFile.find("modkeys.keys") != std::string::npos);
    QVERIFY(keys->actions().at(1)->isChecked());
    QVERIFY(!keys->actions().at(0)->isChecked());
  }

  void BankButtonsAndMenuFollowTheInstrument() {
    auto* bank8 = form_->findChild<QRadioButton*>("OptBKS_8");
    QVERIFY(bank8->isVisible());  // program 0 offers banks 0, 8 and 16
    QVERIFY(!form_->findChild<QRadioButton*>("OptBKS_3")->isVisible());
    auto* menu = form_->findChild<QMenu*>("mnuBankSelect");
    QAction* item8 = form_->findChild<QAction*>("mnuMSB_8");
    QVERIFY(item8->isVisible());
    QVERIFY(item8->text().contains("Piano 1w"));
    out_->Clear();
    item8->trigger();
    QCOMPARE(out_->ShortMessages(), (Bytes{{0xB0, 0, 8}, {0xB0, 32, 0}, {0xC0, 0, 0}}));
    QVERIFY(item8->isChecked());
    QVERIFY(bank8->isChecked());
    QVERIFY(menu->actions().at(0)->isChecked() == false);
  }

  void InstrumentListPreviewsTheClickedInstrumentAndOffersItsBanks() {
    auto* list = form_->findChild<QListWidget*>("List1");
    out_->Clear();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(out_->ShortMessages(), (Bytes{{0xB0, 0, 0},
                                           {0xB0, 32, 0},
                                           {0xC0, 2, 0},  // the choice, on the keyboard channel
                                           {0xC0, 2, 0},  // the preview of that same program
                                           {0x90, 60, 0x79},
                                           {0x80, 60, 0x10}}));
    // The right button on another instrument and a click on the caption only open the banks.
    auto* banks = form_->findChild<QMenu*>("mnuBankSelect");
    int menus = 0;
    auto close_menu_soon = [&] {
      QTimer::singleShot(50, [&] {
        if (QApplication::activePopupWidget() == banks) ++menus;
        banks->close();
      });
    };
    out_->Clear();
    close_menu_soon();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(1)).center());
    close_menu_soon();
    QTest::mouseClick(form_->findChild<QLabel*>("Label8"), Qt::LeftButton);
    QCOMPARE(menus, 2);
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(out_->ShortMessages().empty());
  }

  void SavedDeviceBeyondTheListSelectsTheMapper() {
    QVERIFY(WriteFileAtomically(folder_ + "/kirivane.ini", "[Option]\r\nDevice=5\r\n"));
    Reload();
    QCOMPARE(form_->findChild<QComboBox*>("Combo1")->currentIndex(), 0);
    QCOMPARE(out_->opened_id, kMidiMapper);
    QCOMPARE(state_->midi.MidiDevice, 0);
  }

  void TopmostMenuTwiceReturnsToNormalStacking() {
    QAction* topmost = form_->findChild<QAction*>("mnuTopmost");
    topmost->trigger();
    QVERIFY(topmost->isChecked());
    QVERIFY(form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    topmost->trigger();
    QVERIFY(!topmost->isChecked());
    QVERIFY(!form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  }

  void SeasonalLookFromTheClocksDate() {
    QCOMPARE(state_->app.XmasSpecial, 0);
    clock_.today = {2026, 12, 10};
    Reload();
    QCOMPARE(state_->app.XmasSpecial, -1);
    QVERIFY(state_->app.VersionText.find("(X'mas Special)") != std::string::npos);
  }

  void ScoreStaffPlacesNotes() {
    QCOMPARE(StaffPlaceOf(64).y, 240);  // E4, lowest treble line
    QCOMPARE(StaffPlaceOf(60).y, 250);  // middle C on its ledger line
    QVERIFY(StaffPlaceOf(61).sharp);
    QCOMPARE(StaffPlaceOf(61).y, 250);
    QCOMPARE(StaffPlaceOf(43).y, 300);  // G2, lowest bass line
    QCOMPARE(StaffPlaceOf(77).y, 200);  // F5, top treble line
  }

 private:
  // A fresh window over a fresh state; the settings file in folder_ is kept.
  void Reload() {
    form_.reset();
    player_.reset();
    state_ = std::make_unique<PlayerState>();
    state_->app.ProgramFolder = testing::ProgramDir();
    QVERIFY(LoadLanguage(testing::ProgramDir(), 1, state_->app));
    state_->app.AppTitle = LangText(state_->app, 0);
    out_ = std::make_unique<testing::FakeMidiOut>();
    player_ = std::make_unique<Player>(*state_, Devices{*out_, midi_in_, clock_, random_, hook_, sounds_},
                                       surface_);
    form_ = std::make_unique<Form1>(*player_, surface_, folder_ + "/kirivane.ini");
    QVERIFY(form_->Form_Load());
  }

  std::string folder_;
  std::unique_ptr<PlayerState> state_;
  std::unique_ptr<testing::FakeMidiOut> out_;
  testing::FakeClock clock_;
  testing::FakeRandom random_;
  testing::FakeKeyHook hook_;
  testing::FakeSounds sounds_;
  testing::FakeMidiIn midi_in_;
  QImageSurface surface_;
  std::unique_ptr<Player> player_;
  std::unique_ptr<Form1> form_;
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
