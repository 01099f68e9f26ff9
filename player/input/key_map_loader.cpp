#include "player/input/key_map_loader.h"

#include <algorithm>

#include "common/basic/path_kind.h"
#include "common/basic/text_rules.h"
#include "common/keymap/keymap_format.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kKeyCount = 37;
constexpr int kFirstKeyNumber = 7;

bool SamePathNoCase(const std::string& a, const std::string& b) {
  return ToUpperAscii(a) == ToUpperAscii(b);
}

}  // namespace

bool ApplyKeyMapRecords(const std::vector<KeyMapRecord>& records, RandomSource& random,
                        InputState& input) {
  for (const auto& record : records) {
    const auto p = record.position;
    const auto c = record.code;
    if (p == 0) {
      if (c < 0 || c > 255) return false;
      const int drawn = static_cast<int>(IntegerPart(random.NextFraction() * kKeyCount));
      input.KeyIndexOfCode[static_cast<std::size_t>(c)] =
          kFirstKeyNumber + std::min(std::max(drawn, 0), kKeyCount - 1);
    } else if (p >= 1 && p <= kKeyCount && c >= 1) {
      if (c > 255) return false;
      input.KeyIndexOfCode[static_cast<std::size_t>(c)] = static_cast<std::int32_t>(p + 6);
      input.KeyLabels[static_cast<std::size_t>(p - 1)] = KeyLabelOf(record.label);
    }
  }
  return true;
}

std::string ProgramKeyMapPath(const std::string& program_folder, const std::string& name) {
  return program_folder + "/" + name;
}

KeyMapMenuEntry UpdateKeyMapMenu(const std::string& key_map_file,
                                 const std::string& program_folder) {
  if (SamePathNoCase(key_map_file, ProgramKeyMapPath(program_folder, kDefaultKeyMapName))) {
    return KeyMapMenuEntry::kDefault;
  }
  if (SamePathNoCase(key_map_file, ProgramKeyMapPath(program_folder, kModKeyMapName))) {
    return KeyMapMenuEntry::kMod;
  }
  if (SamePathNoCase(key_map_file, ProgramKeyMapPath(program_folder, kPositionKeyMapName))) {
    return KeyMapMenuEntry::kPosition;
  }
  return KeyMapMenuEntry::kNone;
}

KeyMapLoadResult LoadKeyMap(PlayerState& state, const std::string& path, RandomSource& random,
                            Messages& messages, KeyMapView& view) {
  auto& input = state.input;
  for (int code = 1; code <= 254; ++code) input.KeyIndexOfCode[code] = 0;
  input.KeyLabels.fill(std::string());

  if (!PathExists(path)) {
    messages.ShowError(ReplacePlaceholder(LangText(state.app, kLangKeyMapNotFound), path), false,
                       LangText(state.app, kLangKeyMapErrorTitle));
  }
  bool loaded = false;
  if (PathKind(path) == 1) {
    if (const auto text = ReadKeyMapFile(path)) {
      loaded = text->ok() && ApplyKeyMapRecords(text->records, random, input);
    }
  }
  if (loaded) {
    input.KeyMapFile = path;
    view.CheckKeyMapMenu(UpdateKeyMapMenu(path, state.app.ProgramFolder));
    return KeyMapLoadResult::kLoaded;
  }

  const std::string default_path = ProgramKeyMapPath(state.app.ProgramFolder, kDefaultKeyMapName);
  if (!SamePathNoCase(path, default_path)) {
    input.KeyMapFile = default_path;
    const auto fallback = LoadKeyMap(state, default_path, random, messages, view);
    return fallback == KeyMapLoadResult::kFatal ? fallback : KeyMapLoadResult::kDefaultLoaded;
  }
  for (int code = 1; code <= 254; ++code) input.KeyIndexOfCode[code] = 0;
  input.KeyLabels.fill(std::string());
  messages.ShowError(
      ReplacePlaceholder(LangText(state.app, kLangStandardKeyMapError), state.app.AppTitle), true,
      LangText(state.app, kLangStandardKeyMapErrorTitle));
  return KeyMapLoadResult::kFatal;
}

int KeyIndexOf(const InputState& input, int code) {
  if (code < 0 || code > 255) return 0;
  return input.KeyIndexOfCode[static_cast<std::size_t>(code)];
}

}  // namespace kirivane
