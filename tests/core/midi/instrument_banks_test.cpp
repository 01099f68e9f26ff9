#include "player/midi/instrument_banks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_midi_out.h"
#include "fakes/test_paths.h"
#include "player/state/language_table.h"

namespace kirivane {
namespace {

using ::testing::ElementsAre;
using testing::FakeMidiOut;

constexpr int kSlot8 = 8;
constexpr int kSlot16 = 10;

class InstrumentBanksTest : public ::testing::Test {
 protected:
  InstrumentBanksTest() {
    state.layout.DisplayMode = 0;
    lang[20] = "Piano\t0:a,8:b";
    lang[21] = "Bright";
    lang[22] = "Organ\t0:o,8:o8,16:o16";
    names = LoadInstrumentTable(lang, state.midi);
  }

  InstrumentChoice Choose(int program) {
    state.midi.SelectedProgram = program;
    return List1Click(midi, list, false);
  }

  std::vector<std::string> lang = std::vector<std::string>(361);
  std::vector<std::string> names;
  PlayerState state;
  FakeMidiOut out;
  MidiMode midi{state, out};
  ListGeometry list{100, 300};
};

TEST(Variations, ParseBankNumbersNamesAndSkipBlankItems) {
  const auto items = ParseVariations(" 8x:Piano 2: bright,16:Strings,,0");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].bank_text, " 8x");
  EXPECT_EQ(items[0].bank, 8);
  EXPECT_EQ(items[0].name, "Piano 2: bright");
  EXPECT_EQ(items[1].bank, 16);
  EXPECT_EQ(items[2].bank, 0);
  EXPECT_EQ(items[2].name, "");
  EXPECT_TRUE(ParseVariations("").empty());
}

TEST(Variations, CaptionUsesFullWidthStopAndTwoDigitProgram) {
  EXPECT_EQ(BankCaption(1, "b", 0, "8"),
            "2\xEF\xBC\x8E"
            "b [01#8]");
  EXPECT_EQ(BankCaption(0, "Organ", 118, "16"),
            "1\xEF\xBC\x8E"
            "Organ [119#16]");
}

TEST(PlaceBankButtons, RowPositionsPerModeAndCount) {
  std::array<bool, 13> visible{};
  visible[kSlot8] = true;
  auto row = PlaceBankButtons(2, 1, visible, 100, 300);
  EXPECT_TRUE(row.visible[0]);
  EXPECT_EQ(row.left[0], 158);
  EXPECT_EQ(row.top[0], 286);
  EXPECT_EQ(row.left[kSlot8], 168);
  EXPECT_EQ(row.top[kSlot8], 286);

  row = PlaceBankButtons(2, 0, visible, 100, 300);
  EXPECT_EQ(row.top[0], 285);
  row = PlaceBankButtons(7, 2, visible, 100, 300);
  EXPECT_EQ(row.left[0], 640 - 16);
  EXPECT_EQ(row.left[kSlot8], 640 - 6);

  row = PlaceBankButtons(1, 0, visible, 100, 300);
  EXPECT_EQ(row.visible, (std::array<bool, 13>{}));
}

TEST_F(InstrumentBanksTest, TableSplitsNamesFromVariationLists) {
  EXPECT_EQ(names[0], "Piano");
  EXPECT_EQ(names[1], "Bright");
  EXPECT_EQ(state.midi.BankVariations[0], "0:a,8:b");
  EXPECT_EQ(state.midi.BankVariations[1], "");
  EXPECT_TRUE(BankMenuAvailable(state.midi));
  state.midi.SelectedProgram = 1;
  EXPECT_FALSE(BankMenuAvailable(state.midi));
}

TEST_F(InstrumentBanksTest, ProgramWithVariationsShowsItsBanksAndSendsBankZero) {
  const auto choice = Choose(0);
  EXPECT_TRUE(choice.done);
  EXPECT_EQ(choice.variation_count, 2);
  const BankWidgets& banks = state.midi.Banks;
  EXPECT_TRUE(banks.ButtonVisible[0]);
  EXPECT_TRUE(banks.ButtonVisible[kSlot8]);
  EXPECT_FALSE(banks.ButtonVisible[kSlot16]);
  EXPECT_FALSE(banks.MenuVisible[1]);
  EXPECT_EQ(banks.ButtonLeft[kSlot8] - banks.ButtonLeft[0], 10);
  EXPECT_EQ(banks.ButtonTop[kSlot8], 285);
  EXPECT_EQ(banks.ButtonToolTip[kSlot8],
            "2\xEF\xBC\x8E"
            "b [01#8]");
  EXPECT_EQ(banks.MenuCaption[0],
            "1\xEF\xBC\x8E"
            "a [01#0]");
  EXPECT_THAT(out.Hex(), ElementsAre("B0 00 00", "B0 20 00", "C0 00 00"));
}

TEST_F(InstrumentBanksTest, ChosenBankIsKeptWhileTheNextProgramOffersIt) {
  Choose(0);
  out.Clear();
  OptBKSClick(midi, 8);
  EXPECT_EQ(state.midi.BankMSB, 8);
  EXPECT_EQ(state.midi.Banks.OptionOn, 8);
  EXPECT_TRUE(state.midi.Banks.MenuChecked[kSlot8]);
  EXPECT_FALSE(state.midi.Banks.MenuChecked[0]);
  Choose(2);
  EXPECT_THAT(out.Hex(),
              ElementsAre("B0 00 08", "B0 20 00", "C0 00 00", "B0 00 08", "B0 20 00", "C0 02 00"));
  EXPECT_TRUE(state.midi.Banks.ButtonVisible[kSlot16]);
}

TEST_F(InstrumentBanksTest, ProgramWithoutTheBankFallsBackToBankZero) {
  state.midi.PlayOutChannel = 2;
  Choose(2);
  OptBKSClick(midi, 16);
  out.Clear();
  const auto choice = Choose(1);  // no variations at all
  EXPECT_EQ(choice.variation_count, 0);
  EXPECT_EQ(state.midi.BankMSB, 0);
  EXPECT_EQ(state.midi.Banks.OptionOn, 0);
  EXPECT_TRUE(state.midi.Banks.MenuChecked[0]);
  EXPECT_FALSE(state.midi.Banks.MenuChecked[kSlot16]);
  EXPECT_EQ(state.midi.Banks.ButtonVisible, (std::array<bool, 13>{}));
  EXPECT_THAT(out.Hex(),
              ElementsAre("B0 00 00", "B0 20 00", "C0 01 00", "B1 00 00", "B1 20 00", "C1 01 00"));

  Choose(2);
  OptBKSClick(midi, 16);
  out.Clear();
  Choose(0);  // variations, but not bank 16
  EXPECT_EQ(state.midi.BankMSB, 0);
  EXPECT_EQ(out.Hex().front(), "B0 00 00");
}

TEST_F(InstrumentBanksTest, NothingHappensDuringALayoutChange) {
  state.midi.SelectedProgram = 0;
  EXPECT_FALSE(List1Click(midi, list, true).done);
  EXPECT_TRUE(out.messages.empty());
}

TEST_F(InstrumentBanksTest, ManyVariationsMoveTheRowLeftAndPercussionHidesThePicture) {
  state.midi.BankVariations[5] = "0:a,1:b,2:c,3:d,4:e,5:f,6:g";
  state.midi.PercussionSet = true;
  const auto choice = Choose(5);
  EXPECT_EQ(choice.variation_count, 7);
  EXPECT_FALSE(choice.show_note_picture);
  EXPECT_EQ(state.midi.Banks.ButtonLeft[0], 100 + 58 - 16);
  EXPECT_EQ(state.midi.Banks.ButtonLeft[6], 100 + 58 - 16 + 60);
}

TEST_F(InstrumentBanksTest, PreviewPlaysOnChannelOneWhateverTheKeyboardChannel) {
  state.midi.KeyOutChannel = 5;
  state.midi.SelectedProgram = 7;
  state.midi.OctaveShift = -2;
  List1MouseDown(midi, false);
  List1MouseUp(midi);
  List1MouseDown(midi, true);
  List1MouseUp(midi);
  EXPECT_THAT(out.Hex(), ElementsAre("C0 07 00", "90 24 79", "80 24 10", "C0 07 00"));
}

TEST(InstrumentList, ScrollingAndArrowKeys) {
  EXPECT_TRUE(ScrollListToSelection(0).empty());
  EXPECT_TRUE(ScrollListToSelection(128).empty());
  EXPECT_THAT(ScrollListToSelection(5), ElementsAre(127, 5));
  EXPECT_THAT(ScrollListToSelection(127), ElementsAre(0, 127));
  InputState input;
  EXPECT_FALSE(ListMouseMoveTakesArrowKeys(input, 20, 50));  // still on the edge
  EXPECT_TRUE(ListMouseMoveTakesArrowKeys(input, 22, 11));
  EXPECT_EQ(input.ControllerKeys, 0);
  EXPECT_FALSE(TakeArrowKeysFromPanel(input));  // already taken
}

// Every program of the delivered language files: as many bank buttons as its list names, in
// one row, and the program goes out with a bank it offers.
class DeliveredInstrumentsTest : public ::testing::TestWithParam<int> {};

TEST_P(DeliveredInstrumentsTest, EveryProgramShowsItsBanks) {
  PlayerState state;
  ASSERT_TRUE(LoadLanguage(testing::ProgramDir(), GetParam(), state.app));
  LoadInstrumentTable(state.app.LangTable, state.midi);
  FakeMidiOut out;
  MidiMode midi(state, out);
  state.layout.DisplayMode = 0;
  for (int program = 0; program < 128; ++program) {
    state.midi.SelectedProgram = program;
    const auto items = ParseVariations(state.midi.BankVariations[program]);
    if (items.size() > 1) OptBKSClick(midi, items.back().bank);
    const auto choice = List1Click(midi, {100, 300}, false);
    const auto& banks = state.midi.Banks;
    int shown = 0;
    for (std::size_t slot = 0; slot < 13; ++slot) {
      if (!banks.ButtonVisible[slot]) continue;
      EXPECT_EQ(banks.ButtonLeft[slot], banks.ButtonLeft[0] + 10 * shown) << program;
      ++shown;
    }
    EXPECT_EQ(shown, choice.variation_count > 1 ? choice.variation_count : 0) << program;
    EXPECT_EQ(state.midi.BankMSB, items.size() > 1 ? items.back().bank : 0) << program;
    EXPECT_EQ(out.ShortMessages().back()[1], program);
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, DeliveredInstrumentsTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace kirivane
