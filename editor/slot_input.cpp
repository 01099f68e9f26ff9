#include "editor/slot_input.h"

#include <algorithm>

#include "common/basic/code_page.h"
#include "common/basic/text_rules.h"
#include "common/keymap/vk_codes.h"

namespace kirivane {

namespace {

// Length in bytes of the UTF-8 character that starts with this byte (1 for stray bytes).
std::size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

// The first character of a UTF-8 text; U+FFFD for a malformed or cut-off sequence.
char32_t FirstCodePoint(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = Utf8Length(lead);
  if (length == 1) return lead < 0x80 ? lead : 0xFFFD;
  if (text.size() < length) return 0xFFFD;
  char32_t value = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    value = (value << 6) | (next & 0x3F);
  }
  return value;
}

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Upper case for the letters the keyboards of the world type without a compose key: Latin,
// Greek, Cyrillic and the full-width Latin letters.
char32_t UpperCase(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    // Pairs of capital and small letter; in two runs the capital comes at the odd code.
    const bool small_is_even = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (small_is_even ? (c % 2 == 0) : (c % 2 == 1)) return c - 1;
    return c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

bool IsControlCharacter(char32_t c) {
  return c < 0x20 || c == 0x7F;
}

}  // namespace

bool IsRefusedSlotKey(int code) {
  switch (code) {
    case vk::kControl:
    case vk::kMenu:
    case vk::kEscape:
    case vk::kSpace:
    case vk::kDelete:
    case vk::kLWin:
    case vk::kApps:
    case 240:
    case 243:
    case 244:
      return true;
    default:
      break;
  }
  return (code >= vk::kLeft && code <= vk::kDown) ||
         (code >= vk::Numpad(0) && code <= vk::Numpad(9)) ||
         (code >= vk::F(1) && code <= vk::F(12));
}

SlotKeyEffect SlotKeyEffectOf(int code, std::string_view typed) {
  SlotKeyEffect effect;
  if (code <= 0 || code > 255) {
    effect.ignored = true;
    return effect;
  }
  if (IsRefusedSlotKey(code)) {
    effect.refused = true;
    return effect;
  }
  effect.code = std::to_string(code);
  if (code == vk::kShift) effect.name = "Sh";
  if (typed.empty()) return effect;
  // A typed character replaces the name: the three named keys, else the character itself.
  const char32_t character = FirstCodePoint(typed);
  if (character == U'\b') {
    effect.name = "BS";
  } else if (character == U'\r') {
    effect.name = "En";
  } else if (character == 16) {
    effect.name = "Sh";
  } else if (character == U' ' || IsControlCharacter(character)) {
    effect.name = "";
  } else {
    effect.name = Utf8Of(UpperCase(character));
  }
  return effect;
}

std::string UpperCaseFirstCharacter(std::string_view text) {
  if (text.empty()) return {};
  return Utf8Of(UpperCase(FirstCodePoint(text)));
}

std::string FirstCharacters(std::string_view text, int count) {
  std::size_t end = 0;
  for (int i = 0; i < count && end < text.size(); ++i) {
    end += Utf8Length(static_cast<unsigned char>(text[end]));
  }
  return std::string(text.substr(0, std::min(end, text.size())));
}

bool CodeBoxTakesCharacter(char32_t character) {
  return (character >= U'0' && character <= U'9') || character == U'\b';
}

std::string CodeBoxText(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  const double value = LeadingNumber(digits);
  if (value > 255) return {};
  if (value > 0) return std::to_string(LeadingInteger(digits));
  return digits;
}

bool CaptionTakesKey(std::string_view caption, bool backspace) {
  return backspace || Cp932ByteLength(caption) <= 1;
}

std::optional<std::string> CaptionFromName(std::string_view name) {
  if (name.empty()) return std::nullopt;
  if (FirstCharacters(name, 1).size() == name.size()) return UpperCaseFirstCharacter(name);
  return std::string(name);
}

}  // namespace kirivane
