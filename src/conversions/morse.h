// Mode 9: Morse code in both directions.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

// Builds the Morse lookup once; the main window calls it at start-up, the conversions rely on it.
void FillMorse();

Conversion TextMorse(Text input);
Conversion MorseText(Text input);

} // namespace quirlwerk::conversions
