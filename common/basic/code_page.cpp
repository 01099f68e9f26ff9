#include "common/basic/code_page.h"

#include <algorithm>
#include <cstdint>

#include "common/basic/cp932_table.h"

namespace kirivane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kHalfWidthFirst = 0xFF61;  // half-width katakana, bytes 0xA1..0xDF
constexpr char32_t kHalfWidthLast = 0xFF9F;

// One step through UTF-8: the code point and the number of bytes it took, or nothing valid.
struct Utf8Step {
  char32_t code_point = 0;
  std::size_t length = 1;
  bool valid = false;
};

Utf8Step NextUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(at);
  if (first < 0x80) return {first, 1, true};
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2, value = first & 0x1F, minimum = 0x80;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3, value = first & 0x0F, minimum = 0x800;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4, value = first & 0x07, minimum = 0x10000;
  } else {
    return {};
  }
  if (at + length > text.size()) return {};
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(at + i);
    if ((next & 0xC0) != 0x80) return {};
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {};
  return {value, length, true};
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

// Position of a lead or trail byte in the two-byte table, or -1.
int LeadIndex(unsigned char byte) {
  if (byte >= 0x81 && byte <= 0x9F) return byte - 0x81;
  if (byte >= 0xE0 && byte <= 0xFC) return byte - 0xE0 + 0x1F;
  return -1;
}

int TrailIndex(unsigned char byte) {
  if (byte >= 0x40 && byte <= 0x7E) return byte - 0x40;
  if (byte >= 0x80 && byte <= 0xFC) return byte - 0x80 + 0x3F;
  return -1;
}

std::string DecodeCp932(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      ++at;
      continue;
    }
    if (byte >= 0xA1 && byte <= 0xDF) {
      AppendUtf8(out, kHalfWidthFirst + (byte - 0xA1));
      ++at;
      continue;
    }
    const int lead = LeadIndex(byte);
    const int trail =
        at + 1 < bytes.size() ? TrailIndex(static_cast<unsigned char>(bytes[at + 1])) : -1;
    if (lead < 0 || trail < 0) {
      // Not a character, or a lead byte without a trail: only this byte is lost, the next one
      // is read again on its own (it may be ASCII).
      AppendUtf8(out, kReplacement);
      ++at;
      continue;
    }
    const std::uint16_t code = cp932::kDecodeTable[lead * cp932::kTrailCount + trail];
    AppendUtf8(out, code != 0 ? code : kReplacement);
    at += 2;
  }
  return out;
}

constexpr std::uint16_t kNoForm = 0xFFFF;  // no character of code page 932 has this form

// The code page 932 form of one code point: one byte (< 0x100), two bytes, or kNoForm.
std::uint16_t Cp932Code(char32_t code_point) {
  if (code_point < 0x80) return static_cast<std::uint16_t>(code_point);
  if (code_point >= kHalfWidthFirst && code_point <= kHalfWidthLast) {
    return static_cast<std::uint16_t>(0xA1 + (code_point - kHalfWidthFirst));
  }
  if (code_point > 0xFFFF) return kNoForm;
  const std::uint16_t* begin = cp932::kEncodeUnicode;
  const std::uint16_t* end = begin + cp932::kEncodeCount;
  const std::uint16_t* found = std::lower_bound(begin, end, static_cast<std::uint16_t>(code_point));
  if (found == end || *found != code_point) return kNoForm;
  return cp932::kEncodeCp932[found - begin];
}

// Calls sink(code) for each character of the UTF-8 text, with '?' for what has no form.
template <typename Sink>
void ForEachCp932Code(std::string_view utf8, Sink sink) {
  std::size_t at = 0;
  while (at < utf8.size()) {
    const Utf8Step step = NextUtf8(utf8, at);
    const std::uint16_t code = step.valid ? Cp932Code(step.code_point) : kNoForm;
    sink(code != kNoForm ? code : static_cast<std::uint16_t>('?'));
    at += step.length;
  }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const Utf8Step step = NextUtf8(bytes, at);
    if (!step.valid) return false;
    at += step.length;
  }
  return true;
}

std::string DecodeToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return DecodeCp932(bytes);
}

std::string EncodeCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  ForEachCp932Code(utf8, [&out](std::uint16_t code) {
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  });
  return out;
}

std::size_t Cp932ByteLength(std::string_view utf8) {
  std::size_t length = 0;
  ForEachCp932Code(utf8, [&length](std::uint16_t code) { length += code > 0xFF ? 2 : 1; });
  return length;
}

std::string_view WithoutUtf8Mark(std::string_view bytes) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kMark)) bytes.remove_prefix(kMark.size());
  return bytes;
}

}  // namespace kirivane
