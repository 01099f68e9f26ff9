#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kirivane {

// Text is held as UTF-8. Files written by older Windows installations are in code page 932
// (Windows Japanese); these functions move text between the two.

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most
// U+10FFFF). Plain ASCII is valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Valid UTF-8 comes back unchanged; anything else is read as code page 932. Bytes that are no
// character there (a lone lead byte, an unassigned pair, 0x80, 0xA0, 0xFD..0xFF) become U+FFFD.
std::string DecodeToUtf8(std::string_view bytes);

// The bytes without the UTF-8 mark (EF BB BF) that some text editors put at the start of a
// file; it is never part of the file's first line.
std::string_view WithoutUtf8Mark(std::string_view bytes);

// UTF-8 to code page 932. A character without a form there, and every malformed UTF-8
// sequence, becomes '?'.
std::string EncodeCp932(std::string_view utf8);

// The number of bytes EncodeCp932 would produce: the length limits of the text fields count
// bytes of that code page (a kanji counts 2, a half-width katakana 1).
std::size_t Cp932ByteLength(std::string_view utf8);

}  // namespace kirivane
