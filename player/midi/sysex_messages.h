#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kirivane {

// The system-exclusive messages of the reset menu and the scale tuning, each a whole message
// from F0 to F7.
std::vector<std::uint8_t> GmResetMessage();
std::vector<std::uint8_t> GsResetMessage();
std::vector<std::uint8_t> XgResetMessage();

// The GS scale tuning of part 1 from a text of up to twelve space-separated offsets for C, C#,
// D ... B (-64..63). Missing values mean no offset; each value keeps its low 7 bits after +64.
std::vector<std::uint8_t> ScaleTuningMessage(std::string_view text);

// The Roland checksum of the bytes between the command byte and the checksum.
std::uint8_t RolandChecksum(const std::uint8_t* first, const std::uint8_t* last);

// The five tunings offered by the tuning box; the first one is its start text.
inline constexpr std::array<std::string_view, 5> kTuningPresets{
    "0 0 0 0 0 0 0 0 0 0 0 0", "-6 45 -2 -12 -51 -8 43 -4 47 0 -10 -49",
    "10 0 -10 4 -6 8 -2 12 2 -8 6 -4", "-2 12 2 -8 6 -4 10 0 -10 4 -6 8",
    "10 -8 3 10 -4 14 -10 7 -6 0 12 -7"};

// Whether a character typed into the tuning box is kept: digits, "." and backspace.
bool TuningKeyAccepted(int character);

}  // namespace kirivane
