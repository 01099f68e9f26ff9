#include "player/smf/midi_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/basic/text_file.h"
#include "fakes/event_table_print.h"
#include "fakes/test_paths.h"
#include "player/midi/midi_hooks.h"
#include "player/performance/performance_file.h"
#include "player/settings/ini_file.h"
#include "player/settings/settings_file.h"
#include "player/smf/midi_writer.h"
#include "player/state/lang_ids.h"

namespace kirivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Smf(const Bytes& track, int format = 0, int division = 480) {
  Bytes file = {'M',
                'T',
                'h',
                'd',
                0,
                0,
                0,
                6,
                0,
                static_cast<std::uint8_t>(format),
                0,
                1,
                static_cast<std::uint8_t>(division >> 8),
                static_cast<std::uint8_t>(division),
                'M',
                'T',
                'r',
                'k'};
  const auto n = static_cast<std::uint32_t>(track.size());
  file.insert(file.end(), {static_cast<std::uint8_t>(n >> 24), static_cast<std::uint8_t>(n >> 16),
                           static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)});
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

MidiImportResult Read(const Bytes& file, MidiImportOptions options = {}) {
  return ReadMidiBytes(file, options);
}

struct Note {
  int delta, data, kind, velocity;
  bool operator==(const Note&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Note& n) {
  return os << n.delta << ":" << n.data << ":" << n.kind << ":" << n.velocity;
}
std::vector<Note> Notes(const EventTable& table) {
  std::vector<Note> out;
  for (int i = 0; i < table.EventCount; ++i) {
    out.push_back({table.EvDelta[i], table.EvData[i], table.EvKind[i], table.EvVelocity[i]});
  }
  return out;
}

TEST(MidiReader, ChannelsTimingRunningStatusAndMetaEvents) {
  const Bytes track = {0x00, 0xFF, 0x03, 0x04, 'S',  'o',  'n', 'g',  // title
                       0x00, 0xFF, 0x02, 0x02, 'M',  'e',             // author
                       0x00, 0xFF, 0x09, 0x03, 'd',  'e',  'v',       // device name: skipped
                       0x00, 0xC0, 0x05,        // first program of a read channel
                       0x00, 0xC9, 0x10,        // channel 10: not read
                       0x00, 0x90, 0x3C, 0x64,  // note on
                       0x83, 0x60, 0x3C, 0x00,  // 480 ticks later, running status, vel 0
                       0x00, 0x99, 0x24, 0x70,  // drum note: ignored by default
                       0x81, 0x80, 0x00, 0x80, 0x3E, 0x40,  // three-byte delta 16384, note off
                       0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,  // system exclusive, skipped
                       0x00, 0xFF, 0x2F, 0x00};
  const auto result = Read(Smf(track));
  ASSERT_FALSE(result.error) << result.error->detail;
  const MidiImport& import = result.import;
  EXPECT_EQ(import.PerfTitle, "Song");
  EXPECT_EQ(import.PerfAuthor, "Me");
  EXPECT_EQ(import.FirstProgram, 6);
  EXPECT_EQ(import.Tempo, 0);  // no tempo event
  // 480 ticks at the default 1000000 us per quarter: 1000 ms, stored as 999.
  // 16384 ticks: 34133.3 ms, stored as 34132.3, rounded.
  EXPECT_EQ(
      Notes(import.events),
      (std::vector<Note>{{0, 60, 1, 100}, {999, 60, 0, 0}, {34132, 62, 0, 0}, {34132, 60, 2, 0}}));
  EXPECT_EQ(import.events.Size(), 5u);
  EXPECT_EQ(import.events.EvTimeMs[2], 999 + 34132);
  EXPECT_EQ(import.TotalTicks, 480 + 16384);
}

TEST(MidiReader, ThePercussionSetInvertsTheChannels) {
  const Bytes track = {0x00, 0x90, 0x3C, 0x64, 0x00, 0x99, 0x24, 0x70,
                       0x10, 0x89, 0x24, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  MidiImportOptions options;
  options.percussion = true;
  const auto result = Read(Smf(track), options);
  ASSERT_FALSE(result.error);
  EXPECT_EQ(Notes(result.import.events),
            (std::vector<Note>{{0, 36, 1, 112}, {32, 36, 0, 0}, {32, 60, 2, 0}}));
  EXPECT_EQ(SelectedImportChannels("3, 16,x,0,17,", false),
            (std::array<bool, 16>{false, false, true, false, false, false, false, false, false,
                                  false, false, false, false, false, false, true}));
}

TEST(MidiReader, TempoAndClockSetTheTicks) {
  const Bytes track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 120 bpm
                       0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x00,
                       0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // 60: Tempo keeps the first
                       0x83, 0x60, 0x90, 0x3E, 0x64, 0x00, 0xFF, 0x2F, 0x00};
  MidiImportOptions options;
  options.clock_time = 10;
  const auto result = Read(Smf(track), options);
  ASSERT_FALSE(result.error);
  EXPECT_EQ(result.import.Tempo, 120);
  EXPECT_EQ(result.import.TempoMicros, 1000000);
  // 480 ticks at 120 bpm: 500 ms -> 499 -> 49.9 ticks of 10 ms -> 50.
  EXPECT_EQ(
      Notes(result.import.events),
      (std::vector<Note>{{0, 60, 1, 100}, {50, 60, 0, 0}, {100, 62, 1, 100}, {100, 60, 2, 0}}));
}

TEST(MidiReader, AGapBelowOneMillisecondIsNeverNegative) {
  // One tick at 3840 per quarter and 1000000 us: 0.26 ms, less the millisecond taken off.
  const Bytes track = {0x00, 0x90, 0x3C, 0x64, 0x01, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  const auto result = Read(Smf(track, 0, 3840));
  ASSERT_FALSE(result.error);
  EXPECT_EQ(Notes(result.import.events),
            (std::vector<Note>{{0, 60, 1, 100}, {0, 60, 0, 0}, {0, 60, 2, 0}}));
}

TEST(MidiReader, ControllerScaledVelocities) {
  const Bytes track = {0x00, 0x90, 0x3C, 0x64, 0x00, 0xB0, 0x07, 0x3F, 0x00, 0x90,
                       0x3E, 0x64, 0x00, 0xB0, 0x07, 0x00, 0x00, 0xB0, 0x2B, 0x00,
                       0x00, 0x90, 0x40, 0x64, 0x00, 0xFF, 0x2F, 0x00};
  MidiImportOptions options;
  options.read_ex = 1;
  const auto scaled = Read(Smf(track), options);
  ASSERT_FALSE(scaled.error);
  EXPECT_EQ(scaled.import.events.EvVelocity[0], 100);  // controllers at 127: unchanged
  EXPECT_EQ(scaled.import.events.EvVelocity[1], 50);   // volume 63 halves
  EXPECT_EQ(scaled.import.events.EvVelocity[2], 1);    // silent channel: still a note-on
  options.read_ex = 0;
  EXPECT_EQ(Read(Smf(track), options).import.events.EvVelocity[1], 100);
}

TEST(MidiReader, RefusedFiles) {
  const Bytes notes = {0x00, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00};
  MidiImportOptions none;
  none.channels = "0,x";
  const auto no_channel = Read(Smf(notes), none);
  ASSERT_TRUE(no_channel.error);
  EXPECT_EQ(no_channel.error->text_entry, 337);
  const auto format1 = Read(Smf(notes, 1));
  ASSERT_TRUE(format1.error);
  EXPECT_EQ(format1.error->text_entry, 342);
  EXPECT_EQ(format1.error->insert, "1");
  const Bytes broken[] = {
      {'R', 'I', 'F', 'F'},
      Smf(notes, 0, 0),                                          // no division
      Smf(notes, 0, 0xE728),                                     // SMPTE division
      Smf({0x00, 0x90, 0x3C}),                                   // ends inside an event
      Smf({0x00, 0x3C, 0x64}),                                   // data without status
      Smf({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x90, 0x3C, 0x64}),     // five-byte delta
      Smf({0x00, 0xFF, 0x03, 0x7F, 'a'}),                        // text past the track
      Smf({0x00, 0x90, 0x3C, 0x64, 0x00, 0xF0, 0x85, 0x00, 1}),  // endless exclusive
      Smf({0x00, 0x90, 0xBC, 0x64}),                             // data byte above 127
      Smf({0x00, 0xF4, 0x00}),                                   // no such status
      Smf({0x00, 0xFF, 0x2F, 0x00}),                             // no note at all
  };
  for (const Bytes& file : broken) {
    const auto result = Read(file);
    ASSERT_TRUE(result.error) << file.size();
    EXPECT_EQ(result.error->text_entry, 341);
    EXPECT_FALSE(result.error->insert.empty());
  }
  Bytes truncated = Smf(notes);
  truncated.resize(truncated.size() - 3);  // the length promises more than the file holds
  EXPECT_TRUE(Read(truncated).error);
}

TEST(MidiReader, TheReadLimitIs65535Notes) {
  Bytes track;
  for (int i = 0; i < kImportEventLimit; ++i) track.insert(track.end(), {0x01, 0x90, 0x3C, 0x64});
  Bytes fits = track;
  fits.insert(fits.end(), {0x00, 0xFF, 0x2F, 0x00});
  const auto full = Read(Smf(fits));
  ASSERT_FALSE(full.error);
  EXPECT_EQ(full.import.events.EventCount, 65536);
  EXPECT_EQ(full.import.events.EvKind[65535], kEventEndMark);
  track.insert(track.end(), {0x01, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00});
  EXPECT_TRUE(Read(Smf(track)).error);
}

TEST(MidiReader, AFailedImportLeavesThePerformanceInMemory) {
  PlayerState state;
  state.events.Recreate(2);
  state.events.Set(0, 5, 64, kEventNoteOn, 9);
  state.events.Set(1, 5, 60, kEventEndMark, 0);
  state.events.EventCount = 2;
  state.performance.Tempo = 77;
  const PlayerState before = state;
  const std::string dir = testing::MakeTempDir("smf");
  const Bytes file = Smf({0x00, 0x90, 0x3C, 0x64, 0x00, 0x90});
  ASSERT_TRUE(WriteFileAtomically(dir + "/bad.mid", std::string(file.begin(), file.end())));
  const auto read = ReadMidiFile(state, dir + "/bad.mid");
  EXPECT_EQ(read.result, 1);
  EXPECT_TRUE(read.error);
  EXPECT_EQ(state.events, before.events);
  EXPECT_EQ(state.performance.Tempo, 77);
  EXPECT_EQ(ReadMidiFile(state, dir + "/none.mid").error->insert, "53 (File not found)");
  state.smf.MidiReadChannels = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16";
  state.midi.PercussionSet = true;  // inverted: none
  EXPECT_EQ(ReadMidiFile(state, dir + "/bad.mid").error->text_entry, 337);
  EXPECT_EQ(state.events, before.events);
  std::filesystem::remove_all(dir);
}

// A file of several track chunks.
Bytes SmfTracks(const std::vector<Bytes>& tracks, int format) {
  Bytes file = Smf(tracks.front(), format);
  file[11] = static_cast<std::uint8_t>(tracks.size());
  for (std::size_t i = 1; i < tracks.size(); ++i) {
    const auto n = static_cast<std::uint32_t>(tracks[i].size());
    file.insert(file.end(), {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(n >> 24),
                             static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 8),
                             static_cast<std::uint8_t>(n)});
    file.insert(file.end(), tracks[i].begin(), tracks[i].end());
  }
  return file;
}

// A format-1 file is merged only when the settings ask for it, and then reads exactly like the
// same events written by hand as one format-0 track.
TEST(MidiReader, FormatOneTracksMergeWhenTheSettingsAskForIt) {
  const Bytes conductor = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        // tempo 500000
                           0x87, 0x40, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // 960: 250000
                           0x28, 0xFF, 0x2F, 0x00};                         // ends first
  const Bytes melody = {0x00, 0x90, 0x3C, 0x64, 0x87, 0x40, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  const Bytes bass = {0x00, 0x91, 0x30, 0x46, 0x87, 0x40, 0x81, 0x30, 0x00,  // 0 and 960
                      0x83, 0x60, 0x91, 0x37, 0x40, 0x83, 0x60, 0x81, 0x37,
                      0x00, 0x00, 0xFF, 0x2F, 0x00};
  const Bytes format1 = SmfTracks({conductor, melody, bass}, 1);
  const Bytes format0 = Smf({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // by time, lower track
                             0x00, 0x90, 0x3C, 0x64,                    // first at equal times
                             0x00, 0x91, 0x30, 0x46,                    //
                             0x87, 0x40, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  //
                             0x00, 0x90, 0x3C, 0x00,                          //
                             0x00, 0x81, 0x30, 0x00,                          //
                             0x83, 0x60, 0x91, 0x37, 0x40,                    //
                             0x83, 0x60, 0x81, 0x37, 0x00,                    //
                             0x00, 0xFF, 0x2F, 0x00});

  PlayerState state;
  ReadPlaybackOptions(state, IniFile("[Option]\r\nClock=1\r\n"));
  const auto refused = Read(format1, ImportOptionsOf(state));
  ASSERT_TRUE(refused.error);
  EXPECT_EQ(refused.error->text_entry, kLangUnsupportedMidiFormat);
  const std::string text = "[Option]\r\nmidimergetracks=1\r\n";
  IniFile settings(text);
  ReadPlaybackOptions(state, settings);
  ASSERT_TRUE(ImportOptionsOf(state).merge_tracks);
  SaveSettings(state, {}, settings);  // the key stays as the user wrote it, and only then
  EXPECT_NE(settings.Text().find("midimergetracks=1\r\n"), std::string::npos);
  IniFile fresh;
  SaveSettings(state, {}, fresh);
  EXPECT_EQ(fresh.Text().find("MidiMergeTracks"), std::string::npos);

  const auto merged = Read(format1, ImportOptionsOf(state));
  const auto single = Read(format0, ImportOptionsOf(state));
  ASSERT_FALSE(merged.error) << merged.error->detail;
  ASSERT_FALSE(single.error) << single.error->detail;
  EXPECT_EQ(merged.import.events, single.import.events);
  EXPECT_EQ(merged.import.Tempo, single.import.Tempo);
  EXPECT_EQ(merged.import.TempoMicros, single.import.TempoMicros);
  EXPECT_EQ(merged.import.TotalTicks, single.import.TotalTicks);
  // The gap before the tempo change keeps the old tempo: 960 ticks are 1000 ms, the later
  // 480-tick gaps 250 ms (each stored 1 ms short).
  EXPECT_EQ(Notes(merged.import.events), (std::vector<Note>{{0, 60, 1, 100},
                                                            {0, 48, 1, 70},
                                                            {999, 60, 0, 0},
                                                            {0, 48, 0, 0},
                                                            {249, 55, 1, 64},
                                                            {249, 55, 0, 0},
                                                            {249, 60, 2, 0}}));
  const auto format2 = Read(SmfTracks({conductor, melody}, 2), ImportOptionsOf(state));
  ASSERT_TRUE(format2.error);
  EXPECT_EQ(format2.error->insert, "2");
}

// An import saved as ".lyr" and read back keeps its velocities even when the program started
// with version 1 in effect.
TEST(MidiReader, AnImportKeepsItsVelocitiesThroughALyrFile) {
  const std::string dir = testing::MakeTempDir("smf");
  const Bytes track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0x90, 0x3C,
                       0x21, 0x83, 0x60, 0x90, 0x3C, 0x00, 0x00, 0x90, 0x40, 0x7E,
                       0x81, 0x70, 0x80, 0x40, 0x00, 0x00, 0xFF, 0x2F, 0x00};
  const Bytes file = Smf(track);
  ASSERT_TRUE(WriteFileAtomically(dir + "/in.mid", std::string(file.begin(), file.end())));
  PlayerState importer;
  ASSERT_EQ(importer.performance.FileFormatVer, 1);
  ASSERT_EQ(ReadMidiFile(importer, dir + "/in.mid").result, 0);
  EXPECT_EQ(importer.performance.FileFormatVer, 2);
  EXPECT_EQ(importer.performance.Tempo, 120);
  ASSERT_FALSE(SavePerformanceFile(importer, dir + "/out.lyr", 0));

  PlayerState player;  // a fresh start: version 1 in effect, PlayVelocity 108
  const auto load = LoadPerformanceFile(player, dir + "/out.lyr");
  ASSERT_FALSE(load.error);
  EXPECT_EQ(Notes(player.events), Notes(importer.events));
  EXPECT_EQ(player.events.EvVelocity[0], 0x21);
  EXPECT_EQ(player.events.EvVelocity[2], 0x7E);
  std::filesystem::remove_all(dir);
}

TEST(MidiReader, ExportedFilesImportToTheSameNotes) {
  PlayerState state;
  state.performance.Tempo = 60;
  state.performance.ClockTime = 1;
  state.performance.PerfTitle = "Round";
  state.smf.MidiEndTime = 0;
  state.events.Recreate(5);
  state.events.Set(0, 0, 60, kEventNoteOn, 100);
  state.events.Set(1, 1001, 60, kEventNoteOff, 0);
  state.events.Set(2, 0, 64, kEventNoteOn, 80);
  state.events.Set(3, 2001, 64, kEventNoteOff, 0);
  state.events.Set(4, 11, 60, kEventEndMark, 0);
  state.events.EventCount = 5;
  const auto result = Read(BuildMidiFile(state, 0));
  ASSERT_FALSE(result.error);
  // 1001 ms at tempo 60 is 480.48 ticks, written as 481; read back as 1002.08 - 1 ms.
  EXPECT_EQ(
      Notes(result.import.events),
      (std::vector<Note>{
          {0, 60, 1, 100}, {1001, 60, 0, 0}, {0, 64, 1, 80}, {2001, 64, 0, 0}, {2001, 60, 2, 0}}));
  EXPECT_EQ(result.import.PerfTitle, "Round");
}

}  // namespace
}  // namespace kirivane
