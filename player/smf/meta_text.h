#pragma once

#include <string>
#include <string_view>

namespace kirivane {

// The text of a text meta event as UTF-8. UTF-8 bytes are taken as they are; anything else is
// read as code page 932, where a byte 81..9F or E0..EF starts a two-byte character, and cut to
// (number of printable characters + 1) characters, which drops trailing padding. Zero bytes
// are dropped either way.
std::string DecodeMetaText(std::string_view bytes);

}  // namespace kirivane
