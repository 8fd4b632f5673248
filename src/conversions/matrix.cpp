// Mode 8: characters as coordinates in the user's matrix and back. (not built yet: every direction gives an empty output).
#include "conversions/matrix.h"

namespace quirlwerk::conversions {

Conversion MatrixText(Text, const MatrixDefinition&) { return {}; }
Conversion TextMatrix(Text, const MatrixDefinition&) { return {}; }

} // namespace quirlwerk::conversions
