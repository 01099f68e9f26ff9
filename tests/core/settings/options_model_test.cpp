#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/fake_input.h"
#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_out.h"
#include "fakes/test_paths.h"
#include "player/settings/options_model.h"
#include "player/settings/settings_file.h"

namespace kirivane {
namespace {

TEST(OptionsRules, ChordSourcesAreStoredAsCleanLists) {
  EXPECT_EQ(StoredChordSource("0,,4,99,7"), "0,4,7");
  EXPECT_EQ(StoredChordSource("2.5,3.5,-63,-64,x"), "2,4,-63,0");
  EXPECT_EQ(StoredChordSource("70"), "0");
  EXPECT_EQ(StoredChordSource("-64"), "-64");
  EXPECT_EQ(StoredChordSource("7.5"), "7.5");
  EXPECT_EQ(StoredChordSource(""), "0");
  EXPECT_EQ(StoredChordSource(",,"), "");
}

TEST(OptionsRules, FieldsHoldTheirRangesWhileTypingAndAtOk) {
  EXPECT_EQ(HeldWhileEditing(NumberField::kDefVol, "300"), "127");
  EXPECT_EQ(HeldWhileEditing(NumberField::kDefVol, "30"), std::nullopt);
  EXPECT_EQ(HeldWhileEditing(NumberField::kDefVol, ""), "1");
  EXPECT_EQ(HeldWhileEditing(NumberField::kWheelBand, "40"), "32");
  EXPECT_EQ(HeldWhileEditing(NumberField::kMEndTime, "5001"), "5000");
  EXPECT_EQ(NumberFieldValue(NumberField::kWheelBand, "100"), 100);  // from the settings file
  EXPECT_EQ(NumberFieldValue(NumberField::kWheelBand, "200"), 8);
  EXPECT_EQ(NumberFieldValue(NumberField::kWheelBand, "7.9"), 7);
  EXPECT_EQ(NumberFieldValue(NumberField::kDefVol, "0"), 121);
  EXPECT_EQ(NumberFieldValue(NumberField::kDefVol, "126.5"), 126);
  EXPECT_EQ(NumberFieldValue(NumberField::kMouseVel, "99"), 63);
  EXPECT_EQ(NumberFieldValue(NumberField::kMEndTime, "9000"), 5000);

  EXPECT_EQ(NumberFieldKey('7'), KeyVerdict::kPass);
  EXPECT_EQ(NumberFieldKey(kKeyEnter), KeyVerdict::kSwallow);
  EXPECT_EQ(NumberFieldKey('-'), KeyVerdict::kSwallowWithBeep);
  EXPECT_EQ(ChordSourceKey('-'), KeyVerdict::kPass);
  EXPECT_EQ(ChordSourceKey('a'), KeyVerdict::kSwallow);
  const std::string kanji32 = [] {
    std::string s;
    for (int i = 0; i < 32; ++i) s += "\u97F3";  // 64 bytes in code page 932
    return s;
  }();
  EXPECT_EQ(TextLimitKey(kanji32.substr(0, 93), 'a', kTitleLimit), KeyVerdict::kPass);
  EXPECT_EQ(TextLimitKey(kanji32, 'a', kTitleLimit), KeyVerdict::kSwallowWithBeep);
  EXPECT_EQ(TextLimitKey(kanji32, kKeyBackspace, kTitleLimit), KeyVerdict::kPassWithBeep);
  EXPECT_EQ(ChordNameKey("Major Triad +9", 'x'), KeyVerdict::kSwallowWithBeep);
  EXPECT_EQ(ChordNameKey("Major Triad", 'x'), KeyVerdict::kPass);

  EXPECT_EQ(ChooseChannel(9).index, 10);  // channel 10 lands on 11
  EXPECT_TRUE(ChooseChannel(9).refused);
  EXPECT_FALSE(ChooseChannel(10).refused);
  EXPECT_EQ(ChannelOfIndex(9), 1);
  EXPECT_EQ(ChannelOfIndex(15), 16);
}

class FakeOptionsEffects : public OptionsEffects {
 public:
  void SetPerformanceToolTips(const std::string& title, const std::string& author) override {
    tips = {title, author};
  }
  void SetMusicIconVisible(bool visible) override { music_icon = visible; }
  void ShowInformation(const OptionsMessage& message) override { shown.push_back(message); }
  std::pair<std::string, std::string> tips;
  std::optional<bool> music_icon;
  std::vector<OptionsMessage> shown;
};

class FakeSaver : public SettingsSaver {
 public:
  bool SaveSettings(PlayerState& state) override {
    saved_end_times.push_back(state.smf.MidiEndTime);
    return true;
  }
  std::vector<int> saved_end_times;
};

class OptionsOkTest : public ::testing::Test {
 protected:
  OptionsOkTest() : midi_(state_, out_), chords_(state_, midi_, view_) {
    chords_.SetView(&label_);
    state_.app.AppTitle = "Kirivane";
    state_.app.ProgramFolder = "/opt/kirivane";
    state_.app.LangTable[196] = "Title: %1";
    state_.app.LangTable[197] = "Author: %1";
    state_.app.LangTable[225] = "No author";
    state_.app.LangTable[284] = "not drawn";
    state_.app.LangTable[334] = " - MIDI import";
    state_.app.LangTable[335] = "Tick a channel.";
    state_.app.LangTable[336] = "Next start.";
    state_.layout.ScoreFolder = "/opt/kirivane/image/";
  }

  PlayerState state_;
  testing::FakeMidiOut out_;
  testing::FakeKeyboardView view_;
  testing::FakeChordView label_;
  MidiMode midi_;
  ChordSelection chords_;
  FakeOptionsEffects effects_;
  FakeSaver saver_;
  OptionsControllers controllers_{view_, chords_, effects_, &saver_};
};

TEST_F(OptionsOkTest, NoReadChannelKeepsTheDialogOpenAndAppliesNothing) {
  OptionsFields fields = LoadOptionsFields(state_);
  fields.txtDefVol = "90";
  fields.Text1 = "New title";
  fields.TxtCSource[0] = "0,5";
  fields.chkMidiRC.fill(false);
  const PlayerState before = state_;
  const OptionsOkResult result = ApplyOptions(fields, state_, controllers_);
  EXPECT_FALSE(result.close);
  const std::vector<OptionsMessage> shown{{"Tick a channel.", "Kirivane - MIDI import"}};
  EXPECT_EQ(effects_.shown, shown);
  EXPECT_EQ(state_.midi.KeyVelocity, before.midi.KeyVelocity);
  EXPECT_EQ(state_.performance.PerfTitle, before.performance.PerfTitle);
  EXPECT_EQ(state_.chords.ChordTable, before.chords.ChordTable);
  EXPECT_EQ(state_.smf.MidiReadChannels, before.smf.MidiReadChannels);
  EXPECT_TRUE(saver_.saved_end_times.empty());
  EXPECT_FALSE(effects_.music_icon);
}

TEST_F(OptionsOkTest, OkAppliesEveryFieldThenSavesTheSettings) {
  state_.chords.ChordIndex = 2;
  state_.midi.KeyOutChannel = state_.midi.PlayOutChannel = 10;  // on the percussion set
  state_.input.HookActive = -1;
  OptionsFields fields = LoadOptionsFields(state_);
  EXPECT_FALSE(fields.ChkNoKBPaintVisible);
  fields.chkMidiRC = ChannelBoxesOf("2,16");
  fields.TxtCSource[1] = "0,,4,99,7";
  fields.TxtCTitle[1] = "Clean";
  fields.Text1 = "Song";
  fields.CmbMidiCh = 2;
  fields.CmbPlayCh = 9;
  fields.txtDefVol = "300";
  fields.txtMouseVel = "12";
  fields.ChkEffect = true;
  fields.txtWheelBand = "100";
  fields.ChkNoKBPaint = true;
  fields.txtMEndTime = "12.5";
  fields.TxtIconPath = "/home/me/scores/";

  const OptionsOkResult result = ApplyOptions(fields, state_, controllers_);
  EXPECT_TRUE(result.close);
  EXPECT_TRUE(result.settings_saved);
  EXPECT_EQ(state_.smf.MidiReadChannels, "2,16");
  EXPECT_EQ(state_.chords.ChordTable[2], (ChordEntry{"0,4,7", "Clean"}));
  EXPECT_EQ(state_.chords.CurrentChord, (std::vector<int>{0, 4, 7})) << "reselected";
  EXPECT_EQ(label_.text, "Clean");
  EXPECT_EQ(effects_.tips, std::make_pair(std::string("Title: Song"), std::string("No author")));
  EXPECT_EQ(state_.midi.KeyChannel, 3);
  EXPECT_EQ(state_.midi.PlayChannel, 1);
  EXPECT_EQ(state_.midi.KeyOutChannel, 10) << "the percussion set keeps channel 10";
  EXPECT_EQ(state_.midi.KeyVelocity, 121);
  EXPECT_EQ(state_.display.MouseVel, 12);
  EXPECT_EQ(state_.layout.EffectOn, 0);
  EXPECT_EQ(effects_.music_icon, false);
  EXPECT_EQ(state_.layout.WheelBand, 100);
  EXPECT_EQ(state_.input.DrawWhileHooked, 0);
  EXPECT_EQ(view_.messages.back(), "not drawn");
  EXPECT_EQ(state_.smf.MidiEndTime, 12);
  const std::vector<OptionsMessage> shown{{"Next start.", "Kirivane"}};
  EXPECT_EQ(effects_.shown, shown);
  EXPECT_EQ(state_.layout.ScoreFolder, "/home/me/scores/");
  EXPECT_EQ(saver_.saved_end_times, std::vector<int>{12}) << "saved once, after applying";
}

TEST_F(OptionsOkTest, DefaultsResetTheFieldsAndOnlyYesTheChords) {
  state_.input.DrawWhileHooked = 0;
  state_.chords.ChordTable[1] = {"0,7", "Fifth"};
  state_.performance.PerfTitle = "Kept";
  OptionsFields fields = LoadOptionsFields(state_);
  EXPECT_TRUE(fields.ChkNoKBPaint);
  EXPECT_TRUE(fields.ChkNoKBPaintVisible);
  EXPECT_FALSE(RevealNoKbPaint(fields));
  fields.Text1 = "Edited";
  fields.txtDefVol = "5";

  OptionsFields cancelled = fields;
  ApplyDefaults(cancelled, DefaultsAnswer::kCancel, state_);
  EXPECT_EQ(cancelled, fields);

  ApplyDefaults(fields, DefaultsAnswer::kNo, state_);
  EXPECT_EQ(fields.Text1, "Kept");
  EXPECT_EQ(fields.txtDefVol, "121");
  EXPECT_FALSE(fields.ChkNoKBPaint);
  EXPECT_EQ(ChannelListOf(fields.chkMidiRC), "1,2,3,4,5,6,7,8,9,11,12,13,14,15,16");
  EXPECT_EQ(fields.TxtIconPath, "/opt/kirivane/image/");
  EXPECT_EQ(fields.TxtCSource[0], "0,7") << "No keeps the chords";
  ApplyDefaults(fields, DefaultsAnswer::kYes, state_);
  EXPECT_EQ(fields.TxtCSource[0], "0,4,7");
  EXPECT_EQ(fields.TxtCTitle[8], "Power ");
}

TEST_F(OptionsOkTest, WhatOkAppliesComesBackFromTheSettingsFile) {
  const std::string dir = testing::MakeTempDir("kirivane-options");
  const std::string path = dir + "/kirivane.ini";
  SettingsFileSaver file_saver(path, [] { return WindowPosition{150, 300}; });
  controllers_.settings = &file_saver;
  OptionsFields fields = LoadOptionsFields(state_);
  fields.CmbMidiCh = 4;
  fields.CmbPlayCh = 6;
  fields.txtDefVol = "77";
  fields.txtMouseVel = "0";
  fields.ChkEffect = true;
  fields.txtWheelBand = "31";
  fields.chkMidiRC = ChannelBoxesOf("3,4");
  fields.txtMEndTime = "4000";
  fields.TxtIconPath = dir + "/";
  fields.TxtCSource[8] = "-5,0,4";
  fields.TxtCTitle[8] = "C/G";
  ASSERT_TRUE(ApplyOptions(fields, state_, controllers_).settings_saved);

  PlayerState reloaded;
  reloaded.app.ProgramFolder = state_.app.ProgramFolder;
  LoadSettings(reloaded, ReadSettingsFile(path));
  OptionsFields expected = fields;
  expected.Text1 = expected.Text2 = "";  // the title and author belong to the performance
  OptionsFields back = LoadOptionsFields(reloaded);
  back.Text1 = back.Text2 = "";
  back.ChkNoKBPaint = expected.ChkNoKBPaint;  // not a setting of the file
  back.ChkNoKBPaintVisible = expected.ChkNoKBPaintVisible;
  EXPECT_EQ(back, expected);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kirivane
