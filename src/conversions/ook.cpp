// Mode 3: Ook! texts translated into Brainfuck. (not built yet: every direction gives an empty output).
#include "conversions/ook.h"

namespace quirlwerk::conversions {

Conversion Ook2Brainfuck(Text) { return {}; }
Text BrainfuckToOok(TextView) { return {}; }

} // namespace quirlwerk::conversions
