// Reading numbers typed into fields or kept in the settings store.
#pragma once

#include "common/text.h"

#include <cstdint>

namespace quirlwerk::common {

// The leading number of a text. Blanks, tabs and line feeds are skipped, also between digits; then an
// optional sign, digits with an optional decimal point and exponent, or digits after "&H" (hexadecimal)
// or "&O" (octal). Reading stops at the first other character; a text that does not begin with a number
// gives 0. A value too large for a double is an overflow failure.
double leadingNumber(TextView text);

// A value rounded to the nearest whole number, halves to the even neighbour. Outside 32 bits: overflow failure.
std::int32_t roundToInt32(double value);

// The leading number rounded to a 32-bit whole number.
std::int32_t leadingWholeNumber(TextView text);

// The whole text, blanks around it allowed, read as a decimal number or as hexadecimal after "&H",
// rounded to a 32-bit whole number. Any other text is a type failure; a value outside 32 bits an overflow.
std::int32_t wholeNumberValue(TextView text);

} // namespace quirlwerk::common
