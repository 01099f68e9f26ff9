#include "player/smf/meta_text.h"

#include "common/basic/code_page.h"

namespace kirivane {

namespace {

bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF);
}
bool IsPrintableSingle(unsigned char c) {
  return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xDF);
}

// Keeps (number of printable characters + 1) characters of a code page 932 text.
std::string CutCp932(std::string_view bytes) {
  std::size_t printable = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (IsLeadByte(c) && i + 1 < bytes.size()) {
      ++printable;
      i += 2;
    } else {
      printable += IsPrintableSingle(c) ? 1 : 0;
      i += 1;
    }
  }
  std::size_t characters = 0;
  std::size_t end = 0;
  while (end < bytes.size() && characters < printable + 1) {
    const auto c = static_cast<unsigned char>(bytes[end]);
    end += IsLeadByte(c) && end + 1 < bytes.size() ? 2 : 1;
    ++characters;
  }
  return std::string(bytes.substr(0, end));
}

std::string WithoutZeros(std::string text) {
  std::erase(text, '\0');
  return text;
}

}  // namespace

std::string DecodeMetaText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return WithoutZeros(std::string(bytes));
  return DecodeToUtf8(WithoutZeros(CutCp932(bytes)));
}

}  // namespace kirivane
