// Mode 2: texts as hexadecimal Windows-1252 codes and back.
#pragma once

#include "conversions/conversion.h"

namespace quirlwerk::conversions {

Text codesToText(TextView input);
Text textToCodes(TextView input);

} // namespace quirlwerk::conversions
