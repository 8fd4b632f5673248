// How much a text reads like German or English prose, from 0 (not at all) to 100.
#pragma once

#include "common/text.h"

namespace quirlwerk::readings {

inline constexpr double maxLanguageScore = 100;

// Letter and letter-pair frequencies, the share of printable characters and common words; texts of a few
// letters carry less evidence and score lower.
double languageScore(TextView text);

} // namespace quirlwerk::readings
