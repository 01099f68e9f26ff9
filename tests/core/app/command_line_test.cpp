#include "player/app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/test_paths.h"

namespace kirivane {
namespace {

const std::string kFolder = "/opt/kirivane/bin";

constexpr int kJapaneseDesktop = 0;
constexpr int kEnglishDesktop = 1;

StartupPlan Plan(std::string_view line, bool ctrl = false, bool shift = false,
                 int locale_language = kJapaneseDesktop) {
  return PlanStartup(line, ctrl, shift, locale_language, false, kFolder);
}

TEST(CommandLine, JoinsArgumentsAndQuotesThoseWithSpaces) {
  EXPECT_EQ(JoinCommandLine({}), "");
  EXPECT_EQ(JoinCommandLine({"/E", "/k"}), "/E /k");
  EXPECT_EQ(JoinCommandLine({"/home/me/My Songs/a b.lyr"}), "\"/home/me/My Songs/a b.lyr\"");
  EXPECT_EQ(JoinCommandLine({"", "/E", ""}), "/E");
}

TEST(CommandLine, FirstTokenDropsTheQuotesOfAQuotedPath) {
  EXPECT_EQ(FirstToken(""), "");
  EXPECT_EQ(FirstToken("/E /K"), "/E");
  EXPECT_EQ(FirstToken("\"/home/me/My Songs/a.lyr\""), "/home/me/My Songs/a.lyr");
  EXPECT_EQ(FirstToken("\"/a b/x.lyr\" \"/c d/y.lyr\""), "/a b/x.lyr");
  EXPECT_EQ(FirstToken("\""), "");
}

TEST(CommandLine, NothingGivenStartsWithTheDefaults) {
  const StartupPlan plan = Plan("");
  EXPECT_FALSE(plan.HandOff);
  EXPECT_EQ(plan.EnglishUI, 0);
  EXPECT_EQ(plan.KeyMapFile, "");
  EXPECT_EQ(plan.TopmostSwitch, 2);
  EXPECT_EQ(plan.OpenFile, "");
  EXPECT_EQ(plan.OpenPending, 0);
}

TEST(CommandLine, ShiftChoosesModkeysOnlyWithoutACommandLine) {
  const StartupPlan plain = Plan("", false, true);
  EXPECT_EQ(plain.KeyMapFile, kFolder + "/modkeys.keys");
  EXPECT_EQ(plain.KeyMapFromCommandLine, 0);  // so the settings keep this choice

  EXPECT_EQ(Plan("/K", false, true).KeyMapFile, "");
  EXPECT_EQ(Plan("notes.txt", false, true).KeyMapFile, "");
}

TEST(CommandLine, LanguageFollowsTheDesktopUnlessCtrlOrSwitchEChoosesEnglish) {
  EXPECT_EQ(Plan("").EnglishUI, 0);
  EXPECT_EQ(Plan("", false, false, kEnglishDesktop).EnglishUI, 1);
  EXPECT_EQ(Plan("", true).EnglishUI, 1);
  EXPECT_EQ(Plan("/e").EnglishUI, 1);
  EXPECT_EQ(Plan("/K", false, false, kEnglishDesktop).EnglishUI, 1);
  EXPECT_EQ(Plan("/K").EnglishUI, 0);
}

TEST(CommandLine, QuotedPathWithSpacesOpensWithoutItsQuotes) {
  const StartupPlan plan = Plan(JoinCommandLine({"/home/me/My Songs/waltz.lyr"}));
  EXPECT_EQ(plan.OpenFile, "/home/me/My Songs/waltz.lyr");
  EXPECT_EQ(plan.OpenPending, -1);
  EXPECT_EQ(plan.DrumStart, 0);
}

TEST(CommandLine, AbsolutePathIsAFileNotASwitchList) {
  // "/home" would read as "/H" (percussion) if a leading "/" always meant switches.
  const StartupPlan plan = Plan("/home/me/song.LYR");
  EXPECT_EQ(plan.OpenFile, "/home/me/song.LYR");
  EXPECT_EQ(plan.DrumStart, 0);
  EXPECT_EQ(Plan("/Example.mid").OpenFile, "/Example.mid");
  EXPECT_EQ(Plan("/Example.mid").EnglishUI, 0);
}

TEST(CommandLine, PathsAfterSwitchesAreNeverSwitches) {
  // Each of these would otherwise read as /H, /M, /S, /R, /E or /T.
  const StartupPlan plan = Plan("/K /home/me/a.lyr /media/x /srv/y /run/z /etc/w /tmp/t1 /R.lyr");
  EXPECT_EQ(plan.HookActive, -1);
  EXPECT_EQ(plan.DrumStart, 0);
  EXPECT_EQ(plan.KeyMapFile, "");
  EXPECT_EQ(plan.TitleSuffixEntry, -1);
  EXPECT_EQ(plan.EnglishUI, 0);
  EXPECT_EQ(plan.TopmostSwitch, 2);
  EXPECT_EQ(plan.OpenFile, "");
  EXPECT_EQ(plan.OpenPending, 0);
  EXPECT_EQ(Plan("/E /home/someone/song.lyr").DrumStart, 0);
  EXPECT_EQ(Plan("/E /home/someone/song.lyr").EnglishUI, 1);
}

TEST(CommandLine, OnlyPerformanceAndMidiFilesAreKept) {
  const StartupPlan text = Plan("/home/me/notes.txt");
  EXPECT_EQ(text.OpenFile, "");
  EXPECT_EQ(text.OpenPending, -1);
  EXPECT_EQ(Plan("/home/me/song.MIDI").OpenFile, "/home/me/song.MIDI");
  EXPECT_EQ(Plan("song.mid").OpenFile, "song.mid");
  EXPECT_EQ(Plan("\"").OpenFile, "");
}

TEST(CommandLine, FileFollowedBySwitchIsNeitherFileNorSwitch) {
  const StartupPlan plan = Plan("/home/me/song.lyr /E");
  EXPECT_EQ(plan.OpenFile, "");
  EXPECT_EQ(plan.EnglishUI, 0);
  EXPECT_EQ(Plan("song.lyr /E", true).EnglishUI, 1);  // Ctrl still decides
}

TEST(CommandLine, SwitchesIgnoreCaseAndLookAtTwoCharacters) {
  const StartupPlan plan = Plan("/e /k /hx /Zoo");
  EXPECT_EQ(plan.EnglishUI, 1);
  EXPECT_EQ(plan.HookActive, -1);
  EXPECT_EQ(plan.DrumStart, -1);
  EXPECT_EQ(plan.OpenFile, "");
  EXPECT_EQ(plan.OpenPending, 0);
}

TEST(CommandLine, VersionSwitchToggles) {
  EXPECT_EQ(Plan("/_").ShowVersion, -1);
  EXPECT_EQ(Plan("/_ /_").ShowVersion, 0);
}

TEST(CommandLine, OnlyTheFirstTopmostSwitchWithADigitCounts) {
  EXPECT_EQ(Plan("/T1 /T0").TopmostSwitch, 1);
  EXPECT_EQ(Plan("/T0 /T1").TopmostSwitch, 0);
  EXPECT_EQ(Plan("/T /T1").TopmostSwitch, 1);
  EXPECT_EQ(Plan("/TX").TopmostSwitch, 2);
}

TEST(CommandLine, DisplayModeSwitch) {
  EXPECT_EQ(Plan("/P128").RequestedDisplayMode, 2);
  EXPECT_EQ(Plan("/p128").RequestedDisplayMode, 2);
  EXPECT_EQ(Plan("/P12").RequestedDisplayMode, 1);
  EXPECT_EQ(Plan("/P").RequestedDisplayMode, 1);
}

TEST(CommandLine, KeyMapSwitchesLastOneWins) {
  const StartupPlan straight = Plan("/S");
  EXPECT_EQ(straight.KeyMapFile, kFolder + "/straight.keys");
  EXPECT_EQ(straight.KeyMapFromCommandLine, -1);
  EXPECT_EQ(straight.DrumStart, -1);

  const StartupPlan random_then_mod = Plan("/R /M");
  EXPECT_EQ(random_then_mod.KeyMapFile, kFolder + "/modkeys.keys");
  EXPECT_EQ(random_then_mod.TitleSuffixEntry, 186);  // the suffix stays once given
  EXPECT_EQ(random_then_mod.DrumStart, 0);

  const StartupPlan mod_then_random = Plan("/M /R", false, true);
  EXPECT_EQ(mod_then_random.KeyMapFile, kFolder + "/rand.keys");
  EXPECT_EQ(mod_then_random.KeyMapFromCommandLine, -1);
}

TEST(CommandLine, AnotherInstanceGetsTheTokenAndNothingElseIsDecided) {
  const StartupPlan plan =
      PlanStartup("\"/home/me/My Songs/a.lyr\"", false, true, 0, true, kFolder);
  EXPECT_TRUE(plan.HandOff);
  EXPECT_EQ(plan.HandOffToken, "/home/me/My Songs/a.lyr");
  EXPECT_EQ(plan.OpenFile, "");
  EXPECT_EQ(plan.KeyMapFile, "");
  EXPECT_TRUE(PlanStartup("", false, false, 0, true, kFolder).HandOffToken.empty());
  EXPECT_TRUE(PlanStartup("/E /K", false, false, 0, true, kFolder).HandOffToken.empty());
}

TEST(CommandLine, ApplyWritesTheStartValuesIntoTheState) {
  PlayerState state;
  state.app.LangTable[0] = "Title";
  state.app.LangTable[186] = " [random]";
  const StartupPlan plan = Plan("/R /K /P128 /T0 /_ /H");
  ApplyStartupPlan(plan, state);
  EXPECT_EQ(state.app.AppTitle, "Title");
  EXPECT_EQ(state.app.TitleSuffix, " [random]");
  EXPECT_EQ(state.app.ProgramFolder, kFolder);
  EXPECT_EQ(state.app.ShowVersion, -1);
  EXPECT_EQ(state.app.TopmostSwitch, 0);
  EXPECT_EQ(state.input.HookActive, -1);
  EXPECT_EQ(state.input.DrumStart, -1);
  EXPECT_EQ(state.input.KeyMapFile, kFolder + "/rand.keys");
  EXPECT_EQ(state.input.KeyMapFromCommandLine, -1);
  EXPECT_EQ(state.layout.RequestedDisplayMode, 2);
  EXPECT_EQ(state.layout.DisplayMode, -1);

  PlayerState opened;
  ApplyStartupPlan(Plan("\"/tmp/a b.mid\""), opened);
  EXPECT_EQ(opened.app.OpenFile, "/tmp/a b.mid");
  EXPECT_EQ(opened.app.OpenPending, -1);
  EXPECT_EQ(opened.app.TitleSuffix, "");
}

TEST(CommandLine, DefaultStateHoldsTheStartValues) {
  const PlayerState state;
  EXPECT_EQ(state.app.VersionText, " (v4.0.2)");
  EXPECT_EQ(state.app.TopmostSwitch, 2);
  EXPECT_EQ(state.app.LangTable.size(), 361u);
  EXPECT_EQ(state.layout.ScoreMode, 1);
  EXPECT_EQ(state.layout.DisplayMode, -1);
  EXPECT_EQ(state.input.ControllerKeys, -1);
  EXPECT_EQ(state.input.DrawWhileHooked, -1);
  EXPECT_EQ(state.display.MouseKey, -1);
  EXPECT_EQ(state.midi.KeyVelocity, 121);
  EXPECT_EQ(state.midi.PlayVelocity, 108);
  EXPECT_EQ(state.midi.KeyOutChannel, 1);
  EXPECT_EQ(state.midi.PlayOutChannel, 1);
  EXPECT_EQ(state.performance.ClockTime, 12);
  EXPECT_EQ(state.performance.FileFormatVer, 1);
  EXPECT_FLOAT_EQ(state.performance.PlaySpeed, 1.0f);
  EXPECT_EQ(state.smf.MidiReadEx, 1);
}

}  // namespace
}  // namespace kirivane

namespace kirivane {
namespace {

TEST(ProgramDataFolder, TheProgramsOwnFolderFirstThenTheInstalledShareFolder) {
  const std::filesystem::path root = testing::MakeTempDir("kirivane-data");
  const auto make = [](const std::filesystem::path& folder, const char* file) {
    std::filesystem::create_directories(folder);
    if (file != nullptr) std::ofstream(folder / file) << "x\r\n";
  };
  // Installed: programs in bin, data in share/kirivane.
  make(root / "usr/bin", nullptr);
  make(root / "usr/share/kirivane", "japanese.lang");
  EXPECT_EQ(ProgramDataFolder((root / "usr/bin").string()), (root / "usr/share/kirivane").string());
  // A folder holding the program and its data keeps its data, even beside a share folder.
  make(root / "bin", "English.lang");
  make(root / "share/kirivane", "English.lang");
  EXPECT_EQ(ProgramDataFolder((root / "bin").string()), (root / "bin").string());
  // Nowhere: the program's folder, where the missing language file is reported.
  make(root / "lone/bin", nullptr);
  EXPECT_EQ(ProgramDataFolder((root / "lone/bin").string()), (root / "lone/bin").string());
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace kirivane
