// Letter values: the BWW and Scrabble lines of Buchstabe2Zahl, the 32-bit line sum, and Zahl2Buchstabe's numbers.
#include "conversions/letter_values.h"

#include "conversions/checked_sum.h"
#include "conversions/conversion_testing.h"

using namespace quirlwerk::conversions::testing;

TEST(Buchstabe2Zahl, writes_bww_and_scrabble_lines)
{
    constexpr std::tuple<const char*, TextView, TextView, TextView> rows[] = {   // name, input, BWW lines, Scrabble lines
        {"worked example", u"Hallo Welt", u"(BWW: 108): 8 1 12 12 15 _23 5 12 20 \r\n", u"(Scrabble: 16): 2 1 2 2 2 _3 1 2 1 "},
        {"empty input gives the headings only", u"", u"", u""},
        {"CR without LF ends a line too", u"ab\rc\r\nd", u"(BWW: 3): 1 2 \r\n(BWW: 3): 3 \r\n(BWW: 4): 4 \r\n",
         u"(Scrabble: 4): 1 3 \r\n(Scrabble: 4): 4 \r\n(Scrabble: 1): 1 "},
        {"LF without CR is copied into the line", u"ab\nc", u"(BWW: 6): 1 2 \n3 \r\n", u"(Scrabble: 8): 1 3 \n4 "},
        {"a text ending in a line break gets no extra line", u"ab\r\n", u"(BWW: 3): 1 2 \r\n", u"(Scrabble: 4): 1 3 \r\n"},
        {"an empty line still has its sum", u"\r\nz", u"(BWW: 0): \r\n(BWW: 26): 26 \r\n", u"(Scrabble: 0): \r\n(Scrabble: 3): 3 "},
        {"two blanks give two underscores", u"a  b", u"(BWW: 3): 1 __2 \r\n", u"(Scrabble: 4): 1 __3 "},
        {"umlauts in either case, sharp s two Scrabble letters", u"äÖüÄöÜß", u"(BWW: 198): 27 28 29 27 28 29 30 \r\n",
         u"(Scrabble: 42): 6 8 6 6 8 6 1 1 "},
        {"digits count in BWW only, other letters stay, upper-cased for Scrabble", u"é9!", u"(BWW: 9): é9 !\r\n", u"(Scrabble: 0): É9!"},
        {"every letter", u"abcdefghijklmnopqrstuvwxyz",
         u"(BWW: 351): 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 \r\n",
         u"(Scrabble: 85): 1 3 4 1 1 4 2 2 1 6 4 2 3 1 2 4 10 1 1 1 1 6 3 8 10 3 "},
    };
    for (const auto& [name, input, bwwLines, scrabbleLines] : rows) {
        SCOPED_TRACE(name);
        expectOk(Buchstabe2Zahl(Text(input)), u"BWW: Buchstabenwortwerte Caches: A=1, B=2, ... Z=26, Ä=27, Ö=28, Ü=29, ß=30\r\n" + Text(bwwLines)
                     + u"\r\nScrabble: Buchstabenwerte Scrabble:  1 - A,D,E,I,N,R,S,T,U   2 - G,H,L,O   3 - B,M,W,Z   ...   10 - Q,Y\r\n"
                     + Text(scrabbleLines));
    }
}

// The sum fails exactly past 2^31 - 1. The routine offers no way to start a line's sum higher, so the wiring is
// shown once with the shortest such line: "ß" is worth 30, 71582788 of them sum to 2147483640, the next overflows.
TEST(Buchstabe2Zahl, a_line_sum_beyond_32_bits_is_an_overflow_failure)
{
    EXPECT_EQ(checkedAdd(INT32_MAX - 30, 30), INT32_MAX);
    EXPECT_THROW(checkedAdd(INT32_MAX - 29, 30), common::Failure);
    expectCritical(Buchstabe2Zahl(Text(71'582'789, u'ß')), u"Buchstabe2Zahl", u"Fehler aufgetreten bei 71582789.tem Zeichen",
                   u"Überlauf");
}

// Numbers 1 to 30 of one or two digits become their letters; 0, 31 and up, and three digits stay with a blank.
TEST(Zahl2Buchstabe, turns_numbers_1_to_30_into_letters)
{
    for (int value = 0; value <= 120; ++value) {
        const Text number = decimal(value);
        const Text letter = value >= 1 && value <= 26 ? Text(1, static_cast<char16_t>(u'@' + value))
                          : value >= 27 && value <= 30 ? Text(1, u"ÄÖÜß"[value - 27])
                                                       : number + u" ";
        expectOk(Zahl2Buchstabe(number + u"," + number), letter + u"," + letter);
        expectOk(Zahl2Buchstabe(u"0" + number), value == 0 ? u"00 " : value < 10 ? letter : u"0" + number + u" ");
    }
    expectEach({{"a BWW line turns back into its letters", u"8 1 12 12 15 _23 5 12 20 ", u"HALLO_WELT"},
                {"line breaks stay", u"28 29\r\n7x", u"ÖÜ\r\nGx"}}, Zahl2Buchstabe);
}
