// Mode 2: texts as hexadecimal Windows-1252 codes and back. (not built yet: every direction gives an empty output).
#include "conversions/ascii.h"

namespace quirlwerk::conversions {

Text codesToText(TextView) { return {}; }
Text textToCodes(TextView) { return {}; }

} // namespace quirlwerk::conversions
