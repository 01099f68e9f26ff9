#include "player/performance/performance_file.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "common/basic/code_page.h"
#include "common/basic/text_file.h"
#include "player/performance/lyr_reader.h"
#include "player/state/lang_ids.h"

namespace kirivane {

namespace {

char* AppendNumber(std::int32_t value, char separator, char* at) {
  at = std::to_chars(at, at + 11, value).ptr;
  *at = separator;
  return at + 1;
}

// The text of events [begin, end).
void AppendEventText(const EventTable& events, std::size_t begin, std::size_t end,
                     std::string* out) {
  out->reserve(out->size() + (end - begin) * 12);
  for (std::size_t k = begin; k < end; ++k) {
    char text[48];  // four numbers of at most 11 characters and their separators
    char* at = AppendNumber(events.EvDelta[k], ':', text);
    at = AppendNumber(events.EvData[k], ':', at);
    at = AppendNumber(events.EvKind[k], ':', at);
    at = AppendNumber(events.EvVelocity[k], ',', at);
    out->append(text, static_cast<std::size_t>(at - text));
  }
}

std::size_t CountOf(const EventTable& events) {
  return std::min(static_cast<std::size_t>(std::max(0, events.EventCount)), events.Size());
}

void AppendEventText(const EventTable& events, std::string* out) {
  AppendEventText(events, 0, CountOf(events), out);
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

// The header lines in their order, up to "#Data=".
std::string HeaderText(const PlayerState& state, int bank) {
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
  return out;
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
  message.title_entry = kLangFileErrorTitle;
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
  std::string out = HeaderText(state, bank);
  AppendEventText(state.events, &out);
  out += "\r\n";
  return out;
}

std::optional<PerformanceMessage> WritePerformanceFile(const PlayerState& state,
                                                       const std::string& path, int bank) {
  AtomicFileWriter file(path);
  std::string text = HeaderText(state, bank);
  // The event text goes out in pieces, so a long performance's is never held whole.
  constexpr std::size_t kPiece = 4096;
  const std::size_t count = CountOf(state.events);
  for (std::size_t begin = 0; begin < count; begin += kPiece) {
    AppendEventText(state.events, begin, std::min(count, begin + kPiece), &text);
    file.Write(text.data(), text.size());
    text.clear();
  }
  text += "\r\n";
  file.Write(text.data(), text.size());
  if (!file.Good() || !file.Commit()) return FileAccessMessage(path, true);
  return std::nullopt;
}

std::optional<PerformanceMessage> SavePerformanceFile(PlayerState& state, const std::string& path,
                                                      int bank) {
  state.events.RecomputeTimes(state.performance.ClockTime);
  state.performance.PerformanceData = EventText(state.events);
  return WritePerformanceFile(state, path, bank);
}

}  // namespace kirivane
