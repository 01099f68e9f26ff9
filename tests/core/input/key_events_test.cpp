#include "player/input/key_events.h"

#include <gtest/gtest.h>

#include "fakes/fake_key_player.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::vector<std::uint8_t>>;

// What the side panels, the MIDI panel and the transport panel were asked to show.
struct ShownByPanels : SidePanelsView, DeviceView, TransportView {
  void ShowScore(const ScoreNoteChoice& choice) override { score_notes.push_back(choice.note); }
  void ShowNotePicture(const std::string& path) override { note_pictures.push_back(path); }
  void ShowScroll(int octave, int transpose, const std::string&) override {
    scrolls.push_back({octave, transpose});
  }
  void ShowRecord(bool, int picture) override { record_pictures.push_back(picture); }
  std::vector<int> score_notes;
  std::vector<std::string> note_pictures;
  std::vector<std::pair<int, int>> scrolls;
  std::vector<int> record_pictures;
};

// The player on fake devices with the delivered default key map loaded.
class KeyEventsTest : public ::testing::Test, protected testing::FakeKeyPlayer {
 protected:
  KeyEventsTest() {
    player.chords.SetView(&label);
    player.side_panels.SetView(&shown);
    player.device_controls.SetView(&shown);
    player.transport.SetView(&shown);
    LoadMap(kDefaultKeyMapName);
  }
  void LoadMap(const char* name) { ASSERT_EQ(LoadBuiltInMap(name), KeyMapLoadResult::kLoaded); }
  void Tap(int code, int shift = 0) {
    keys.Form_KeyDown(code, shift);
    keys.Form_KeyUp(code, shift);
  }
  int NoteOns() const {
    int count = 0;
    for (const auto& message : out.ShortMessages()) count += (message[0] & 0xF0) == 0x90;
    return count;
  }

  // A performance in memory: one note and its end.
  void HoldPerformance() {
    state.events.Recreate(3);
    state.events.Set(0, 0, 60, kEventNoteOn, 100);
    state.events.Set(1, 10, 60, kEventNoteOff, 0);
    state.events.Set(2, 10, 60, kEventEndMark, 0);
    state.events.EventCount = 3;
    state.events.RecomputeTimes(state.performance.ClockTime);
  }

  testing::FakeChordView label;
  ShownByPanels shown;
};

TEST_F(KeyEventsTest, ACMajorScaleSendsExactlyItsNoteOnsAndOffs) {
  for (int code : std::vector<int>{'V', 'B', 'N', 'M', 188, 190, 191, 'Q'}) Tap(code);
  const Bytes expected{
      {0x90, 0x3C, 0x79}, {0x80, 0x3C, 0x40}, {0x90, 0x3E, 0x79}, {0x80, 0x3E, 0x40},
      {0x90, 0x40, 0x79}, {0x80, 0x40, 0x40}, {0x90, 0x41, 0x79}, {0x80, 0x41, 0x40},
      {0x90, 0x43, 0x79}, {0x80, 0x43, 0x40}, {0x90, 0x45, 0x79}, {0x80, 0x45, 0x40},
      {0x90, 0x47, 0x79}, {0x80, 0x47, 0x40}, {0x90, 0x48, 0x79}, {0x80, 0x48, 0x40}};
  EXPECT_EQ(out.ShortMessages(), expected);
  // Each key drawn pressed by the typing-key source while held: V is key 5 of the drawing.
  keys.Form_KeyDown('V', 0);
  EXPECT_TRUE(ShownPressed(5));
  keys.Form_KeyUp('V', 0);
  EXPECT_FALSE(ShownPressed(5));
  // The score shows each note that sounded.
  EXPECT_EQ(shown.score_notes.front(), 60);
  EXPECT_EQ(shown.score_notes.back(), 60);
  EXPECT_EQ(shown.score_notes[7], 72);
}

TEST_F(KeyEventsTest, AHeldKeyNeverRetriggers) {
  keys.Form_KeyDown('V', 0);
  for (int repeat = 0; repeat < 5; ++repeat) {
    keys.Form_KeyDown('V', 0);  // repeated key-downs
    // X11 sends repeats as a release and a press, both marked repeated.
    keys.Form_KeyUp('V', 0, {.auto_repeat = true});
    keys.Form_KeyDown('V', 0, {.auto_repeat = true});
  }
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x90, 0x3C, 0x79}}));
  keys.Form_KeyUp('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x90, 0x3C, 0x79}, {0x80, 0x3C, 0x40}}));
  keys.Form_KeyDown('V', 0);  // pressed again after the release: a new note
  EXPECT_EQ(NoteOns(), 2);
}

TEST_F(KeyEventsTest, TheRightShiftNeverPlaysEvenWhenShiftIsBound) {
  LoadMap(kModKeyMapName);  // the left Shift plays the lowest G
  keys.Form_KeyDown(16, kShiftMask, {.right_shift = true});
  keys.Form_KeyUp(16, 0, {.right_shift = true});
  EXPECT_TRUE(out.ShortMessages().empty());
  Tap(16, kShiftMask);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x90, 55, 0x79}, {0x80, 55, 0x40}}));
  // Letting go of the right Shift while the left one holds its note leaves the note sounding.
  keys.Form_KeyDown(16, kShiftMask);
  keys.Form_KeyUp(16, kShiftMask, {.right_shift = true});
  EXPECT_EQ(out.ShortMessages().size(), 3u);
}

TEST_F(KeyEventsTest, SpaceHoldsTheDamperOnceUntilReleased) {
  EXPECT_EQ(keys.Form_KeyDown(32, 0), 0);
  keys.Form_KeyDown(32, 0);
  keys.Form_KeyUp(32, 0, {.auto_repeat = true});
  keys.Form_KeyDown(32, 0, {.auto_repeat = true});
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0xB0, 64, 127}}));
  EXPECT_EQ(state.input.DamperDown, -1);
  keys.Form_KeyUp(32, 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0xB0, 64, 127}, {0xB0, 64, 0}}));
  EXPECT_EQ(state.input.DamperDown, 0);
}

TEST_F(KeyEventsTest, AChordSendsANoteOnAndDrawsAKeyPerInterval) {
  keys.Form_KeyDown(vk::Numpad(1), 0);  // Major Triad
  out.Clear();
  keys.Form_KeyDown('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x90, 60, 0x79}, {0x90, 64, 0x79}, {0x90, 67, 0x79}}));
  for (int key : {5, 9, 12}) EXPECT_TRUE(ShownPressed(key)) << key;
  EXPECT_FALSE(ShownPressed(7));
  keys.Form_KeyUp('V', 0);
  EXPECT_EQ(out.ShortMessages().size(), 6u);
  EXPECT_EQ(out.ShortMessages()[5], (std::vector<std::uint8_t>{0x80, 67, 0x40}));

  // The built-in slot 9: an octave below, the key, third, fifth, an octave above.
  keys.Form_KeyDown(vk::Numpad(9), 0);
  out.Clear();
  keys.Form_KeyDown('Q', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x90, 60, 0x79},
                                        {0x90, 72, 0x79},
                                        {0x90, 76, 0x79},
                                        {0x90, 79, 0x79},
                                        {0x90, 84, 0x79}}));
}

TEST_F(KeyEventsTest, KeypadAndF7ChooseChords) {
  keys.Form_KeyDown(vk::F(7), 0);
  EXPECT_EQ(state.chords.ChordIndex, 1);
  keys.Form_KeyDown(vk::F(7), kCtrlMask);
  EXPECT_EQ(state.chords.ChordIndex, 9);
  keys.Form_KeyDown(vk::F(7), kCtrlMask | kShiftMask);  // not Ctrl alone: forward
  EXPECT_EQ(state.chords.ChordIndex, 1);
  keys.Form_KeyDown(vk::kDecimal, 0);
  EXPECT_EQ(state.chords.ChordIndex, 10);
  EXPECT_EQ(label.text, "Octave");
  keys.Form_KeyDown(vk::Numpad(3), 0);
  EXPECT_EQ(label.text, "Augment Triad");
  keys.Form_KeyDown(vk::F(6), 0);
  EXPECT_EQ(state.chords.ChordIndex, 0);
  EXPECT_EQ(state.chords.ChordActive, 0);
  keys.Form_KeyDown(vk::Numpad(2), 0);
  keys.Form_KeyDown(vk::Numpad(0), 0);
  EXPECT_EQ(state.chords.ChordIndex, 0);
}

TEST_F(KeyEventsTest, WithTheHookOnWindowKeysAreLeftToTheOtherApplication) {
  state.input.HookActive = -1;
  keys.Form_KeyDown(vk::F(2), 0);
  keys.Form_KeyDown(vk::F(1), 0);
  keys.Form_KeyDown(vk::F(7), 0);
  keys.Form_KeyDown(vk::F(6), 0);
  EXPECT_EQ(state.chords.ChordIndex, 0);
  EXPECT_TRUE(window.calls.empty());
  HoldPerformance();
  keys.Form_KeyDown(vk::F(5), 0);
  EXPECT_EQ(state.performance.Playing, -1);
  keys.Form_KeyDown(vk::F(5), 0);
  EXPECT_EQ(state.performance.Playing, 0);
  keys.Form_KeyDown(vk::Numpad(4), 0);  // the keypad still chooses chords
  EXPECT_EQ(state.chords.ChordIndex, 4);
  Tap('V');
  EXPECT_GE(NoteOns(), 1);
}

TEST_F(KeyEventsTest, FunctionKeysChangeTheDisplayModeOnlyWhenItIsNotShown) {
  keys.Form_KeyDown(vk::F(4), 0);  // mode 0 is shown already
  EXPECT_TRUE(window.calls.empty());
  state.midi.SelectedProgram = 5;
  keys.Form_KeyDown(vk::F(2), 0);
  EXPECT_EQ(state.layout.RequestedDisplayMode, 2);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"RestoreIfMinimized", "ApplyDisplayMode"}));
  EXPECT_EQ(state.input.ModeChanging, 0);
  // The instrument is sent again after the change.
  EXPECT_EQ(out.ShortMessages().back(), (std::vector<std::uint8_t>{0xC0, 5, 0}));
  EXPECT_EQ(keys.Form_KeyDown(vk::F(10), 0), 0);  // swallowed, so no window menu
  EXPECT_EQ(state.layout.CcMode, 1);              // the controller panel's next mode
}

TEST_F(KeyEventsTest, ArrowKeysMoveTheControllerWithinItsRange) {
  state.layout.CcMode = 1;
  state.layout.WheelBand = 8;
  state.layout.CcValue[1] = 3;
  keys.Form_KeyDown(vk::kUp, 0);
  EXPECT_EQ(state.layout.CcValue[1], 0);
  state.layout.CcValue[1] = 125;
  keys.Form_KeyDown(vk::kDown, 0);
  EXPECT_EQ(state.layout.CcValue[1], 127);
  // Pitch bend fully up, then fully down.
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0xE0, 0x7F, 0x7F}, {0xE0, 0, 0}}));
  out.Clear();

  // With the panel off the arrows step through the instruments like Page Up and Down.
  state.layout.CcMode = 99;
  state.midi.SelectedProgram = 5;
  keys.Form_KeyDown(vk::kUp, 0);
  EXPECT_EQ(state.midi.SelectedProgram, 4);
  keys.Form_KeyDown(vk::kNext, 0);
  EXPECT_EQ(state.midi.SelectedProgram, 5);
  state.midi.SelectedProgram = 0;
  keys.Form_KeyDown(vk::kPrior, 0);  // nothing before the first instrument
  state.midi.SelectedProgram = 127;
  keys.Form_KeyDown(vk::kDown, 0);  // nothing after the last
  Bytes programs;
  for (const auto& message : out.ShortMessages()) {
    if (message[0] == 0xC0) programs.push_back(message);
  }
  EXPECT_EQ(programs, (Bytes{{0xC0, 4, 0}, {0xC0, 5, 0}}));
}

TEST_F(KeyEventsTest, OctaveAndTranspositionKeysStopAtTheirLimits) {
  state.midi.OctaveShift = 2;
  keys.Form_KeyDown(vk::kAdd, 0);
  keys.Form_KeyDown(vk::F(9), 0);
  EXPECT_EQ(state.midi.OctaveShift, 3);
  state.midi.Transpose = -10;
  keys.Form_KeyDown(vk::kDivide, 0);
  keys.Form_KeyDown(vk::kDivide, 0);
  EXPECT_EQ(state.midi.Transpose, -11);
  EXPECT_EQ(out.resets, 1);  // ResetSound once
  keys.Form_KeyDown(vk::kMultiply, 0);
  EXPECT_EQ(state.midi.Transpose, -10);
  // The bars show what the keys set.
  const std::vector<std::pair<int, int>> bars{{3, 0}, {3, -11}, {3, -10}};
  EXPECT_EQ(shown.scrolls, bars);
  // Octave 3 sounds key number 43 as note 127.
  Tap(221);
  EXPECT_EQ(out.ShortMessages()[out.ShortMessages().size() - 2],
            (std::vector<std::uint8_t>{0x90, 117, 0x79}));
}

TEST_F(KeyEventsTest, LosingTheFocusReleasesHeldKeysAndTheDamper) {
  keys.Form_KeyDown('V', 0);
  keys.Form_KeyDown('Q', 0);
  keys.Form_KeyDown(32, 0);
  out.Clear();
  keys.FocusLost();
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x80, 60, 0x40}, {0x80, 72, 0x40}, {0xB0, 64, 0}}));
  out.Clear();
  keys.Form_KeyUp('V', 0);  // the late release finds the key already up
  keys.Form_KeyDown('V', 0);
  EXPECT_EQ(NoteOns(), 1);
  keys.Form_KeyUp('V', 0);

  // Space bound as a note as well: the focus loss ends its note once and the damper once.
  state.input.KeyIndexOfCode[32] = 30;
  keys.Form_KeyDown(32, 0);
  out.Clear();
  keys.FocusLost();
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x80, 78, 0x40}, {0xB0, 64, 0}}));

  // With the hook on, keys keep arriving from other applications: nothing is released.
  state.input.HookActive = -1;
  out.Clear();
  keys.FocusLost();
  EXPECT_TRUE(out.ShortMessages().empty());
}

TEST_F(KeyEventsTest, EscSwapsTheRecordPictureWhileAPerformanceIsHeld) {
  keys.Form_KeyDown(vk::kEscape, 0);
  EXPECT_EQ(state.input.EscHeld, 0);  // nothing recorded yet
  HoldPerformance();
  keys.Form_KeyDown(vk::kEscape, 0);
  keys.Form_KeyDown(vk::kEscape, 0);
  EXPECT_EQ(state.input.EscHeld, -1);
  keys.Form_KeyUp(vk::kEscape, 0);
  EXPECT_EQ(state.input.EscHeld, 0);
  EXPECT_EQ(shown.record_pictures, (std::vector<int>{kPicRecRecording, kPicRecIdle}));
}

TEST_F(KeyEventsTest, F5StartsAndStopsPlaybackAndCtrlF5Records) {
  keys.Form_KeyDown(vk::F(5), 0);  // nothing to play: the error sound and message
  EXPECT_EQ(sounds.played, (std::vector<int>{kSoundPanel, kSoundError}));
  EXPECT_EQ(messages.errors.size(), 1u);
  EXPECT_EQ(state.layout.PanelOpen, -1);
  HoldPerformance();
  keys.Form_KeyDown(vk::F(5), 0);  // the stop button is off: F5 plays, the strip toggles
  EXPECT_EQ(state.performance.Playing, -1);
  EXPECT_EQ(state.layout.PanelOpen, 0);
  keys.Form_KeyDown(vk::F(5), kCtrlMask);  // Ctrl+F5 while playing stops it
  EXPECT_EQ(state.performance.Playing, 0);
  keys.Form_KeyDown(vk::F(5), kCtrlMask);
  EXPECT_EQ(state.performance.Recording, -1);
  keys.Form_KeyDown(vk::F(5), 0);
  EXPECT_EQ(state.performance.Recording, 0);
}

TEST_F(KeyEventsTest, ThePercussionSetShowsAPictureForEveryPressAndRepeat) {
  state.midi.PercussionSet = true;
  state.midi.KeyOutChannel = 10;
  NotePictureTable pictures;
  pictures.NotePictures[1][60] = "drum60.png";  // ShowNotePicture(59, 1): the note minus one
  player.side_panels.SetPictures(pictures);
  keys.Form_KeyDown('V', 0);
  keys.Form_KeyDown('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x99, 60, 0x79}}));
  EXPECT_EQ(shown.note_pictures, (std::vector<std::string>{"drum60.png", "drum60.png"}));
}

TEST_F(KeyEventsTest, AReleaseEndsTheNotesItsPressStarted) {
  // The octave moves while V is held: the release still ends note 60, none hangs.
  keys.Form_KeyDown('V', 0);
  keys.Form_KeyDown(vk::F(9), 0);
  keys.Form_KeyUp('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x90, 60, 0x79}, {0x80, 60, 0x40}}));
  keys.Form_KeyDown('V', 0);  // the next press sounds the new octave
  EXPECT_EQ(out.ShortMessages().back(), (std::vector<std::uint8_t>{0x90, 72, 0x79}));
  keys.Form_KeyUp('V', 0);

  // A chord chosen while a key is held: the release draws up the keys its press drew down.
  keys.Form_KeyDown('V', 0);
  keys.Form_KeyDown(vk::Numpad(1), 0);
  out.Clear();
  keys.Form_KeyUp('V', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x80, 72, 0x40}}));
  EXPECT_FALSE(ShownPressed(5));

  // A release never preceded by a press sends the note-offs of what the key sounds now.
  out.Clear();
  keys.Form_KeyUp('B', 0);
  EXPECT_EQ(out.ShortMessages(), (Bytes{{0x80, 74, 0x40}, {0x80, 78, 0x40}, {0x80, 81, 0x40}}));
}

}  // namespace
}  // namespace kirivane
