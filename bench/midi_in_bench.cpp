// A note from a MIDI keyboard to the output: a JACK client plays into the player's RtMidi input
// on a private `jackd -d dummy`; the message crosses the hand-over queue, wakes the UI thread's
// event loop, is drained there, played through (drawn on the keyboard image) and handed to the
// output device (an RtMidi JACK output port). Timed from the end of the sending client's process
// cycle to the return of the output's SendShort, per note; median and p99 are reported as
// counters (microseconds), beside the time JACK alone takes to hand the same message to another
// client (jack_*). Delivery from the output port to the next client happens in the next JACK
// cycle and is not the player's to shorten, so it is not part of the time.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <vector>

#include "common/keyboard/qimage_surface_qt.h"
#include "platform/midi/jack_clients.h"
#include "platform/midi/jack_server.h"
#include "platform/midi/rtmidi_input.h"
#include "platform/midi/system_midi_out.h"
#include "player/display/keyboard_display.h"
#include "player/midi/midi_thru.h"

namespace kirivane {
namespace {

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The real output, with the moment each short message has been handed to it.
class TimedMidiOut : public MidiOut {
 public:
  explicit TimedMidiOut(MidiOut& inner) : inner_(inner) {}
  std::vector<std::string> DeviceNames() override { return inner_.DeviceNames(); }
  int Open(int device_id) override { return inner_.Open(device_id); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  void SendShort(std::uint32_t packed) override {
    inner_.SendShort(packed);
    last_ns = NowNs();
    ++sent;
  }
  void SendLong(const std::vector<std::uint8_t>& bytes) override { inner_.SendLong(bytes); }
  void Reset() override { inner_.Reset(); }
  void Close() override { inner_.Close(); }
  std::string ErrorText(int error_code) override { return inner_.ErrorText(error_code); }

  std::int64_t last_ns = 0;
  long sent = 0;

 private:
  MidiOut& inner_;
};

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[index];
}

// A second JACK client listening to the same sending port, whose RtMidi callback notes when a
// message got there: how long JACK itself takes to hand a message to a client, the share of the
// time that is not the player's.
class JackProbe {
 public:
  bool Open(const std::string& port) {
    in_.setCallback(&JackProbe::OnMessage, this);
    for (unsigned number = 0; number < in_.getPortCount(); ++number) {
      if (in_.getPortName(number) == port) in_.openPort(number, "probe");
    }
    return in_.isPortOpen();
  }
  std::int64_t LastNs() const { return last_ns_.load(); }

 private:
  static void OnMessage(double, std::vector<unsigned char>*, void* self) {
    static_cast<JackProbe*>(self)->last_ns_.store(NowNs());
  }
  RtMidiIn in_{RtMidi::UNIX_JACK, "kirivane-probe"};
  std::atomic<std::int64_t> last_ns_{0};
};

struct NoteTimes {
  std::vector<double> micros;       // per message that arrived: sender to output
  std::vector<double> jack_micros;  // the same messages: sender to the probe's callback
  int lost = 0;                     // sent but never delivered to the player in its JACK cycle
};

// Plays `count` note-ons and note-offs one at a time, each timed from the sending client's
// cycle to the output. Under load a JACK cycle can end before the player's client ran (an
// xrun); the message of that cycle never reaches the player. Such a note is counted as lost and
// what sounds is ended before the next.
NoteTimes PlayNotes(testing::JackSender& keyboard, JackProbe& probe, TimedMidiOut& out,
                    MidiThru& thru, int count) {
  NoteTimes times;
  QTimer give_up;  // wakes the loop should a message never arrive
  give_up.setSingleShot(true);
  give_up.setInterval(250);
  int note = 48;
  bool on = true;
  for (int i = 0; i < count; ++i) {
    const long before = out.sent;
    keyboard.Send(
        {static_cast<std::uint8_t>(on ? 0x90 : 0x80), static_cast<std::uint8_t>(note), 100});
    give_up.start();
    while (out.sent == before && give_up.isActive()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    give_up.stop();
    if (out.sent == before) {
      ++times.lost;
      thru.ReleaseAll();
      on = true;
      continue;
    }
    times.micros.push_back(static_cast<double>(out.last_ns - keyboard.LastWriteNs()) * 1e-3);
    times.jack_micros.push_back(static_cast<double>(probe.LastNs() - keyboard.LastWriteNs()) *
                                1e-3);
    if (!on) note = note == 84 ? 48 : note + 1;
    on = !on;
  }
  return times;
}

void BM_MidiInNoteToOutput(benchmark::State& bench) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "midi_in_bench";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  testing::JackServer server;
  testing::JackSender keyboard;
  testing::JackReceiver synthesizer;
  std::string error;
  if (!server.Start(10000, &error) || !keyboard.Open(&error) || !synthesizer.Open(&error)) {
    bench.SkipWithError(error.c_str());
    return;
  }
  SystemMidiOut device({kDefaultSoundFont, "", 48000});
  const auto outputs = device.DeviceNames();
  const auto port = std::find(outputs.begin(), outputs.end(), "kirivane-receiver:in");
  TimedMidiOut out(device);
  PlayerState state;
  state.layout.DisplayMode = 0;
  MidiMode midi(state, out);
  if (port == outputs.end() || midi.OpenMidiOut(static_cast<int>(port - outputs.begin())) != 0) {
    bench.SkipWithError("the JACK output port cannot be opened");
    return;
  }
  QImageSurface surface;
  KeyboardDisplay display(state, surface);
  display.RedrawKeyboard();
  RtMidiInput input;
  MidiThru thru(state, midi, input, display);
  JackProbe probe;
  if (!thru.SelectPort(keyboard.PortName()) || !probe.Open(keyboard.PortName())) {
    bench.SkipWithError("the sending client's port cannot be opened");
    return;
  }
  for (auto _ : bench) {
    const NoteTimes times = PlayNotes(keyboard, probe, out, thru, 1000);
    if (times.micros.empty()) {
      bench.SkipWithError("no note arrived");
      break;
    }
    double total = 0.0;
    for (double value : times.micros) total += value;
    bench.SetIterationTime(total * 1e-6 / static_cast<double>(times.micros.size()));
    bench.counters["notes"] = static_cast<double>(times.micros.size());
    bench.counters["median_us"] = Percentile(times.micros, 0.5);
    bench.counters["p99_us"] = Percentile(times.micros, 0.99);
    bench.counters["max_us"] = Percentile(times.micros, 1.0);
    bench.counters["lost_in_jack"] = times.lost;
    bench.counters["jack_median_us"] = Percentile(times.jack_micros, 0.5);
    bench.counters["jack_p99_us"] = Percentile(times.jack_micros, 0.99);
  }
  thru.ReleaseAll();
}
// One iteration plays the notes; its time is their mean, the counters the rest.
BENCHMARK(BM_MidiInNoteToOutput)->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kirivane
