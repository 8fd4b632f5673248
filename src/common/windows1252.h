// Byte values of characters in the Windows-1252 code page, both ways.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <optional>

namespace quirlwerk::common {

// The character for a code 0 to 255; the five unassigned codes give the control character of the same number.
char16_t fromWindows1252(std::uint8_t code);

// The code of a character, or nothing when Windows-1252 has no such character.
std::optional<std::uint8_t> windows1252Code(char16_t c);

// The code of a character; a character outside the code page encodes as "?" (3F).
std::uint8_t toWindows1252(char16_t c);

} // namespace quirlwerk::common
