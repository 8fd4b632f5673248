// Mode 10: letter values (BWW and Scrabble) and numbers back to letters.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

Conversion Buchstabe2Zahl(Text input);
Conversion Zahl2Buchstabe(Text input);

} // namespace quirlwerk::conversions
