#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kirivane {

// The value of a text that is a decimal number and nothing else (blanks around it allowed):
// "12", " -3.5 ", "1e3". "12abc", "", "0x10" and "inf" are not numbers.
std::optional<double> WholeNumber(std::string_view text);

// Rounds halves to even and checks the range first, so huge values never reach an integer
// conversion. Nothing when the rounded value does not fit.
std::optional<std::int32_t> RoundToInt32(double value);
std::optional<std::int16_t> RoundToInt16(double value);

}  // namespace kirivane
