#include "player/performance/performance_file.h"

#include <cstdio>
#include <filesystem>

#include "common/basic/code_page.h"
#include "common/basic/text_file.h"
#include "player/performance/lyr_reader.h"

namespace kirivane {

namespace {

void AppendEventText(const EventTable& events, std::string* out) {
  out->reserve(out->size() + static_cast<std::size_t>(events.EventCount) * 14);
  char buffer[64];
  for (std::int32_t i = 0; i < events.EventCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const int length =
        std::snprintf(buffer, sizeof buffer, "%d:%d:%d:%d,", events.EvDelta[k], events.EvData[k],
                      int{events.EvKind[k]}, int{events.EvVelocity[k]});
    out->append(buffer, static_cast<std::size_t>(length));
  }
}

// Title and author stay on their line whatever they hold.
std::string OneLine(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return out;
}

std::string EventText(const EventTable& events) {
  std::string text;
  AppendEventText(events, &text);
  return text;
}

}  // namespace

PerformanceMessage FileAccessMessage(const std::string& path, bool writing) {
  std::error_code error;
  if (!writing && !std::filesystem::exists(path, error)) {
    return ReadErrorMessage(53, "File not found", "cannot open " + path + ": no such file");
  }
  if (!writing) {
    return ReadErrorMessage(75, "Path/File access error", "cannot read " + path);
  }
  // The language files have no text for a failed write: the message is the detail itself.
  PerformanceMessage message;
  message.title_entry = kEntryFileErrorTitle;
  message.detail = "The file could not be written: " + path;
  return message;
}

PerformanceLoad LoadPerformanceBytes(PlayerState& state, std::string_view bytes) {
  PerformanceLoad load;
  auto& perf = state.performance;
  LyrReadResult read = ReadPerformanceText(bytes, perf.FileFormatVer, state.midi.PlayVelocity);
  if (read.error) {
    load.error = std::move(read.error);
    return load;
  }
  LoadedPerformance& file = read.performance;
  state.midi.Modulation = file.Modulation.value_or(0);
  if (file.ListIndex) state.midi.SelectedProgram = *file.ListIndex;
  load.bank = file.Bank;
  if (!file.events) return load;
  perf.FileFormatVer = file.FileFormatVer;
  perf.ClockTime = file.ClockTime;
  if (file.Tempo) perf.Tempo = *file.Tempo;
  if (file.PerfTitle) perf.PerfTitle = DecodeToUtf8(*file.PerfTitle);
  if (file.PerfAuthor) perf.PerfAuthor = DecodeToUtf8(*file.PerfAuthor);
  if (file.MidiToLyr) perf.MidiToLyr = *file.MidiToLyr;
  perf.PerformanceData = std::move(file.PerformanceData);
  state.events = std::move(*file.events);
  perf.PlayLength = state.events.EventCount;
  perf.PlayIndex = 0;
  load.replaced = true;
  return load;
}

PerformanceLoad LoadPerformanceFile(PlayerState& state, const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) {
    PerformanceLoad load;
    load.error = FileAccessMessage(path, false);
    return load;
  }
  return LoadPerformanceBytes(state, *bytes);
}

std::string FormatPerformanceFile(const PlayerState& state, int bank) {
  const auto& perf = state.performance;
  std::string out;
  if (perf.FileFormatVer == 1 || perf.FileFormatVer == 2) {
    out += "#FileFormatVer=" + std::to_string(perf.FileFormatVer) + "\r\n";
  }
  out += "#ClockTime=" + std::to_string(perf.ClockTime) + "\r\n";
  out += "#Temp=" + std::to_string(perf.Tempo) + "\r\n";
  out += "#Title=" + OneLine(perf.PerfTitle) + "\r\n";
  out += "#Copy=" + OneLine(perf.PerfAuthor) + "\r\n";
  const int list = state.midi.SelectedProgram >= 0 ? state.midi.SelectedProgram + 1 : 1;
  out += "#List=" + std::to_string(list) + "\r\n";
  out += "#BKS=" + std::to_string(bank) + "\r\n";
  out += "#MODDEP=" + std::to_string(state.midi.Modulation) + "\r\n";
  out += "#MidiToLyr=" + std::to_string(perf.MidiToLyr) + "\r\n";
  out += "#Data=";
  AppendEventText(state.events, &out);
  out += "\r\n";
  return out;
}

std::optional<PerformanceMessage> SavePerformanceFile(PlayerState& state, const std::string& path,
                                                      int bank) {
  state.events.RecomputeTimes(state.performance.ClockTime);
  state.performance.PerformanceData = EventText(state.events);
  if (!WriteFileAtomically(path, FormatPerformanceFile(state, bank))) {
    return FileAccessMessage(path, true);
  }
  return std::nullopt;
}

}  // namespace kirivane
