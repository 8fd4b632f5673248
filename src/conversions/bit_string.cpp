// Mode 7: bit strings in groups of eight, as hexadecimal codes and as text. (not built yet: every direction gives an empty output).
#include "conversions/bit_string.h"

namespace quirlwerk::conversions {

Conversion Convert01toHex(Text) { return {}; }

} // namespace quirlwerk::conversions
