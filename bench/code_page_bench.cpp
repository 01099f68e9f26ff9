// Code page conversion and language loading happen at start-up and on every typed key of the
// byte-limited text fields; these measure them on text of a language file's size.
#include <benchmark/benchmark.h>

#include <string>

#include "common/basic/code_page.h"
#include "fakes/test_paths.h"
#include "player/state/language_table.h"

namespace kirivane {
namespace {

// About 20 KB of mixed Japanese and ASCII text, as UTF-8.
std::string JapaneseText() {
  std::string text;
  while (text.size() < 20000) {
    text += "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E Piano \xEF\xBD\xB1\xEF\xBD\xB2 ";
    text += "\xE3\x82\xA2\xE3\x82\xB3\xE3\x83\xBC\xE3\x82\xB9\xE3\x83\x86\xE3\x82\xA3\r\n";
  }
  return text;
}

void BM_DecodeCp932(benchmark::State& state) {
  const std::string bytes = EncodeCp932(JapaneseText());
  for (auto _ : state) benchmark::DoNotOptimize(DecodeToUtf8(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeCp932);

void BM_CheckUtf8(benchmark::State& state) {
  const std::string text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(DecodeToUtf8(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CheckUtf8);

void BM_EncodeCp932(benchmark::State& state) {
  const std::string text = JapaneseText();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeCp932(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_EncodeCp932);

void BM_LoadJapaneseLanguageFile(benchmark::State& state) {
  const std::string folder = testing::ProgramDir();
  AppState app;
  for (auto _ : state) benchmark::DoNotOptimize(LoadLanguage(folder, 0, app));
}
BENCHMARK(BM_LoadJapaneseLanguageFile);

}  // namespace
}  // namespace kirivane
