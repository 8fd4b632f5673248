// Mode 4: the Brainfuck interpreter.
#pragma once

#include "conversions/conversion.h"

#include <cstdint>

namespace quirlwerk::conversions {

// Runs stop after this many executed commands unless told otherwise.
inline constexpr std::int64_t defaultMaxSteps = 1'000'000'000;

Conversion InterpretBrainfuck(Text program, std::int64_t maxSteps = defaultMaxSteps);

} // namespace quirlwerk::conversions
