#include "player/input/key_events.h"

#include <gtest/gtest.h>

#include "fakes/fake_input.h"
#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_out.h"
#include "fakes/test_paths.h"
#include "player/input/key_map_loader.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::vector<std::uint8_t>>;

// A player with the delivered default key map loaded and every collaborator faked.
class KeyEventsTest : public ::testing::Test {
 protected:
  KeyEventsTest()
      : midi_(state_, out_),
        chords_(state_, midi_, view_, label_),
        keys_(state_, midi_, view_, chords_, actions_) {
    midi_.SetKeyboardView(&view_);
    midi_.SetNotices(&lamps_);
    state_.app.ProgramFolder = testing::ProgramDir();
    state_.layout.DisplayMode = 0;
    LoadMap(kDefaultKeyMapName);
  }
  void LoadMap(const char* name) {
    testing::FakeRandom random;
    testing::FakeKeyMapNotices notices;
    ASSERT_EQ(
        LoadKeyMap(state_, ProgramKeyMapPath(state_.app.ProgramFolder, name), random, notices),
        KeyMapLoadResult::kLoaded);
  }
  void Tap(int code, int shift = 0) {
    keys_.Form_KeyDown(code, shift);
    keys_.Form_KeyUp(code, shift);
  }
  int NoteOns() const {
    int count = 0;
    for (const auto& message : out_.ShortMessages()) count += (message[0] & 0xF0) == 0x90;
    return count;
  }

  PlayerState state_;
  testing::FakeMidiOut out_;
  testing::FakeKeyboardView view_;
  testing::FakeMidiNotices lamps_;
  testing::FakeChordLabel label_;
  testing::FakeKeyEventActions actions_;
  MidiMode midi_;
  ChordSelection chords_;
  KeyEvents keys_;
};

TEST_F(KeyEventsTest, ACMajorScaleSendsExactlyItsNoteOnsAndOffs) {
  for (int code : std::vector<int>{'V', 'B', 'N', 'M', 188, 190, 191, 'Q'}) Tap(code);
  const Bytes expected{
      {0x90, 0x3C, 0x79}, {0x80, 0x3C, 0x40}, {0x90, 0x3E, 0x79}, {0x80, 0x3E, 0x40},
      {0x90, 0x40, 0x79}, {0x80, 0x40, 0x40}, {0x90, 0x41, 0x79}, {0x80, 0x41, 0x40},
      {0x90, 0x43, 0x79}, {0x80, 0x43, 0x40}, {0x90, 0x45, 0x79}, {0x80, 0x45, 0x40},
      {0x90, 0x47, 0x79}, {0x80, 0x47, 0x40}, {0x90, 0x48, 0x79}, {0x80, 0x48, 0x40}};
  EXPECT_EQ(out_.ShortMessages(), expected);
  // Each key drawn pressed then released by the typing-key source: V is key 5 of the drawing.
  ASSERT_EQ(view_.drawings.size(), 16u);
  EXPECT_EQ(view_.drawings[0], (testing::KeyDrawing{5, kSourceKeys, true}));
  EXPECT_EQ(view_.drawings[1], (testing::KeyDrawing{5, kSourceKeys, false}));
  EXPECT_EQ(view_.drawings[15], (testing::KeyDrawing{17, kSourceKeys, false}));
  EXPECT_TRUE(actions_.Called("ShowScoreNote 25"));  // key number 12 + 13
}

TEST_F(KeyEventsTest, AHeldKeyNeverRetriggers) {
  keys_.Form_KeyDown('V', 0);
  for (int repeat = 0; repeat < 5; ++repeat) {
    keys_.Form_KeyDown('V', 0);  // repeated key-downs
    // X11 sends repeats as a release and a press, both marked repeated.
    keys_.Form_KeyUp('V', 0, {.auto_repeat = true});
    keys_.Form_KeyDown('V', 0, {.auto_repeat = true});
  }
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x90, 0x3C, 0x79}}));
  keys_.Form_KeyUp('V', 0);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x90, 0x3C, 0x79}, {0x80, 0x3C, 0x40}}));
  keys_.Form_KeyDown('V', 0);  // pressed again after the release: a new note
  EXPECT_EQ(NoteOns(), 2);
}

TEST_F(KeyEventsTest, TheRightShiftNeverPlaysEvenWhenShiftIsBound) {
  LoadMap(kModKeyMapName);  // the left Shift plays the lowest G
  keys_.Form_KeyDown(16, kShiftMask, {.right_shift = true});
  keys_.Form_KeyUp(16, 0, {.right_shift = true});
  EXPECT_TRUE(out_.ShortMessages().empty());
  Tap(16, kShiftMask);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x90, 55, 0x79}, {0x80, 55, 0x40}}));
  // Letting go of the right Shift while the left one holds its note leaves the note sounding.
  keys_.Form_KeyDown(16, kShiftMask);
  keys_.Form_KeyUp(16, kShiftMask, {.right_shift = true});
  EXPECT_EQ(out_.ShortMessages().size(), 3u);
}

TEST_F(KeyEventsTest, SpaceHoldsTheDamperOnceUntilReleased) {
  EXPECT_EQ(keys_.Form_KeyDown(32, 0), 0);
  keys_.Form_KeyDown(32, 0);
  keys_.Form_KeyUp(32, 0, {.auto_repeat = true});
  keys_.Form_KeyDown(32, 0, {.auto_repeat = true});
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0xB0, 64, 127}}));
  EXPECT_EQ(state_.input.DamperDown, -1);
  keys_.Form_KeyUp(32, 0);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0xB0, 64, 127}, {0xB0, 64, 0}}));
  EXPECT_EQ(state_.input.DamperDown, 0);
}

TEST_F(KeyEventsTest, AChordSendsANoteOnAndDrawsAKeyPerInterval) {
  keys_.Form_KeyDown(vk::Numpad(1), 0);  // Major Triad
  out_.Clear();
  view_.drawings.clear();
  keys_.Form_KeyDown('V', 0);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x90, 60, 0x79}, {0x90, 64, 0x79}, {0x90, 67, 0x79}}));
  EXPECT_EQ(view_.drawings,
            (std::vector<testing::KeyDrawing>{
                {5, kSourceKeys, true}, {9, kSourceKeys, true}, {12, kSourceKeys, true}}));
  keys_.Form_KeyUp('V', 0);
  EXPECT_EQ(out_.ShortMessages().size(), 6u);
  EXPECT_EQ(out_.ShortMessages()[5], (std::vector<std::uint8_t>{0x80, 67, 0x40}));

  // The built-in slot 9: an octave below, the key, third, fifth, an octave above.
  keys_.Form_KeyDown(vk::Numpad(9), 0);
  out_.Clear();
  keys_.Form_KeyDown('Q', 0);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x90, 60, 0x79},
                                         {0x90, 72, 0x79},
                                         {0x90, 76, 0x79},
                                         {0x90, 79, 0x79},
                                         {0x90, 84, 0x79}}));
}

TEST_F(KeyEventsTest, KeypadAndF7ChooseChords) {
  keys_.Form_KeyDown(vk::F(7), 0);
  EXPECT_EQ(state_.chords.ChordIndex, 1);
  keys_.Form_KeyDown(vk::F(7), kCtrlMask);
  EXPECT_EQ(state_.chords.ChordIndex, 9);
  keys_.Form_KeyDown(vk::F(7), kCtrlMask | kShiftMask);  // not Ctrl alone: forward
  EXPECT_EQ(state_.chords.ChordIndex, 1);
  keys_.Form_KeyDown(vk::kDecimal, 0);
  EXPECT_EQ(state_.chords.ChordIndex, 10);
  EXPECT_EQ(label_.text, "Octave");
  keys_.Form_KeyDown(vk::Numpad(3), 0);
  EXPECT_EQ(label_.text, "Augment Triad");
  keys_.Form_KeyDown(vk::F(6), 0);
  EXPECT_EQ(state_.chords.ChordIndex, 0);
  EXPECT_EQ(state_.chords.ChordActive, 0);
  keys_.Form_KeyDown(vk::Numpad(2), 0);
  keys_.Form_KeyDown(vk::Numpad(0), 0);
  EXPECT_EQ(state_.chords.ChordIndex, 0);
}

TEST_F(KeyEventsTest, WithTheHookOnWindowKeysAreLeftToTheOtherApplication) {
  state_.input.HookActive = -1;
  keys_.Form_KeyDown(vk::F(2), 0);
  keys_.Form_KeyDown(vk::F(1), 0);
  keys_.Form_KeyDown(vk::F(7), 0);
  keys_.Form_KeyDown(vk::F(6), 0);
  EXPECT_EQ(state_.chords.ChordIndex, 0);
  EXPECT_FALSE(actions_.Called("ApplyDisplayMode"));
  EXPECT_FALSE(actions_.Called("OpenHelp"));
  keys_.Form_KeyDown(vk::F(5), 0);
  EXPECT_TRUE(actions_.Called("StartPlayback"));
  keys_.Form_KeyDown(vk::Numpad(4), 0);  // the keypad still chooses chords
  EXPECT_EQ(state_.chords.ChordIndex, 4);
  Tap('V');
  EXPECT_GE(NoteOns(), 1);
}

TEST_F(KeyEventsTest, FunctionKeysChangeTheDisplayModeOnlyWhenItIsNotShown) {
  keys_.Form_KeyDown(vk::F(4), 0);  // mode 0 is shown already
  EXPECT_TRUE(actions_.calls.empty());
  keys_.Form_KeyDown(vk::F(2), 0);
  EXPECT_EQ(state_.layout.RequestedDisplayMode, 2);
  EXPECT_EQ(actions_.calls, (std::vector<std::string>{"RestoreIfMinimized", "ApplyDisplayMode",
                                                      "ResendInstrument"}));
  EXPECT_EQ(state_.input.ModeChanging, 0);
  EXPECT_EQ(keys_.Form_KeyDown(vk::F(10), 0), 0);  // swallowed, so no window menu
  EXPECT_TRUE(actions_.Called("SwitchCcMode -1"));
}

TEST_F(KeyEventsTest, ArrowKeysMoveTheControllerWithinItsRange) {
  state_.layout.CcMode = 1;
  state_.layout.WheelBand = 8;
  state_.layout.CcValue[1] = 3;
  keys_.Form_KeyDown(vk::kUp, 0);
  EXPECT_EQ(state_.layout.CcValue[1], 0);
  state_.layout.CcValue[1] = 125;
  keys_.Form_KeyDown(vk::kDown, 0);
  EXPECT_EQ(state_.layout.CcValue[1], 127);
  EXPECT_EQ(actions_.calls, (std::vector<std::string>{"ApplyCcValue 0", "ApplyCcValue 127"}));

  // With the panel off the arrows step through the instruments like Page Up and Down.
  state_.layout.CcMode = 99;
  state_.midi.SelectedProgram = 5;
  keys_.Form_KeyDown(vk::kUp, 0);
  keys_.Form_KeyDown(vk::kNext, 0);
  state_.midi.SelectedProgram = 0;
  keys_.Form_KeyDown(vk::kPrior, 0);  // nothing before the first instrument
  state_.midi.SelectedProgram = 127;
  keys_.Form_KeyDown(vk::kDown, 0);  // nothing after the last
  EXPECT_EQ(actions_.calls, (std::vector<std::string>{"ApplyCcValue 0", "ApplyCcValue 127",
                                                      "SelectInstrument 4", "SelectInstrument 6"}));
}

TEST_F(KeyEventsTest, OctaveAndTranspositionKeysStopAtTheirLimits) {
  state_.midi.OctaveShift = 2;
  keys_.Form_KeyDown(vk::kAdd, 0);
  keys_.Form_KeyDown(vk::F(9), 0);
  EXPECT_EQ(state_.midi.OctaveShift, 3);
  EXPECT_EQ(view_.redraws, 1);
  state_.midi.Transpose = -10;
  keys_.Form_KeyDown(vk::kDivide, 0);
  keys_.Form_KeyDown(vk::kDivide, 0);
  EXPECT_EQ(state_.midi.Transpose, -11);
  EXPECT_EQ(out_.resets, 1);  // ResetSound once
  keys_.Form_KeyDown(vk::kMultiply, 0);
  EXPECT_EQ(state_.midi.Transpose, -10);
  EXPECT_EQ(actions_.calls, (std::vector<std::string>{"SetOctaveScroll 3", "SetTransposeScroll -11",
                                                      "SetTransposeScroll -10"}));
  // Octave 3 sounds key number 43 as note 127.
  Tap(221);
  EXPECT_EQ(out_.ShortMessages()[out_.ShortMessages().size() - 2],
            (std::vector<std::uint8_t>{0x90, 117, 0x79}));
}

TEST_F(KeyEventsTest, LosingTheFocusReleasesHeldKeysAndTheDamper) {
  keys_.Form_KeyDown('V', 0);
  keys_.Form_KeyDown('Q', 0);
  keys_.Form_KeyDown(32, 0);
  out_.Clear();
  keys_.FocusLost();
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x80, 60, 0x40}, {0x80, 72, 0x40}, {0xB0, 64, 0}}));
  out_.Clear();
  keys_.Form_KeyUp('V', 0);  // the late release finds the key already up
  keys_.Form_KeyDown('V', 0);
  EXPECT_EQ(NoteOns(), 1);
  keys_.Form_KeyUp('V', 0);

  // Space bound as a note as well: the focus loss ends its note once and the damper once.
  state_.input.KeyIndexOfCode[32] = 30;
  keys_.Form_KeyDown(32, 0);
  out_.Clear();
  keys_.FocusLost();
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x80, 78, 0x40}, {0xB0, 64, 0}}));

  // With the hook on, keys keep arriving from other applications: nothing is released.
  state_.input.HookActive = -1;
  out_.Clear();
  keys_.FocusLost();
  EXPECT_TRUE(out_.ShortMessages().empty());
}

TEST_F(KeyEventsTest, EscSwapsTheRecordPictureWhileAPerformanceIsHeld) {
  keys_.Form_KeyDown(vk::kEscape, 0);
  EXPECT_EQ(state_.input.EscHeld, 0);  // nothing recorded yet
  actions_.performance_in_memory = true;
  keys_.Form_KeyDown(vk::kEscape, 0);
  keys_.Form_KeyDown(vk::kEscape, 0);
  EXPECT_EQ(state_.input.EscHeld, -1);
  keys_.Form_KeyUp(vk::kEscape, 0);
  EXPECT_EQ(state_.input.EscHeld, 0);
  EXPECT_EQ(actions_.calls,
            (std::vector<std::string>{"ShowRecordPicture 122", "ShowRecordPicture 120"}));
}

TEST_F(KeyEventsTest, F5StartsAndStopsPlaybackAndCtrlF5Records) {
  keys_.Form_KeyDown(vk::F(5), 0);
  actions_.stop_enabled = true;
  keys_.Form_KeyDown(vk::F(5), 0);
  actions_.stop_enabled = false;
  keys_.Form_KeyDown(vk::F(5), kCtrlMask);
  EXPECT_EQ(actions_.calls,
            (std::vector<std::string>{"TogglePlayPanel", "StartPlayback", "TogglePlayPanel",
                                      "StopPlayback", "TogglePlayPanel", "StartRecording"}));
}

TEST_F(KeyEventsTest, ThePercussionSetShowsAPictureForEveryPressAndRepeat) {
  state_.midi.PercussionSet = true;
  state_.midi.KeyOutChannel = 10;
  keys_.Form_KeyDown('V', 0);
  keys_.Form_KeyDown('V', 0);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x99, 60, 0x79}}));
  int pictures = 0;
  for (const auto& call : actions_.calls) pictures += call == "ShowNotePicture 59";
  EXPECT_EQ(pictures, 2);
}

TEST_F(KeyEventsTest, AReleaseEndsTheNotesItsPressStarted) {
  // The octave moves while V is held: the release still ends note 60, none hangs.
  keys_.Form_KeyDown('V', 0);
  keys_.Form_KeyDown(vk::F(9), 0);
  keys_.Form_KeyUp('V', 0);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x90, 60, 0x79}, {0x80, 60, 0x40}}));
  keys_.Form_KeyDown('V', 0);  // the next press sounds the new octave
  EXPECT_EQ(out_.ShortMessages().back(), (std::vector<std::uint8_t>{0x90, 72, 0x79}));
  keys_.Form_KeyUp('V', 0);

  // A chord chosen while a key is held: the release draws up the keys its press drew down.
  keys_.Form_KeyDown('V', 0);
  keys_.Form_KeyDown(vk::Numpad(1), 0);
  view_.drawings.clear();
  out_.Clear();
  keys_.Form_KeyUp('V', 0);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x80, 72, 0x40}}));
  EXPECT_EQ(view_.drawings, (std::vector<testing::KeyDrawing>{{5, kSourceKeys, false}}));

  // A release never preceded by a press sends the note-offs of what the key sounds now.
  out_.Clear();
  keys_.Form_KeyUp('B', 0);
  EXPECT_EQ(out_.ShortMessages(), (Bytes{{0x80, 74, 0x40}, {0x80, 78, 0x40}, {0x80, 81, 0x40}}));
}

}  // namespace
}  // namespace kirivane
