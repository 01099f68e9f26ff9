#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "player/state/app_state.h"

namespace kirivane {

// The block a second start of the player sends to the running one: a 20-byte header of five
// little-endian 32-bit numbers (offset of the file list = 20, drop point x and y, non-client
// flag, wide-character flag = 0), then the file list: each name followed by a NUL, an empty
// name ending the list, and one more NUL. Names are absolute paths in UTF-8.
inline constexpr std::size_t kDropHeaderBytes = 20;
inline constexpr std::size_t kDropNameMaxBytes = 4096;        // a Linux path at most
inline constexpr std::size_t kDropBlockMaxBytes = 64 * 1024;  // the whole block at most

enum class DropBlockError {
  kNone,
  kTooShort,        // no room for the header and the list's end
  kTooLong,         // over kDropBlockMaxBytes
  kBadOffset,       // the list does not start right after the header
  kWideCharacters,  // the list claims two-byte characters
  kUnterminated,    // no empty name ends the list
  kNameTooLong,     // a name over kDropNameMaxBytes
  kNotUtf8,         // a name that is not well-formed UTF-8
  kRelativePath,    // a name that is not an absolute path
  kTrailingBytes,   // something other than NULs after the list's end
};

// The block for one path; an empty path gives a list without files (the running player is
// only brought to the front).
std::vector<std::uint8_t> BuildDropBlock(std::string_view path);

// Reads a received block. On success fills files (possibly empty) and returns kNone; on any
// error leaves files empty.
DropBlockError ReadDropBlock(std::span<const std::uint8_t> block, std::vector<std::string>& files);

// A drop on the window (or a hand-off): only the first file counts. A name ending in "LYR" or
// "MID" (any case, last three characters) or "MIDI" (last four) becomes OpenFile and is to be
// opened and played (OpenPending = -1; returns true). Any other name empties OpenFile. A drop
// without files changes nothing.
bool TakeDroppedFile(const std::vector<std::string>& files, AppState& app);

}  // namespace kirivane
