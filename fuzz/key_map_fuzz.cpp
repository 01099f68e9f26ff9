// libFuzzer target: a ".keys" file as the player reads it, and the writer fed with what it read.
// Built and run by tests/e2e/fuzz_test.sh (clang++ -fsanitize=fuzzer,address).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/basic/code_page.h"
#include "common/basic/random_source.h"
#include "common/keymap/keymap_format.h"
#include "player/input/key_map_loader.h"

namespace {

using namespace kirivane;

void Check(bool condition) {
  if (!condition) std::abort();
}

class HalfwayRandom : public RandomSource {
 public:
  double NextFraction() override { return 0.5; }
};

// The player's load of a key map read from these bytes: the table emptied, then the records
// applied; false when the map is refused.
bool Load(std::string_view bytes, InputState& input) {
  const KeyMapText text = ParseKeyMapText(DecodeToUtf8(WithoutUtf8Mark(bytes)));
  HalfwayRandom random;
  return text.ok() && ApplyKeyMapRecords(text.records, random, input);
}

// What the player keeps of a record, by its own rules: nothing for a position outside 0..37 or
// (for a key) a code below 1; the whole file is refused for a code the table cannot hold.
bool Accepted(const KeyMapText& text) {
  if (!text.ok()) return false;
  for (const KeyMapRecord& record : text.records) {
    if (record.position == 0 && (record.code < 0 || record.code > 255)) return false;
    if (record.position >= 1 && record.position <= 37 && record.code > 255) return false;
  }
  return true;
}

bool Applied(const KeyMapRecord& record) {
  return record.position >= 0 && record.position <= 37 && record.code >= 1;
}

std::string WithoutBreaks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '\r' && c != '\n' && c != '\t') out += c;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const KeyMapText text = ParseKeyMapText(DecodeToUtf8(WithoutUtf8Mark(bytes)));
  Check(text.ok() || (text.records.empty() && text.bad_line >= 1));
  InputState input;
  const bool loaded = Load(bytes, input);
  Check(loaded == Accepted(text));
  if (!loaded) return 0;
  bool clean_labels = true;
  for (const std::string& label : input.KeyLabels) {
    Check(label.size() <= 8 && KeyLabelOf(label) == label);
    clean_labels = clean_labels && label == WithoutBreaks(label);
  }
  for (const std::int32_t key : input.KeyIndexOfCode) Check(key == 0 || (key >= 7 && key <= 43));
  // The records the player applies, written as a file, read back the same and load to the same
  // key map.
  std::vector<KeyMapRecord> kept;
  for (const KeyMapRecord& record : text.records) {
    if (Applied(record)) kept.push_back(record);
  }
  const auto written = FormatKeyMapText(kept);
  Check(written.has_value());
  const KeyMapText again = ParseKeyMapText(DecodeToUtf8(WithoutUtf8Mark(*written)));
  Check(again.ok() && again.records.size() == kept.size());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    Check(again.records[i].position == kept[i].position && again.records[i].code == kept[i].code);
    Check(again.records[i].label == WithoutBreaks(kept[i].label));
  }
  InputState reloaded;
  Check(Load(*written, reloaded));
  for (int code = 1; code <= 255; ++code) {
    Check(reloaded.KeyIndexOfCode[code] == input.KeyIndexOfCode[code]);
  }
  if (clean_labels) Check(reloaded.KeyLabels == input.KeyLabels);
  return 0;
}
