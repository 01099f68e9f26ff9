#include "editor/editor_key_map.h"

#include "common/basic/text_rules.h"

namespace kirivane {

std::optional<EditorKeyMap> EditorKeyMapFromText(const KeyMapText& text) {
  if (!text.ok()) return std::nullopt;
  EditorKeyMap map;
  std::array<int, kEditorKeyCount> lines_of_key{};
  for (const auto& record : text.records) {
    if (record.position <= 0 || record.position > kEditorKeyCount || record.code < 1) continue;
    // The player rejects a file with a code above 255, so such a file is not taken in either.
    if (record.code >= kEditorCodeCount) return std::nullopt;
    const int key = static_cast<int>(record.position) - 1;
    if (lines_of_key[key] == kEditorLinesPerKey) return std::nullopt;
    const std::string label = KeyLabelOf(record.label);
    if (!label.empty()) {
      map.keys[key].label = label;
      map.keys[key].caption = label;
    }
    map.code_owner[record.code] = key;
    if (lines_of_key[key] < kEditorSlotCount) {
      map.keys[key].slots[lines_of_key[key]].code = std::to_string(record.code);
    }
    ++lines_of_key[key];
  }
  return map;
}

std::optional<EditorKeyMap> ReadEditorKeyMap(const std::string& path) {
  const auto text = ReadKeyMapFile(path);
  if (!text) return std::nullopt;
  return EditorKeyMapFromText(*text);
}

std::vector<KeyMapRecord> EditorKeyMapRecords(const EditorKeyMap& map) {
  std::vector<KeyMapRecord> records;
  for (int key = 0; key < kEditorKeyCount; ++key) {
    for (const auto& slot : map.keys[key].slots) {
      if (slot.code.empty()) continue;
      records.push_back({key + 1, map.keys[key].caption, KeyMapNumber(slot.code)});
    }
  }
  return records;
}

bool WriteEditorKeyMap(const std::string& path, const EditorKeyMap& map) {
  return WriteKeyMapFile(path, EditorKeyMapRecords(map));
}

std::string WithKeysExtension(const std::string& path) {
  return EndsWithNoCase(path, ".keys") ? path : path + ".keys";
}

}  // namespace kirivane
