// Mode 4: the Brainfuck interpreter.
#pragma once

#include "conversions/conversion.h"

#include <array>
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

// The tape and pointer a run starts from: every run starts from the first; tests start from others,
// near the 32-bit limits, without the billions of steps a program needs to get there.
struct BrainfuckStart {
    std::array<std::int32_t, 1000> tape{};
    std::int32_t pointer = 500;
};
BrainfuckRun runBrainfuck(TextView program, std::int64_t maxSteps, const BrainfuckStart& start);

} // namespace quirlwerk::conversions
