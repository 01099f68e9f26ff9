// libFuzzer target: the hand-off's drop block as a stranger might write it to the socket.
// Built and run by tests/e2e/fuzz_test.sh (clang++ -fsanitize=fuzzer,address).
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "player/shell/drop_block.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirivane;
  std::vector<std::string> files{"left from before"};
  const DropBlockError error = ReadDropBlock(std::span(data, size), files);
  if (error != DropBlockError::kNone) {
    Check(files.empty());  // a refused block gives nothing to open
    return 0;
  }
  Check(size >= kDropHeaderBytes && size <= kDropBlockMaxBytes);
  for (const std::string& file : files) {
    Check(!file.empty() && file.front() == '/' && file.size() <= kDropNameMaxBytes);
    Check(file.find('\0') == std::string::npos);
  }
  // What a second start would send for the first file reads back as that file alone.
  std::vector<std::string> again;
  const std::vector<std::uint8_t> block = BuildDropBlock(files.empty() ? "" : files.front());
  Check(ReadDropBlock(block, again) == DropBlockError::kNone);
  Check(files.empty() ? again.empty() : again == std::vector<std::string>{files.front()});
  AppState app;
  TakeDroppedFile(files, app);
  Check(app.OpenPending == 0 || app.OpenFile == files.front());
  return 0;
}
