// Mode 6: word lengths as numbers and as two bit strings.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

Conversion ZaehleBuchstaben(Text input);

} // namespace quirlwerk::conversions
