#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kirivane {

// The leading number of a text: optional blanks, sign, digits, decimal point, exponent.
// "12abc" is 12, "  -3.5x" is -3.5, "" and "abc" are 0.
double LeadingNumber(std::string_view text);

// Rounds to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). These three
// hold values beyond the 64-bit range at its ends and give 0 for infinities and NaN.
std::int64_t RoundHalfEven(double value);
// The integer part toward minus infinity (-2.5 -> -3).
std::int64_t IntegerPart(double value);
// Cuts the fraction off toward zero (-2.5 -> -2).
std::int64_t Truncate(double value);

// Leading number of a text rounded halves to even: how numbers typed into text become integers.
std::int64_t LeadingInteger(std::string_view text);

// Splits at every occurrence of the separator; empty pieces are kept, so "a,,b" gives three
// pieces and "" gives one empty piece.
std::vector<std::string> SplitKeepEmpty(std::string_view text, std::string_view separator);

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
std::string TrimBlanks(std::string_view text);

}  // namespace kirivane
