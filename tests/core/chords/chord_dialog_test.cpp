#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "fakes/fake_input.h"
#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_out.h"
#include "fakes/test_paths.h"
#include "player/chords/chord_dialog_model.h"
#include "player/chords/chord_grid.h"
#include "player/chords/chord_list.h"
#include "player/state/language_table.h"

namespace kirivane {
namespace {

// The chord a column heading names, as semitones above the root.
const std::map<std::string, std::vector<int>> kQualities{
    {"Major", {0, 4, 7}}, {"7th", {0, 4, 7, 10}}, {"maj7", {0, 4, 7, 11}},
    {"sus4", {0, 5, 7}},  {"Minor", {0, 3, 7}},   {"aug", {0, 4, 8}},
    {"dim", {0, 3, 6}},   {"6th", {0, 4, 7, 9}},  {"m7", {0, 3, 7, 10}}};
const std::map<std::string, int> kRoots{{"C", 0}, {"D", 2}, {"E", 4},        {"F", 5},
                                        {"G", 7}, {"A", 9}, {"B\u266D", 10}, {"B", 11}};

TEST(ChordList, TheShippedListPlaysWhatItsHeadingsName) {
  const std::string path = ChordListPath(testing::SourceDir() + "/data/program");
  const auto bytes = ReadFileBytes(path);
  ASSERT_TRUE(bytes);
  for (char c : *bytes) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "plain ASCII";
  for (const auto& line : SplitKeepEmpty(*bytes, "\n")) {
    if (!line.empty()) EXPECT_EQ(line.back(), '\r') << "every line ends in CR LF";
  }
  const ChordListResult list = ParseChordList(*bytes);
  ASSERT_FALSE(list.error);
  AppState english;
  ASSERT_TRUE(LoadLanguage(testing::SourceDir() + "/data/program", 1, english));

  std::map<int, std::string> row_root, column_quality;  // grid row / column -> heading text
  for (int i = 0; i < kChordRowHeadings; ++i) {
    row_root[RowHeadingCell(i).row] = LangText(english, RowHeadingEntry(i));
  }
  std::set<std::pair<int, int>> cells;
  for (int k = 0; k < kChordListSize; ++k) {
    const GridCell cell = ChordButtonCell(k);
    EXPECT_TRUE(cells.insert({cell.row, cell.column}).second) << "button " << k;
    const int block_heading_row = cell.row < 9 ? 0 : 9;
    std::string quality;
    for (int i = 0; i < kChordColumnHeadings; ++i) {
      const GridCell heading = ColumnHeadingCell(i);
      if (heading == GridCell{block_heading_row, cell.column}) {
        quality = LangText(english, ColumnHeadingEntry(i));
      }
    }
    ASSERT_TRUE(kQualities.count(quality)) << "button " << k << " has no column heading";
    ASSERT_TRUE(kRoots.count(row_root[cell.row])) << "button " << k << " has no row heading";
    const auto& entry = list.entries[static_cast<std::size_t>(k)];
    const std::vector<int> offsets = ChordOffsets(entry.intervals);
    ASSERT_FALSE(offsets.empty()) << entry.intervals;
    std::vector<int> above_root;
    for (int d : offsets) above_root.push_back(d - offsets.front());
    EXPECT_EQ(above_root, kQualities.at(quality)) << "button " << k << " " << entry.caption;
    EXPECT_EQ((offsets.front() + 120) % 12, kRoots.at(row_root[cell.row])) << entry.caption;
    EXPECT_EQ(entry.bold == 1, quality == "Major" || quality == "Minor") << entry.caption;
    EXPECT_GE(offsets.front(), -12);  // the root's marker is on the small keyboard
  }
}

TEST(ChordList, RefusesWhatItCannotShow) {
  std::string lines;
  for (int i = 0; i < 36; ++i) lines += "0,4,7\tC\t1\r\n\r\n";
  ASSERT_FALSE(ParseChordList(lines).error) << "36 entries between empty lines are fine";
  const auto refused = ParseChordList(lines + "0,3,7\tCm\t0\r\n");
  EXPECT_EQ(refused.error, ChordListError::kTooManyLines);
  EXPECT_EQ(refused.line, 73);

  EXPECT_EQ(ParseChordList("0,4,7\tC\n").error, ChordListError::kTooFewFields);
  EXPECT_EQ(ParseChordList("0,4,7\tC\tbold\n").error, ChordListError::kBadBoldFlag);
  EXPECT_EQ(ParseChordList("0,4,7\tC\t1x\n").error, ChordListError::kBadBoldFlag);
  EXPECT_EQ(ParseChordList("0,4,7\tC\t99999\n").error, ChordListError::kBadBoldFlag);
  EXPECT_EQ(LoadChordList("/nonexistent/chordlist.dat").error, ChordListError::kUnreadable);

  const auto read = ParseChordList("0,4,7\tC\t1\n-2,2,5,8\tBb\\n7\t 0 \textra\n");
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.entries[0], (ChordListEntry{"0,4,7", "C", 1}));
  EXPECT_EQ(read.entries[1], (ChordListEntry{"-2,2,5,8", "Bb\r\n7", 0}));
  EXPECT_EQ(read.entries[2], ChordListEntry{});

  AppState app;
  app.LangTable[344] = "Cannot read %1.";
  EXPECT_EQ(ChordListErrorText(app, "/p/chordlist.dat"), "Cannot read /p/chordlist.dat.");
}

class ChordDialogTest : public ::testing::Test {
 protected:
  ChordDialogTest() : midi_(state_, out_), selection_(state_, midi_, view_) {
    selection_.SetView(&label_);
    ChordList list;
    list[0] = {"0,4,7", "C", 1};
    list[1] = {"-2,2,5,8", "Bb\r\n7", 0};
    list[2] = {"0,4,7,11,14", "C\r\nmaj9", 0};
    model_.SetChordList(list);
  }
  std::vector<std::string> Sent() {
    auto hex = out_.Hex();
    out_.Clear();
    return hex;
  }

  PlayerState state_;
  testing::FakeMidiOut out_;
  testing::FakeKeyboardView view_;
  testing::FakeChordView label_;
  MidiMode midi_;
  ChordSelection selection_;
  ChordDialogModel model_{state_, midi_};
};

class FakeSlots : public ChordSlotReceiver {
 public:
  void SetChordSlot(int slot, const ChordEntry& chord) override { got = {slot, chord}; }
  std::optional<std::pair<int, ChordEntry>> got;
};

TEST_F(ChordDialogTest, InversionsMoveNotesByOctavesAndMarkTheName) {
  model_.ChordClick(0);
  EXPECT_EQ(model_.ChordText(), "0,4,7");
  EXPECT_EQ(model_.Result(), (ChordEntry{"0,4,7", "Major Triad"}));

  model_.InversionChange(1);
  EXPECT_EQ(model_.ChordText(), "4,7,12");
  std::array<bool, kChordMarkers> markers{};
  markers[16] = markers[19] = markers[24] = true;
  EXPECT_EQ(model_.Markers(), markers);
  EXPECT_EQ(model_.Result(), (ChordEntry{"4,7,12", "\uFF23'"}));  // "Ｃ'"

  model_.InversionChange(-1);
  EXPECT_EQ(model_.ChordText(), "-5,0,4");

  model_.ChordClick(1);  // a non-standard list takes the caption's name
  EXPECT_EQ(model_.Result(), (ChordEntry{"-4,-2,2,5", "B\u266D7'"}));  // still at -1
}

TEST_F(ChordDialogTest, AShorterChordHoldsTheInversionToItsOwnRange) {
  model_.ChordClick(2);
  model_.InversionChange(3);
  EXPECT_EQ(model_.ChordText(), "11,12,14,16,19");
  model_.ChordClick(0);  // 3 notes: at most 2 steps
  EXPECT_EQ(model_.Inversion(), 2);
  EXPECT_EQ(model_.InversionLimit(), 2);
  EXPECT_EQ(model_.ChordText(), "7,12,16");
  EXPECT_EQ(model_.Result()->name, "\uFF23''");
}

TEST_F(ChordDialogTest, ThePreviewPlaysTheShownChordAndEndsExactlyIt) {
  state_.midi.OctaveShift = 1;
  state_.midi.Transpose = -2;
  state_.midi.KeyVelocity = 100;
  state_.display.MouseKey = 7;
  model_.ChordMouseDown(0);
  const auto pressed = Sent();
  ASSERT_EQ(pressed.size(), 128u + 3u);  // every note released first, then the chord
  EXPECT_EQ(std::vector<std::string>(pressed.end() - 3, pressed.end()),
            (std::vector<std::string>{"90 46 64", "90 4A 64", "90 4D 64"}));
  state_.midi.OctaveShift = 0;  // moved while the button is held
  model_.ChordMouseUp();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"80 46 40", "80 4A 40", "80 4D 40"}));
  EXPECT_EQ(state_.display.MouseKey, -1);
  model_.ChordMouseUp();
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ChordDialogTest, OkHandsTheChordToWhoeverOpenedTheDialog) {
  FakeSlots slots;
  model_.OpenFromMenu();
  EXPECT_FALSE(model_.Ok(selection_, &slots)) << "nothing shown yet";
  model_.ChordClick(1);
  EXPECT_TRUE(model_.Ok(selection_, &slots));
  EXPECT_EQ(state_.chords.ChordIndex, 10);
  EXPECT_EQ(state_.chords.ChordTable[10], (ChordEntry{"-2,2,5,8", "B\u266D7"}));
  EXPECT_EQ(state_.chords.CurrentChord, (std::vector<int>{-2, 2, 5, 8}));
  EXPECT_EQ(label_.text, "B\u266D7");
  EXPECT_FALSE(slots.got);

  ChordDialogModel for_slot(state_, midi_);
  ChordList list;
  list[0] = {"0,3,7", "Cm", 1};
  for_slot.SetChordList(list);
  for_slot.OpenForSlot(4);
  for_slot.ChordClick(0);
  EXPECT_TRUE(for_slot.Ok(selection_, &slots));
  EXPECT_EQ(slots.got, std::make_pair(4, ChordEntry{"0,3,7", "Minor Triad"}));
  EXPECT_EQ(state_.chords.ChordTable[10].intervals, "-2,2,5,8") << "chord 10 untouched";
  EXPECT_FALSE(for_slot.ButtonEnabled(1)) << "a button the list does not fill";
}

}  // namespace
}  // namespace kirivane
