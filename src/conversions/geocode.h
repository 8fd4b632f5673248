// Mode 1: the letter rotation of geocache hints (its own inverse).
#pragma once

#include "common/text.h"

namespace quirlwerk::conversions {

Text geoCode(TextView input);

} // namespace quirlwerk::conversions
