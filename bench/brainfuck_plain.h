// A plain switch interpreter with the same rules as the product's: the yardstick for its speed.
#pragma once

#include "conversions/brainfuck.h"

namespace quirlwerk::conversions {

// One command per dispatch, every cell access and sum checked, bracket partners found once, no folding.
BrainfuckRun InterpretBrainfuckPlain(TextView program, std::int64_t maxSteps = defaultMaxSteps);

} // namespace quirlwerk::conversions
