// kirivane-convert: converts performances between ".lyr" files and Standard MIDI Files, and
// renders either to a WAVE file through the built-in synthesizer. Headless: no window, no
// audio device.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "player/performance/performance_file.h"
#include "player/performance/performance_file_type.h"
#include "player/smf/midi_reader.h"
#include "player/smf/midi_writer.h"
#include "player/state/player_state.h"
#include "programs/kirivane-convert/converter_settings.h"
#include "programs/kirivane-convert/wave_render.h"

namespace kirivane {
namespace {

constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: kirivane-convert [--settings FILE] [--strict] IN OUT\n"
    "       kirivane-convert --help | --version\n"
    "Converts a performance between .lyr and MIDI, or renders it to a WAVE file.\n"
    "  IN  a performance (.lyr) or a Standard MIDI File (.mid, .midi)\n"
    "  OUT .lyr, .mid/.midi, or .wav (44100 Hz 16-bit stereo, built-in synthesizer)\n"
    "  --strict  refuse MIDI files of format 1 as the player does, instead of merging\n"
    "            their tracks\n"
    "  --settings FILE  take the MIDI channels, volumes, clock and import options from a\n"
    "            kirivane.ini instead of the defaults\n"
    "  --help    show this text; --version  show the program's version\n"
    "Exit status: 0 done, 1 a file could not be read or written (the previous OUT is\n"
    "kept), 2 wrong arguments.\n";

struct Arguments {
  std::string settings;
  bool strict = false;
  std::string in;
  std::string out;
};

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args) {
  Arguments parsed;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--settings" && i + 1 < args.size()) {
      parsed.settings = args[++i];
    } else if (args[i] == "--strict") {
      parsed.strict = true;
    } else if (args[i].rfind("--", 0) == 0 && args[i] != "--") {
      return std::nullopt;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) return std::nullopt;
  parsed.in = files[0];
  parsed.out = files[1];
  return parsed;
}

std::string OutputFolder(const std::string& out) {
  const std::string folder = std::filesystem::path(out).parent_path().string();
  return folder.empty() ? "." : folder;
}

int Fail(const std::string& path, const std::string& why) {
  std::fprintf(stderr, "kirivane-convert: %s: %s\n", path.c_str(), why.c_str());
  return kExitBadInput;
}

std::string Why(const PerformanceMessage& message) {
  return message.detail.empty() ? "error " + message.insert : message.detail;
}

// Reads IN into the state; the bank-select value of the performance goes to *bank.
std::optional<std::string> Load(PlayerState& state, const std::string& path, int* bank) {
  switch (PerformanceFileTypeOf(path)) {
    case PerformanceFileType::kLyr: {
      const PerformanceLoad load = LoadPerformanceFile(state, path);
      if (load.error) return Why(*load.error);
      if (!load.replaced) return "the file holds no performance data";
      *bank = load.bank.value_or(0);
      break;
    }
    case PerformanceFileType::kMidi: {
      const MidiFileRead read = ReadMidiFile(state, path);
      if (read.error) return Why(*read.error);
      *bank = 0;
      break;
    }
    case PerformanceFileType::kOther:
      return "unknown input type (expected .lyr, .mid or .midi)";
  }
  if (state.events.EventCount <= 1) return "the performance is empty";
  return std::nullopt;
}

std::optional<std::string> Save(PlayerState& state, const std::string& path, int bank) {
  if (EndsWithNoCase(path, ".wav")) return RenderWaveFile(state, bank, path);
  std::optional<PerformanceMessage> error;
  switch (PerformanceFileTypeOf(path)) {
    case PerformanceFileType::kLyr:
      error = WritePerformanceFile(state, path, bank);
      break;
    case PerformanceFileType::kMidi:
      error = WriteMidiFile(state, path, bank);
      break;
    case PerformanceFileType::kOther:
      return "unknown output type (expected .lyr, .mid, .midi or .wav)";
  }
  if (error) return Why(*error);
  return std::nullopt;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0] == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::printf("kirivane-convert %s\n", KIRIVANE_VERSION);
    return 0;
  }
  const auto parsed = ParseArguments(args);
  if (!parsed) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  // A conversion killed before it finished left its temporary file beside the output.
  RemoveStaleTemporaryFiles(OutputFolder(parsed->out));
  PlayerState state;
  std::string settings_text;
  if (!parsed->settings.empty()) {
    const auto bytes = ReadFileBytes(parsed->settings);
    if (!bytes) return Fail(parsed->settings, "cannot read the settings file");
    settings_text = *bytes;
  }
  ApplyConverterSettings(settings_text, state);
  state.smf.MidiMergeTracks = parsed->strict ? 0 : 1;
  int bank = 0;
  if (const auto error = Load(state, parsed->in, &bank)) return Fail(parsed->in, *error);
  if (const auto error = Save(state, parsed->out, bank)) return Fail(parsed->out, *error);
  return 0;
}

}  // namespace
}  // namespace kirivane

int main(int argc, char** argv) {
  return kirivane::Run(std::vector<std::string>(argv + 1, argv + argc));
}
