// Reading numbers: the leading number of a text and the whole-number value, with their failures.
#include "common/numbers.h"

#include "common/failure.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::common;

namespace {

struct NumberRow {
    const char* name;
    std::u16string_view text;
    double value;
};

constexpr NumberRow leadingNumbers[] = {
    {"plain", u"42", 42},
    {"not a number", u"ab", 0},
    {"empty", u"", 0},
    {"stops at the first other character", u"5x", 5},
    {"blanks before", u"  7", 7},
    {"blanks between digits", u"1 2 3", 123},
    {"tabs and line feeds between digits", u"1\t2\n3", 123},
    {"carriage return stops", u"1\r2", 1},
    {"negative", u"-12", -12},
    {"blank between sign and digits", u"- 12", -12},
    {"plus sign", u"+8", 8},
    {"decimal point", u"2.5", 2.5},
    {"leading decimal point", u".5", 0.5},
    {"comma stops", u"1,5", 1},
    {"exponent", u"1e3", 1000},
    {"exponent with blanks and sign", u"15 E -1", 1.5},
    {"D exponent", u"2d2", 200},
    {"dangling exponent ignored", u"3e", 3},
    {"hexadecimal", u"&H1F", 31},
    {"hexadecimal lower case", u"&hff", 255},
    {"hexadecimal stops at non-digit", u"&H1G", 1},
    {"octal", u"&O17", 15},
    {"octal stops at 8", u"&O18", 1},
    {"ampersand alone", u"&", 0},
    {"ampersand with other letter", u"&X1", 0},
    {"sign alone", u"-", 0},
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
    {"text gives zero", u"x", 0},
};

constexpr WholeRow wholeValues[] = {
    {"plain", u"1000", 1000},
    {"blanks around", u"  -500 ", -500},
    {"rounded half to even", u"0.5", 0},
    {"rounded up", u"1.5", 2},
    {"exponent", u"1e3", 1000},
    {"hexadecimal pair", u"&H41", 65},
    {"hexadecimal lower case", u"&hff", 255},
    {"plus sign", u"+7", 7},
};

constexpr std::u16string_view notWholeValues[] = {
    u"", u"   ", u"abc", u"5x", u"1 2", u"&H", u"&HG1", u"1e", u"-", u".", u"&O17",
};

constexpr std::u16string_view overflowing[] = {
    u"2147483648", u"-2147483649", u"2147483647.5", u"1e10", u"&H100000000",
};

} // namespace

TEST(LeadingNumber, reads_the_number_at_the_start)
{
    for (const NumberRow& row : leadingNumbers) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(leadingNumber(row.text), row.value);
    }
}

TEST(LeadingNumber, rounds_to_whole_numbers_halves_to_even)
{
    for (const WholeRow& row : leadingWholeNumbers) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(leadingWholeNumber(row.text), row.value);
    }
}

TEST(LeadingNumber, value_beyond_32_bits_is_an_overflow)
{
    for (const std::u16string_view text : overflowing) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        try {
            leadingWholeNumber(text);
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), u"Überlauf");
        }
    }
    EXPECT_THROW(leadingNumber(u"1e999"), Failure);
}

TEST(WholeNumberValue, reads_whole_texts)
{
    for (const WholeRow& row : wholeValues) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(wholeNumberValue(row.text), row.value);
    }
}

TEST(WholeNumberValue, other_texts_are_a_type_failure)
{
    for (const std::u16string_view text : notWholeValues) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        try {
            wholeNumberValue(text);
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), u"Typen unverträglich");
        }
    }
}

TEST(WholeNumberValue, value_beyond_32_bits_is_an_overflow)
{
    for (const std::u16string_view text : overflowing) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        try {
            wholeNumberValue(text);
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), u"Überlauf");
        }
    }
}
