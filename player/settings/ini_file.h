#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirivane {

// A profile (INI) file held as its lines, so that writing back keeps everything the program
// does not touch: comments, unknown keys, the user's spelling and the order of the keys.
// Section and key names match without regard to case; the first occurrence wins.
class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::string_view contents);

  // The value of a key, cut at its first NUL and to 511 bytes, blanks around it removed.
  // Nothing when the section or key is missing.
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  // A missing key or an empty value gives the default. Otherwise the value's leading decimal
  // number (optional minus sign); a value that does not begin with one gives 0. Nothing when
  // the number does not fit a 32-bit integer.
  std::optional<int> ReadInt(std::string_view section, std::string_view key,
                             int default_value) const;

  // Replaces the value of an existing key in its place; a new key goes to the end of its
  // section, a new section to the end of the file. A value ends at its first line break (LF,
  // or CR LF): what follows it is dropped, so no value can add lines to the file (see
  // ValueLine).
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInt(std::string_view section, std::string_view key, long long value);

  // The whole file, every line ended by CR LF.
  std::string Text() const;

 private:
  // Index of the line holding the section's header, or nothing.
  std::optional<std::size_t> FindSection(std::string_view section) const;
  // Index of the key's line inside the section starting at header, or nothing.
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  // Index one past the last key line of the section (where a new key goes).
  std::size_t SectionInsertPoint(std::size_t header) const;
  // Replaces or inserts a line, keeping its name beside it.
  void SetLine(std::size_t index, std::string line);
  void InsertLine(std::size_t index, std::string line);

  // What a line is, with its section or key name without blanks and in lower case: a lookup
  // compares names instead of reading every line again.
  struct LineName {
    enum Kind : char { kBlank, kSection, kKey, kOther } kind = kOther;
    std::string name;
  };
  static LineName NameOf(std::string_view line);

  std::vector<std::string> lines_;
  std::vector<LineName> names_;  // one per line
};

// The part of a value that fits on its line: up to the first LF (a CR right before it is part
// of the break). A lone CR is no line break for the reader, so it stays, and a value read from
// the file is written back exactly as it was.
std::string_view ValueLine(std::string_view value);

// Longest value a reader gets back (the reader's buffer holds 512 bytes with the NUL).
inline constexpr std::size_t kIniValueLimit = 511;

}  // namespace kirivane
