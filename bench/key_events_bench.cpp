// Cost of the typing-key path through the whole player: one bound key pressed and released
// (notes, key drawing, score), with and without a chord, and loading the default key map.
#include <benchmark/benchmark.h>

#include "fakes/fake_key_player.h"

namespace kirivane {
namespace {

// A player with the delivered default key map.
struct Player : testing::FakeKeyPlayer {
  Player() { LoadBuiltInMap(kDefaultKeyMapName); }
};

void ClearLogs(Player& player) {
  player.out.Clear();
  player.surface.Forget();
}

void BM_KeyPressAndRelease(benchmark::State& bench) {
  Player player;
  if (bench.range(0) != 0) player.player.chords.SelectChordSlot(static_cast<int>(bench.range(0)));
  for (auto _ : bench) {
    player.keys.Form_KeyDown('V', 0);
    player.keys.Form_KeyUp('V', 0);
    if (player.out.packed.size() > 4096) ClearLogs(player);
  }
}
BENCHMARK(BM_KeyPressAndRelease)->Arg(0)->Arg(4)->Arg(9);

void BM_LoadDefaultKeyMap(benchmark::State& bench) {
  PlayerState state;
  state.app.ProgramFolder = testing::ProgramDir();
  testing::FakeRandom random;
  testing::FakeKeyMapNotices notices;
  const auto path = ProgramKeyMapPath(state.app.ProgramFolder, kDefaultKeyMapName);
  for (auto _ : bench) {
    benchmark::DoNotOptimize(LoadKeyMap(state, path, random, notices, notices));
  }
}
BENCHMARK(BM_LoadDefaultKeyMap);

}  // namespace
}  // namespace kirivane
