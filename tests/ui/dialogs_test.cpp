// The chord select, options and about dialogs and the MIDI input menu, opened as the popup
// menu opens them, with a fake MIDI output and input.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "common/basic/text_file.h"
#include "common/keyboard/qimage_surface_qt.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_input.h"
#include "fakes/fake_midi_in.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_sounds.h"
#include "fakes/test_paths.h"
#include "player/app/dialogs_panel.h"
#include "player/app/player.h"
#include "player/chords/chord_select_dialog.h"
#include "player/midi/midi_in_panel.h"
#include "player/settings/options_dialog.h"
#include "player/shell/about_dialog.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"

using namespace kirivane;

namespace {

using Bytes = std::vector<std::vector<std::uint8_t>>;

class RecordedMessages : public Messages {
 public:
  void ShowError(const std::string& text, bool, const std::string&) override {
    shown.push_back(text);
  }
  std::vector<std::string> shown;
};

class CountingAssociation : public FileAssociation {
 public:
  bool IsAssociated() override { return registered; }
  bool CreateAssociation() override {
    ++writes;
    registered = true;
    return true;
  }
  bool RemoveAssociation() override {
    ++writes;
    registered = false;
    return true;
  }
  bool registered = false;
  int writes = 0;
};

// Answers the message box about to open (it is modal) and keeps its text.
void AnswerMessageBoxLater(QString* text = nullptr) {
  QTimer::singleShot(20, [text] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (text != nullptr) *text = box->text();
      box->accept();
    }
  });
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    folder_ = testing::MakeTempDir("dialogs");
    state_ = std::make_unique<PlayerState>();
    state_->app.ProgramFolder = testing::ProgramDir();
    QVERIFY(LoadLanguage(testing::ProgramDir(), 1, state_->app));
    state_->app.AppTitle = LangText(state_->app, 0);
    messages_.shown.clear();
    association_ = {};
    midi_in_ = {};
    midi_in_.ports = {"src:out", "keys:midi"};
    player_ = std::make_unique<Player>(
        *state_, Devices{out_, midi_in_, clock_, random_, hook_, sounds_, &association_}, surface_);
    QCOMPARE(player_->midi.OpenMidiOut(kMidiMapper), 0);
    form_ = std::make_unique<QWidget>();
    panel_ = new DialogsPanel(*player_, messages_, folder_ + "/kirivane.ini", form_.get());
  }

  void cleanup() {
    form_.reset();
    player_.reset();
    std::filesystem::remove_all(folder_);
  }

  // From the menu: the pressed chord sounds, the bar inverts it, OK makes it chord 10.
  void ChordFromTheMenuIsInvertedAndBecomesChordTen() {
    panel_->ChordSelectItem()->trigger();
    auto* dialog = form_->findChild<ChordSelectDialog*>("frmChordSelect");
    QVERIFY(dialog);
    auto* c_major = dialog->findChild<QPushButton*>("CmdChord_0");
    QVERIFY(c_major->font().bold());
    out_.Clear();
    QTest::mousePress(c_major, Qt::LeftButton);
    Bytes note_ons;
    for (const auto& message : out_.ShortMessages()) {
      if (message[0] == 0x90) note_ons.push_back(message);
    }
    QCOMPARE(note_ons, (Bytes{{0x90, 60, 121}, {0x90, 64, 121}, {0x90, 67, 121}}));
    QTest::mouseRelease(c_major, Qt::LeftButton);
    auto* bar = dialog->findChild<QScrollBar*>("HSInversion");
    QCOMPARE(bar->maximum(), 2);
    bar->setValue(1);
    QCOMPARE(dialog->findChild<QLabel*>("Lbl_Chord")->text(), QString("4,7,12"));
    QCOMPARE(dialog->Model().Markers()[16] && dialog->Model().Markers()[24], true);
    dialog->findChild<QPushButton*>("cmdOK")->click();
    QCOMPARE(state_->chords.ChordIndex, 10);
    QCOMPARE(state_->chords.ChordTable[10].intervals, std::string("4,7,12"));
    QCOMPARE(state_->chords.ChordTable[10].name, std::string("Ｃ'"));
  }

  // A chord list the dialog cannot show is reported; the player goes on without the dialog.
  void BrokenChordListIsReportedAndOpensNothing() {
    std::string lines;
    for (int i = 0; i < 37; ++i) lines += "0,4,7\tC\t1\r\n";
    QVERIFY(WriteFileAtomically(folder_ + "/chordlist.dat", lines));
    state_->app.ProgramFolder = folder_;
    panel_->ChordSelectItem()->trigger();
    QVERIFY(!form_->findChild<ChordSelectDialog*>());
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QVERIFY(messages_.shown[0].find(folder_ + "/chordlist.dat") != std::string::npos);
  }

  // A slot's chord button fills that slot; OK stores the cleaned sources, the channels and the
  // MIDI input, and writes the settings file.
  void OptionsOkAppliesSlotsChannelsAndTheMidiInput() {
    OptionsDialog* dialog = OpenOptions();
    dialog->findChild<QPushButton*>("CmdSetChord_2")->click();
    auto* chords = dialog->findChild<ChordSelectDialog*>("frmChordSelect");
    QVERIFY(chords);
    chords->findChild<QPushButton*>("CmdChord_16")->click();  // C minor
    chords->findChild<QPushButton*>("cmdOK")->click();
    QCOMPARE(Field(dialog, "TxtCSource_2")->text(), QString("0,3,7"));
    QCOMPARE(Field(dialog, "TxtCTitle_2")->text(), QString("Minor Triad"));
    Field(dialog, "TxtCSource_4")->setText("0,,4,99,7");

    auto* channel = dialog->findChild<QComboBox*>("CmbMidiCh");
    channel->setCurrentIndex(9);
    AnswerMessageBoxLater();
    emit channel->activated(9);
    QCOMPARE(channel->currentText(), QString("11"));

    auto* input = dialog->findChild<QComboBox*>("CmbMidiIn");
    QCOMPARE(input->count(), 3);  // none, then the two ports
    input->setCurrentIndex(input->findText("src:out"));
    dialog->findChild<QPushButton*>("cmdOK")->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(state_->chords.ChordTable[3].intervals, std::string("0,3,7"));
    QCOMPARE(state_->chords.ChordTable[5].intervals, std::string("0,4,7"));
    QCOMPARE(state_->midi.KeyChannel, 11);
    QCOMPARE(midi_in_.open_port, std::string("src:out"));
    const auto saved = ReadFileBytes(folder_ + "/kirivane.ini");
    QVERIFY(saved && saved->find("MidiInPort=src:out") != std::string::npos);
  }

  // Typing holds a number field to its range; with no read channel OK keeps the dialog open
  // and applies nothing.
  void OptionsRefusesWhatItCannotApply() {
    OptionsDialog* dialog = OpenOptions();
    QLineEdit* velocity = Field(dialog, "txtDefVol");
    velocity->clear();
    velocity->setFocus();
    QTest::keyClicks(velocity, "3x00");
    QCOMPARE(velocity->text(), QString("127"));
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
      if (box->objectName().startsWith("chkMidiRC")) box->setChecked(false);
    }
    const std::string read_before = state_->smf.MidiReadChannels;
    QString shown;
    AnswerMessageBoxLater(&shown);
    dialog->findChild<QPushButton*>("cmdOK")->click();
    QVERIFY(dialog->isVisible());
    QCOMPARE(shown, LangQ(state_->app, 335).replace("\r\n", "\n"));
    QCOMPARE(state_->smf.MidiReadChannels, read_before);
    QCOMPARE(state_->midi.KeyVelocity, 121);
    QVERIFY(!std::filesystem::exists(folder_ + "/kirivane.ini"));
  }

  // The about box shows the registration without writing it; a click registers.
  void AboutBoxRegistersOnlyWhenClicked() {
    association_.registered = true;
    panel_->VersionItem()->trigger();
    auto* box = form_->findChild<AboutDialog*>("frmAbout")->findChild<QCheckBox*>("Check1");
    QVERIFY(box->isChecked());
    QCOMPARE(association_.writes, 0);
    box->click();
    QVERIFY(!association_.registered);
    QCOMPARE(box->text(), LangQ(state_->app, 192));
  }

  // The menu lists none and the ports, the one in use checked; a lost port is reported once.
  void MidiInputMenuChoosesAndReportsALostPort() {
    auto* menu = new MidiInPanel(*player_, messages_, form_.get());
    menu->FillMenu();
    QList<QAction*> items = menu->Menu()->actions();
    QCOMPARE(items.size(), 3);
    QVERIFY(items[0]->isChecked());
    items[2]->trigger();
    QCOMPARE(midi_in_.open_port, std::string("keys:midi"));
    menu->FillMenu();
    QVERIFY(menu->Menu()->actions()[2]->isChecked());
    midi_in_.LosePort();
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QVERIFY(state_->midi_in.MidiInPort.empty());
  }

 private:
  OptionsDialog* OpenOptions() {
    panel_->OptionsItem()->trigger();
    auto* dialog = form_->findChild<OptionsDialog*>("frmOption");
    return dialog;
  }
  static QLineEdit* Field(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(name);
  }

  std::string folder_;
  std::unique_ptr<PlayerState> state_;
  testing::FakeMidiOut out_;
  testing::FakeMidiIn midi_in_;
  testing::FakeClock clock_;
  testing::FakeRandom random_;
  testing::FakeKeyHook hook_;
  testing::FakeSounds sounds_;
  CountingAssociation association_;
  RecordedMessages messages_;
  QImageSurface surface_;
  std::unique_ptr<Player> player_;
  std::unique_ptr<QWidget> form_;
  DialogsPanel* panel_ = nullptr;
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
