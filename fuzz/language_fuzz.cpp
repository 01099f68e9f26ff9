// libFuzzer target: a language file as the player reads it (any code page, any line ends).
// Built and run by tests/e2e/fuzz_test.sh (clang++ -fsanitize=fuzzer,address).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/basic/code_page.h"
#include "common/basic/text_file.h"
#include "player/state/language_table.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirivane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = DecodeToUtf8(WithoutUtf8Mark(bytes));
  Check(IsValidUtf8(text));
  AppState app;
  app.LangTable.assign(3, "left from before");
  FillLangTable(SplitLines(text), app);
  Check(app.LangTable.size() == static_cast<std::size_t>(kLangEntryCount));
  Check(LangText(app, kLangEntryCount - 1).empty() && LangText(app, kLangEntryCount).empty());
  Check(LangText(app, -1).empty());
  for (const std::string& entry : app.LangTable) {
    // Every escaped line break became a real one; no line of the file spills into the next.
    Check(entry.find("\\n") == std::string::npos);
    for (std::size_t at = entry.find('\n'); at != std::string::npos;
         at = entry.find('\n', at + 1)) {
      Check(at > 0 && entry[at - 1] == '\r');
    }
    Check(IsValidUtf8(entry));
  }
  // A placeholder filled with text that itself holds "%1" is filled once.
  const std::string filled = ReplacePlaceholder(LangText(app, 0), "%1");
  Check(filled.size() == LangText(app, 0).size());
  return 0;
}
