#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/keymap/keymap_format.h"

namespace kirivane {

inline constexpr int kEditorKeyCount = 37;     // keys of the on-screen keyboard
inline constexpr int kEditorSlotCount = 4;     // computer keys per key shown and written
inline constexpr int kEditorLinesPerKey = 11;  // lines one key may have in a file read
inline constexpr int kEditorCodeCount = 256;   // virtual-key codes 0..255

// One computer key assigned to a key: its code as decimal text (empty = slot unused) and its
// name as shown ("A", "BS"; empty for keys read from a file).
struct EditorSlot {
  std::string code;
  std::string name;
  bool operator==(const EditorSlot&) const = default;
};

struct EditorKey {
  std::array<EditorSlot, kEditorSlotCount> slots;
  std::string caption;  // the label written to the file
  std::string label;    // the label drawn on the key; follows the caption box while edited
};

// The key map as Clavimap holds it. A code may belong to one key only: code_owner names the
// key index 0..36 that holds it, or -1.
struct EditorKeyMap {
  EditorKeyMap() { code_owner.fill(-1); }
  std::array<EditorKey, kEditorKeyCount> keys;
  std::array<int, kEditorCodeCount> code_owner;
};

// Clavimap's reading of a ".keys" text. Lines whose position lies outside 1..37 (the random
// position 0 among them) or whose code is below 1 are dropped; a non-empty label becomes the
// key's caption; the first four codes of a key fill its slots, and a later line for a code
// takes the code over. The whole text is rejected (nothing returned) when a line has fewer than
// three fields, a kept line has a code above 255, or a key has more than eleven lines.
std::optional<EditorKeyMap> EditorKeyMapFromText(const KeyMapText& text);

// The same for a file; nothing when it cannot be read or is rejected.
std::optional<EditorKeyMap> ReadEditorKeyMap(const std::string& path);

// The lines Clavimap writes: key by key, slot by slot, one for every slot holding a code, each
// with the key's caption.
std::vector<KeyMapRecord> EditorKeyMapRecords(const EditorKeyMap& map);

// Writes the map through a temporary file renamed over the target; false, with the old file
// untouched, when that fails.
bool WriteEditorKeyMap(const std::string& path, const EditorKeyMap& map);

// The path a save goes to: ".keys" appended unless the name already ends in it, in any case.
std::string WithKeysExtension(const std::string& path);

}  // namespace kirivane
