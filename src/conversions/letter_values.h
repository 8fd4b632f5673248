// Mode 10: letter values (BWW and Scrabble) and numbers back to letters.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

// An output longer than maxOutput throws OutputTooLarge.
Conversion Buchstabe2Zahl(Text input, std::size_t maxOutput = maxOutputSize);
Conversion Zahl2Buchstabe(Text input);

} // namespace quirlwerk::conversions
