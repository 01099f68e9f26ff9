#include "player/settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/basic/text_file.h"
#include "fakes/test_paths.h"
#include "player/settings/settings_chords.h"

namespace kirivane {
namespace {

PlayerState FreshState() {
  PlayerState state;
  state.app.ProgramFolder = "/opt/kirivane";
  state.layout.DefaultPositions = {270, 80, 180, 340};
  return state;
}

PlayerState Loaded(const std::string& text, WindowPosition* window = nullptr) {
  PlayerState state = FreshState();
  WindowPosition placed = LoadSettings(state, IniFile(text));
  if (window) *window = placed;
  return state;
}

std::vector<std::string> KeysInOrder(const std::string& text) {
  std::vector<std::string> keys;
  for (const auto& line : SplitLines(text)) {
    if (line.empty()) continue;
    keys.push_back(line.front() == '[' ? line : line.substr(0, line.find('=')));
  }
  return keys;
}

TEST(Settings, NoFileGivesEveryDefault) {
  WindowPosition window;
  PlayerState s = Loaded("", &window);
  EXPECT_EQ(s.midi.KeyChannel, 1);
  EXPECT_EQ(s.midi.PlayChannel, 1);
  EXPECT_EQ(s.midi.KeyVelocity, 121);
  EXPECT_EQ(s.midi.PlayVelocity, 108);
  EXPECT_EQ(s.midi.MainVolume, 64);
  EXPECT_EQ(s.midi.MidiDevice, 0);
  EXPECT_EQ(s.layout.CcMode, 0);
  EXPECT_EQ(s.layout.WheelBand, 8);
  EXPECT_EQ(s.display.MouseVel, 50);
  EXPECT_EQ(s.display.C3To60, 0);
  EXPECT_EQ(s.smf.MidiReadChannels, "1,2,3,4,5,6,7,8,9,11,12,13,14,15,16");
  EXPECT_EQ(s.smf.MidiEndTime, 200);
  EXPECT_EQ(s.smf.MidiReadEx, 0);
  EXPECT_EQ(s.performance.ClockSetting, 1);
  EXPECT_EQ(s.performance.ClockTime, 1);
  EXPECT_EQ(s.performance.LoopOn, 0);
  EXPECT_EQ(s.layout.ScoreMode, 1);
  EXPECT_EQ(s.layout.EffectOn, 1);
  EXPECT_EQ(s.layout.RoundedWindow, 1);
  EXPECT_EQ(s.layout.ScoreFolder, "/opt/kirivane/image/");
  EXPECT_EQ(s.input.KeyMapFile, "");
  EXPECT_EQ(s.layout.Mode0Left, 270 * 15);
  EXPECT_EQ(s.layout.Mode0Top, 80 * 15);
  EXPECT_EQ(s.layout.Mode12Left, 180 * 15);
  EXPECT_EQ(s.layout.Mode12Top, 340 * 15);
  // DisplayMode is still -1 (non-zero) while the settings load: the compact pair places it.
  EXPECT_EQ(window.Left, 180 * 15);
  EXPECT_EQ(window.Top, 340 * 15);
}

TEST(Settings, ChannelsOutsideTheRangeOrTheDrumChannelGiveChannelOne) {
  for (const char* value : {"10", "0", "17", "abc", "-3"}) {
    PlayerState s = Loaded(std::string("[Option]\nMidiCh=") + value + "\nPlayCh=" + value);
    EXPECT_EQ(s.midi.KeyChannel, 1) << value;
    EXPECT_EQ(s.midi.PlayChannel, 1) << value;
  }
  PlayerState s = Loaded("[Option]\nMidiCh=16\nPlayCh=9\nMidiVol=0\nPlayVol=128\nMainVol=127");
  EXPECT_EQ(s.midi.KeyChannel, 16);
  EXPECT_EQ(s.midi.PlayChannel, 9);
  EXPECT_EQ(s.midi.KeyVelocity, 121);
  EXPECT_EQ(s.midi.PlayVelocity, 108);
  EXPECT_EQ(s.midi.MainVolume, 127);
}

TEST(Settings, ControllerModeFollowsVolumeAndItsOwnRange) {
  EXPECT_EQ(Loaded("[Option]\nMainVol=20\nccMode=1").layout.CcMode, 0);
  EXPECT_EQ(Loaded("[Option]\nMainVol=40\nccMode=1").layout.CcMode, 1);
  EXPECT_EQ(Loaded("[Option]\nccMode=2").layout.CcMode, 0);
  EXPECT_EQ(Loaded("[Option]\nccMode=99").layout.CcMode, 99);
}

TEST(Settings, ExportTailIsRoundedAndClamped) {
  EXPECT_EQ(Loaded("[Option]\nMidiEndTime=-5").smf.MidiEndTime, 0);
  EXPECT_EQ(Loaded("[Option]\nMidiEndTime=9000").smf.MidiEndTime, 5000);
  EXPECT_EQ(Loaded("[Option]\nMidiEndTime=").smf.MidiEndTime, 200);
  EXPECT_EQ(Loaded("[Option]\nMidiEndTime=12.6").smf.MidiEndTime, 13);
  EXPECT_EQ(Loaded("[Option]\nMidiEndTime=12.5ms").smf.MidiEndTime, 12);
  EXPECT_EQ(Loaded("[Option]\nMidiEndTime=x").smf.MidiEndTime, 0);
}

TEST(Settings, FlagsOutsideZeroOrOneLeaveTheirStartValue) {
  EXPECT_EQ(Loaded("[Option]\nMidiReadEx=7").smf.MidiReadEx, 1);
  EXPECT_EQ(Loaded("[Option]\nMidiReadEx=1").smf.MidiReadEx, 1);
  EXPECT_EQ(Loaded("[Option]\nScoreMode=5").layout.ScoreMode, 1);
  EXPECT_EQ(Loaded("[Option]\nScoreMode=0").layout.ScoreMode, 0);
  EXPECT_EQ(Loaded("[Option]\nLoop=3").performance.LoopOn, 0);
  EXPECT_EQ(Loaded("[Option]\nLoop=1").performance.LoopOn, 1);
  EXPECT_EQ(Loaded("[Option]\nC3TO60=1").display.C3To60, 1);
  EXPECT_EQ(Loaded("[Option]\nC3TO60=2").display.C3To60, 0);
  PlayerState off = Loaded("[Option]\nEffect=0");
  EXPECT_EQ(off.layout.EffectOn, 0);
  EXPECT_EQ(off.layout.RoundedWindow, 0);
  EXPECT_EQ(Loaded("[Option]\nEffect=4").layout.RoundedWindow, 1);
}

TEST(Settings, RoundedWindowNeedsTheSystemToAllowIt) {
  PlayerState s = FreshState();
  s.layout.Os.MajorAbove5OrMinorSet = true;
  LoadSettings(s, IniFile("[Option]\nEffect=1"));
  EXPECT_EQ(s.layout.EffectOn, 1);
  EXPECT_EQ(s.layout.RoundedWindow, 0);
}

TEST(Settings, OtherRangesAndStrings) {
  PlayerState s = Loaded(
      "[Option]\nDevice=-4\nWheelBand=0\nMouseVel=64\nClock=26\nMidiReadCh=1,2\n"
      "FilePath=/music/x.lyr\nImagePath=/opt/kirivane/");
  EXPECT_EQ(s.midi.MidiDevice, 0);
  EXPECT_EQ(s.layout.WheelBand, 8);
  EXPECT_EQ(s.display.MouseVel, 50);
  EXPECT_EQ(s.performance.ClockSetting, 1);
  EXPECT_EQ(s.smf.MidiReadChannels, "1,2");
  EXPECT_EQ(s.performance.LastFilePath, "/music/x.lyr");
  EXPECT_EQ(s.layout.ScoreFolder, "/opt/kirivane/image/");
  PlayerState t = Loaded("[Option]\nDevice=7\nClock=25\nMouseVel=0\nImagePath=/pics");
  EXPECT_EQ(t.midi.MidiDevice, 7);
  EXPECT_EQ(t.performance.ClockTime, 25);
  EXPECT_EQ(t.display.MouseVel, 0);
  EXPECT_EQ(t.layout.ScoreFolder, "/pics");
}

TEST(Settings, NumberTooLargeForTheValueLeavesWhatWasHeld) {
  PlayerState s = FreshState();
  s.midi.MidiDevice = 3;
  LoadSettings(s, IniFile("[Option]\nDevice=99999999999\n[Window]\ndx=999999999"));
  EXPECT_EQ(s.midi.MidiDevice, 3);
  EXPECT_EQ(s.layout.Mode0Left, 0);  // 999999999 px do not fit in twips
}

TEST(Settings, KeyMapFromTheFileOnlyWhenNoneWasChosen) {
  EXPECT_EQ(Loaded("[Option]\nKeysFile=/k/a.keys").input.KeyMapFile, "/k/a.keys");
  PlayerState s = FreshState();
  s.input.KeyMapFile = "/opt/kirivane/rand.keys";
  s.input.KeyMapFromCommandLine = -1;
  LoadSettings(s, IniFile("[Option]\nKeysFile=/k/a.keys"));
  EXPECT_EQ(s.input.KeyMapFile, "/opt/kirivane/rand.keys");
  IniFile file("[Option]\nKeysFile=/k/a.keys\n");
  SaveSettings(s, {}, file);
  EXPECT_EQ(file.ReadString("Option", "KeysFile"), "/k/a.keys");
}

TEST(Settings, NegativePositionsBecomeZeroAndOldSystemsKeepTheWindowOnScreen) {
  PlayerState s = Loaded("[Window]\ndx=-20\ndy=-1\nmx=-30\nmy=-2");
  EXPECT_EQ(s.layout.Mode0Left, 0);
  EXPECT_EQ(s.layout.Mode0Top, 0);
  EXPECT_EQ(s.layout.Mode12Left, -450);  // the compact pair is not corrected
  EXPECT_EQ(s.layout.Mode12Top, -30);

  PlayerState old = FreshState();
  old.layout.Os.MajorAbove4 = false;
  old.layout.Screen.ScreenWidth = 1024;
  old.layout.Screen.ScreenHeight = 768;
  LoadSettings(old, IniFile("[Window]\ndx=900\ndy=700"));
  EXPECT_EQ(old.layout.Mode0Left, (1024 - (472 + 3 * 3)) * 15);
  EXPECT_EQ(old.layout.Mode0Top, (768 - (565 + 23 + 3 * 3)) * 15);
}

TEST(Settings, WindowOpensAtThePairOfTheModeShownNow) {
  PlayerState s = FreshState();
  s.layout.DisplayMode = 0;
  WindowPosition w = LoadSettings(s, IniFile("[Window]\ndx=10\ndy=20\nmx=30\nmy=40"));
  EXPECT_EQ(w.Left, 150);
  EXPECT_EQ(w.Top, 300);
}

TEST(Settings, PixelPositionsRoundTrip) {
  PlayerState s = Loaded("[Window]\ndx=123\ndy=45\nmx=-7\nmy=801");
  s.layout.DisplayMode = 1;
  IniFile file;
  SaveSettings(s, {333 * 15, 222 * 15}, file);
  EXPECT_EQ(file.ReadInt("Window", "dx", 0), 123);
  EXPECT_EQ(file.ReadInt("Window", "dy", 0), 45);
  EXPECT_EQ(file.ReadInt("Window", "mx", 0), 333);
  EXPECT_EQ(file.ReadInt("Window", "my", 0), 222);
  // Twips that are not a whole number of pixels are cut toward zero.
  s.layout.DisplayMode = 0;
  SaveSettings(s, {-29, 29}, file);
  EXPECT_EQ(file.ReadInt("Window", "dx", 9), -1);
  EXPECT_EQ(file.ReadInt("Window", "dy", 9), 1);
}

TEST(Settings, FreshFileHoldsEveryKeyInItsOrder) {
  PlayerState s = Loaded("");
  s.layout.DisplayMode = 0;
  IniFile file;
  SaveSettings(s, {0, 0}, file);
  const std::vector<std::string> expected = {
      "[Window]", "dx",        "dy",        "mx",         "my",          "[Option]", "Device",
      "MainVol",  "ccMode",    "WheelBand", "MidiCh",     "MidiVol",     "PlayCh",   "PlayVol",
      "Loop",     "Effect",    "MouseVel",  "MidiReadCh", "MidiEndTime", "C3TO60",   "FilePath",
      "KeysFile", "ImagePath", "ScoreMode", "MidiInPort", "[Chord]",     "1Num",     "2Num",
      "3Num",     "4Num",      "5Num",      "6Num",       "7Num",        "8Num",     "9Num"};
  auto keys = KeysInOrder(file.Text());
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(file.ReadString("Chord", "9Num"), "-12,0,4,7,12(Power )");
  EXPECT_EQ(file.ReadString("Option", "ImagePath"), "/opt/kirivane/image/");
  EXPECT_EQ(file.ReadString("Option", "MidiEndTime"), "200");
}

TEST(Settings, MidiInputPortIsReadAndSavedAfterTheOtherOptionKeys) {
  EXPECT_EQ(Loaded("").midi_in.MidiInPort, "");
  const std::string text =
      "[Option]\r\nScoreMode=1\r\nMidiInPort=Midi Through:Midi Through Port-0 14:0\r\n";
  EXPECT_EQ(Loaded(text).midi_in.MidiInPort, "Midi Through:Midi Through Port-0 14:0");
  // A file of an older version gains the key at the end of its [Option] keys.
  PlayerState s = Loaded("[Option]\r\nDevice=2\r\n[Chord]\r\n1Num=0,4,7(Major Triad)\r\n");
  s.midi_in.MidiInPort = "src:out";
  IniFile file("[Option]\r\nDevice=2\r\nMidiInPort=old:port\r\nLoop=1\r\n[Chord]\r\n");
  SaveSettings(s, {}, file);
  EXPECT_EQ(file.ReadString("Option", "MidiInPort"), "src:out");
  EXPECT_NE(file.Text().find("Device=2\r\nMidiInPort=src:out\r\nLoop=0\r\n"), std::string::npos)
      << "an existing key keeps its place";
  IniFile older("[Option]\r\nDevice=2\r\n[Chord]\r\n");
  s.midi_in.MidiInPort.clear();
  SaveSettings(s, {}, older);
  const auto keys = KeysInOrder(older.Text());
  const auto chord = std::find(keys.begin(), keys.end(), "[Chord]");
  ASSERT_NE(chord, keys.end());
  EXPECT_EQ(*(chord - 1), "MidiInPort");
  EXPECT_EQ(older.ReadString("Option", "MidiInPort"), "");
}

TEST(Settings, KeysReadButNeverWrittenKeepTheUsersText) {
  const std::string text = "[Option]\r\nClock=  7 ticks\r\nMidiReadEx=7\r\nccMode=2\r\n";
  PlayerState s = Loaded(text);
  EXPECT_EQ(s.performance.ClockTime, 7);
  EXPECT_EQ(s.layout.CcMode, 0);
  s.layout.CcMode = 2;  // reached at run time, saved as it is
  IniFile file(text);
  SaveSettings(s, {}, file);
  const std::string saved = file.Text();
  EXPECT_NE(saved.find("Clock=  7 ticks\r\nMidiReadEx=7\r\nccMode=2\r\n"), std::string::npos);
}

TEST(SettingsChords, StoredValuesAndTheirOddCases) {
  const ChordEntry builtin{"0,4,8", "Augment Triad"};
  ChordEntry slot;
  ApplyChordSetting("0,3,7(Minor)", builtin, slot);
  EXPECT_EQ(slot.intervals, "0,3,7");
  EXPECT_EQ(slot.name, "Minor");
  ApplyChordSetting("0,3,7(Minor", builtin, slot);
  EXPECT_EQ(slot.name, "Mino");
  ApplyChordSetting("0,3,7(", builtin, slot);
  EXPECT_EQ(slot.intervals, "0,3,7");
  EXPECT_EQ(slot.name, "");
  ChordEntry fresh{"0,4,7", "Major Triad"};
  ApplyChordSetting("0,3,7", builtin, fresh);
  EXPECT_EQ(fresh.intervals, "");
  EXPECT_EQ(fresh.name, "");
  EXPECT_EQ(ChordSettingValue(fresh), "");
  ApplyChordSetting("", builtin, fresh);
  EXPECT_EQ(fresh.intervals, "0,4,8");
  EXPECT_EQ(fresh.name, "Augment Triad");
  EXPECT_EQ(ChordSettingValue({"0,4,7", "Major Triad"}), "0,4,7(Major Triad)");
  EXPECT_EQ(ChordSettingValue({"-12,0,4,7,12", "Power "}), "-12,0,4,7,12(Power )");
}

TEST(SettingsChords, SlotsLoadFromTheFileAndComeBackAfterSaving) {
  PlayerState s = Loaded("[Chord]\n3Num=0,3,7(Minor)\n4Num=0,5\n5Num=\n");
  const ChordSlotTable& table = s.chords.ChordTable;
  EXPECT_EQ(table[1], (ChordEntry{"0,4,7", "Major Triad"}));
  EXPECT_EQ(table[3], (ChordEntry{"0,3,7", "Minor"}));
  EXPECT_EQ(table[4], (ChordEntry{"", ""}));  // no bracket: the slot is empty
  EXPECT_EQ(table[5], (ChordEntry{"0,3,7,10", "Minor 7th"}));
  EXPECT_EQ(table[10], (ChordEntry{"0,12", "Octave"}));
  s.chords.ChordTable[2] = {"", "gone"};
  IniFile file;
  SaveSettings(s, {}, file);
  EXPECT_EQ(file.ReadString("Chord", "3Num"), "0,3,7(Minor)");
  EXPECT_EQ(file.ReadString("Chord", "2Num"), "");
  EXPECT_EQ(file.ReadString("Chord", "4Num"), "");
  EXPECT_FALSE(file.ReadString("Chord", "10Num").has_value());
  PlayerState back = Loaded(file.Text());
  EXPECT_EQ(back.chords.ChordTable[2], (ChordEntry{"0,3,7", "Minor Triad"}));
  EXPECT_EQ(back.chords.ChordTable[4], (ChordEntry{"0,4,7,11", "Major 7th"}));
  EXPECT_EQ(back.chords.ChordTable[3], (ChordEntry{"0,3,7", "Minor"}));
}

TEST(SettingsFileLocation, ProgramFolderWhenWritableElseTheUsersConfigFolder) {
  EXPECT_EQ(SettingsFilePath("/opt/k", true, "/x", "/home/u"), "/opt/k/kirivane.ini");
  EXPECT_EQ(SettingsFilePath("/opt/k", false, "/x", "/home/u"), "/x/kirivane/kirivane.ini");
  EXPECT_EQ(SettingsFilePath("/opt/k", false, "", "/home/u"),
            "/home/u/.config/kirivane/kirivane.ini");
  EXPECT_EQ(SettingsFilePath("/opt/k", false, "rel", "/home/u"),
            "/home/u/.config/kirivane/kirivane.ini");
  const std::string dir = testing::MakeTempDir("settings");
  EXPECT_TRUE(FolderWritable(dir));
  EXPECT_FALSE(FolderWritable(dir + "/missing"));
  EXPECT_TRUE(std::filesystem::is_empty(dir));
  std::filesystem::remove_all(dir);
}

TEST(SettingsFileLocation, SaveCreatesTheFolderAndKeepsForeignLines) {
  const std::string dir = testing::MakeTempDir("settings");
  const std::string path = dir + "/cfg/kirivane/kirivane.ini";
  PlayerState s = Loaded("");
  s.layout.DisplayMode = 0;
  s.midi.MainVolume = 99;
  ASSERT_TRUE(SaveSettingsFile(path, s, {150, 300}));
  ASSERT_TRUE(WriteFileAtomically(path, "; mine\r\n" + *ReadFileBytes(path)));
  ASSERT_TRUE(SaveSettingsFile(path, s, {150, 300}));
  const std::string text = *ReadFileBytes(path);
  EXPECT_EQ(text.rfind("; mine\r\n[Window]\r\ndx=10\r\ndy=20\r\n", 0), 0u);
  PlayerState back = FreshState();
  back.layout.DisplayMode = 0;
  WindowPosition w = LoadSettings(back, ReadSettingsFile(path));
  EXPECT_EQ(back.midi.MainVolume, 99);
  EXPECT_EQ(w.Left, 150);
  EXPECT_EQ(w.Top, 300);
  std::filesystem::remove_all(dir);
}

TEST(SettingsFileLocation, AReadOnlyFileIsLeftAsItIsAndTheFailureTakesOneLine) {
  namespace fs = std::filesystem;
  const std::string dir = testing::MakeTempDir("settings");
  const std::string path = dir + "/kirivane.ini";
  ASSERT_TRUE(WriteFileAtomically(path, "[Option]\r\nMainVol=20\r\n"));
  fs::permissions(path, fs::perms::owner_read);
  PlayerState s = Loaded("");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveSettingsFile(path, s, {}));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "kirivane: the settings could not be saved to " + path + "\n");
  EXPECT_EQ(ReadFileBytes(path).value(), "[Option]\r\nMainVol=20\r\n");
  fs::permissions(path, fs::perms::owner_all);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kirivane
