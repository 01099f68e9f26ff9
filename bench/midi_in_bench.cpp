// A note from a MIDI keyboard to the output: a JACK client plays into the player's RtMidi input
// on a private `jackd -d dummy`; the message crosses the hand-over queue, wakes the UI thread's
// event loop, is drained there, played through (drawn on the keyboard image) and handed to the
// output device (an RtMidi JACK output port). Timed from the end of the sending client's process
// cycle to the return of the output's SendShort, per note; median and p99 are reported as
// counters (microseconds). Delivery from the output port to the next client happens in the next
// JACK cycle and is not the player's to shorten, so it is not part of the time.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
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
  if (!thru.SelectPort(keyboard.PortName())) {
    bench.SkipWithError("the sending client's port cannot be opened");
    return;
  }
  QTimer give_up;  // wakes the loop should a note never arrive
  give_up.setInterval(1000);
  std::vector<double> micros;
  int note = 48;
  bool on = true;
  for (auto _ : bench) {
    const long before = out.sent;
    keyboard.Send(
        {static_cast<std::uint8_t>(on ? 0x90 : 0x80), static_cast<std::uint8_t>(note), 100});
    give_up.start();
    while (out.sent == before && give_up.isActive()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (out.sent == before) {
      bench.SkipWithError("a note did not arrive within a second");
      break;
    }
    const double seconds = static_cast<double>(out.last_ns - keyboard.LastWriteNs()) * 1e-9;
    bench.SetIterationTime(seconds);
    micros.push_back(seconds * 1e6);
    if (!on) note = note == 84 ? 48 : note + 1;
    on = !on;
  }
  thru.ReleaseAll();
  bench.counters["median_us"] = Percentile(micros, 0.5);
  bench.counters["p99_us"] = Percentile(micros, 0.99);
  bench.counters["max_us"] = Percentile(micros, 1.0);
}
BENCHMARK(BM_MidiInNoteToOutput)->UseManualTime()->Iterations(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kirivane
