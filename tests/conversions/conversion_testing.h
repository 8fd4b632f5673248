// Shared pieces of the conversion tests: long and random texts, and the two shapes of a result.
#pragma once

#include "conversions/conversion.h"

#include <gtest/gtest.h>

#include <random>

namespace quirlwerk::conversions::testing {

// A test file's one using-directive brings the library's names along.
using namespace quirlwerk;
using namespace quirlwerk::conversions;

// The piece the given number of times, with the separator between the pieces.
inline Text repeated(TextView piece, int times, TextView between = u"")
{
    Text text;
    for (int i = 0; i < times; ++i)
        text += (i > 0 ? Text(between) : Text()) + Text(piece);
    return text;
}

// A random text of the given length drawn from the pool.
inline Text drawn(TextView pool, std::size_t length, std::mt19937& random)
{
    Text text;
    while (text.size() < length)
        text += pool[random() % pool.size()];
    return text;
}

inline void expectOk(const Conversion& result, TextView output)
{
    EXPECT_EQ(result.status, u"OK");
    EXPECT_EQ(result.output, output);
    EXPECT_FALSE(result.failure);
}

// A table row: a named input and the output it must give. Each row's input through the routine gives it.
struct TextRow {
    const char* name;
    TextView input, output;
};

template <typename Routine>
void expectEach(std::initializer_list<TextRow> rows, Routine routine)
{
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        expectOk(routine(Text(row.input)), row.output);
    }
}

// A failure caught at the routine's boundary: the description replaces the output, a critical box names the routine.
inline void expectCritical(const Conversion& result, TextView routine, TextView status, TextView description)
{
    EXPECT_EQ(result.status, status);
    EXPECT_EQ(result.output, description);
    EXPECT_EQ(result.failure, (common::Message{common::Icon::Critical, Text(routine) + u"() - Error " + Text(description)}));
}

} // namespace quirlwerk::conversions::testing
