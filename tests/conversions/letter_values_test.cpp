// Letter values: the BWW and Scrabble lines of Buchstabe2Zahl and the digit buffer of Zahl2Buchstabe.
#include "conversions/letter_values.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

namespace {

constexpr TextView bwwHeading = u"BWW: Buchstabenwortwerte Caches: A=1, B=2, ... Z=26, Ä=27, Ö=28, Ü=29, ß=30\r\n";
constexpr TextView scrabbleHeading =
    u"Scrabble: Buchstabenwerte Scrabble:  1 - A,D,E,I,N,R,S,T,U   2 - G,H,L,O   3 - B,M,W,Z   ...   10 - Q,Y\r\n";

Text expectedLetterValues(TextView bwwLines, TextView scrabbleLines)
{
    return Text(bwwHeading) + Text(bwwLines) + u"\r\n" + Text(scrabbleHeading) + Text(scrabbleLines);
}

struct LetterValuesRow {
    const char* name;
    TextView input;
    TextView bwwLines;
    TextView scrabbleLines;
};

constexpr LetterValuesRow letterValuesRows[] = {
    {"worked example", u"Hallo Welt", u"(BWW: 108): 8 1 12 12 15 _23 5 12 20 \r\n",
     u"(Scrabble: 16): 2 1 2 2 2 _3 1 2 1 "},
    {"empty input gives the headings only", u"", u"", u""},
    {"sharp s is one BWW letter and two Scrabble letters", u"Größe 3", u"(BWW: 91): 7 18 28 30 5 _3 \r\n",
     u"(Scrabble: 14): 2 1 8 1 1 1 _3"},
    {"CR LF ends a line in both sections", u"ab\r\nc", u"(BWW: 3): 1 2 \r\n(BWW: 3): 3 \r\n",
     u"(Scrabble: 4): 1 3 \r\n(Scrabble: 4): 4 "},
    {"CR without LF ends a line too", u"ab\rc", u"(BWW: 3): 1 2 \r\n(BWW: 3): 3 \r\n",
     u"(Scrabble: 4): 1 3 \r\n(Scrabble: 4): 4 "},
    {"LF without CR is copied into the line", u"ab\nc", u"(BWW: 6): 1 2 \n3 \r\n", u"(Scrabble: 8): 1 3 \n4 "},
    {"a text ending in a line break gets no extra line", u"ab\r\n", u"(BWW: 3): 1 2 \r\n",
     u"(Scrabble: 4): 1 3 \r\n"},
    {"an empty line still has its sum", u"\r\n\r\nz", u"(BWW: 0): \r\n(BWW: 0): \r\n(BWW: 26): 26 \r\n",
     u"(Scrabble: 0): \r\n(Scrabble: 0): \r\n(Scrabble: 3): 3 "},
    {"two blanks give two underscores", u"a  b", u"(BWW: 3): 1 __2 \r\n", u"(Scrabble: 4): 1 __3 "},
    {"umlauts in either case", u"äÖüß", u"(BWW: 114): 27 28 29 30 \r\n", u"(Scrabble: 22): 6 8 6 1 1 "},
    {"digits count in BWW only, other letters stay, upper-cased for Scrabble", u"é9!",
     u"(BWW: 9): é9 !\r\n", u"(Scrabble: 0): É9!"},
    {"every Scrabble value", u"abcdefghijklmnopqrstuvwxyz",
     u"(BWW: 351): 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 \r\n",
     u"(Scrabble: 85): 1 3 4 1 1 4 2 2 1 6 4 2 3 1 2 4 10 1 1 1 1 6 3 8 10 3 "},
};

struct NumbersRow {
    const char* name;
    TextView input;
    TextView output;
};

constexpr NumbersRow numbersRows[] = {
    {"digit buffer rules", u"31 1, 05 00 27 123", u"31 A,E00 Ä123 "},
    {"a number at the very end is converted", u"26", u"Z"},
    {"empty input", u"", u""},
    {"a BWW line turns back into its letters", u"8 1 12 12 15 _23 5 12 20 ", u"HALLO_WELT"},
    {"umlauts and sharp s", u"27 28 29 30", u"ÄÖÜß"},
    {"three digits stay with a blank", u"005", u"005 "},
    {"zero at the end stays", u"0", u"0 "},
    {"line breaks and letters stay", u"1\r\n2x3", u"A\r\nBxC"},
};

} // namespace

TEST(Buchstabe2Zahl, writes_bww_and_scrabble_lines)
{
    for (const LetterValuesRow& row : letterValuesRows) {
        SCOPED_TRACE(row.name);
        const Conversion result = Buchstabe2Zahl(Text(row.input));
        EXPECT_EQ(result.status, u"OK");
        EXPECT_EQ(result.output, expectedLetterValues(row.bwwLines, row.scrabbleLines));
        EXPECT_FALSE(result.failure);
    }
}

// About 72 million "ß" in one line: the BWW sum passes 2^31 - 1 at the 71582789th character.
TEST(Buchstabe2Zahl, a_line_sum_beyond_32_bits_is_an_overflow_failure)
{
    const Conversion result = Buchstabe2Zahl(Text(71'582'789, u'ß'));
    EXPECT_EQ(result.status, u"Fehler aufgetreten bei 71582789.tem Zeichen");
    EXPECT_EQ(result.output, u"Überlauf");
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->icon, common::Icon::Critical);
    EXPECT_EQ(result.failure->title, u"Quirlwerk");
    EXPECT_EQ(result.failure->text, u"Buchstabe2Zahl() - Error Überlauf");
}

TEST(Zahl2Buchstabe, turns_numbers_1_to_30_into_letters)
{
    for (const NumbersRow& row : numbersRows) {
        SCOPED_TRACE(row.name);
        const Conversion result = Zahl2Buchstabe(Text(row.input));
        EXPECT_EQ(result.status, u"OK");
        EXPECT_EQ(result.output, row.output);
        EXPECT_FALSE(result.failure);
    }
}
