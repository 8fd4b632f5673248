// Building long test texts from a repeated piece.
#pragma once

#include "common/text.h"

namespace quirlwerk::conversions::testing {

// The piece the given number of times, with the separator between the pieces.
inline Text repeated(TextView piece, int times, TextView between = u"")
{
    Text text;
    for (int i = 0; i < times; ++i) {
        if (i > 0)
            text += between;
        text += piece;
    }
    return text;
}

} // namespace quirlwerk::conversions::testing
