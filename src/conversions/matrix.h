// Mode 8: characters as coordinates in the user's matrix and back.
#pragma once

#include "conversions/conversion.h"
#include "conversions/matrix_definition.h"

namespace quirlwerk::conversions {

Conversion MatrixText(Text input, const MatrixDefinition& matrix);
Conversion TextMatrix(Text input, const MatrixDefinition& matrix);

} // namespace quirlwerk::conversions
