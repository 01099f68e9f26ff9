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
#include "player/smf/track_events.h"
#include "player/state/lang_ids.h"

namespace kirivane {

namespace {

PerformanceMessage MidiError(const std::string& description) {
  PerformanceMessage message;
  message.text_entry = kLangReadError;
  message.title_entry = kLangFileErrorTitle;
  message.insert = description;
  message.detail = description;
  return message;
}

std::uint32_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

struct TrackReader {
  const std::array<bool, 16>& selected;
  const MidiImportOptions& options;
  MidiImport& out;
  int division;
  std::array<int, 16> volume;
  std::array<int, 16> c43;
  double pending_ticks = 0;  // ticks since the last stored note
  // The ticks since the last stored note or tempo change, and the milliseconds of the ticks
  // before that tempo change: each stretch of the gap takes the tempo it was played at.
  double tempo_ticks = 0;
  double ms_before_tempo = 0;
  double last_ms = 0;  // gap of the last stored note
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

  SmfFault Store(int note, int kind, int velocity) {
    if (stored >= kImportEventLimit) return SmfFault::kFull;
    double ms = ms_before_tempo + tempo_ticks / division * out.TempoMicros / 1000.0;
    if (ms > 0) ms -= 1;
    last_ms = ms;
    const auto delta = static_cast<std::int32_t>(std::clamp<double>(
        std::nearbyint(ms / options.clock_time), 0, std::numeric_limits<std::int32_t>::max()));
    out.events.Append(delta, note, kind, velocity);
    ++stored;
    total_ticks = std::min<std::int64_t>(total_ticks + static_cast<std::int64_t>(pending_ticks),
                                         std::numeric_limits<std::int32_t>::max());
    pending_ticks = tempo_ticks = ms_before_tempo = 0;
    return SmfFault::kNone;
  }

  void Meta(std::uint8_t type, std::span<const std::uint8_t> data) {
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    if (type == 0x01) out.TextEvent = DecodeMetaText(text);
    if (type == 0x02) out.PerfAuthor = DecodeMetaText(text);
    if (type == 0x03) out.PerfTitle = DecodeMetaText(text);
    if (type == 0x51 && data.size() >= 3) {
      ms_before_tempo += tempo_ticks / division * out.TempoMicros / 1000.0;
      tempo_ticks = 0;
      out.TempoMicros = static_cast<std::int32_t>(BigEndian(data, 0, 3));
      if (out.TempoMicros != 0 && out.Tempo == 0) out.Tempo = 60000000 / out.TempoMicros;
    }
  }

  SmfFault ChannelMessage(std::uint8_t status, std::uint8_t first, std::uint8_t second) {
    const int channel = status & 0x0F;
    const bool read = selected[static_cast<std::size_t>(channel)];
    switch (status & 0xF0) {
      case 0x90:
      case 0x80:
        if (!read) return SmfFault::kNone;
        if ((status & 0xF0) == 0x90 && second > 0) {
          return Store(first, kEventNoteOn, ScaledVelocity(channel, second));
        }
        return Store(first, kEventNoteOff, 0);
      case 0xB0:
        if (first == 7) volume[static_cast<std::size_t>(channel)] = second;
        if (first == 43) c43[static_cast<std::size_t>(channel)] = second;
        return SmfFault::kNone;
      case 0xC0:
        if (read && out.FirstProgram == 0) out.FirstProgram = first + 1;
        return SmfFault::kNone;
      default:
        return SmfFault::kNone;
    }
  }

  // Every event adds its delta to the ticks waited; notes of a read channel are stored.
  SmfFault Handle(const SmfEvent& event) {
    pending_ticks += static_cast<double>(event.delta);
    tempo_ticks += static_cast<double>(event.delta);
    if (event.status == kSmfMeta) {
      Meta(event.type, event.bytes);
      return SmfFault::kNone;
    }
    if (event.status >= 0xF0) return SmfFault::kNone;  // system exclusive
    return ChannelMessage(event.status, event.data1, event.data2);
  }
};

struct SmfHeader {
  std::uint32_t format = 0;
  int tracks = 0;
  int division = 0;      // ticks per quarter note
  std::size_t next = 0;  // position of the first chunk after the header
};

// The header: format 0, or format 1 when its tracks may be merged, and a division in ticks per
// quarter note.
std::optional<PerformanceMessage> ReadHeader(std::span<const std::uint8_t> bytes, bool merge_tracks,
                                             SmfHeader* header) {
  if (bytes.size() < 14 || BigEndian(bytes, 0, 4) != 0x4D546864 /* MThd */) {
    return MidiError("not a Standard MIDI File");
  }
  const std::uint32_t length = BigEndian(bytes, 4, 4);
  if (length < 6 || length > bytes.size() - 8) return MidiError("the file header is damaged");
  header->format = BigEndian(bytes, 8, 2);
  if (header->format == 2 || (header->format == 1 && !merge_tracks)) {
    const std::string format = std::to_string(header->format);
    PerformanceMessage message =
        MidiError("MIDI file format " + format + " is not supported (only format 0)");
    message.text_entry = kLangUnsupportedMidiFormat;
    message.insert = format;
    return message;
  }
  if (header->format > 1) {
    return MidiError("unknown MIDI file format " + std::to_string(header->format));
  }
  header->tracks = static_cast<int>(BigEndian(bytes, 10, 2));
  header->division = static_cast<int>(BigEndian(bytes, 12, 2));
  if (header->division & 0x8000) return MidiError("SMPTE time division is not supported");
  if (header->division == 0) return MidiError("the file header gives 0 ticks per quarter note");
  header->next = 8 + length;
  return std::nullopt;
}

// The track chunks the header announces, up to the first chunk that is not a track.
SmfFault FindTracks(std::span<const std::uint8_t> bytes, const SmfHeader& header,
                    std::vector<TrackChunk>* chunks) {
  std::size_t position = header.next;
  for (int track = 0; track < header.tracks && position < bytes.size(); ++track) {
    if (bytes.size() - position < 8) return SmfFault::kTruncated;
    if (BigEndian(bytes, position, 4) != 0x4D54726B /* MTrk */) break;
    const std::size_t end = position + 8 + BigEndian(bytes, position + 4, 4);
    chunks->push_back({position + 8, std::min(end, bytes.size()), end > bytes.size()});
    position = end;
  }
  return SmfFault::kNone;
}

// Format 0: the tracks one after the other.
SmfFault ReadInOrder(std::span<const std::uint8_t> bytes, const std::vector<TrackChunk>& chunks,
                     TrackReader& reader) {
  for (const TrackChunk& chunk : chunks) {
    TrackEventReader events(bytes, chunk);
    SmfEvent event;
    while (events.Next(&event)) {
      if (const SmfFault fault = reader.Handle(event); fault != SmfFault::kNone) return fault;
    }
    if (events.Fault() != SmfFault::kNone) return events.Fault();
  }
  return SmfFault::kNone;
}

// Format 1: the tracks merged into one timeline first.
SmfFault ReadMerged(std::span<const std::uint8_t> bytes, const std::vector<TrackChunk>& chunks,
                    TrackReader& reader) {
  std::vector<SmfEvent> timeline;
  if (const SmfFault fault = MergeTracks(bytes, chunks, &timeline); fault != SmfFault::kNone) {
    return fault;
  }
  for (const SmfEvent& event : timeline) {
    if (const SmfFault fault = reader.Handle(event); fault != SmfFault::kNone) return fault;
  }
  return SmfFault::kNone;
}

std::optional<PerformanceMessage> NoChannelError(const std::array<bool, 16>& selected) {
  if (std::any_of(selected.begin(), selected.end(), [](bool on) { return on; })) {
    return std::nullopt;
  }
  PerformanceMessage message = MidiError("no channel is chosen for MIDI import");
  message.text_entry = kLangNoImportChannel;
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
  SmfHeader header;
  if (auto error = ReadHeader(bytes, options.merge_tracks, &header)) {
    result.error = std::move(error);
    return result;
  }
  MidiImport& out = result.import;
  MidiImportOptions checked = options;
  checked.clock_time = std::max(1, options.clock_time);
  TrackReader reader(selected, checked, out, header.division);
  // Room for every note the file can hold (three bytes at least each), the end mark and the
  // empty slot after it, allocated once.
  out.events.Reserve(std::min<std::size_t>(kImportEventLimit + 2, bytes.size() / 3 + 2));
  std::vector<TrackChunk> chunks;
  SmfFault fault = FindTracks(bytes, header, &chunks);
  if (fault == SmfFault::kNone) {
    fault =
        header.format == 1 ? ReadMerged(bytes, chunks, reader) : ReadInOrder(bytes, chunks, reader);
  }
  if (fault != SmfFault::kNone) return {MidiImport{}, MidiError(SmfFaultText(fault))};
  if (reader.stored == 0) return {MidiImport{}, MidiError("no notes on the chosen channels")};
  const auto end_delta = static_cast<std::int32_t>(
      std::clamp<double>(std::nearbyint(reader.last_ms / checked.clock_time), 0,
                         std::numeric_limits<std::int32_t>::max()));
  out.events.Append(end_delta, 60, kEventEndMark, 0);
  out.events.Append(0, 0, 0, 0);  // one empty slot at the end
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
  options.merge_tracks = state.smf.MidiMergeTracks == 1;
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
