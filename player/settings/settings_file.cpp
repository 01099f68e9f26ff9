#include "player/settings/settings_file.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>

#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "player/settings/settings_chords.h"

namespace kirivane {

namespace {

constexpr const char* kWindow = "Window";
constexpr const char* kOption = "Option";

bool IsChannel(int value) {
  return value >= 1 && value <= 16 && value != 10;
}
bool InRange(int value, int low, int high) {
  return value >= low && value <= high;
}

// Reads an integer key into target when it fits; a value that does not fit leaves target.
void ReadInto(const IniFile& file, const char* key, int default_value, int& target) {
  if (auto value = file.ReadInt(kOption, key, default_value)) target = *value;
}

// Reads a key that must pass accept; anything else gives fallback.
template <typename Accept>
void ReadChecked(const IniFile& file, const char* key, int default_value, int fallback,
                 Accept accept, int& target) {
  ReadInto(file, key, default_value, target);
  if (!accept(target)) target = fallback;
}

// Reads a 0-or-1 key; any other value leaves target as it was.
void ReadFlag(const IniFile& file, const char* key, int default_value, int& target) {
  auto value = file.ReadInt(kOption, key, default_value);
  if (value && (*value == 0 || *value == 1)) target = *value;
}

// A position key in pixels, multiplied into twips; keeps target when it does not fit.
void ReadPosition(const IniFile& file, const char* key, int default_pixels, int twips,
                  int& target) {
  auto pixels = file.ReadInt(kWindow, key, default_pixels);
  if (!pixels) return;
  const double value = std::nearbyint(static_cast<double>(*pixels) * twips);
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return;
  target = static_cast<int>(value);
}

void ReadWindowPositions(LayoutState& layout, const IniFile& file) {
  const ScreenMetrics& s = layout.Screen;
  const DefaultWindowPositions& d = layout.DefaultPositions;
  ReadPosition(file, "dx", d.Mode0Left, s.TwipsX, layout.Mode0Left);
  ReadPosition(file, "dy", d.Mode0Top, s.TwipsY, layout.Mode0Top);
  ReadPosition(file, "mx", d.Mode12Left, s.TwipsX, layout.Mode12Left);
  ReadPosition(file, "my", d.Mode12Top, s.TwipsY, layout.Mode12Top);
  if (!layout.Os.MajorAbove4) {
    const long long width = 1LL * s.ScreenWidth * s.TwipsX;
    if (width - (472 + 2LL * s.FrameWidth) * s.TwipsX <= layout.Mode0Left) {
      layout.Mode0Left = static_cast<int>(width - (472 + 3LL * s.FrameWidth) * s.TwipsX);
    }
    const long long height = 1LL * s.ScreenHeight * s.TwipsY;
    const long long caption = s.CaptionHeight;
    if (height - (565 + caption + 2LL * s.FrameHeight) * s.TwipsY <= layout.Mode0Top) {
      layout.Mode0Top = static_cast<int>(height - (565 + caption + 3LL * s.FrameHeight) * s.TwipsY);
    }
  }
  if (layout.Mode0Left < 0) layout.Mode0Left = 0;
  if (layout.Mode0Top < 0) layout.Mode0Top = 0;
}

void ReadMidiEndTime(const IniFile& file, int& target) {
  const std::string text = file.ReadString(kOption, "MidiEndTime").value_or("");
  if (text.empty()) {
    target = 200;
    return;
  }
  const double value = LeadingNumber(text);
  if (!std::isfinite(value) || value <= 0) {
    target = 0;
  } else if (value >= 5000) {
    target = 5000;
  } else {
    target = static_cast<int>(RoundHalfEven(value));
  }
}

void ReadStrings(PlayerState& state, const IniFile& file) {
  state.performance.LastFilePath = file.ReadString(kOption, "FilePath").value_or("");
  const std::string keys = file.ReadString(kOption, "KeysFile").value_or("");
  if (!keys.empty() && state.input.KeyMapFile.empty()) state.input.KeyMapFile = keys;
  const std::string folder = state.app.ProgramFolder;
  const std::string image = file.ReadString(kOption, "ImagePath").value_or("");
  state.layout.ScoreFolder = (image.empty() || image == folder + "/") ? folder + "/image/" : image;
}

void ReadOptions(PlayerState& state, const IniFile& file) {
  MidiState& midi = state.midi;
  LayoutState& layout = state.layout;
  ReadPlaybackOptions(state, file);
  auto velocity = [](int v) { return InRange(v, 1, 127); };
  ReadChecked(file, "MidiVol", 121, 121, velocity, midi.KeyVelocity);
  state.performance.LoopOn = 0;
  ReadFlag(file, "Loop", 0, state.performance.LoopOn);
  layout.EffectOn = 1;
  layout.RoundedWindow = 1;
  ReadFlag(file, "Effect", 1, layout.EffectOn);
  layout.RoundedWindow = (layout.EffectOn != 0 && !layout.Os.MajorAbove5OrMinorSet) ? 1 : 0;
  ReadStrings(state, file);
  ReadInto(file, "Device", 0, midi.MidiDevice);
  if (midi.MidiDevice < 0) midi.MidiDevice = 0;
  ReadChecked(file, "WheelBand", 8, 8, velocity, layout.WheelBand);
  ReadChecked(
      file, "ccMode", 0, 0, [](int v) { return v == 0 || v == 1 || v == 99; }, layout.CcMode);
  if (midi.MainVolume < 32) layout.CcMode = 0;
  ReadChecked(
      file, "MouseVel", 50, 50, [](int v) { return InRange(v, 0, 63); }, state.display.MouseVel);
  ReadFlag(file, "ScoreMode", 1, layout.ScoreMode);
}

int TwipsToPixels(int twips, int factor) {
  return factor == 0 ? 0 : twips / factor;
}

}  // namespace

void ReadPlaybackOptions(PlayerState& state, const IniFile& file) {
  MidiState& midi = state.midi;
  ReadChecked(file, "MidiCh", 1, 1, IsChannel, midi.KeyChannel);
  ReadChecked(file, "PlayCh", 1, 1, IsChannel, midi.PlayChannel);
  auto velocity = [](int v) { return InRange(v, 1, 127); };
  ReadChecked(file, "PlayVol", 108, 108, velocity, midi.PlayVelocity);
  ReadChecked(file, "MainVol", 64, 64, velocity, midi.MainVolume);
  const std::string channels = file.ReadString(kOption, "MidiReadCh").value_or("");
  state.smf.MidiReadChannels = channels.empty() ? "1,2,3,4,5,6,7,8,9,11,12,13,14,15,16" : channels;
  ReadMidiEndTime(file, state.smf.MidiEndTime);
  ReadFlag(file, "MidiReadEx", 0, state.smf.MidiReadEx);
  // Only read: a user adds it by hand, and saving keeps the line as it is.
  ReadFlag(file, "MidiMergeTracks", 0, state.smf.MidiMergeTracks);
  ReadChecked(
      file, "Clock", 1, 1, [](int v) { return InRange(v, 1, 25); }, state.performance.ClockSetting);
  state.performance.ClockTime = state.performance.ClockSetting;
}

WindowPosition LoadSettings(PlayerState& state, const IniFile& file) {
  LayoutState& layout = state.layout;
  ReadWindowPositions(layout, file);
  WindowPosition window{layout.Mode0Left, layout.Mode0Top};
  if (layout.DisplayMode != 0) window = {layout.Mode12Left, layout.Mode12Top};
  ReadOptions(state, file);
  LoadChordSlots(state.chords.ChordTable, file);
  ReadFlag(file, "C3TO60", 0, state.display.C3To60);
  state.midi_in.MidiInPort = file.ReadString(kOption, "MidiInPort").value_or("");
  return window;
}

void SaveSettings(PlayerState& state, const WindowPosition& window, IniFile& file) {
  LayoutState& layout = state.layout;
  if (layout.DisplayMode != 0) {
    layout.Mode12Left = window.Left;
    layout.Mode12Top = window.Top;
  } else {
    layout.Mode0Left = window.Left;
    layout.Mode0Top = window.Top;
  }
  const ScreenMetrics& s = layout.Screen;
  file.WriteInt(kWindow, "dx", TwipsToPixels(layout.Mode0Left, s.TwipsX));
  file.WriteInt(kWindow, "dy", TwipsToPixels(layout.Mode0Top, s.TwipsY));
  file.WriteInt(kWindow, "mx", TwipsToPixels(layout.Mode12Left, s.TwipsX));
  file.WriteInt(kWindow, "my", TwipsToPixels(layout.Mode12Top, s.TwipsY));
  const MidiState& midi = state.midi;
  file.WriteInt(kOption, "Device", midi.MidiDevice);
  file.WriteInt(kOption, "MainVol", midi.MainVolume);
  file.WriteInt(kOption, "ccMode", layout.CcMode);
  file.WriteInt(kOption, "WheelBand", layout.WheelBand);
  file.WriteInt(kOption, "MidiCh", midi.KeyChannel);
  file.WriteInt(kOption, "MidiVol", midi.KeyVelocity);
  file.WriteInt(kOption, "PlayCh", midi.PlayChannel);
  file.WriteInt(kOption, "PlayVol", midi.PlayVelocity);
  file.WriteInt(kOption, "Loop", state.performance.LoopOn);
  file.WriteInt(kOption, "Effect", layout.EffectOn);
  file.WriteInt(kOption, "MouseVel", state.display.MouseVel);
  file.WriteString(kOption, "MidiReadCh", state.smf.MidiReadChannels);
  file.WriteInt(kOption, "MidiEndTime", state.smf.MidiEndTime);
  file.WriteInt(kOption, "C3TO60", state.display.C3To60);
  file.WriteString(kOption, "FilePath", state.performance.LastFilePath);
  if (state.input.KeyMapFromCommandLine == 0) {
    file.WriteString(kOption, "KeysFile", state.input.KeyMapFile);
  }
  file.WriteString(kOption, "ImagePath", layout.ScoreFolder);
  file.WriteInt(kOption, "ScoreMode", layout.ScoreMode);
  file.WriteString(kOption, "MidiInPort", state.midi_in.MidiInPort);
  SaveChordSlots(state.chords.ChordTable, file);
}

std::string SettingsFilePath(const std::string& program_folder, bool program_folder_writable,
                             const std::string& xdg_config_home, const std::string& home) {
  if (program_folder_writable) return program_folder + "/" + kSettingsFileName;
  std::string config = xdg_config_home;
  if (config.empty() || config.front() != '/') config = home + "/.config";
  return config + "/kirivane/" + kSettingsFileName;
}

bool FolderWritable(const std::string& folder) {
  namespace fs = std::filesystem;
  std::random_device random;
  const fs::path probe = fs::path(folder) / (".kirivane-probe" + std::to_string(random()));
  bool writable = false;
  {
    std::ofstream out(probe, std::ios::binary);
    writable = static_cast<bool>(out);
  }
  std::error_code ignored;
  fs::remove(probe, ignored);
  return writable;
}

IniFile ReadSettingsFile(const std::string& path) {
  auto bytes = ReadFileBytes(path);
  return bytes ? IniFile(*bytes) : IniFile();
}

bool SaveSettingsFile(const std::string& path, PlayerState& state, const WindowPosition& window) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  IniFile file = ReadSettingsFile(path);
  SaveSettings(state, window, file);
  if (WriteFileAtomically(path, file.Text())) return true;
  std::fprintf(stderr, "kirivane: the settings could not be saved to %s\n", path.c_str());
  return false;
}

}  // namespace kirivane
