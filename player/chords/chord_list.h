#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "player/state/app_state.h"

namespace kirivane {

inline constexpr const char* kChordListFileName = "chordlist.dat";
inline constexpr int kChordListSize = 36;  // one entry per button of the chord select dialog

// One button of the chord select dialog.
struct ChordListEntry {
  std::string intervals;  // "0,4,7"; empty for a button the file does not fill
  std::string caption;    // line breaks as CR LF (written as backslash-n in the file)
  int bold = 0;           // 1 = caption in bold; any other number = normal
  bool operator==(const ChordListEntry&) const = default;
};
using ChordList = std::array<ChordListEntry, kChordListSize>;

// Why a chord list was refused.
enum class ChordListError {
  kUnreadable,    // the file is missing or cannot be read
  kTooFewFields,  // a line without its three TAB-separated fields
  kBadBoldFlag,   // the third field is not a number
  kTooManyLines,  // more than 36 non-empty lines
};

struct ChordListResult {
  ChordList entries;
  std::optional<ChordListError> error;
  int line = 0;  // 1-based line of the file the error was found on (0 for kUnreadable)
};

// Reads the chord list from the file's bytes (UTF-8, or code page 932 from older installations;
// CR LF or LF). Empty lines are skipped; each other line is interval list TAB caption TAB bold
// flag, further fields ignored; the k-th such line fills entry k.
ChordListResult ParseChordList(std::string_view bytes);
ChordListResult LoadChordList(const std::string& path);

// program folder + "/chordlist.dat".
std::string ChordListPath(const std::string& program_folder);

// The message shown before the player closes over a broken chord list (entry 344, "%1" the
// path), under the title AppTitle.
std::string ChordListErrorText(const AppState& app, const std::string& path);

}  // namespace kirivane
