#include "player/midi/midi_thru.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_in.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_performance_notices.h"
#include "fakes/fake_surface.h"
#include "player/display/keyboard_display.h"
#include "player/midi/midi_port_names.h"
#include "player/performance/offline_playback.h"
#include "player/performance/performance_file.h"
#include "player/performance/recorder.h"

namespace kirivane {
namespace {

using ::testing::ElementsAre;
using testing::FakeClock;
using testing::FakeMidiIn;
using testing::FakeMidiNotices;
using testing::FakeMidiOut;
using testing::FakePerformanceNotices;
using testing::FakeSurface;

// Keeps what the thru asks its view to show.
class RecordingThruView : public MidiThruView {
 public:
  void ShowInputPort(const std::string& port) override { ports.push_back(port); }
  void ShowPortOpenFailed(const std::string& port, const std::string& error) override {
    failures.push_back(port + ": " + error);
  }
  void ShowPortLost(const std::string& port) override { lost.push_back(port); }
  std::vector<std::string> ports;
  std::vector<std::string> failures;
  std::vector<std::string> lost;
};

// The note label of the 128-key bar.
class NoteNames : public NoteNameView {
 public:
  void SetNoteName(const std::string& text) override { names.push_back(text); }
  std::vector<std::string> names;
};

class MidiThruTest : public ::testing::Test {
 protected:
  MidiThruTest() {
    state.layout.DisplayMode = 0;
    midi.SetLampView(&notices);
    midi.SetMessages(&notices);
    thru.SetView(&view);
    display.SetView(&names);
    input.ports = {"Midi Through:Midi Through Port-0 14:0", "src:out"};
  }

  const KeySlot& Key37(int index) const { return display.Keys().Keys37[index]; }
  const KeySlot& Key128(int note) const { return display.Keys().Keys128[note]; }

  PlayerState state;
  FakeMidiOut out;
  FakeMidiIn input;
  FakeSurface surface;
  FakeMidiNotices notices;
  KeyboardDisplay display{state, surface};
  MidiMode midi{state, out};
  MidiThru thru{state, midi, input, display};
  RecordingThruView view;
  NoteNames names;
};

TEST_F(MidiThruTest, PlaysThroughOnTheKeyboardChannelAsPlayedAndLightsTheNotesOwnKey) {
  ASSERT_TRUE(thru.SelectPort("src:out"));
  EXPECT_EQ(state.midi_in.MidiInPort, "src:out");
  state.midi.KeyOutChannel = 3;
  state.midi.OctaveShift = 1;  // neither octave nor transposition moves incoming notes
  state.midi.Transpose = -5;
  display.RedrawKeyboard();
  const int refreshes_before = surface.refreshes;
  // Whatever channel the keyboard sends on, it goes out on the keyboard channel.
  input.Receive({0x96, 72, 37});      // C5, soft
  input.Receive({0xB6, 64, 90});      // damper down
  input.Receive({0xB6, 64, 100});     // half-way values pass through, no second pedal change
  input.Receive({0xE6, 0x10, 0x50});  // pitch bend
  input.Receive({0xB6, 1, 33});       // modulation
  input.Receive({0xB6, 7, 10});       // volume: not played through
  input.Receive({0xC6, 41});          // program change
  input.Receive({0x96, 72, 0});       // note-on with velocity 0 ends the note
  input.Receive({0x86, 61, 64});      // note-off of a note never started here: nothing
  input.Deliver();
  EXPECT_THAT(out.Hex(), ElementsAre("92 48 25", "B2 40 5A", "B2 40 64", "E2 10 50", "B2 01 21",
                                     "C2 29 00", "82 48 40"));
  EXPECT_EQ(surface.refreshes - refreshes_before, 1) << "one refresh per batch";
  EXPECT_EQ(notices.lamp_changes, 1);  // the damper lamp lit once
  EXPECT_EQ(state.midi_in.DamperChannel, 3);

  // Drawn with the MIDI input's look on the key of the note itself: index 72 - 12 - 55 = 5.
  input.Play({0x90, 72, 100});
  EXPECT_EQ(Key37(5).DownState, kShownByMidiIn);
  input.Play({0x80, 72, 0});
  EXPECT_EQ(Key37(5).DownState, kShownReleased);
  // On the 128-key bar every note shows, also those far outside the 37 keys, with its name.
  state.layout.DisplayMode = 2;
  state.layout.RequestedDisplayMode = 2;
  display.RedrawKeyboard();
  input.Play({0x90, 21, 64});
  input.Play({0x90, 108, 64});
  EXPECT_EQ(Key128(21).DownState, kShownByMidiIn);
  EXPECT_EQ(Key128(108).DownState, kShownByMidiIn);
  EXPECT_THAT(names.names, ElementsAre("A0", "C8"));
  input.Play({0x80, 21, 0});
  EXPECT_EQ(Key128(21).DownState, kShownReleased);
  EXPECT_EQ(Key128(108).DownState, kShownByMidiIn);
}

TEST_F(MidiThruTest, NothingHangsWhenThePortChangesGoesAwayOrTheWindowLetsGo) {
  ASSERT_TRUE(thru.SelectPort("src:out"));
  display.RedrawKeyboard();
  input.Play({0x90, 60, 100});
  state.midi.KeyOutChannel = 10;  // the percussion set was chosen meanwhile
  input.Play({0x90, 62, 90});
  input.Play({0xB0, 64, 127});
  input.Play({0xE0, 0, 0});
  input.Play({0xB0, 1, 99});
  state.midi.Modulation = 12;
  out.Clear();
  // Another port: every note ends on the channel it went to; pedal, bend and modulation rest.
  ASSERT_TRUE(thru.SelectPort("Midi Through:Midi Through Port-0 14:0"));
  EXPECT_THAT(out.Hex(), ElementsAre("80 3C 40", "89 3E 40", "B9 40 00", "E9 00 40", "B9 01 0C"));
  EXPECT_EQ(Key37(5).DownState, kShownReleased);
  EXPECT_EQ(Key37(7).DownState, kShownReleased);
  // The release of a note ended that way sends nothing more.
  out.Clear();
  input.Play({0x80, 60, 0});
  EXPECT_TRUE(out.Hex().empty());

  // ReleaseAll (focus lost, window closing) ends what sounds, once.
  input.Play({0x90, 64, 80});
  out.Clear();
  thru.ReleaseAll();
  thru.ReleaseAll();
  EXPECT_THAT(out.Hex(), ElementsAre("89 40 40"));

  // The port goes away with a note held and its release still queued: the queued release is
  // played, the rest ended; reported once, input back to none.
  input.Play({0x90, 65, 80});
  input.Play({0x90, 67, 80});
  input.Receive({0x80, 65, 0});
  out.Clear();
  view.ports.clear();
  input.LosePort();
  EXPECT_THAT(out.Hex(), ElementsAre("89 41 40", "89 43 40"));
  EXPECT_THAT(view.lost, ElementsAre("Midi Through:Midi Through Port-0 14:0"));
  EXPECT_THAT(view.ports, ElementsAre(""));
  EXPECT_EQ(state.midi_in.MidiInPort, "");
  EXPECT_EQ(input.OpenPort(), "");

  // A saved port that is not there at start is reported and leaves input at none.
  state.midi_in.MidiInPort = "gone:out";
  thru.OpenSavedPort();
  EXPECT_THAT(view.failures, ElementsAre("gone:out: no port gone:out"));
  EXPECT_EQ(state.midi_in.MidiInPort, "");
  // A full hand-over queue may have lost a release: what sounds is ended first.
  ASSERT_TRUE(thru.SelectPort("src:out"));
  input.Play({0x90, 70, 80});
  out.Clear();
  input.overflowed = true;
  input.Play({0x90, 71, 80});
  EXPECT_THAT(out.Hex(), ElementsAre("89 46 40", "99 47 50"));
}

TEST_F(MidiThruTest, ATakePlayedOnTheMidiKeyboardKeepsItsVelocitiesAndGaps) {
  FakeClock clock;
  FakePerformanceNotices performance_notices;
  Recorder recorder(state, clock, performance_notices);
  midi.SetEventSink(&recorder);
  ASSERT_TRUE(thru.SelectPort("src:out"));
  state.performance.ClockSetting = 1;
  input.Play({0xB0, 64, 127});  // pedal already down when the take starts
  recorder.BeginTake(false, 120);
  clock.Advance(250);
  input.Play({0x90, 60, 17});
  clock.Advance(120);
  midi.KeyNoteOn(7 + 12);  // a typed note between them, at the typing velocity
  clock.Advance(80);
  input.Play({0x90, 64, 126});
  clock.Advance(300);
  input.Play({0x80, 60, 0});
  midi.KeyNoteOff(7 + 12);
  clock.Advance(40);
  input.Play({0xB0, 64, 0});
  clock.Advance(5);
  input.Play({0xB0, 64, 127});
  clock.Advance(500);
  input.Play({0x90, 64, 0});
  clock.Advance(100);
  state.performance.Recording = 0;
  recorder.FinishRecording();  // the pedal is still down: the take lifts it at its end

  // Saved as ".lyr" and read back into another player.
  const std::string file = FormatPerformanceFile(state, 0);
  EXPECT_NE(file.find("#Data=0:0:4:0,250:60:1:17,120:55:1:121,80:64:1:126,300:60:0:0,"
                      "0:55:0:0,40:0:3:0,5:0:4:0,500:64:0:0,100:0:3:0,0:60:2:0,"),
            std::string::npos)
      << file;
  PlayerState other;
  ASSERT_TRUE(LoadPerformanceBytes(other, file).replaced);
  FakeMidiOut player_out;
  MidiMode player_midi(other, player_out);
  other.midi.PlayOutChannel = 2;
  std::vector<std::int64_t> gaps;
  std::int64_t reached = 0;
  PlayPerformanceOffline(other, player_midi, [&](std::int64_t ms) {
    gaps.push_back(ms - reached);  // the renderer is told the time to reach, not the gap
    reached = ms;
    player_out.messages.push_back({0xFF});  // marks where each wait falls
  });
  std::vector<std::string> heard;
  for (const std::string& line : player_out.Hex()) {
    const bool note_on = line.rfind("91 ", 0) == 0;
    const bool damper = line.rfind("B1 40 ", 0) == 0;
    if (note_on || damper || line == "FF") heard.push_back(line);
  }
  EXPECT_THAT(heard, ElementsAre("B1 40 7F", "FF", "91 3C 11", "FF", "91 37 79", "FF", "91 40 7E",
                                 "FF", "FF", "B1 40 00", "FF", "B1 40 7F", "FF", "FF", "B1 40 00"));
  EXPECT_THAT(gaps, ElementsAre(250, 120, 80, 300, 40, 5, 500, 100));
}

TEST(MidiPortNames, OwnPortsAreKnownAndASavedAlsaPortIsFoundAtItsNewAddress) {
  EXPECT_TRUE(IsOwnPort("Kirivane:Kirivane output", "Kirivane"));
  EXPECT_TRUE(IsOwnPort("Kirivane-01:Kirivane input", "Kirivane"));
  EXPECT_TRUE(IsOwnPort("Kirivane:Kirivane output 129:0", "Kirivane"));
  EXPECT_FALSE(IsOwnPort("Kirivane Synth:out", "Kirivane"));
  EXPECT_FALSE(IsOwnPort("Kirivane-x:out", "Kirivane"));
  EXPECT_FALSE(IsOwnPort("src:Kirivane", "Kirivane"));

  const std::vector<std::string> names{"Midi Through:Midi Through Port-0 14:0",
                                       "Keystation:Keystation MIDI 1 20:0", "src:out",
                                       "Pads:Pads MIDI 1 28:0", "Pads:Pads MIDI 1 32:0"};
  EXPECT_EQ(FindPort(names, "src:out"), 2u);
  EXPECT_EQ(FindPort(names, "Keystation:Keystation MIDI 1 20:0"), 1u);
  EXPECT_EQ(FindPort(names, "Keystation:Keystation MIDI 1 24:0"), 1u);  // plugged in earlier
  EXPECT_EQ(FindPort(names, "Pads:Pads MIDI 1 32:0"), 4u);
  EXPECT_EQ(FindPort(names, "Pads:Pads MIDI 1 36:0"), std::nullopt);  // two such: no guess
  EXPECT_EQ(FindPort(names, "src:other"), std::nullopt);
  EXPECT_EQ(FindPort(names, "Keystation:Keystation MIDI 1"), std::nullopt);
}

}  // namespace
}  // namespace kirivane
