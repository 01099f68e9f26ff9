#include "programs/kirivane-convert/converter_settings.h"

#include <optional>

#include "common/basic/code_page.h"
#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"

namespace kirivane {

namespace {

// Key values of one section: names compared without regard to case, the first one wins.
std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
  bool in_section = false;
  for (const std::string& raw : SplitLines(WithoutUtf8Mark(text))) {
    const std::string line = TrimBlanks(raw);
    if (!line.empty() && line.front() == '[') {
      const std::size_t close = line.find(']');
      in_section = close != std::string::npos &&
                   ToUpperAscii(TrimBlanks(line.substr(1, close - 1))) == ToUpperAscii(section);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!in_section || equals == std::string::npos) continue;
    if (ToUpperAscii(TrimBlanks(line.substr(0, equals))) == ToUpperAscii(key)) {
      return TrimBlanks(line.substr(equals + 1));
    }
  }
  return std::nullopt;
}

// The integer rule of profile files: the leading decimal integer, 0 when there is none.
int ReadInt(std::string_view text, std::string_view key, int default_value) {
  const auto value = FindValue(text, "Option", key);
  if (!value || value->empty()) return default_value;
  std::size_t i = 0;
  const bool negative = (*value)[0] == '-';
  if (negative || (*value)[0] == '+') i = 1;
  long long number = 0;
  for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
    number = number * 10 + ((*value)[i] - '0');
    if (number > 1000000000) break;  // far beyond every range below
  }
  return static_cast<int>(negative ? -number : number);
}

int Channel(std::string_view text, std::string_view key) {
  const int channel = ReadInt(text, key, 1);
  return channel >= 1 && channel <= 16 && channel != 10 ? channel : 1;
}

int InRange(int value, int low, int high, int fallback) {
  return value >= low && value <= high ? value : fallback;
}

}  // namespace

void ApplyConverterSettings(std::string_view text, PlayerState& state) {
  state.midi.KeyChannel = state.midi.KeyOutChannel = Channel(text, "MidiCh");
  state.midi.PlayChannel = state.midi.PlayOutChannel = Channel(text, "PlayCh");
  state.midi.PlayVelocity = InRange(ReadInt(text, "PlayVol", 108), 1, 127, 108);
  state.midi.MainVolume = InRange(ReadInt(text, "MainVol", 64), 1, 127, 64);
  const auto channels = FindValue(text, "Option", "MidiReadCh");
  if (channels && !channels->empty()) state.smf.MidiReadChannels = *channels;
  const auto end_time = FindValue(text, "Option", "MidiEndTime");
  if (end_time && !end_time->empty()) {
    const double ms = LeadingNumber(*end_time);
    state.smf.MidiEndTime = ms <= 0 ? 0 : ms >= 5000 ? 5000 : static_cast<int>(RoundHalfEven(ms));
  } else {
    state.smf.MidiEndTime = 200;
  }
  const int read_ex = ReadInt(text, "MidiReadEx", 0);
  state.smf.MidiReadEx = read_ex == 0 || read_ex == 1 ? read_ex : 1;
  state.performance.ClockSetting = InRange(ReadInt(text, "Clock", 1), 1, 25, 1);
  state.performance.ClockTime = state.performance.ClockSetting;
}

}  // namespace kirivane
