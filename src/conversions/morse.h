// Mode 9: Morse code in both directions.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

Conversion TextMorse(Text input);
Conversion MorseText(Text input);

} // namespace quirlwerk::conversions
