// libFuzzer target: a ".keys" file as Clavimap reads it, written back and read again.
// Built and run by tests/e2e/fuzz_test.sh (clang++ -fsanitize=fuzzer,address).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/basic/code_page.h"
#include "common/keymap/keymap_format.h"
#include "editor/editor_key_map.h"

namespace {

using namespace kirivane;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string WithoutBreaks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '\r' && c != '\n' && c != '\t') out += c;
  }
  return out;
}

void CheckConsistent(const EditorKeyMap& map) {
  for (int code = 0; code < kEditorCodeCount; ++code) {
    const int owner = map.code_owner[static_cast<std::size_t>(code)];
    Check(owner >= -1 && owner < kEditorKeyCount);
    Check(owner == -1 || code >= 1);
  }
  for (const EditorKey& key : map.keys) {
    Check(key.caption == key.label && KeyLabelOf(key.caption) == key.caption);
    bool gap = false;
    for (const EditorSlot& slot : key.slots) {
      Check(slot.name.empty());
      if (slot.code.empty()) {
        gap = true;
        continue;
      }
      Check(!gap);  // slots fill from the first
      const auto code = KeyMapNumber(slot.code);
      Check(code >= 1 && code < kEditorCodeCount && std::to_string(code) == slot.code);
      Check(map.code_owner[static_cast<std::size_t>(code)] != -1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto map = EditorKeyMapFromText(ParseKeyMapText(DecodeToUtf8(WithoutUtf8Mark(bytes))));
  if (!map) return 0;
  CheckConsistent(*map);
  // What Clavimap writes it reads again, and writes again the same lines (breaks and tabs in a
  // caption are dropped on the first write).
  const std::vector<KeyMapRecord> records = EditorKeyMapRecords(*map);
  const auto written = FormatKeyMapText(records);
  Check(written.has_value());
  const auto again = EditorKeyMapFromText(ParseKeyMapText(DecodeToUtf8(*written)));
  Check(again.has_value());
  CheckConsistent(*again);
  const std::vector<KeyMapRecord> rewritten = EditorKeyMapRecords(*again);
  Check(rewritten.size() == records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    Check(rewritten[i].position == records[i].position && rewritten[i].code == records[i].code);
    Check(rewritten[i].label == WithoutBreaks(records[i].label));
  }
  return 0;
}
