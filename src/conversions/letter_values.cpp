// Mode 10: letter values (BWW and Scrabble) and numbers back to letters. (not built yet: every direction gives an empty output).
#include "conversions/letter_values.h"

namespace quirlwerk::conversions {

Conversion Buchstabe2Zahl(Text) { return {}; }
Conversion Zahl2Buchstabe(Text) { return {}; }

} // namespace quirlwerk::conversions
