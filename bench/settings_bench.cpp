// Reading and writing the settings file, as the player does once at start and once at close,
// and the display-mode switch that runs on every F2/F3/F4.
#include <benchmark/benchmark.h>

#include "player/layout/display_modes.h"
#include "player/settings/settings_file.h"

namespace {

std::string SavedSettings() {
  kirivane::PlayerState state;
  state.app.ProgramFolder = "/opt/kirivane";
  state.layout.DisplayMode = 0;
  kirivane::IniFile file("; kept by hand\r\n[Option]\r\nClock=3\r\nMidiReadEx=1\r\n");
  kirivane::SaveSettings(state, {1500, 900}, file);
  return file.Text();
}

void BM_LoadSettings(benchmark::State& bench) {
  const std::string text = SavedSettings();
  for (auto _ : bench) {
    kirivane::PlayerState state;
    kirivane::IniFile file(text);
    benchmark::DoNotOptimize(kirivane::LoadSettings(state, file));
  }
}
BENCHMARK(BM_LoadSettings);

void BM_SaveSettings(benchmark::State& bench) {
  const std::string text = SavedSettings();
  kirivane::PlayerState state;
  state.layout.DisplayMode = 0;
  for (auto _ : bench) {
    kirivane::IniFile file(text);
    kirivane::SaveSettings(state, {1500, 900}, file);
    benchmark::DoNotOptimize(file.Text());
  }
}
BENCHMARK(BM_SaveSettings);

void BM_DisplayModeCycle(benchmark::State& bench) {
  kirivane::PlayerState state;
  int mode = 0;
  for (auto _ : bench) {
    state.layout.RequestedDisplayMode = mode;
    benchmark::DoNotOptimize(kirivane::PlanDisplayMode(state, {300, 450}));
    mode = (mode + 1) % 3;
  }
}
BENCHMARK(BM_DisplayModeCycle);

}  // namespace
