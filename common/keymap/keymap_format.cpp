#include "common/keymap/keymap_format.h"

#include <algorithm>
#include <cmath>

#include "common/basic/code_page.h"
#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"

namespace kirivane {

namespace {

constexpr double kNumberLimit = 2147483647.0;

// Length in bytes of the UTF-8 character that starts with this byte (1 for stray bytes).
std::size_t Utf8CharLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

std::string WithoutLineBreaksOrTabs(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '\t' && c != '\r' && c != '\n') out += c;
  }
  return out;
}

}  // namespace

std::int64_t KeyMapNumber(std::string_view field) {
  const double value = std::trunc(LeadingNumber(field));
  if (value > kNumberLimit) return static_cast<std::int64_t>(kNumberLimit);
  if (value < -kNumberLimit) return -static_cast<std::int64_t>(kNumberLimit);
  return static_cast<std::int64_t>(value);
}

KeyMapText ParseKeyMapText(std::string_view contents) {
  KeyMapText result;
  const auto lines = SplitLines(contents);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const auto fields = SplitKeepEmpty(lines[i], "\t");
    if (fields.size() < 3) {
      result.records.clear();
      result.bad_line = static_cast<int>(i + 1);
      return result;
    }
    result.records.push_back({KeyMapNumber(fields[0]), fields[1], KeyMapNumber(fields[2])});
  }
  return result;
}

std::optional<KeyMapText> ReadKeyMapFile(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return ParseKeyMapText(DecodeToUtf8(WithoutUtf8Mark(*bytes)));
}

std::string KeyLabelOf(std::string_view label) {
  std::string unquoted;
  for (char c : label) {
    if (c != '"') unquoted += c;
  }
  std::size_t end = 0;
  for (int characters = 0; characters < 2 && end < unquoted.size(); ++characters) {
    end += Utf8CharLength(static_cast<unsigned char>(unquoted[end]));
  }
  return unquoted.substr(0, std::min(end, unquoted.size()));
}

std::optional<std::string> FormatKeyMapText(const std::vector<KeyMapRecord>& records,
                                            std::string* error) {
  std::vector<std::string> lines;
  for (const auto& record : records) {
    if (record.position < 0 || record.position > 37 || record.code < 1 || record.code > 255) {
      if (error) {
        *error = "key map line with position " + std::to_string(record.position) +
                 " and key code " + std::to_string(record.code) +
                 " cannot be written (positions 0..37, key codes 1..255)";
      }
      return std::nullopt;
    }
    lines.push_back(std::to_string(record.position) + "\t" + WithoutLineBreaksOrTabs(record.label) +
                    "\t" + std::to_string(record.code));
  }
  return JoinLinesCrLf(lines);
}

bool WriteKeyMapFile(const std::string& path, const std::vector<KeyMapRecord>& records,
                     std::string* error) {
  const auto text = FormatKeyMapText(records, error);
  if (!text) return false;
  if (!WriteFileAtomically(path, *text)) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace kirivane
