// Mode 7: bit strings in groups of eight, as hexadecimal codes and as text.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

Conversion Convert01toHex(Text input);

} // namespace quirlwerk::conversions
