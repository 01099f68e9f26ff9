#pragma once

#include <string>

#include "common/basic/random_source.h"
#include "common/keymap/keymap_format.h"
#include "player/state/messages.h"
#include "player/state/player_state.h"

namespace kirivane {

inline constexpr char kDefaultKeyMapName[] = "default.keys";
inline constexpr char kModKeyMapName[] = "modkeys.keys";
inline constexpr char kPositionKeyMapName[] = "Position.keys";
inline constexpr char kStraightKeyMapName[] = "straight.keys";
inline constexpr char kRandomKeyMapName[] = "rand.keys";

// Full path of a key map in the program folder.
std::string ProgramKeyMapPath(const std::string& program_folder, const std::string& name);

// The key-map menu entry that carries the check mark for a key map file: the built-in maps
// compared by full path without regard to case; any other file checks none.
enum class KeyMapMenuEntry { kNone, kDefault, kMod, kPosition };
KeyMapMenuEntry UpdateKeyMapMenu(const std::string& key_map_file,
                                 const std::string& program_folder);

// What the key map menu shows: the check mark on the key map in use.
class KeyMapView {
 public:
  virtual ~KeyMapView() = default;
  virtual void CheckKeyMapMenu(KeyMapMenuEntry /*entry*/) {}
};

enum class KeyMapLoadResult {
  kLoaded,         // the file asked for is in use
  kDefaultLoaded,  // it was missing or broken; the default key map is in use instead
  kFatal,          // not even the default key map could be loaded: close the program
};

// Replaces the key map (KeyIndexOfCode entries 1..254 and the 37 labels) by the file's. A file
// that cannot be read, has a line of fewer than three fields or a key code the table cannot
// hold is rejected as a whole, and the default key map is loaded in its place. A missing file
// is reported in an information box (then the default map is loaded); a missing or broken
// default map in a critical one (then the program must close).
KeyMapLoadResult LoadKeyMap(PlayerState& state, const std::string& path, RandomSource& random,
                            Messages& messages, KeyMapView& view);

// Binds the records' codes to keys and sets the labels of bound keys, on top of what the table
// holds (a record at position 0 binds its code to a key drawn at random). False, part way
// through, when a record's code is one the table cannot hold: the whole map must be refused.
bool ApplyKeyMapRecords(const std::vector<KeyMapRecord>& records, RandomSource& random,
                        InputState& input);

// Key number 7..43 bound to a virtual-key code, 0 when none (or the code is outside 0..255).
int KeyIndexOf(const InputState& input, int code);

}  // namespace kirivane
