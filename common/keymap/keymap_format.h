#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirivane {

// One record of a ".keys" file: position TAB label TAB key code. The player and the key map
// editor read the same records and apply their own rules to them.
struct KeyMapRecord {
  std::int64_t position = 0;  // 1..37 binds a key, 0 asks for a random key
  std::string label;          // as written, quotes and all
  std::int64_t code = 0;      // virtual-key code
};

// What reading the text of a ".keys" file gives: the records of the non-empty lines in order,
// or the 1-based number of the first line that has fewer than three fields.
struct KeyMapText {
  std::vector<KeyMapRecord> records;
  int bad_line = 0;  // 0 when every non-empty line has three fields
  bool ok() const { return bad_line == 0; }
};

// The number a field starts with, cut toward zero: leading blanks skipped, the longest leading
// number taken, 0 when there is none. Values beyond the 32-bit range are held at its ends.
std::int64_t KeyMapNumber(std::string_view field);

// Splits the text into records. CR LF and LF both end a line; empty lines are skipped; fields
// after the third are ignored.
KeyMapText ParseKeyMapText(std::string_view contents);

// Reads a ".keys" file (UTF-8, or code page 932 from older installations); nothing when the
// file cannot be read.
std::optional<KeyMapText> ReadKeyMapFile(const std::string& path);

// A label as shown on a key: every double quote removed, then the first two characters
// (UTF-8 characters, not bytes).
std::string KeyLabelOf(std::string_view label);

// The text of a ".keys" file for these records, one CR LF line each, in the order given.
// Fails (returns nothing, with the reason in *error) when a position lies outside 0..37 or a
// code outside 1..255; tabs and line breaks in labels are dropped so the file stays readable.
std::optional<std::string> FormatKeyMapText(const std::vector<KeyMapRecord>& records,
                                            std::string* error = nullptr);

// Writes the records as a ".keys" file through a temporary file renamed over the target.
// Returns false, with the reason in *error, and leaves any old file untouched on failure.
bool WriteKeyMapFile(const std::string& path, const std::vector<KeyMapRecord>& records,
                     std::string* error = nullptr);

}  // namespace kirivane
