// A MIDI keyboard played into the player over JACK: a private jackd with the dummy driver, a
// sending client standing for the keyboard, the player's RtMidi input with its hand-over queue
// drained on this (the UI) thread, and a receiving client on the output.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <thread>

#include "fakes/fake_midi_out.h"
#include "fakes/fake_surface.h"
#include "jack_clients.h"
#include "jack_server.h"
#include "platform/midi/rtmidi_input.h"
#include "platform/midi/system_midi_out.h"
#include "player/display/keyboard_display.h"
#include "player/midi/midi_thru.h"

namespace kirivane {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using testing::JackReceiver;
using testing::JackSender;
using testing::MidiBytes;
using ::testing::Not;

// Notes on which thread the input's work reached the keyboard drawing.
class ThreadCheckingDisplay : public KeyboardDisplay {
 public:
  using KeyboardDisplay::KeyboardDisplay;
  void Refresh() override {
    threads.push_back(std::this_thread::get_id());
    KeyboardDisplay::Refresh();
  }
  std::vector<std::thread::id> threads;
};

// What the input reported.
class LostPortView : public MidiThruView {
 public:
  void ShowPortLost(const std::string& port) override { lost.push_back(port); }
  std::vector<std::string> lost;
};

class MidiInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server.Start(10000, &error)) << error;
    ASSERT_TRUE(sender.Open(&error)) << error;
    ASSERT_TRUE(receiver.Open(&error)) << error;
  }

  // Runs the event loop until `done` or the timeout.
  template <typename Done>
  bool RunUntil(Done done, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }

  int argc = 1;
  char name[16] = "midi_in_test";
  char* argv[2] = {name, nullptr};
  QCoreApplication application{argc, argv};
  testing::JackServer server;
  JackSender sender;
  JackReceiver receiver;
};

TEST_F(MidiInputTest, TheInputListShowsThePortsTheSystemHasButNotThePlayersOwn) {
  // The player's own output port is open, as it is while it plays to a JACK synthesizer.
  SystemMidiOut out({kDefaultSoundFont, "", 44100});
  const auto outputs = out.DeviceNames();
  const auto receiver_port = std::find(outputs.begin(), outputs.end(), "kirivane-receiver:in");
  ASSERT_NE(receiver_port, outputs.end());
  ASSERT_EQ(out.Open(static_cast<int>(receiver_port - outputs.begin())), 0);

  RtMidiInput input;
  const std::vector<std::string> names = input.PortNames();
  EXPECT_THAT(names, Contains("kirivane-sender:out"));
  EXPECT_THAT(names, Not(Contains("kirivane-receiver:in"))) << "an input port plays nothing";
  for (const std::string& port : names) EXPECT_EQ(port.rfind("Kirivane", 0), std::string::npos);
  if (access("/dev/snd/seq", F_OK) != 0) {
    EXPECT_THAT(input.Notes(), ::testing::HasSubstr("ALSA: "));
  }
  std::string error;
  EXPECT_FALSE(input.Open("nobody:out", &error));
  EXPECT_EQ(error, "There is no MIDI input port nobody:out");
  EXPECT_EQ(input.OpenPort(), "");
}

TEST_F(MidiInputTest, NotesFromAJackClientArriveThroughTheQueueAndPlayThrough) {
  SystemMidiOut out({kDefaultSoundFont, "", 44100});
  const auto outputs = out.DeviceNames();
  const auto receiver_port = std::find(outputs.begin(), outputs.end(), "kirivane-receiver:in");
  ASSERT_NE(receiver_port, outputs.end());
  PlayerState state;
  state.midi.KeyOutChannel = 2;
  MidiMode midi(state, out);
  ASSERT_EQ(midi.OpenMidiOut(static_cast<int>(receiver_port - outputs.begin())), 0);
  testing::FakeSurface surface;
  ThreadCheckingDisplay display(state, surface);
  RtMidiInput input("Kirivane", 100);
  MidiThru thru(state, midi, input, display);
  LostPortView view;
  thru.SetView(&view);
  ASSERT_TRUE(thru.SelectPort(sender.PortName()));
  EXPECT_EQ(state.midi_in.MidiInPort, "kirivane-sender:out");
  // Opened volume on the keyboard, playback and percussion channels first.
  ASSERT_EQ(receiver.Wait(3, 5000).size(), 3u);

  sender.Send({0x94, 60, 33});
  sender.Send({0xB4, 64, 127});
  sender.Send({0x84, 60, 0});
  sender.Send({0x94, 64, 99});  // held when the keyboard goes away
  auto pump = [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); };
  std::vector<MidiBytes> heard = receiver.Wait(7, 5000, pump);
  ASSERT_EQ(heard.size(), 7u);
  EXPECT_THAT(std::vector<MidiBytes>(heard.begin() + 3, heard.end()),
              ElementsAre(MidiBytes{0x91, 60, 33}, MidiBytes{0xB1, 64, 127},
                          MidiBytes{0x81, 60, 64}, MidiBytes{0x91, 64, 99}));
  ASSERT_FALSE(display.threads.empty());
  for (const auto& thread : display.threads) EXPECT_EQ(thread, std::this_thread::get_id());

  // The keyboard goes away: reported once, and nothing it started keeps sounding.
  sender.Close();
  ASSERT_TRUE(RunUntil([&] { return !view.lost.empty(); }, 5000));
  heard = receiver.Wait(9, 5000, pump);
  EXPECT_THAT(std::vector<MidiBytes>(heard.begin() + 7, heard.end()),
              ElementsAre(MidiBytes{0x81, 64, 64}, MidiBytes{0xB1, 64, 0}));
  RunUntil([] { return false; }, 300);
  EXPECT_THAT(view.lost, ElementsAre("kirivane-sender:out"));
  EXPECT_EQ(state.midi_in.MidiInPort, "");
  EXPECT_EQ(input.OpenPort(), "");
}

TEST_F(MidiInputTest, AJackServerThatGoesAwayTakesItsPortsWithIt) {
  PlayerState state;
  testing::FakeSurface surface;
  KeyboardDisplay display(state, surface);
  testing::FakeMidiOut out;
  MidiMode midi(state, out);
  RtMidiInput input("Kirivane", 100);
  MidiThru thru(state, midi, input, display);
  LostPortView view;
  thru.SetView(&view);
  ASSERT_TRUE(thru.SelectPort(sender.PortName()));
  // A client of a dead server still sees the ports it saw; the input must not.
  server.Stop();
  ASSERT_TRUE(RunUntil([&] { return !view.lost.empty(); }, 3000));
  EXPECT_THAT(view.lost, ElementsAre("kirivane-sender:out"));
  EXPECT_EQ(state.midi_in.MidiInPort, "");
  EXPECT_THAT(input.PortNames(), Not(Contains("kirivane-sender:out")));
  EXPECT_THAT(input.Notes(), ::testing::HasSubstr("JACK: the server went away"));
}

}  // namespace
}  // namespace kirivane
