// Shared pieces of the conversion tests: long texts from a repeated piece, and the two shapes of a result.
#pragma once

#include "conversions/conversion.h"

#include <gtest/gtest.h>

namespace quirlwerk::conversions::testing {

// The piece the given number of times, with the separator between the pieces.
inline Text repeated(TextView piece, int times, TextView between = u"")
{
    Text text;
    for (int i = 0; i < times; ++i)
        text += (i > 0 ? Text(between) : Text()) + Text(piece);
    return text;
}

// The common table row: a named input and the output it must give.
struct TextRow {
    const char* name;
    TextView input;
    TextView output;
};

inline void expectOk(const Conversion& result, TextView output)
{
    EXPECT_EQ(result.status, u"OK");
    EXPECT_EQ(result.output, output);
    EXPECT_FALSE(result.failure);
}

// A failure caught at the routine's boundary: the description replaces the output, a critical box names the routine.
inline void expectCritical(const Conversion& result, TextView routine, TextView status, TextView description)
{
    EXPECT_EQ(result.status, status);
    EXPECT_EQ(result.output, description);
    EXPECT_EQ(result.failure, (common::Message{common::Icon::Critical, Text(routine) + u"() - Error " + Text(description)}));
}

} // namespace quirlwerk::conversions::testing
