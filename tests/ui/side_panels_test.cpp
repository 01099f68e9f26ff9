// The full window's lantern, record/playback strip, side frames and file drops, with a fake
// MIDI device: what a drag, the wheel, a click or a drop sends and changes.
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "fakes/fake_clock.h"
#include "fakes/fake_input.h"
#include "fakes/fake_midi_in.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_sounds.h"
#include "fakes/test_paths.h"
#include "player/app/form1_window.h"
#include "player/app/player.h"
#include "player/state/language_table.h"

using namespace kirivane;

namespace {

using Bytes = std::vector<std::vector<std::uint8_t>>;

void Mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
           int global_y) {
  const QPointF local(5, 3);
  const QPointF global(target->mapToGlobal(QPoint(5, 0)).x(), global_y);
  QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

// Presses on the widget, moves the pointer down by pixels with the left button, lets go.
void DragDown(QWidget* target, int pixels) {
  const int y = 400;
  Mouse(target, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, y);
  Mouse(target, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, y + pixels);
  Mouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, y + pixels);
}

void Wheel(QWidget* target, int notches) {
  QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120 * notches),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

void Drop(QWidget* target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

}  // namespace

class SidePanelsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    folder_ = testing::MakeTempDir("side_panels");
    state_ = std::make_unique<PlayerState>();
    state_->app.ProgramFolder = testing::ProgramDir();
    QVERIFY(LoadLanguage(testing::ProgramDir(), 1, state_->app));
    player_ = std::make_unique<Player>(
        *state_, Devices{out_, midi_in_, clock_, random_, hook_, sounds_}, surface_);
    form_ = std::make_unique<Form1>(*player_, surface_, folder_ + "/kirivane.ini");
    QVERIFY(form_->Form_Load());
    out_.Clear();
  }

  void cleanup() {
    form_.reset();
    player_.reset();
    std::filesystem::remove_all(folder_);
  }

  // Volume: a 30 px drag from 64 sends 94, 100 px more stops at 127; the wheel clamps at 0;
  // switched off (mode 99) the lantern hides and the wheel sends nothing; Image11 turns it on.
  void LanternDragWheelAndModes() {
    auto* end = form_->findChild<QLabel*>("ImgCCEnd");
    QVERIFY(end->isVisible());
    QCOMPARE(state_->layout.CcValue[0], 64);
    DragDown(end, 30);
    QCOMPARE(out_.ShortMessages().back(), (std::vector<std::uint8_t>{0xB0, 7, 94}));
    QCOMPARE(end->y(), 194);
    DragDown(form_->findChild<QLabel*>("ImgHimo"), 100);
    QCOMPARE(out_.ShortMessages().back(), (std::vector<std::uint8_t>{0xB0, 7, 127}));
    QCOMPARE(state_->layout.CcValue[0], 127);
    Wheel(form_.get(), 20);  // away from the user: shorter, down to 0 and no further
    QCOMPARE(out_.ShortMessages().back(), (std::vector<std::uint8_t>{0xB0, 7, 0}));
    QCOMPARE(state_->layout.CcValue[0], 0);
    QAction* mnuCC = form_->findChild<QAction*>("mnuCC");
    QVERIFY(mnuCC->isVisible());
    for (int i = 0; i < 3; ++i) mnuCC->trigger();  // bend, modulation, off
    QCOMPARE(state_->layout.CcMode, 99);
    QVERIFY(!end->isVisible());
    out_.Clear();
    Wheel(form_.get(), -3);
    QVERIFY(out_.ShortMessages().empty());
    QTest::mouseClick(form_->findChild<QLabel*>("Image11"), Qt::LeftButton);  // off -> volume
    QCOMPARE(state_->layout.CcMode, 0);
    QVERIFY(end->isVisible());
  }

  // Pitch bend: a drag bends, and one tick of Timer3 after the release the bend is back at
  // its rest word 8127 (data 63, 63).
  void ReleasedBendReturnsOnTheTimer() {
    form_->findChild<QAction*>("mnuCC")->trigger();
    QCOMPARE(state_->layout.CcMode, 1);
    DragDown(form_->findChild<QLabel*>("ImgCC_1"), 20);
    QVERIFY(out_.ShortMessages().size() >= 1);
    const int word = 16383 - 129 * 84;
    QCOMPARE(out_.ShortMessages().back(),
             (std::vector<std::uint8_t>{0xE0, static_cast<std::uint8_t>(word % 128),
                                        static_cast<std::uint8_t>(word / 128)}));
    QTRY_COMPARE_WITH_TIMEOUT(out_.ShortMessages().back(),
                              (std::vector<std::uint8_t>{0xE0, 63, 63}), 1000);
    QTRY_COMPARE_WITH_TIMEOUT(state_->layout.PanelReleased, 0, 1000);  // and the timer stops
  }

  // The strip opens and closes from its handle, but does not close while a take is recorded.
  void StripToggleIsRefusedWhileRecording() {
    auto* handle = form_->findChild<QLabel*>("Image13");
    QAction* item = form_->findChild<QAction*>("mnuPaneruOC");
    QTest::mouseClick(handle, Qt::LeftButton);
    QCOMPARE(state_->layout.PanelOpen, -1);
    QVERIFY(item->isChecked());
    QVERIFY(!form_->findChild<QLabel*>("Image9")->isVisible());
    state_->performance.Recording = -1;
    QTest::mouseClick(handle, Qt::LeftButton);
    item->trigger();
    QCOMPARE(state_->layout.PanelOpen, -1);
    QVERIFY(item->isChecked());
    state_->performance.Recording = 0;
    item->trigger();
    QCOMPARE(state_->layout.PanelOpen, 0);
    QVERIFY(!item->isChecked());
  }

  // Only the first dropped file counts; ".MIDI" in capitals is opened, ".txt" empties OpenFile,
  // and a drop of something that is not a local file changes nothing.
  void DropsOpenOnlyPerformanceAndMidiFiles() {
    Drop(form_.get(), {QUrl::fromLocalFile("/music/SONG.MIDI"), QUrl::fromLocalFile("/a.lyr")});
    QCOMPARE(state_->app.OpenFile, std::string("/music/SONG.MIDI"));
    QCOMPARE(state_->app.OpenPending, -1);
    QCOMPARE(state_->performance.PlayStop, -1);
    Drop(form_.get(), {QUrl("https://example.org/tune.mid")});
    QCOMPARE(state_->app.OpenFile, std::string("/music/SONG.MIDI"));
    Drop(form_.get(), {QUrl::fromLocalFile("/music/notes.txt")});
    QCOMPARE(state_->app.OpenFile, std::string());
  }

  // The middle button on Image10 shows the side frames; Command2 sends the tuning in the box,
  // where typed digits go in and a minus is refused.
  void SideFramesSendTheScaleTuning() {
    auto* frame = form_->findChild<QFrame*>("FrmSide_1");
    QVERIFY(!frame->isVisible());
    QTest::mouseClick(form_->findChild<QLabel*>("Image10"), Qt::MiddleButton);
    QVERIFY(frame->isVisible());
    form_->findChild<QPushButton*>("Command2")->click();
    std::vector<std::uint8_t> equal{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x11, 0x40};
    equal.insert(equal.end(), 12, 0x40);
    equal.insert(equal.end(), {0x6F, 0xF7});
    QCOMPARE(out_.messages.back(), equal);
    auto* box = form_->findChild<QComboBox*>("CmbChoritu");
    box->setEditText("1");
    QTest::keyClick(box->lineEdit(), Qt::Key_Minus, Qt::NoModifier);
    QTest::keyClick(box->lineEdit(), Qt::Key_2, Qt::NoModifier);
    QCOMPARE(box->currentText(), QString("12"));
    out_.Clear();
    form_->findChild<QPushButton*>("Command2")->click();
    QCOMPARE(out_.messages.back().at(8), std::uint8_t{76});  // 12 cents above 64
  }

 private:
  std::string folder_;
  std::unique_ptr<PlayerState> state_;
  testing::FakeMidiOut out_;
  testing::FakeClock clock_;
  testing::FakeRandom random_;
  testing::FakeKeyHook hook_;
  testing::FakeSounds sounds_;
  testing::FakeMidiIn midi_in_;
  QImageSurface surface_;
  std::unique_ptr<Player> player_;
  std::unique_ptr<Form1> form_;
};

QTEST_MAIN(SidePanelsTest)
#include "side_panels_test.moc"
