#include "player/performance/number_fields.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace kirivane {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t i, std::size_t* count) {
  while (i < text.size() && IsDigit(text[i])) ++i, ++*count;
  return i;
}

template <typename Int>
std::optional<Int> RoundToRange(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default mode: halves to even
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    return std::nullopt;
  }
  return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> WholeNumber(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string_view body = text.substr(begin, end - begin);
  std::size_t i = 0;
  std::size_t digits = 0;
  if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
  i = SkipDigits(body, i, &digits);
  if (i < body.size() && body[i] == '.') i = SkipDigits(body, i + 1, &digits);
  if (digits == 0) return std::nullopt;
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    std::size_t exponent_digits = 0;
    std::size_t j = i + 1;
    if (j < body.size() && (body[j] == '+' || body[j] == '-')) ++j;
    j = SkipDigits(body, j, &exponent_digits);
    if (exponent_digits == 0) return std::nullopt;
    i = j;
  }
  if (i != body.size()) return std::nullopt;
  const double value = std::strtod(std::string(body).c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> RoundToInt32(double value) {
  return RoundToRange<std::int32_t>(value);
}

std::optional<std::int16_t> RoundToInt16(double value) {
  return RoundToRange<std::int16_t>(value);
}

}  // namespace kirivane
