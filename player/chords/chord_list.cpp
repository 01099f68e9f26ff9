#include "player/chords/chord_list.h"

#include <cstdlib>

#include "common/basic/code_page.h"
#include "common/basic/text_file.h"
#include "common/basic/text_rules.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kChordListErrorEntry = 344;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The whole field as a 16-bit number (blanks around it allowed), rounded half to even; nothing
// when any part of it is not a number or it does not fit.
std::optional<int> WholeFieldNumber(std::string_view field) {
  const std::string text = TrimBlanks(field);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0 || i != text.size()) return std::nullopt;
  const auto value = RoundHalfEven(std::strtod(text.c_str(), nullptr));
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<int>(value);
}

std::string WithLineBreaks(std::string_view caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '\\' && i + 1 < caption.size() && caption[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else {
      out += caption[i];
    }
  }
  return out;
}

}  // namespace

ChordListResult ParseChordList(std::string_view bytes) {
  ChordListResult result;
  const auto lines = SplitLines(DecodeToUtf8(WithoutUtf8Mark(bytes)));
  int filled = 0;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    if (lines[n].empty()) continue;
    result.line = static_cast<int>(n) + 1;
    if (filled == kChordListSize) {
      result.error = ChordListError::kTooManyLines;
      return result;
    }
    const auto fields = SplitKeepEmpty(lines[n], "\t");
    if (fields.size() < 3) {
      result.error = ChordListError::kTooFewFields;
      return result;
    }
    const auto bold = WholeFieldNumber(fields[2]);
    if (!bold) {
      result.error = ChordListError::kBadBoldFlag;
      return result;
    }
    result.entries[static_cast<std::size_t>(filled++)] = {fields[0], WithLineBreaks(fields[1]),
                                                          *bold};
  }
  result.line = 0;
  return result;
}

ChordListResult LoadChordList(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) {
    ChordListResult result;
    result.error = ChordListError::kUnreadable;
    return result;
  }
  return ParseChordList(*bytes);
}

std::string ChordListPath(const std::string& program_folder) {
  return program_folder + "/" + kChordListFileName;
}

std::string ChordListErrorText(const AppState& app, const std::string& path) {
  return ReplacePlaceholder(LangText(app, kChordListErrorEntry), path);
}

}  // namespace kirivane
