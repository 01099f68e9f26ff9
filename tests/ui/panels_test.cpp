// The panels that the window test does not reach, each on a bare form over a Player with a fake
// MIDI output: the key monitor button, the chord pad, the percussion set and the decoration.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "common/keyboard/qimage_surface_qt.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_input.h"
#include "fakes/fake_midi_in.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_sounds.h"
#include "fakes/test_paths.h"
#include "player/app/player.h"
#include "player/chords/chord_panel.h"
#include "player/input/hook_panel.h"
#include "player/input/percussion_panel.h"
#include "player/layout/decoration_panel.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"
#include "player/widgets/picture_button_widget.h"

using namespace kirivane;

namespace {

using Bytes = std::vector<std::vector<std::uint8_t>>;

constexpr int kKeyZ = 0x5A;

// The note-on messages among the sent ones.
Bytes NoteOns(const Bytes& sent) {
  Bytes ons;
  for (const auto& message : sent) {
    if ((message[0] & 0xF0) == 0x90 && message[2] > 0) ons.push_back(message);
  }
  return ons;
}

}  // namespace

class PanelsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    state_ = std::make_unique<PlayerState>();
    state_->app.ProgramFolder = testing::ProgramDir();
    QVERIFY(LoadLanguage(testing::ProgramDir(), 1, state_->app));
    state_->layout.DisplayMode = 0;
    player_ = std::make_unique<Player>(
        *state_, Devices{out_, midi_in_, clock_, random_, hook_, sounds_}, surface_);
    player_->key_maps.LoadDefault();
    form_ = std::make_unique<QWidget>();
    form_->resize(682, 565);
    form_->show();
    out_.Clear();
  }

  void cleanup() {
    form_.reset();
    player_.reset();
  }

  // The button switches the hook on and off, and a hook that cannot start leaves it off.
  void HookPanelSwitchesTheKeyHook() {
    auto* panel = new HookPanel(*player_, form_.get());
    panel->SetCaptions();
    panel->Place(0);
    auto* check1 = form_->findChild<QPushButton*>("Check1");
    const QString off_look = check1->styleSheet();
    check1->click();
    QCOMPARE(hook_.sets, 1);
    QCOMPARE(check1->text(), LangQ(kLangHookOnCaption));
    QVERIFY(check1->styleSheet() != off_look);
    check1->click();
    QCOMPARE(hook_.resets, 1);
    QCOMPARE(check1->text(), LangQ(kLangHookOffCaption));
    hook_.available = false;
    check1->click();
    QCOMPARE(check1->text(), LangQ(kLangHookOffCaption));
    QCOMPARE(state_->input.HookActive, 0);
  }

  // The pad's left button selects the first chord, which a typed key then plays in full; the
  // right button clears it and the key plays one note again.
  void ChordPadSelectsTheChordThatKeysPlay() {
    new ChordPanel(*player_, form_.get());
    auto* pad = form_->findChild<PictureButton*>("ImgChordPad");
    QTest::mousePress(pad, Qt::LeftButton);
    const auto& first = state_->chords.ChordTable[1];
    QCOMPARE(form_->findChild<QLabel*>("Lbl_Chord")->text(),
             QString::fromStdString(first.name.empty() ? first.intervals : first.name));
    player_->keys.Form_KeyDown(kKeyZ, 0);
    player_->keys.Form_KeyUp(kKeyZ, 0);
    QCOMPARE(NoteOns(out_.ShortMessages()).size(), state_->chords.CurrentChord.size());
    QVERIFY(state_->chords.CurrentChord.size() >= 2);
    QTest::mousePress(pad, Qt::RightButton);
    QCOMPARE(form_->findChild<QLabel*>("Lbl_Chord")->text(), QString());
    out_.Clear();
    player_->keys.Form_KeyDown(kKeyZ, 0);
    QCOMPARE(NoteOns(out_.ShortMessages()), (Bytes{{0x90, 55, 121}}));
  }

  // The drum selects the set: keys and pads play on channel 10; a pad's click leaves the set.
  void PercussionPanelEntersAndLeavesTheSet() {
    auto* panel = new PercussionPanel(*player_, form_.get());
    panel->Place(0);
    auto* set_picture = form_->findChild<QWidget*>("stImage");
    QVERIFY(!set_picture->isVisible());
    QTest::mouseRelease(form_->findChild<PictureButton*>("Image16"), Qt::LeftButton);
    QVERIFY(set_picture->isVisible());
    QCOMPARE(state_->app.AppTitle, LangText(state_->app, kLangPercussionTitle));
    player_->keys.Form_KeyDown(kKeyZ, 0);
    QCOMPARE(NoteOns(out_.ShortMessages()).front()[0], 0x99);
    player_->keys.Form_KeyUp(kKeyZ, 0);
    out_.Clear();
    auto* pad = form_->findChild<PictureButton*>("Image7");
    QTest::mousePress(pad, Qt::LeftButton);
    const Bytes pad_notes = NoteOns(out_.ShortMessages());
    QCOMPARE(pad_notes.size(), std::size_t{2});
    QCOMPARE(pad_notes[0][0], 0x99);
    QTest::mouseRelease(pad, Qt::LeftButton);
    QVERIFY(!set_picture->isVisible());
    QCOMPARE(state_->app.AppTitle, LangText(state_->app, kLangAppTitle));
    out_.Clear();
    player_->keys.Form_KeyDown(kKeyZ, 0);
    QCOMPARE(NoteOns(out_.ShortMessages()), (Bytes{{0x90, 55, 121}}));
  }

  // The title belongs to the full window, the strip's background to the compact modes and the
  // music icon to the bar; the version shows only when asked for.
  void DecorationFollowsTheDisplayMode() {
    auto* panel = new DecorationPanel(*player_, form_.get());
    panel->SetCaptions();
    auto* title = form_->findChild<QLabel*>("LblTitle");
    auto* strip = form_->findChild<QLabel*>("Image12");
    auto* icon = form_->findChild<QLabel*>("ImgLyrcon");
    auto* version = form_->findChild<QLabel*>("Label12_1");
    state_->layout.ScoreMode = 0;  // with the score open the labels show its range
    panel->Place(0);
    QVERIFY(title->isVisible() && !strip->isVisible() && !icon->isVisible());
    QVERIFY(title->text().contains(LangQ(kLangAppTitle)));
    QVERIFY(!version->isVisible());
    panel->Place(1);
    QVERIFY(!title->isVisible() && strip->isVisible() && !icon->isVisible());
    panel->Place(2);
    QVERIFY(strip->isVisible() && icon->isVisible());
    state_->app.ShowVersion = -1;
    state_->app.VersionText = "9.9.9";
    panel->ShowVersion();
    panel->Place(0);
    QVERIFY(version->isVisible());
    QCOMPARE(version->text(), QString("9.9.9"));
  }

 private:
  QString LangQ(int entry) const { return QString::fromStdString(LangText(state_->app, entry)); }

  std::unique_ptr<PlayerState> state_;
  testing::FakeMidiOut out_;
  testing::FakeClock clock_;
  testing::FakeRandom random_;
  testing::FakeKeyHook hook_;
  testing::FakeSounds sounds_;
  testing::FakeMidiIn midi_in_;
  QImageSurface surface_;
  std::unique_ptr<Player> player_;
  std::unique_ptr<QWidget> form_;
};

QTEST_MAIN(PanelsTest)
#include "panels_test.moc"
