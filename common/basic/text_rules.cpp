#include "common/basic/text_rules.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kirivane {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A whole-numbered double as a 64-bit integer, held at the ends of the range (a plain cast of
// a value outside it is undefined).
std::int64_t SaturatedInt64(double whole) {
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (!std::isfinite(whole)) return 0;
  if (whole >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
  if (whole < -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(whole);
}

// Length of the longest prefix of text (after blanks) that reads as a decimal number.
std::size_t NumberPrefixLength(std::string_view text, std::size_t start) {
  std::size_t i = start;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i - start;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  const std::size_t length = NumberPrefixLength(text, start);
  if (length == 0) return 0.0;
  const std::string number(text.substr(start, length));
  const double value = std::strtod(number.c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0;
}

std::int64_t RoundHalfEven(double value) {
  return SaturatedInt64(std::nearbyint(value));  // default mode: to nearest even
}

std::int64_t IntegerPart(double value) {
  return SaturatedInt64(std::floor(value));
}

std::int64_t Truncate(double value) {
  return SaturatedInt64(std::trunc(value));
}

std::int64_t LeadingInteger(std::string_view text) {
  return RoundHalfEven(LeadingNumber(text));
}

std::vector<std::string> SplitKeepEmpty(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t found = text.find(separator, start);
    if (found == std::string_view::npos) break;
    pieces.emplace_back(text.substr(start, found - start));
    start = found + separator.size();
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (suffix.size() > text.size()) return false;
  return ToUpperAscii(text.substr(text.size() - suffix.size())) == ToUpperAscii(suffix);
}

std::string TrimBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace kirivane
