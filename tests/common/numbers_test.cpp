// Reading numbers: the leading number of a text and the whole-number value, with their failures.
#include "common/numbers.h"

#include "common/failure.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quirlwerk;
using namespace quirlwerk::common;

namespace {

struct NumberRow {
    const char* name;
    std::u16string_view text;
    double value;
};

constexpr NumberRow leadingNumbers[] = {
    {"not a number", u"ab", 0},
    {"stops at the first other character", u"5x", 5},
    {"blanks before", u"  7", 7},
    {"blanks, tabs and line feeds between digits", u"1 2\t3\n4", 1234},
    {"carriage return stops", u"1\r2", 1},
    {"blank between sign and digits", u"- 12", -12},
    {"leading decimal point", u".5", 0.5},
    {"comma stops", u"1,5", 1},
    {"exponent with blanks and sign", u"15 E -1", 1.5},
    {"D exponent", u"+2d2", 200},
    {"dangling exponent ignored", u"3e", 3},
    {"hexadecimal in either case, stops at non-digit", u"&hfF1G", 4081},
    {"octal stops at 8", u"&O178", 15},
    {"ampersand with other letter", u"&X1", 0},
    {"two signs", u"+-5", 0},
};

struct WholeRow {
    const char* name;
    std::u16string_view text;
    std::int32_t value;
};

constexpr WholeRow leadingWholeNumbers[] = {
    {"half rounds to even below", u"2.5", 2},
    {"half rounds to even above", u"3.5", 4},
    {"negative half", u"-2.5", -2},
    {"just above half", u"2.51", 3},
    {"largest", u"2147483647", 2147483647},
    {"smallest", u"-2147483648", -2147483647 - 1},
};

constexpr WholeRow wholeValues[] = {
    {"blanks around", u"  -500 ", -500},
    {"rounded half to even", u"0.5", 0},
    {"exponent", u"1e3", 1000},
    {"hexadecimal", u"&H41", 65},
};

void expectFailure(const std::function<void()>& read, std::u16string_view description)
{
    try {
        read();
        ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(), description);
    }
}

} // namespace

TEST(LeadingNumber, reads_the_number_at_the_start)
{
    for (const NumberRow& row : leadingNumbers) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(leadingNumber(row.text), row.value);
    }
    for (const WholeRow& row : leadingWholeNumbers) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(leadingWholeNumber(row.text), row.value);
    }
    EXPECT_THROW(leadingNumber(u"1e999"), Failure);
}

TEST(WholeNumberValue, reads_whole_texts_only)
{
    for (const WholeRow& row : wholeValues) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(wholeNumberValue(row.text), row.value);
    }
    for (const std::u16string_view text : {u"", u"   ", u"5x", u"1 2", u"&HG1", u"1e", u"-", u".", u"&O17"}) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        expectFailure([&] { wholeNumberValue(text); }, u"Typen unverträglich");
    }
}

TEST(Numbers, values_beyond_32_bits_are_an_overflow)
{
    for (const std::u16string_view text : {u"2147483648", u"-2147483649", u"2147483647.5", u"1e10", u"&H100000000"}) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        expectFailure([&] { leadingWholeNumber(text); }, u"Überlauf");
        expectFailure([&] { wholeNumberValue(text); }, u"Überlauf");
    }
}
