#include "player/performance/lyr_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "common/basic/code_page.h"
#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "player/midi/midi_hooks.h"
#include "player/performance/number_fields.h"
#include "player/state/lang_ids.h"

namespace kirivane {

namespace {

constexpr int kErrOverflow = 6;
constexpr int kErrSubscript = 9;
constexpr int kErrTypeMismatch = 13;
constexpr int kErrInvalidValue = 380;

PerformanceMessage TypeMismatch(const std::string& detail) {
  return ReadErrorMessage(kErrTypeMismatch, "Type mismatch", detail);
}
PerformanceMessage Overflow(const std::string& detail) {
  return ReadErrorMessage(kErrOverflow, "Overflow", detail);
}

// A field of the event text as an integer: the common digits-only case directly, anything else
// through the general number rules.
template <typename Int>
std::optional<Int> IntegerField(std::string_view field) {
  std::size_t i = 0;
  bool negative = false;
  if (!field.empty() && (field[0] == '-' || field[0] == '+')) negative = field[0] == '-', i = 1;
  if (field.size() > i && field.size() - i <= 9 &&
      std::all_of(field.begin() + static_cast<std::ptrdiff_t>(i), field.end(),
                  [](char c) { return c >= '0' && c <= '9'; })) {
    std::int64_t value = 0;
    for (; i < field.size(); ++i) value = value * 10 + (field[i] - '0');
    if (negative) value = -value;
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
      return std::nullopt;
    }
    return static_cast<Int>(value);
  }
  const auto number = WholeNumber(field);
  if (!number) return std::nullopt;
  if constexpr (sizeof(Int) == 2) {
    return RoundToInt16(*number);
  } else {
    return RoundToInt32(*number);
  }
}

// Why a field failed: not a number at all, or a number out of range.
PerformanceMessage FieldError(std::string_view field, std::size_t event, const char* what) {
  const std::string detail = "event " + std::to_string(event + 1) + ": " + what + " \"" +
                             std::string(field.substr(0, 40)) + "\"";
  return WholeNumber(field) ? Overflow(detail + " is out of range")
                            : TypeMismatch(detail + " is not a number");
}

// Splits one event at ":" into at most four fields; returns how many the item has.
std::size_t SplitFields(std::string_view item, std::array<std::string_view, 4>* fields) {
  std::size_t count = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t colon = item.find(':', start);
    const std::string_view piece = item.substr(
        start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
    if (count < fields->size()) (*fields)[count] = piece;
    ++count;
    if (colon == std::string_view::npos) return count;
    start = colon + 1;
  }
}

}  // namespace

PerformanceMessage ReadErrorMessage(int number, const std::string& description,
                                    const std::string& detail) {
  PerformanceMessage message;
  message.text_entry = kLangReadError;
  message.title_entry = kLangFileErrorTitle;
  message.insert = std::to_string(number) + " (" + description + ")";
  message.detail = detail;
  return message;
}

ParsedEvents ParsePerformanceData(std::string_view text, int version, int play_velocity,
                                  int clock_time) {
  ParsedEvents result;
  const auto count = static_cast<std::size_t>(std::count(text.begin(), text.end(), ','));
  // Without a "," the text holds no complete event: the performance in memory stays.
  if (count == 0) return result;
  EventTable table;
  table.Recreate(count + 1);
  const std::size_t needed = version == 2 ? 4 : 3;
  std::size_t start = 0;
  std::array<std::string_view, 4> fields;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t comma = text.find(',', start);
    const std::string_view item = text.substr(start, comma - start);
    start = comma + 1;
    if (SplitFields(item, &fields) < needed) {
      result.error = ReadErrorMessage(kErrSubscript, "Subscript out of range",
                                      "event " + std::to_string(i + 1) + " has too few fields");
      return result;
    }
    const auto delta = IntegerField<std::int32_t>(fields[0]);
    if (!delta) return {std::nullopt, FieldError(fields[0], i, "time")};
    const auto data = IntegerField<std::int32_t>(fields[1]);
    if (!data) return {std::nullopt, FieldError(fields[1], i, "note")};
    const auto kind = IntegerField<std::int16_t>(fields[2]);
    if (!kind) return {std::nullopt, FieldError(fields[2], i, "kind")};
    int velocity = 0;
    if (*kind != kEventNoteOff && *kind != kEventEndMark) {
      if (version == 2) {
        const auto read = IntegerField<std::int16_t>(fields[3]);
        if (!read) return {std::nullopt, FieldError(fields[3], i, "velocity")};
        velocity = *read;
      } else {
        velocity = play_velocity;
      }
    }
    const std::int32_t note = *kind == kEventEndMark ? 60 : *data;
    table.Set(i, *delta, note, *kind, velocity);
  }
  table.EventCount = static_cast<std::int32_t>(count);
  table.RecomputeTimes(clock_time);
  result.events = std::move(table);
  return result;
}

namespace {

struct HeaderReader {
  LoadedPerformance& out;
  bool data_started = false;

  // Applies one "#key=value" line; returns an error for a value the file may not hold.
  std::optional<PerformanceMessage> Apply(const std::string& key, std::string_view value) {
    if (key == "#CLOCKTIME=") {
      const auto number = WholeNumber(value);
      if (!number) return TypeMismatch("#ClockTime= is not a number");
      const double whole = std::floor(*number);
      out.ClockTime = whole < 1 ? 1 : whole > 50 ? 100 : static_cast<int>(whole);
    } else if (key == "#TEMP=") {
      const auto tempo = RoundToInt16(LeadingNumber(value));
      if (!tempo) return Overflow("#Temp= is out of range");
      out.Tempo = *tempo;
    } else if (key == "#TITLE=") {
      out.PerfTitle = std::string(value);
    } else if (key == "#COPY=") {
      out.PerfAuthor = std::string(value);
    } else if (key == "#LIST=") {
      const auto index = RoundToInt16(LeadingNumber(value) - 1);
      if (!index || *index < -1 || *index > 127) {
        return ReadErrorMessage(kErrInvalidValue, "Invalid property value",
                                "#List= names no instrument");
      }
      out.ListIndex = *index;
    } else if (key == "#BKS=") {
      const auto bank = RoundToInt16(LeadingNumber(value));
      const bool known =
          bank && ((*bank >= 0 && *bank <= 8) || *bank == 16 || *bank == 24 || *bank == 32);
      out.Bank = known ? *bank : 0;
    } else if (key == "#MODDEP=") {
      const auto depth = RoundToInt16(LeadingNumber(value));
      if (!depth) return Overflow("#MODDEP= is out of range");
      out.Modulation = std::clamp<int>(*depth, 0, 127);  // a controller value is 7 bits
    } else if (key == "#MIDITOLYR=") {
      const auto flag = RoundToInt16(LeadingNumber(value));
      if (!flag) return Overflow("#MidiToLyr= is out of range");
      out.MidiToLyr = *flag;
    } else if (key == "#DATA=") {
      out.PerformanceData = std::string(value);
      data_started = true;
    }
    return std::nullopt;
  }
};

}  // namespace

LyrReadResult ReadPerformanceText(std::string_view bytes, int version_in_effect,
                                  int play_velocity) {
  LyrReadResult result;
  LoadedPerformance& out = result.performance;
  out.FileFormatVer = version_in_effect;
  HeaderReader header{out};
  for (const std::string& line : SplitLines(WithoutUtf8Mark(bytes))) {
    if (line.empty() || line[0] != '#') {
      const bool is_data =
          line.find(':') != std::string::npos && line.find(',') != std::string::npos;
      if (header.data_started && is_data) out.PerformanceData += line;
      continue;
    }
    const std::size_t equals = line.find('=');
    const std::string key = ToUpperAscii(
        std::string_view(line).substr(0, equals == std::string::npos ? line.size() : equals + 1));
    const std::string_view value = equals == std::string::npos
                                       ? std::string_view()
                                       : std::string_view(line).substr(equals + 1);
    if (key == "#FILEFORMATVER=") {
      const auto number = WholeNumber(value);
      const auto version = number ? RoundToInt16(*number) : std::nullopt;
      if (!version) {
        result.error = number ? Overflow("#FileFormatVer= is out of range")
                              : TypeMismatch("#FileFormatVer= is not a number");
        return result;
      }
      out.FileFormatVer = *version;
    }
    if (out.FileFormatVer != 1 && out.FileFormatVer != 2) {
      PerformanceMessage message;
      message.text_entry = kLangUnsupportedVersion;
      message.title_entry = kLangFileErrorTitle;
      message.detail = "unsupported file format version " + std::to_string(out.FileFormatVer);
      result.error = message;
      return result;
    }
    if (auto error = header.Apply(key, value)) {
      result.error = std::move(error);
      return result;
    }
  }
  auto parsed =
      ParsePerformanceData(out.PerformanceData, out.FileFormatVer, play_velocity, out.ClockTime);
  result.error = std::move(parsed.error);
  out.events = std::move(parsed.events);
  return result;
}

}  // namespace kirivane
