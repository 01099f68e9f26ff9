// libFuzzer target: the chord list (chordlist.dat) and what the chord dialog makes of its entries.
// Built and run by tests/e2e/fuzz_test.sh (clang++ -fsanitize=fuzzer,address).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/basic/code_page.h"
#include "player/chords/chord_dialog_model.h"
#include "player/chords/chord_list.h"
#include "player/chords/chord_table.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirivane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ChordListResult result = ParseChordList(bytes);
  if (result.error) {
    Check(*result.error != ChordListError::kUnreadable && result.line >= 1);
    return 0;
  }
  Check(result.line == 0);
  for (const ChordListEntry& entry : result.entries) {
    Check(entry.bold >= -32768 && entry.bold <= 32767);
    Check(entry.caption.find("\\n") == std::string::npos);
    Check(IsValidUtf8(entry.intervals) && IsValidUtf8(entry.caption));
    if (entry.intervals.empty()) continue;
    // What a button of the dialog turns the entry into: offsets in -63..63, sorted.
    for (const int inversion : {-3, -1, 0, 1, 2}) {
      const auto chord = InvertedChord(entry.intervals, inversion);
      for (std::size_t i = 0; i < chord.size(); ++i) {
        Check(chord[i] >= -63 && chord[i] <= 63);
        Check(i == 0 || chord[i - 1] <= chord[i]);
      }
      const std::string name = ChordDialogName(entry.intervals, entry.caption, inversion);
      Check(name.find('\n') == std::string::npos && name.find('\r') == std::string::npos);
    }
    for (const int offset : ChordOffsets(entry.intervals)) Check(offset >= -63 && offset <= 63);
  }
  return 0;
}
