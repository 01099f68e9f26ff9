#include "player/input/key_map_commands.h"

#include "player/state/language_table.h"

namespace kirivane {

KeyMapLoadResult KeyMapCommands::LoadAtStart() {
  if (state_.input.KeyMapFile.empty()) {
    state_.input.KeyMapFile = ProgramKeyMapPath(state_.app.ProgramFolder, kDefaultKeyMapName);
  }
  return Load(state_.input.KeyMapFile);
}

KeyMapLoadResult KeyMapCommands::LoadBuiltIn(const std::string& name) {
  return LoadWithSound(ProgramKeyMapPath(state_.app.ProgramFolder, name), kWaveKeyMapBuiltIn);
}

KeyMapLoadResult KeyMapCommands::LoadFile(const std::string& path) {
  return LoadWithSound(path, kWaveKeyMapFile);
}

KeyMapLoadResult KeyMapCommands::LoadDefault() {
  return Load(ProgramKeyMapPath(state_.app.ProgramFolder, kDefaultKeyMapName));
}

KeyMapLoadResult KeyMapCommands::Load(const std::string& path) {
  const KeyMapLoadResult result = LoadKeyMap(state_, path, random_, *messages_, *view_);
  if (result == KeyMapLoadResult::kFatal) window_->CloseProgram();
  return result;
}

KeyMapLoadResult KeyMapCommands::LoadWithSound(const std::string& path, int wave_resource) {
  const KeyMapLoadResult result = Load(path);
  if (result == KeyMapLoadResult::kFatal) return result;
  sounds_.Play(wave_resource);
  if (state_.input.DrawWhileHooked == -1 || state_.input.HookActive != -1) {
    keyboard_.RedrawKeyboard();
  } else {
    keyboard_.ShowKeyboardMessage(LangText(state_.app, 284).c_str());
  }
  return result;
}

}  // namespace kirivane
