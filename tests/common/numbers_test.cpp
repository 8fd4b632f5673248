// Reading numbers: every text through all three readers, so each row shows where they part.
#include "common/numbers.h"

#include "common/failure.h"
#include "common/utf8.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace quirlwerk;
using namespace quirlwerk::common;

namespace {

// The value as "%.15g", or the failure's description.
template <typename Read>
std::string outcome(Read read)
{
    try {
        char shown[32];
        std::snprintf(shown, sizeof shown, "%.15g", static_cast<double>(read()));
        return shown;
    } catch (const Failure& failure) {
        return toUtf8(failure.description());
    }
}

constexpr const char* mismatch = "Typen unverträglich";
constexpr const char* overflow = "Überlauf";

// The limits: 32 bits at, just below and just past each end; halves on either side of them.
// The text, then what leadingNumber, leadingWholeNumber and wholeNumberValue make of it.
const std::tuple<const char*, std::u16string_view, const char*, const char*, const char*> rows[] = {
    {"not a number", u"ab", "0", "0", mismatch},
    {"stops at the first other character", u"5x", "5", "5", mismatch},
    {"blanks and tabs around", u" \t7 ", "7", "7", "7"},
    {"blanks, tabs and line feeds between digits", u"1 2\t3\n4", "1234", "1234", mismatch},
    {"carriage return stops", u"1\r2", "1", "1", mismatch},
    {"blank between sign and digits", u"- 12", "-12", "-12", mismatch},
    {"leading decimal point, half to even", u".5", "0.5", "0", "0"},
    {"comma stops", u"1,5", "1", "1", mismatch},
    {"exponent with blanks and sign", u"15 E -1", "1.5", "2", mismatch},
    {"D exponent only at the start", u"+2d2", "200", "200", mismatch},
    {"dangling exponent", u"3e", "3", "3", mismatch},
    {"exponent", u"1e3", "1000", "1000", "1000"},
    {"hexadecimal in either case, stops at non-digit", u"&hfF1G", "4081", "4081", mismatch},
    {"hexadecimal", u"&H41", "65", "65", "65"},
    {"hexadecimal without digits", u"&HG1", "0", "0", mismatch},
    {"octal stops at 8", u"&O178", "15", "15", mismatch},
    {"ampersand with other letter", u"&X1", "0", "0", mismatch},
    {"two signs", u"+-5", "0", "0", mismatch},
    {"half rounds to even below", u"2.5", "2.5", "2", "2"},
    {"half rounds to even above", u"-3.5", "-3.5", "-4", "-4"},
    {"largest", u"2147483647", "2147483647", "2147483647", "2147483647"},
    {"smallest", u"-2147483648", "-2147483648", "-2147483648", "-2147483648"},
    {"just below the largest, half to even", u"2147483646.5", "2147483646.5", "2147483646", "2147483646"},
    {"past the largest", u"2147483648", "2147483648", overflow, overflow},
    {"past the smallest", u"-2147483649", "-2147483649", overflow, overflow},
    {"a half past the largest", u"2147483647.5", "2147483647.5", overflow, overflow},
    {"hexadecimal past 32 bits", u"&H100000000", "4294967296", overflow, overflow},
    {"beyond a double", u"1e999", overflow, overflow, overflow},
};

} // namespace

TEST(Numbers, each_reader_takes_its_part_of_the_text)
{
    for (const auto& [name, text, leading, whole, value] : rows) {
        EXPECT_EQ(outcome([&] { return leadingNumber(text); }), leading) << name;
        EXPECT_EQ(outcome([&] { return leadingWholeNumber(text); }), whole) << name;
        EXPECT_EQ(outcome([&] { return wholeNumberValue(text); }), value) << name;
    }
}
