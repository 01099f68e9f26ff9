#include "player/shell/drop_block.h"

#include <algorithm>
#include <cctype>

#include "common/basic/code_page.h"

namespace kirivane {

namespace {

void PutUint32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Uint32At(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return value;
}

DropBlockError CheckName(std::string_view name) {
  if (name.size() > kDropNameMaxBytes) return DropBlockError::kNameTooLong;
  if (!IsValidUtf8(name)) return DropBlockError::kNotUtf8;
  if (name.front() != '/') return DropBlockError::kRelativePath;
  return DropBlockError::kNone;
}

bool EndsWithUpper(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  const std::string_view tail = name.substr(name.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == b;
  });
}

}  // namespace

std::vector<std::uint8_t> BuildDropBlock(std::string_view path) {
  std::vector<std::uint8_t> block;
  block.reserve(kDropHeaderBytes + path.size() + 3);
  PutUint32(block, kDropHeaderBytes);
  for (int field = 0; field < 4; ++field) PutUint32(block, 0);  // x, y, non-client, wide
  block.insert(block.end(), path.begin(), path.end());
  // The path's NUL, the empty name that ends the list and its NUL, then the closing NUL. An
  // empty path is itself the empty name: a list without files.
  block.insert(block.end(), 3, 0);
  return block;
}

DropBlockError ReadDropBlock(std::span<const std::uint8_t> block, std::vector<std::string>& files) {
  files.clear();
  if (block.size() > kDropBlockMaxBytes) return DropBlockError::kTooLong;
  if (block.size() < kDropHeaderBytes + 1) return DropBlockError::kTooShort;
  if (Uint32At(block, 0) != kDropHeaderBytes) return DropBlockError::kBadOffset;
  if (Uint32At(block, 16) != 0) return DropBlockError::kWideCharacters;
  std::vector<std::string> names;
  std::size_t at = kDropHeaderBytes;
  while (true) {
    const auto begin = block.begin() + static_cast<std::ptrdiff_t>(at);
    const auto nul = std::find(begin, block.end(), std::uint8_t{0});
    if (nul == block.end()) return DropBlockError::kUnterminated;
    const std::string name(begin, nul);
    at = static_cast<std::size_t>(nul - block.begin()) + 1;
    if (name.empty()) break;
    if (const DropBlockError error = CheckName(name); error != DropBlockError::kNone) return error;
    names.push_back(name);
  }
  const bool only_nuls = std::all_of(block.begin() + static_cast<std::ptrdiff_t>(at), block.end(),
                                     [](std::uint8_t b) { return b == 0; });
  if (!only_nuls) return DropBlockError::kTrailingBytes;
  files = std::move(names);
  return DropBlockError::kNone;
}

bool TakeDroppedFile(const std::vector<std::string>& files, AppState& app) {
  if (files.empty()) return false;
  const std::string& name = files.front();
  if (EndsWithUpper(name, "LYR") || EndsWithUpper(name, "MID") || EndsWithUpper(name, "MIDI")) {
    app.OpenFile = name;
    app.OpenPending = -1;
    return true;
  }
  app.OpenFile.clear();
  return false;
}

}  // namespace kirivane
