// Mode 3: Ook! texts translated into Brainfuck.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

Conversion Ook2Brainfuck(Text input);

// The Ook! spelling of a Brainfuck program, by the same command table (the help page shows one).
Text BrainfuckToOok(TextView program);

} // namespace quirlwerk::conversions
