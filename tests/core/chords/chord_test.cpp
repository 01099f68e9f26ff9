#include <gtest/gtest.h>

#include "fakes/fake_input.h"
#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_out.h"
#include "player/chords/chord_selection.h"
#include "player/chords/chord_table.h"

namespace kirivane {
namespace {

TEST(ChordOffsets, ReadsEachElementByItsLeadingNumber) {
  EXPECT_EQ(ChordOffsets("0,4,7"), (std::vector<int>{0, 4, 7}));
  EXPECT_EQ(ChordOffsets("0,100,4"), (std::vector<int>{0, 0, 4}));  // outside -63..63
  EXPECT_EQ(ChordOffsets("0,x,7"), (std::vector<int>{0, 0, 7}));
  EXPECT_EQ(ChordOffsets(" - 12 , 0,12abc"), (std::vector<int>{-12, 0, 12}));
  EXPECT_EQ(ChordOffsets("2.5,3.5,-63,63,-64"), (std::vector<int>{2, 4, -63, 63, 0}));
  EXPECT_EQ(ChordOffsets("0,"), (std::vector<int>{0, 0}));
  EXPECT_TRUE(ChordOffsets("7").empty());  // a single number is no chord
  EXPECT_TRUE(ChordOffsets("").empty());
}

TEST(ChordTable, HoldsTheBuiltInChords) {
  const auto table = BuiltInChordTable();
  EXPECT_EQ(table[0], ChordEntry{});
  EXPECT_EQ(table[1], (ChordEntry{"0,4,7", "Major Triad"}));
  EXPECT_EQ(table[9], (ChordEntry{"-12,0,4,7,12", "Power "}));
  EXPECT_EQ(table[10], (ChordEntry{"0,12", "Octave"}));
  EXPECT_EQ(BuiltInChord(11), ChordEntry{});
  EXPECT_EQ(PlayerState().chords.ChordTable, table);
}

class ChordSelectionTest : public ::testing::Test {
 protected:
  ChordSelectionTest() : midi_(state_, out_), chords_(state_, midi_, view_) {
    chords_.SetView(&label_);
    midi_.SetKeyboardView(&view_);
    state_.app.LangTable[284] = "drawing is off";
  }
  int NoteOffs() const {
    int count = 0;
    for (const auto& message : out_.ShortMessages()) count += (message[0] & 0xF0) == 0x80;
    return count;
  }

  PlayerState state_;
  testing::FakeMidiOut out_;
  testing::FakeKeyboardView view_;
  testing::FakeChordView label_;
  MidiMode midi_;
  ChordSelection chords_;
};

TEST_F(ChordSelectionTest, ASlotSetsTheChordAndItsNameAndReleasesEveryNote) {
  chords_.SelectChordSlot(3);
  EXPECT_EQ(state_.chords.ChordIndex, 3);
  EXPECT_EQ(label_.text, "Augment Triad");
  EXPECT_EQ(state_.chords.CurrentChord, (std::vector<int>{0, 4, 8}));
  EXPECT_EQ(state_.chords.ChordActive, -1);
  EXPECT_EQ(NoteOffs(), 128);
  EXPECT_EQ(view_.redraws, 1);
}

TEST_F(ChordSelectionTest, ASingleNumberOrAnEmptyListSelectsNoChord) {
  state_.chords.ChordTable[4] = {"7", "Fifth only"};
  chords_.SelectChordSlot(4);
  EXPECT_EQ(state_.chords.ChordActive, 0);
  EXPECT_EQ(label_.text, "Fifth only");
  EXPECT_EQ(SoundingOffsets(state_.chords), std::vector<int>{0});

  state_.chords.ChordTable[5] = {"0,5", ""};
  chords_.SelectChordSlot(5);
  EXPECT_EQ(label_.text, "0,5");  // no name: the list is shown

  out_.Clear();
  state_.chords.ChordTable[6] = {"", "Nothing"};
  chords_.SelectChordSlot(6);
  EXPECT_EQ(state_.chords.ChordActive, 0);
  EXPECT_TRUE(state_.chords.CurrentChord.empty());
  EXPECT_EQ(NoteOffs(), 0);  // an empty list stops before releasing notes
}

TEST_F(ChordSelectionTest, F7AndCtrlF7WrapThroughTheUserSlots) {
  chords_.SelectNextChord();
  EXPECT_EQ(state_.chords.ChordIndex, 1);
  state_.chords.ChordIndex = 9;
  chords_.SelectNextChord();
  EXPECT_EQ(state_.chords.ChordIndex, 1);
  chords_.SelectPreviousChord();
  EXPECT_EQ(state_.chords.ChordIndex, 9);
  EXPECT_EQ(label_.text, "Power ");
  chords_.SelectChordSlot(10);
  chords_.SelectNextChord();
  EXPECT_EQ(state_.chords.ChordIndex, 1);
  state_.chords.ChordIndex = 0;
  chords_.SelectPreviousChord();
  EXPECT_EQ(state_.chords.ChordIndex, 9);
}

TEST_F(ChordSelectionTest, TheChordPadWalksTheSlotsAndClearsWithoutReleasingNotes) {
  for (int click = 1; click <= 9; ++click) {
    chords_.ChordPadMouseDown(true, false);
    EXPECT_EQ(state_.chords.ChordIndex, click);
  }
  out_.Clear();
  chords_.ChordPadMouseDown(true, false);
  EXPECT_EQ(state_.chords.ChordIndex, 0);
  EXPECT_EQ(state_.chords.ChordActive, 0);
  EXPECT_EQ(label_.text, "");
  EXPECT_EQ(NoteOffs(), 0);

  chords_.ChordPadMouseDown(true, true);  // Ctrl from no chord: slot 9
  EXPECT_EQ(state_.chords.ChordIndex, 9);
  chords_.ChordPadMouseDown(true, true);
  EXPECT_EQ(state_.chords.ChordIndex, 8);
  state_.chords.ChordIndex = 1;
  chords_.ChordPadMouseDown(true, true);  // Ctrl from slot 1 clears
  EXPECT_EQ(state_.chords.ChordIndex, 0);
  chords_.SelectChordSlot(2);
  chords_.ChordPadMouseDown(false, false);  // any other button clears
  EXPECT_EQ(state_.chords.ChordIndex, 0);
}

TEST_F(ChordSelectionTest, WhileHookedWithDrawingOffTheNoticeReplacesTheKeyboard) {
  state_.input.HookActive = -1;
  state_.input.DrawWhileHooked = 0;
  chords_.SelectChordSlot(1);
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0], "drawing is off");
  EXPECT_EQ(view_.redraws, 0);
  chords_.ClearChord();  // clearing always redraws
  EXPECT_EQ(view_.redraws, 1);
  EXPECT_EQ(label_.text, "");
  EXPECT_EQ(state_.chords.ChordActive, 0);
}

}  // namespace
}  // namespace kirivane
