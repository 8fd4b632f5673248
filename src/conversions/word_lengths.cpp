// Mode 6: word lengths as numbers and as two bit strings. (not built yet: every direction gives an empty output).
#include "conversions/word_lengths.h"

namespace quirlwerk::conversions {

Conversion ZaehleBuchstaben(Text) { return {}; }

} // namespace quirlwerk::conversions
