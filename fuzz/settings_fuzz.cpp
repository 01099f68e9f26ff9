// libFuzzer target: the settings file (kirivane.ini) as the player reads and saves it.
// Built and run by tests/e2e/fuzz_test.sh (clang++ -fsanitize=fuzzer,address).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "player/settings/ini_file.h"
#include "player/settings/settings_file.h"

namespace {

using namespace kirivane;

void Check(bool condition) {
  if (!condition) std::abort();
}

PlayerState FreshState(int display_mode) {
  PlayerState state;
  state.app.ProgramFolder = "/opt/kirivane";
  state.layout.DefaultPositions = {270, 80, 180, 340};
  state.layout.DisplayMode = display_mode;
  return state;
}

// Loads the settings from the text and saves them into the same text, as a start and a close
// of the player without any change do.
std::string LoadAndSave(const std::string& text, int display_mode) {
  PlayerState state = FreshState(display_mode);
  IniFile file(text);
  const WindowPosition window = LoadSettings(state, file);
  SaveSettings(state, window, file);
  return file.Text();
}

// A chord slot saved empty: a value the file gave without an interval list leaves the slot
// empty, which is saved as an empty value, which the next start reads as the built-in chord.
bool HasEmptyChordSlot(const std::string& text) {
  for (const std::string& line : SplitLines(text)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || !TrimBlanks(line.substr(equals + 1)).empty()) continue;
    const std::string key = ToLowerAscii(TrimBlanks(line.substr(0, equals)));
    if (key.size() == 4 && key[0] >= '1' && key[0] <= '9' && key.substr(1) == "num") return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Reading never changes the file: its lines come back as they were, with CR LF ends.
  const IniFile file(text);
  Check(file.Text() == JoinLinesCrLf(SplitLines(text)));
  for (const char* key : {"MidiReadCh", "FilePath", "KeysFile", "ImagePath", "Missing"}) {
    const auto value = file.ReadString("Option", key);
    if (!value) continue;
    Check(value->size() <= kIniValueLimit && value->find('\0') == std::string::npos);
    Check(value->find('\n') == std::string::npos);
  }
  // A start and a close without changes write settings that the next start reads the same: a
  // second round changes nothing (but for an emptied chord slot, which the third round keeps).
  const int display_mode = size > 0 ? data[0] % 3 : 0;
  std::string saved = LoadAndSave(text, display_mode);
  if (HasEmptyChordSlot(saved)) saved = LoadAndSave(saved, display_mode);
  Check(LoadAndSave(saved, display_mode) == saved);
  // A value written is the value read, up to what a line can hold.
  IniFile edited(text);
  const std::string value = text.substr(0, std::min<std::size_t>(text.size(), 40));
  edited.WriteString("Option", "FilePath", value);
  const IniFile reread(edited.Text());
  const auto back = reread.ReadString("Option", "FilePath");
  Check(back.has_value());
  const std::string_view line = ValueLine(value);
  Check(*back == TrimBlanks(line.substr(0, std::min(line.find('\0'), line.size()))));
  return 0;
}
