// Mode 9: Morse code in both directions. (not built yet: every direction gives an empty output).
#include "conversions/morse.h"

namespace quirlwerk::conversions {

void FillMorse() {}
Conversion TextMorse(Text) { return {}; }
Conversion MorseText(Text) { return {}; }

} // namespace quirlwerk::conversions
