#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirivane {

// Splits file contents into lines; CR LF and LF both end a line, and a final line without an
// end is kept. Bytes are returned as they are (no code page conversion here).
std::vector<std::string> SplitLines(std::string_view contents);

// Whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Joins lines, each ended by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Writes the bytes to a temporary file in the target's folder and renames it over the target,
// so a failed write never destroys the old file. Returns false (and leaves the target as it
// was) on any failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kirivane
