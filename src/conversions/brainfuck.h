// Mode 4: the Brainfuck interpreter.
#pragma once

#include "conversions/conversion.h"

#include <cstdint>

namespace quirlwerk::conversions {

// Runs stop after this many executed commands unless told otherwise.
inline constexpr std::int64_t defaultMaxSteps = 1'000'000'000;

// A run's result together with the number of commands it executed (the failing one included).
struct BrainfuckRun {
    Conversion result;
    std::int64_t steps = 0;
};

Conversion InterpretBrainfuck(Text program, std::int64_t maxSteps = defaultMaxSteps);

// The same run, also telling how many commands were executed.
BrainfuckRun runBrainfuck(TextView program, std::int64_t maxSteps = defaultMaxSteps);

} // namespace quirlwerk::conversions
