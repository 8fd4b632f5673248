// The Brainfuck interpreter read literally, one character at a time: the yardstick for the fast one.
#pragma once

#include "conversions/brainfuck.h"

namespace quirlwerk::conversions {

BrainfuckRun InterpretBrainfuckReference(TextView program, std::int64_t maxSteps = defaultMaxSteps,
                                         const BrainfuckStart& start = {});

} // namespace quirlwerk::conversions
