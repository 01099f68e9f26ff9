// Timing of live playback: a dense performance played through the playback engine and the
// precise-timer driver, in real time, into a MIDI output that stamps every message with the
// steady clock in microseconds. Reports how late each message left against its schedule
// (median, 99th percentile, maximum) and the processor time the process used meanwhile.
//
//   playback_timing_bench                         # the 60-second performance
//   playback_timing_bench --benchmark_filter=/5   # a 5-second check
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/system_clock.h"
#include "player/midi/midi_mode.h"
#include "player/performance/playback_engine.h"
#include "player/performance/playback_timer_qt.h"

namespace kirivane {
namespace {

std::int64_t SteadyMicros() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t CpuMicros() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto micros = [](const timeval& t) { return std::int64_t{t.tv_sec} * 1000000 + t.tv_usec; };
  return micros(usage.ru_utime) + micros(usage.ru_stime);
}

// Stamps every message with the steady clock and the event it belongs to.
class StampingMidiOut : public MidiOut {
 public:
  explicit StampingMidiOut(const PlayerState& state) : state_(state) {}
  std::vector<std::string> DeviceNames() override { return {}; }
  int Open(int) override { return 0; }
  bool IsOpen() const override { return true; }
  void SendShort(std::uint32_t) override {
    stamps.push_back({SteadyMicros(), state_.performance.PlayIndex});
  }
  void SendLong(const std::vector<std::uint8_t>&) override {}
  void Reset() override {}
  void Close() override {}
  std::string ErrorText(int) override { return {}; }

  struct Stamp {
    std::int64_t at_us;
    std::int32_t event;
  };
  std::vector<Stamp> stamps;

 private:
  const PlayerState& state_;
};

// Two hands for `seconds`: a chord every 250 ms held for 200 ms, a melody of sixteenths
// (125 ms) with offs after 100 ms, and the damper changed every two seconds. About 35 events a
// second at 24 distinct times a second.
void LoadDensePerformance(PlayerState& state, int seconds) {
  struct Timed {
    int at, note, kind, velocity;
  };
  std::vector<Timed> events;
  for (int t = 0; t < seconds * 1000; t += 250) {
    for (int k = 0; k < 3; ++k) {
      events.push_back({t, 48 + (t / 250) % 12 + 4 * k, kEventNoteOn, 70});
      events.push_back({t + 200, 48 + (t / 250) % 12 + 4 * k, kEventNoteOff, 0});
    }
  }
  for (int t = 0; t < seconds * 1000; t += 125) {
    events.push_back({t + 3, 72 + (t / 125) % 15, kEventNoteOn, 90});
    events.push_back({t + 103, 72 + (t / 125) % 15, kEventNoteOff, 0});
  }
  for (int t = 0; t < seconds * 1000; t += 2000) {
    events.push_back({t + 1, 0, kEventDamperDown, 0});
    events.push_back({t + 1900, 0, kEventDamperUp, 0});
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const Timed& a, const Timed& b) { return a.at < b.at; });
  state.performance.ClockTime = 1;
  state.events.Recreate(events.size() + 1);
  int previous = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    state.events.Set(i, events[i].at - previous, events[i].note, events[i].kind,
                     events[i].velocity);
    previous = events[i].at;
  }
  state.events.Set(events.size(), 100, 60, kEventEndMark, 0);
  state.events.EventCount = static_cast<std::int32_t>(events.size() + 1);
  state.events.RecomputeTimes(1);
}

class QuitWhenEnded : public PlaybackHost {
 public:
  explicit QuitWhenEnded(QEventLoop& loop) : loop_(loop) {}
  void PlaybackEnded() override { loop_.quit(); }

 private:
  QEventLoop& loop_;
};

double Percentile(std::vector<std::int64_t> sorted, double fraction) {
  if (sorted.empty()) return 0;
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
  return static_cast<double>(sorted[index]);
}

void BM_PlaybackTiming(benchmark::State& bench) {
  static int argc = 1;
  static char name[] = "playback_timing_bench";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  const int seconds = static_cast<int>(bench.range(0));
  for (auto _ : bench) {
    PlayerState state;
    LoadDensePerformance(state, seconds);
    SystemClock clock;
    StampingMidiOut out(state);
    MidiMode midi(state, out);
    QEventLoop loop;
    QuitWhenEnded host(loop);
    PlaybackEngine engine(state, midi, clock, &host);
    PlaybackTimer timer(engine);
    const std::int64_t cpu_before = CpuMicros();
    const std::int64_t wall_before = SteadyMicros();
    state.performance.PlayStop = 0;
    engine.Start();
    loop.exec();
    const std::int64_t wall = SteadyMicros() - wall_before;
    const std::int64_t cpu = CpuMicros() - cpu_before;

    // The schedule: event i is due when the millisecond ClockStart + EvTimeMs[i] begins.
    const std::int64_t start_ms =
        wall_before / 1000 -
        static_cast<std::uint32_t>(static_cast<std::uint32_t>(wall_before / 1000) -
                                   state.performance.ClockStart);
    std::vector<std::int64_t> errors;
    for (const auto& stamp : out.stamps) {
      if (stamp.event >= state.performance.PlayLength) continue;  // the notes off at the end
      const std::int64_t due_us =
          (start_ms + state.events.EvTimeMs[static_cast<std::size_t>(stamp.event)]) * 1000;
      errors.push_back(stamp.at_us - due_us);
    }
    std::sort(errors.begin(), errors.end());
    bench.counters["messages"] = static_cast<double>(errors.size());
    bench.counters["late_median_us"] = Percentile(errors, 0.5);
    bench.counters["late_p99_us"] = Percentile(errors, 0.99);
    bench.counters["late_max_us"] = errors.empty() ? 0 : static_cast<double>(errors.back());
    bench.counters["early_max_us"] = errors.empty() ? 0 : static_cast<double>(-errors.front());
    const auto over_ms =
        std::count_if(errors.begin(), errors.end(), [](std::int64_t e) { return e > 1000; });
    bench.counters["late_over_1ms_percent"] =
        errors.empty() ? 0
                       : 100.0 * static_cast<double>(over_ms) / static_cast<double>(errors.size());
    bench.counters["cpu_percent"] = 100.0 * static_cast<double>(cpu) / static_cast<double>(wall);
    bench.SetIterationTime(static_cast<double>(wall) / 1e6);
  }
}
BENCHMARK(BM_PlaybackTiming)
    ->Arg(60)
    ->Arg(5)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace kirivane
