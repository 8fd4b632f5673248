// Mode 4: the Brainfuck interpreter. (not built yet: every direction gives an empty output).
#include "conversions/brainfuck.h"

namespace quirlwerk::conversions {

Conversion InterpretBrainfuck(Text, std::int64_t) { return {}; }

} // namespace quirlwerk::conversions
