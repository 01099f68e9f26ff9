#include "player/input/key_map_commands.h"

#include "player/state/language_table.h"

namespace kirivane {

KeyMapLoadResult RunKeyMapCommand(PlayerState& state, const std::string& path, int wave_resource,
                                  RandomSource& random, KeyMapNotices& notices, InputWindow& window,
                                  KeyboardView& view) {
  const auto result = LoadKeyMap(state, path, random, notices);
  if (result == KeyMapLoadResult::kFatal) return result;
  window.PlaySound(wave_resource);
  if (state.input.DrawWhileHooked == -1 || state.input.HookActive != -1) {
    view.RedrawKeyboard();
  } else {
    view.ShowKeyboardMessage(LangText(state.app, 284).c_str());
  }
  return result;
}

}  // namespace kirivane
