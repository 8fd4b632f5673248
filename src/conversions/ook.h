// Mode 3: Ook! texts translated into Brainfuck.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

Conversion Ook2Brainfuck(Text input);

} // namespace quirlwerk::conversions
