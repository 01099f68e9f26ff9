#include "player/settings/options_model.h"

#include <algorithm>

#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kHookNoticeEntry = 284;
constexpr int kTitleTipEntry = 196;
constexpr int kAuthorTipEntry = 197;
constexpr int kNoAuthorTipEntry = 225;
constexpr int kNoTitleTipEntry = 226;
constexpr int kChannelTenEntry = 331;
constexpr int kDefaultsTitleEntry = 332;
constexpr int kDefaultsTextEntry = 333;
constexpr int kNoReadChannelTitleEntry = 334;
constexpr int kNoReadChannelTextEntry = 335;
constexpr int kFolderChangedEntry = 336;

int ChannelIndex(int channel) {
  return std::clamp(channel - 1, 0, 15);
}

std::string ToolTip(const AppState& app, int entry, int empty_entry, const std::string& value) {
  return value.empty() ? LangText(app, empty_entry)
                       : ReplacePlaceholder(LangText(app, entry), value);
}

void ApplyChordSlots(const OptionsFields& fields, ChordState& chords) {
  for (int i = 0; i < kUserChordSlots; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    chords.ChordTable[slot + 1] = {StoredChordSource(fields.TxtCSource[slot]),
                                   fields.TxtCTitle[slot]};
  }
}

void ApplyPerformanceTexts(const OptionsFields& fields, PlayerState& state,
                           OptionsEffects& effects) {
  state.performance.PerfTitle = fields.Text1;
  state.performance.PerfAuthor = fields.Text2;
  effects.SetPerformanceToolTips(
      ToolTip(state.app, kTitleTipEntry, kNoTitleTipEntry, fields.Text1),
      ToolTip(state.app, kAuthorTipEntry, kNoAuthorTipEntry, fields.Text2));
}

void ApplyChannels(const OptionsFields& fields, MidiState& midi) {
  midi.KeyChannel = ChannelOfIndex(fields.CmbMidiCh);
  midi.PlayChannel = ChannelOfIndex(fields.CmbPlayCh);
  // On the percussion set the notes stay on channel 10 until the set is left.
  if (midi.KeyOutChannel != 10) {
    midi.KeyOutChannel = midi.KeyChannel;
    midi.PlayOutChannel = midi.PlayChannel;
  }
}

void ApplyKeyboardDrawing(bool no_drawing, PlayerState& state, KeyboardView& keyboard) {
  state.input.DrawWhileHooked = no_drawing ? 0 : -1;
  if (no_drawing && state.input.HookActive == -1) {
    keyboard.ShowKeyboardMessage(LangText(state.app, kHookNoticeEntry).c_str());
  } else {
    keyboard.RedrawKeyboard();
  }
}

}  // namespace

OptionsFields LoadOptionsFields(const PlayerState& state) {
  OptionsFields fields;
  fields.Text1 = state.performance.PerfTitle;
  fields.Text2 = state.performance.PerfAuthor;
  fields.CmbMidiCh = ChannelIndex(state.midi.KeyChannel);
  fields.CmbPlayCh = ChannelIndex(state.midi.PlayChannel);
  fields.txtDefVol = std::to_string(state.midi.KeyVelocity);
  fields.txtMouseVel = std::to_string(state.display.MouseVel);
  fields.txtWheelBand = std::to_string(state.layout.WheelBand);
  fields.ChkEffect = state.layout.EffectOn != 1;
  for (int i = 0; i < kUserChordSlots; ++i) {
    const auto& entry = state.chords.ChordTable[static_cast<std::size_t>(i + 1)];
    fields.TxtCSource[static_cast<std::size_t>(i)] = entry.intervals;
    fields.TxtCTitle[static_cast<std::size_t>(i)] = entry.name;
  }
  fields.ChkNoKBPaint = state.input.DrawWhileHooked != -1;
  fields.ChkNoKBPaintVisible = fields.ChkNoKBPaint;  // revealed (with the error sound)
  fields.chkMidiRC = ChannelBoxesOf(state.smf.MidiReadChannels);
  fields.txtMEndTime = std::to_string(state.smf.MidiEndTime);
  fields.TxtIconPath = state.layout.ScoreFolder;
  return fields;
}

bool RevealNoKbPaint(OptionsFields& fields) {
  if (fields.ChkNoKBPaintVisible) return false;
  fields.ChkNoKBPaintVisible = true;
  return true;
}

void RestoreBuiltInChordSlot(OptionsFields& fields, int slot) {
  if (slot < 0 || slot >= kUserChordSlots) return;
  const ChordEntry builtin = BuiltInChord(slot + 1);
  fields.TxtCSource[static_cast<std::size_t>(slot)] = builtin.intervals;
  fields.TxtCTitle[static_cast<std::size_t>(slot)] = builtin.name;
}

void UseProgramFolder(OptionsFields& fields, const std::string& program_folder) {
  fields.TxtIconPath = program_folder + "/";
}

OptionsMessage ChannelTenMessage(const AppState& app) {
  return {LangText(app, kChannelTenEntry), app.AppTitle};
}

OptionsMessage DefaultsQuestion(const AppState& app) {
  return {LangText(app, kDefaultsTextEntry), app.AppTitle + LangText(app, kDefaultsTitleEntry)};
}

void ApplyDefaults(OptionsFields& fields, DefaultsAnswer answer, const PlayerState& state) {
  if (answer == DefaultsAnswer::kCancel) return;
  if (answer == DefaultsAnswer::kYes) {
    for (int slot = 0; slot < kUserChordSlots; ++slot) RestoreBuiltInChordSlot(fields, slot);
  }
  fields.Text1 = state.performance.PerfTitle;
  fields.Text2 = state.performance.PerfAuthor;
  fields.CmbMidiCh = 0;
  fields.CmbPlayCh = 0;
  fields.txtDefVol = "121";
  fields.txtMouseVel = "50";
  fields.ChkEffect = false;
  fields.txtWheelBand = "8";
  fields.ChkNoKBPaint = false;
  fields.chkMidiRC.fill(true);
  fields.chkMidiRC[kPercussionChannelIndex] = false;
  fields.txtMEndTime = "200";
  fields.TxtIconPath = state.app.ProgramFolder + "/image/";
}

bool SettingsFileSaver::SaveSettings(PlayerState& state) {
  return SaveSettingsFile(path_, state, window_position_());
}

OptionsOkResult ApplyOptions(const OptionsFields& fields, PlayerState& state,
                             OptionsControllers& controllers) {
  const std::string read_channels = ChannelListOf(fields.chkMidiRC);
  if (read_channels.empty()) {
    controllers.effects.ShowInformation(
        {LangText(state.app, kNoReadChannelTextEntry),
         state.app.AppTitle + LangText(state.app, kNoReadChannelTitleEntry)});
    return {};
  }
  state.smf.MidiReadChannels = read_channels;
  ApplyChordSlots(fields, state.chords);
  ApplyPerformanceTexts(fields, state, controllers.effects);
  ApplyChannels(fields, state.midi);
  state.midi.KeyVelocity = NumberFieldValue(NumberField::kDefVol, fields.txtDefVol);
  state.display.MouseVel = NumberFieldValue(NumberField::kMouseVel, fields.txtMouseVel);
  state.layout.EffectOn = fields.ChkEffect ? 0 : 1;
  controllers.effects.SetMusicIconVisible(!fields.ChkEffect);
  state.layout.WheelBand = NumberFieldValue(NumberField::kWheelBand, fields.txtWheelBand);
  ApplyKeyboardDrawing(fields.ChkNoKBPaint, state, controllers.keyboard);
  if (state.chords.ChordIndex != 0) {
    const auto& entry = state.chords.ChordTable[static_cast<std::size_t>(state.chords.ChordIndex)];
    controllers.chords.SelectChord(entry.intervals, entry.name);
  }
  state.smf.MidiEndTime = NumberFieldValue(NumberField::kMEndTime, fields.txtMEndTime);
  if (fields.TxtIconPath != state.layout.ScoreFolder) {
    controllers.effects.ShowInformation(
        {LangText(state.app, kFolderChangedEntry), state.app.AppTitle});
  }
  state.layout.ScoreFolder = fields.TxtIconPath;
  OptionsOkResult result{true, false};
  if (controllers.settings != nullptr) {
    result.settings_saved = controllers.settings->SaveSettings(state);
  }
  return result;
}

std::vector<ControlCaption> OptionsCaptions() {
  std::vector<ControlCaption> list{
      {"frmOption", -1, 230},    {"Frame5", -1, 231},       {"Label2", -1, 232},
      {"Label3", -1, 233},       {"Frame3", -1, 234},       {"LblCS", -1, 235},
      {"Label1", -1, 236},       {"LblOptComment", 2, 246}, {"Frame1", -1, 247},
      {"LblOption", 0, 248},     {"LblOptComment", 3, 249}, {"LblOption", 1, 250},
      {"LblOptComment", 4, 251}, {"LblOptComment", 0, 252}, {"Frame2", -1, 253},
      {"LblOption", 2, 254},     {"LblOptComment", 5, 255}, {"LblOptComment", 1, 256},
      {"LblOption", 3, 257},     {"LblOptComment", 8, 258}, {"LblOptComment", 6, 259},
      {"Frame4", -1, 260},       {"LblOption", 4, 261},     {"LblOptComment", 7, 262},
      {"LblOptCom", -1, 263},    {"ChkEffect", -1, 264},    {"ChkNoKBPaint", -1, 265},
      {"Frame6", -1, 266},       {"LblOption", 6, 267},     {"LblOptComment", 10, 268},
      {"Label5", -1, 269},       {"Frame7", -1, 270},       {"LblOption", 5, 271},
      {"LblOptComment", 9, 272}, {"Label4", -1, 273},       {"LblIconPath", -1, 274},
      {"CmdDef", -1, 275},       {"cmdOK", -1, 6},          {"cmdCancel", -1, 7},
  };
  for (int i = 0; i < kUserChordSlots; ++i) list.push_back({"LblChords", i, 237 + i});
  return list;
}

}  // namespace kirivane
