// Letter values: the BWW and Scrabble lines of Buchstabe2Zahl and the digit buffer of Zahl2Buchstabe.
#include "conversions/letter_values.h"

#include "conversions/conversion_testing.h"

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;

namespace {

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
    {"CR without LF ends a line too", u"ab\rc\r\nd", u"(BWW: 3): 1 2 \r\n(BWW: 3): 3 \r\n(BWW: 4): 4 \r\n",
     u"(Scrabble: 4): 1 3 \r\n(Scrabble: 4): 4 \r\n(Scrabble: 1): 1 "},
    {"LF without CR is copied into the line", u"ab\nc", u"(BWW: 6): 1 2 \n3 \r\n", u"(Scrabble: 8): 1 3 \n4 "},
    {"a text ending in a line break gets no extra line", u"ab\r\n", u"(BWW: 3): 1 2 \r\n",
     u"(Scrabble: 4): 1 3 \r\n"},
    {"an empty line still has its sum", u"\r\nz", u"(BWW: 0): \r\n(BWW: 26): 26 \r\n",
     u"(Scrabble: 0): \r\n(Scrabble: 3): 3 "},
    {"two blanks give two underscores", u"a  b", u"(BWW: 3): 1 __2 \r\n", u"(Scrabble: 4): 1 __3 "},
    {"umlauts in either case", u"äÖüß", u"(BWW: 114): 27 28 29 30 \r\n", u"(Scrabble: 22): 6 8 6 1 1 "},
    {"digits count in BWW only, other letters stay, upper-cased for Scrabble", u"é9!",
     u"(BWW: 9): é9 !\r\n", u"(Scrabble: 0): É9!"},
    {"every Scrabble value", u"abcdefghijklmnopqrstuvwxyz",
     u"(BWW: 351): 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 \r\n",
     u"(Scrabble: 85): 1 3 4 1 1 4 2 2 1 6 4 2 3 1 2 4 10 1 1 1 1 6 3 8 10 3 "},
};

} // namespace

TEST(Buchstabe2Zahl, writes_bww_and_scrabble_lines)
{
    for (const LetterValuesRow& row : letterValuesRows) {
        SCOPED_TRACE(row.name);
        expectOk(Buchstabe2Zahl(Text(row.input)),
                 u"BWW: Buchstabenwortwerte Caches: A=1, B=2, ... Z=26, Ä=27, Ö=28, Ü=29, ß=30\r\n" + Text(row.bwwLines)
                     + u"\r\nScrabble: Buchstabenwerte Scrabble:  1 - A,D,E,I,N,R,S,T,U   2 - G,H,L,O   3 - B,M,W,Z   ...   "
                       u"10 - Q,Y\r\n" + Text(row.scrabbleLines));
    }
}

// "ß" has the largest value, 30, so this is the shortest line whose BWW sum passes 2^31 - 1:
// 71582788 of them sum to 2147483640, the next one overflows.
TEST(Buchstabe2Zahl, a_line_sum_beyond_32_bits_is_an_overflow_failure)
{
    expectCritical(Buchstabe2Zahl(Text(71'582'789, u'ß')), u"Buchstabe2Zahl",
                   u"Fehler aufgetreten bei 71582789.tem Zeichen", u"Überlauf");
}

TEST(Zahl2Buchstabe, turns_numbers_1_to_30_into_letters)
{
    constexpr TextRow rows[] = {
        {"digit buffer rules", u"31 1, 05 00 27 123", u"31 A,E00 Ä123 "},
        {"a BWW line turns back into its letters", u"8 1 12 12 15 _23 5 12 20 ", u"HALLO_WELT"},
        {"line breaks stay, a number at the very end counts", u"28 29 30\r\n26", u"ÖÜß\r\nZ"},
        {"three digits and a lone zero stay with a blank", u"005x0", u"005 x0 "},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        expectOk(Zahl2Buchstabe(Text(row.input)), row.output);
    }
}
