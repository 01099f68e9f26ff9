#include "player/smf/midi_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "player/midi/midi_hooks.h"
#include "player/performance/lyr_reader.h"
#include "player/performance/number_fields.h"
#include "player/performance/performance_file.h"
#include "player/smf/meta_text.h"

namespace kirivane {

namespace {

enum class Fault { kNone, kTruncated, kBadVarLen, kNoStatus, kBadDataByte, kBadStatus, kFull };

const char* FaultText(Fault fault) {
  switch (fault) {
    case Fault::kTruncated:
      return "the file ends inside an event or a track";
    case Fault::kBadVarLen:
      return "a variable-length number is longer than four bytes";
    case Fault::kNoStatus:
      return "a track starts with a data byte";
    case Fault::kBadDataByte:
      return "a data byte is above 127";
    case Fault::kBadStatus:
      return "an event has an unknown status byte";
    case Fault::kFull:
      return "the file has more than 65535 notes";
    case Fault::kNone:
      break;
  }
  return "";
}

PerformanceMessage MidiError(const std::string& description) {
  PerformanceMessage message;
  message.text_entry = kEntryReadError;
  message.title_entry = kEntryFileErrorTitle;
  message.insert = description;
  message.detail = description;
  return message;
}

std::uint32_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

// Reads inside [position, end) and nowhere else.
struct Cursor {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
  std::size_t end = 0;

  std::size_t Left() const { return end - position; }
  bool Take(std::uint8_t* byte) {
    if (position >= end) return false;
    *byte = bytes[position++];
    return true;
  }
  bool TakeData(std::uint8_t* byte, Fault* fault) {
    if (!Take(byte)) return *fault = Fault::kTruncated, false;
    if (*byte > 0x7F) return *fault = Fault::kBadDataByte, false;
    return true;
  }
  bool Skip(std::size_t count) {
    if (count > Left()) return false;
    position += count;
    return true;
  }
  // At most four bytes, the last with bit 7 clear.
  bool VarLen(std::uint32_t* value, Fault* fault) {
    *value = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t byte = 0;
      if (!Take(&byte)) return *fault = Fault::kTruncated, false;
      *value = (*value << 7) | (byte & 0x7Fu);
      if ((byte & 0x80) == 0) return true;
    }
    *fault = Fault::kBadVarLen;
    return false;
  }
};

struct TrackReader {
  const std::array<bool, 16>& selected;
  const MidiImportOptions& options;
  MidiImport& out;
  int division;
  std::array<int, 16> volume;
  std::array<int, 16> c43;
  double pending_ticks = 0;  // ticks since the last stored note
  double last_ms = 0;        // gap of the last stored note
  std::int64_t total_ticks = 0;
  std::int32_t stored = 0;

  TrackReader(const std::array<bool, 16>& channels, const MidiImportOptions& opts,
              MidiImport& import, int ticks_per_quarter)
      : selected(channels), options(opts), out(import), division(ticks_per_quarter) {
    volume.fill(127);
    c43.fill(127);
  }

  int ScaledVelocity(int channel, int velocity) const {
    if (options.read_ex != 1) return velocity;
    const double c = c43[static_cast<std::size_t>(channel)] + 1.0;
    const double v =
        c * c * velocity / 16384.0 * (volume[static_cast<std::size_t>(channel)] + 1.0) / 128.0;
    // A note-on stays a note-on, however soft its channel.
    return static_cast<int>(std::clamp<std::int64_t>(RoundHalfEven(v), 1, 127));
  }

  Fault Store(int note, int kind, int velocity) {
    if (stored >= kImportEventLimit) return Fault::kFull;
    double ms = pending_ticks / division * out.TempoMicros / 1000.0;
    if (ms > 0) ms -= 1;
    last_ms = ms;
    const auto delta = static_cast<std::int32_t>(std::clamp<double>(
        std::nearbyint(ms / options.clock_time), 0, std::numeric_limits<std::int32_t>::max()));
    const auto index = static_cast<std::size_t>(stored);
    if (index >= out.events.Size()) {
      out.events.Resize(std::min<std::size_t>(kImportEventLimit + 1,
                                              std::max<std::size_t>(256, out.events.Size() * 2)));
    }
    out.events.Set(index, delta, note, kind, velocity);
    ++stored;
    total_ticks = std::min<std::int64_t>(total_ticks + static_cast<std::int64_t>(pending_ticks),
                                         std::numeric_limits<std::int32_t>::max());
    pending_ticks = 0;
    return Fault::kNone;
  }

  void Meta(std::uint8_t type, std::span<const std::uint8_t> data) {
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    if (type == 0x01) out.TextEvent = DecodeMetaText(text);
    if (type == 0x02) out.PerfAuthor = DecodeMetaText(text);
    if (type == 0x03) out.PerfTitle = DecodeMetaText(text);
    if (type == 0x51 && data.size() >= 3) {
      out.TempoMicros = static_cast<std::int32_t>(BigEndian(data, 0, 3));
      if (out.TempoMicros != 0 && out.Tempo == 0) out.Tempo = 60000000 / out.TempoMicros;
    }
  }

  Fault ChannelMessage(Cursor& c, std::uint8_t status, std::uint8_t first) {
    Fault fault = Fault::kNone;
    const int channel = status & 0x0F;
    const bool read = selected[static_cast<std::size_t>(channel)];
    std::uint8_t second = 0;
    switch (status & 0xF0) {
      case 0x90:
      case 0x80:
        if (!c.TakeData(&second, &fault)) return fault;
        if (!read) return Fault::kNone;
        if ((status & 0xF0) == 0x90 && second > 0) {
          return Store(first, kEventNoteOn, ScaledVelocity(channel, second));
        }
        return Store(first, kEventNoteOff, 0);
      case 0xB0:
        if (!c.TakeData(&second, &fault)) return fault;
        if (first == 7) volume[static_cast<std::size_t>(channel)] = second;
        if (first == 43) c43[static_cast<std::size_t>(channel)] = second;
        return Fault::kNone;
      case 0xC0:
        if (read && out.FirstProgram == 0) out.FirstProgram = first + 1;
        return Fault::kNone;
      case 0xD0:
        return Fault::kNone;
      default:  // A0 and E0 carry a second data byte
        return c.TakeData(&second, &fault) ? Fault::kNone : fault;
    }
  }

  // Reads events until End of Track or the end of the cursor. Sets *ended at End of Track.
  Fault Read(Cursor& c, bool* ended) {
    Fault fault = Fault::kNone;
    std::uint8_t running = 0;
    while (c.Left() > 0) {
      std::uint32_t delta = 0;
      std::uint8_t status = 0;
      if (!c.VarLen(&delta, &fault)) return fault;
      pending_ticks += delta;
      if (!c.Take(&status)) return Fault::kTruncated;
      if (status == 0xFF) {
        std::uint8_t type = 0;
        std::uint32_t length = 0;
        if (!c.Take(&type)) return Fault::kTruncated;
        if (!c.VarLen(&length, &fault)) return fault;
        if (length > c.Left()) return Fault::kTruncated;
        Meta(type, c.bytes.subspan(c.position, length));
        c.Skip(length);
        if (type == 0x2F) return *ended = true, Fault::kNone;
        continue;
      }
      if (status == 0xF0 || status == 0xF7) {  // system exclusive, by its length
        std::uint32_t length = 0;
        if (!c.VarLen(&length, &fault)) return fault;
        if (!c.Skip(length)) return Fault::kTruncated;
        continue;
      }
      std::uint8_t first = 0;
      if (status >= 0xF0) return Fault::kBadStatus;
      if (status >= 0x80) {
        running = status;
        if (!c.TakeData(&first, &fault)) return fault;
      } else {
        if (running == 0) return Fault::kNoStatus;
        first = status;
        status = running;
      }
      fault = ChannelMessage(c, status, first);
      if (fault != Fault::kNone) return fault;
    }
    return Fault::kNone;
  }
};

// The header: format 0 and a division in ticks per quarter note. Returns an error or nothing
// and sets the position of the first chunk after it.
std::optional<PerformanceMessage> ReadHeader(std::span<const std::uint8_t> bytes, int* tracks,
                                             int* division, std::size_t* next) {
  if (bytes.size() < 14 || BigEndian(bytes, 0, 4) != 0x4D546864 /* MThd */) {
    return MidiError("not a Standard MIDI File");
  }
  const std::uint32_t length = BigEndian(bytes, 4, 4);
  if (length < 6 || length > bytes.size() - 8) return MidiError("the file header is damaged");
  const std::uint32_t format = BigEndian(bytes, 8, 2);
  if (format == 1 || format == 2) {
    PerformanceMessage message = MidiError("MIDI file format " + std::to_string(format) +
                                           " is not supported (only format 0)");
    message.text_entry = kEntryUnsupportedMidiFormat;
    message.insert = std::to_string(format);
    return message;
  }
  if (format != 0) return MidiError("unknown MIDI file format " + std::to_string(format));
  *tracks = static_cast<int>(BigEndian(bytes, 10, 2));
  *division = static_cast<int>(BigEndian(bytes, 12, 2));
  if (*division & 0x8000) return MidiError("SMPTE time division is not supported");
  if (*division == 0) return MidiError("the file header gives 0 ticks per quarter note");
  *next = 8 + length;
  return std::nullopt;
}

std::optional<PerformanceMessage> NoChannelError(const std::array<bool, 16>& selected) {
  if (std::any_of(selected.begin(), selected.end(), [](bool on) { return on; })) {
    return std::nullopt;
  }
  PerformanceMessage message = MidiError("no channel is chosen for MIDI import");
  message.text_entry = kEntryNoImportChannel;
  message.insert.clear();
  return message;
}

}  // namespace

std::array<bool, 16> SelectedImportChannels(std::string_view list, bool percussion) {
  std::array<bool, 16> selected{};
  for (const std::string& item : SplitKeepEmpty(list, ",")) {
    const auto number = WholeNumber(item);
    const auto channel = number ? RoundToInt32(*number) : std::nullopt;
    if (channel && *channel >= 1 && *channel <= 16) {
      selected[static_cast<std::size_t>(*channel - 1)] = true;
    }
  }
  if (percussion) {
    for (bool& flag : selected) flag = !flag;
  }
  return selected;
}

MidiImportResult ReadMidiBytes(std::span<const std::uint8_t> bytes,
                               const MidiImportOptions& options) {
  MidiImportResult result;
  const auto selected = SelectedImportChannels(options.channels, options.percussion);
  if (auto error = NoChannelError(selected)) {
    result.error = std::move(error);
    return result;
  }
  int tracks = 0;
  int division = 0;
  std::size_t position = 0;
  if (auto error = ReadHeader(bytes, &tracks, &division, &position)) {
    result.error = std::move(error);
    return result;
  }
  MidiImport& out = result.import;
  MidiImportOptions checked = options;
  checked.clock_time = std::max(1, options.clock_time);
  TrackReader reader(selected, checked, out, division);
  for (int track = 0; track < tracks && position < bytes.size(); ++track) {
    if (bytes.size() - position < 8) return {MidiImport{}, MidiError(FaultText(Fault::kTruncated))};
    if (BigEndian(bytes, position, 4) != 0x4D54726B /* MTrk */) break;
    const std::size_t declared_end = position + 8 + BigEndian(bytes, position + 4, 4);
    Cursor cursor{bytes, position + 8, std::min(declared_end, bytes.size())};
    bool ended = false;
    const Fault fault = reader.Read(cursor, &ended);
    if (fault == Fault::kNone && !ended && declared_end > bytes.size()) {
      return {MidiImport{}, MidiError(FaultText(Fault::kTruncated))};
    }
    if (fault != Fault::kNone) return {MidiImport{}, MidiError(FaultText(fault))};
    position = declared_end;
  }
  if (reader.stored == 0) return {MidiImport{}, MidiError("no notes on the chosen channels")};
  const auto end_delta = static_cast<std::int32_t>(
      std::clamp<double>(std::nearbyint(reader.last_ms / checked.clock_time), 0,
                         std::numeric_limits<std::int32_t>::max()));
  out.events.Resize(static_cast<std::size_t>(reader.stored) + 2);  // one empty slot at the end
  out.events.Set(static_cast<std::size_t>(reader.stored), end_delta, 60, kEventEndMark, 0);
  out.events.EventCount = reader.stored + 1;
  out.events.RecomputeTimes(checked.clock_time);
  out.TotalTicks = static_cast<std::int32_t>(reader.total_ticks);
  return result;
}

MidiImportOptions ImportOptionsOf(const PlayerState& state) {
  MidiImportOptions options;
  options.channels = state.smf.MidiReadChannels;
  options.percussion = state.midi.PercussionSet;
  options.read_ex = state.smf.MidiReadEx;
  options.clock_time = state.performance.ClockSetting;
  return options;
}

void InstallMidiImport(PlayerState& state, MidiImport import) {
  auto& perf = state.performance;
  perf.ClockTime = std::max(1, state.performance.ClockSetting);
  perf.Tempo = import.Tempo;
  perf.PerfTitle = std::move(import.PerfTitle);
  perf.PerfAuthor = std::move(import.PerfAuthor);
  perf.FileFormatVer = 2;
  state.smf.MidiTextEvent = std::move(import.TextEvent);
  state.smf.TempoMicros = import.TempoMicros;
  state.smf.TotalTicks = import.TotalTicks;
  state.midi.Modulation = 0;
  state.midi.SelectedProgram = import.FirstProgram - 1;
  state.events = std::move(import.events);
  perf.PlayLength = state.events.UpperIndex();
  perf.PlayIndex = 0;
}

MidiFileRead ReadMidiFile(PlayerState& state, const std::string& path) {
  MidiFileRead read;
  const MidiImportOptions options = ImportOptionsOf(state);
  // Without a channel to read, the file is not even opened.
  read.error = NoChannelError(SelectedImportChannels(options.channels, options.percussion));
  if (read.error) return read;
  const auto bytes = ReadFileBytes(path);
  if (!bytes) {
    read.error = FileAccessMessage(path, false);
    return read;
  }
  const std::span<const std::uint8_t> view(reinterpret_cast<const std::uint8_t*>(bytes->data()),
                                           bytes->size());
  MidiImportResult imported = ReadMidiBytes(view, options);
  if (imported.error) {
    read.error = std::move(imported.error);
    return read;
  }
  InstallMidiImport(state, std::move(imported.import));
  read.result = 0;
  return read;
}

}  // namespace kirivane
