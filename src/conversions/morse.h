// Mode 9: Morse code in both directions.
#pragma once

#include "common/report.h"
#include "conversions/conversion.h"

#include <optional>

namespace quirlwerk::conversions {

// Builds the Morse lookup once; the main window calls it at start-up, the conversions share it.
// Gives the box to show if the lookup could not be built.
std::optional<common::Message> FillMorse();

Conversion TextMorse(Text input);
Conversion MorseText(Text input);

} // namespace quirlwerk::conversions
