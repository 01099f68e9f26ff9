#include "player/smf/midi_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "player/midi/midi_hooks.h"
#include "player/performance/performance_file.h"

namespace kirivane {

namespace {

constexpr std::uint32_t kMaxVarLen = 0x0FFFFFFF;

std::uint8_t DataByte(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

void AppendTextMeta(std::uint8_t type, std::string_view text, std::vector<std::uint8_t>* out) {
  out->insert(out->end(), {0x00, 0xFF, type});
  if (text.empty()) {
    out->insert(out->end(), {0x01, 0x00});  // an empty text is one zero byte
    return;
  }
  WriteVarLen(static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), kMaxVarLen)), out);
  out->insert(out->end(), text.begin(), text.end());
}

void AppendBigEndian(std::uint32_t value, int bytes, std::vector<std::uint8_t>* out) {
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
    out->push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
  }
}

// The events before the performance: tempo, key and time signature, port, bank and program.
void AppendSetup(const PlayerState& state, int bank, int tempo, std::uint8_t ch,
                 std::vector<std::uint8_t>* out) {
  out->insert(out->end(), {0x00, 0xFF, 0x51, 0x03});
  AppendBigEndian(TempoMicroseconds(tempo), 3, out);
  out->insert(out->end(), {0x00, 0xFF, 0x59, 0x02, 0x00, 0x00});
  out->insert(out->end(), {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});
  out->insert(out->end(), {0x00, 0xFF, 0x21, 0x01, 0x00});
  if (bank != 0) {
    out->insert(out->end(),
                {0x00, 0xF0, 0x0A, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7});
  }
  const auto control = static_cast<std::uint8_t>(0xB0 + ch);
  out->insert(out->end(), {0x00, control, 0x00, DataByte(bank)});
  out->insert(out->end(), {0x00, control, 0x20, 0x00});
  const int program = std::max(0, state.midi.SelectedProgram);
  out->insert(out->end(), {0x00, static_cast<std::uint8_t>(0xC0 + ch), DataByte(program)});
  if (state.midi.Modulation > 0) {
    out->insert(out->end(), {0x00, control, 0x01, DataByte(state.midi.Modulation)});
  }
}

struct TrackWriter {
  std::vector<std::uint8_t>& out;
  std::uint8_t ch;
  int tempo;
  std::array<bool, 128> sounding{};

  void Event(std::uint32_t ticks, std::uint8_t status, std::uint8_t a, std::uint8_t b) {
    WriteVarLen(ticks, &out);
    out.insert(out.end(), {status, a, b});
  }

  // The end of the performance: the export tail as a silent event, then every note still
  // sounding closed, then End of Track.
  void End(std::int64_t end_mark_ms, int end_time_ms) {
    if (end_time_ms > 0) Event(MillisecondsToTicks(end_time_ms, tempo), 0x80, 0x00, 0x00);
    std::uint32_t d = MillisecondsToTicks(end_mark_ms, tempo);
    for (int note = 0; note < 128; ++note) {
      if (!sounding[static_cast<std::size_t>(note)]) continue;
      Event(0, static_cast<std::uint8_t>(0x90 + ch), static_cast<std::uint8_t>(note), 0x00);
      sounding[static_cast<std::size_t>(note)] = false;
      d = 0;
    }
    WriteVarLen(d, &out);
    out.insert(out.end(), {0xFF, 0x2F, 0x00});
  }
};

void AppendPerformance(const PlayerState& state, int tempo, std::uint8_t ch,
                       std::vector<std::uint8_t>* out) {
  const EventTable& events = state.events;
  const int end_time = std::clamp(state.smf.MidiEndTime, 0, kMaxMidiEndTime);
  TrackWriter track{*out, ch, tempo};
  const auto note_status = static_cast<std::uint8_t>(0x90 + ch);
  const auto control = static_cast<std::uint8_t>(0xB0 + ch);
  std::int64_t ms = 0;  // time since the last written event, carried over unknown kinds
  const auto count = std::min<std::size_t>(static_cast<std::size_t>(std::max(0, events.EventCount)),
                                           events.Size());
  for (std::size_t i = 0; i < count; ++i) {
    ms += std::int64_t{events.EvDelta[i]} * state.performance.ClockTime;
    const auto note = static_cast<std::uint8_t>(events.EvData[i] & 0x7F);
    switch (events.EvKind[i]) {
      case kEventNoteOn:
        track.Event(MillisecondsToTicks(ms, tempo), note_status, note,
                    DataByte(events.EvVelocity[i]));
        track.sounding[note] = true;
        break;
      case kEventNoteOff:
        track.Event(MillisecondsToTicks(ms, tempo), note_status, note, 0x00);
        track.sounding[note] = false;
        break;
      case kEventDamperDown:
        track.Event(MillisecondsToTicks(ms, tempo), control, 0x40, 0x7F);
        break;
      case kEventDamperUp:
        track.Event(MillisecondsToTicks(ms, tempo), control, 0x40, 0x00);
        break;
      case kEventEndMark:
        track.End(ms, end_time);
        return;  // nothing after the end mark belongs to the performance
      default:
        continue;  // an unknown kind writes nothing; its time goes to the next event
    }
    ms = 0;
  }
  track.End(0, end_time);  // a table without an end mark still closes its notes
}

}  // namespace

std::uint32_t MillisecondsToTicks(std::int64_t ms, int tempo) {
  if (ms <= 0 || tempo <= 0) return 0;
  const std::int64_t n = std::int64_t{tempo} * ms;  // 125 x ticks
  const std::int64_t whole = n / 125;
  const std::int64_t rest = n % 125;
  // n / 125 is never exactly half-way, so the nearest integer needs no tie rule.
  std::int64_t ticks = whole + (rest >= 63 ? 1 : 0);
  if (whole >= 1 && rest != 0) ticks += 1;
  return static_cast<std::uint32_t>(std::min<std::int64_t>(ticks, kMaxVarLen));
}

std::size_t WriteVarLen(std::uint32_t value, std::vector<std::uint8_t>* out) {
  if (value > kMaxVarLen) return 0;
  std::uint8_t groups[4];
  std::size_t count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  for (std::size_t i = count; i-- > 0;) {
    out->push_back(static_cast<std::uint8_t>(groups[i] | (i > 0 ? 0x80 : 0x00)));
  }
  return count;
}

std::uint32_t TempoMicroseconds(int tempo) {
  return static_cast<std::uint32_t>(RoundHalfEven(60000000.0 / ExportTempo(tempo)));
}

int ExportTempo(int tempo) {
  if (tempo < 1) return 60;
  return std::max(tempo, 4);  // 60000000 / 4 still fits the three bytes of a tempo event
}

std::string MidiFileSignature(const PlayerState& state) {
  return "Kirivane" + state.app.VersionText;
}

std::vector<std::uint8_t> BuildMidiFile(const PlayerState& state, int bank) {
  const int tempo = ExportTempo(state.performance.Tempo);
  const auto ch = static_cast<std::uint8_t>(std::clamp(state.midi.KeyOutChannel, 1, 16) - 1);
  std::vector<std::uint8_t> track;
  track.reserve(256 + static_cast<std::size_t>(std::max(0, state.events.EventCount)) * 7);
  AppendTextMeta(0x03, state.performance.PerfTitle, &track);
  AppendTextMeta(0x02, state.performance.PerfAuthor, &track);
  AppendTextMeta(0x01, MidiFileSignature(state), &track);
  AppendSetup(state, bank, tempo, ch, &track);
  AppendPerformance(state, tempo, ch, &track);

  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd',  0,    0,   0,   6,   0,
                                    0,   0,   1,   0x01, 0xE0, 'M', 'T', 'r', 'k'};
  AppendBigEndian(static_cast<std::uint32_t>(track.size()), 4, &file);
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

std::optional<PerformanceMessage> WriteMidiFile(PlayerState& state, const std::string& path,
                                                int bank) {
  state.smf.MidiEndTime = std::min(state.smf.MidiEndTime, kMaxMidiEndTime);
  const std::vector<std::uint8_t> bytes = BuildMidiFile(state, bank);
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!WriteFileAtomically(path, view)) return FileAccessMessage(path, true);
  return std::nullopt;
}

}  // namespace kirivane
