#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kirivane {

// What a computer key pressed in a slot's name box does to that slot. The key arrives as its
// virtual-key code (0 for a key without one) and the text it types (empty for keys such as
// Page Up or Shift; "\b" for Backspace, "\r" for Enter).
struct SlotKeyEffect {
  bool ignored = false;             // a key without a code: the slot stays as it was
  bool refused = false;             // a key that may not play: the slot is emptied
  std::string code;                 // the code box's new text (decimal)
  std::optional<std::string> name;  // the name box's new text; nothing = left as it was
};

// Ctrl, Alt, Esc, Space, the arrows, Delete, the Windows and menu keys, the keypad digits,
// F1..F12 and the input-method keys 240, 243, 244 are refused.
bool IsRefusedSlotKey(int code);

SlotKeyEffect SlotKeyEffectOf(int code, std::string_view typed);

// The first character of a UTF-8 text in upper case ("a" -> "A", "é" -> "É"); other characters
// come back unchanged.
std::string UpperCaseFirstCharacter(std::string_view text);

// The first `count` characters of a UTF-8 text (characters, not bytes).
std::string FirstCharacters(std::string_view text, int count);

// The code box takes digits and Backspace only.
bool CodeBoxTakesCharacter(char32_t character);

// The text a code box holds after a change: only its digits are kept; a value above 255 empties
// it, a value above 0 is written as a plain integer ("065" -> "65"), anything else stays.
std::string CodeBoxText(std::string_view text);

// The caption box takes Backspace always and any other key only while its text is at most one
// byte long in code page 932: two half-width characters, or one full-width one.
bool CaptionTakesKey(std::string_view caption, bool backspace);

// The caption a slot's name gives: a name of one character in upper case, a longer one ("BS")
// as it is; nothing for an empty name.
std::optional<std::string> CaptionFromName(std::string_view name);

}  // namespace kirivane
