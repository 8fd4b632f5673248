// Word lengths: the length list with its 40-number lines and the two bit strings with their 80-bit lines.
#include "conversions/word_lengths.h"

#include "conversions/conversion_testing.h"

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;

namespace {

Text expectedWordLengths(TextView lengths, TextView evenZero, TextView evenOne)
{
    return Text(lengths) + u"\r\n\r\nGerade Zahlen = 0, Ungerade Zahlen = 1:\r\n" + Text(evenZero)
        + u"\r\n\r\nGerade Zahlen = 1, Ungerade Zahlen = 0:\r\n" + Text(evenOne);
}

constexpr TextView workedExample =
    u"Es braucht ganz schoen viele Buchstaben, um hier auch nur einen kurzen Text verschluesseln zu koennen. "
    u"Um das Prinzip zu zeign, genuegt es diesen Text mit der Maus ins Eingabefeld zu kopieren. "
    u"Danach die Ausgabe noch mal entschlüsslen und sieheda.";
constexpr TextView workedLengths =
    u"2 7 4 6 5 10 2 4 4 3 5 6 4 14 2 7 2 3 7 2 5 7 2 6 4 3 3 4 3 11 2 8 6 3 7 4 3 13 3 7";
constexpr TextView workedEvenZero = u"0100100001100001011011000110110001101111";
constexpr TextView workedEvenOne = u"1011011110011110100100111001001110010000";

struct WordLengthsRow {
    const char* name;
    Text input;
    Text output;
};

const Text ones40 = repeated(u"1", 40, u" ");

const WordLengthsRow rows[] = {
    {"worked example", Text(workedExample), expectedWordLengths(workedLengths, workedEvenZero, workedEvenOne)},
    {"a separator after the 40th number breaks the list line", Text(workedExample) + u" ",
     expectedWordLengths(Text(workedLengths) + u"\r\n", workedEvenZero, workedEvenOne)},
    {"no word characters", u" ,.!\r\n", expectedWordLengths(u"", u"", u"")},
    {"sharp s, umlauts and digits are word characters, other accented letters separate", u"Straße Öl A1B2 café",
     expectedWordLengths(u"6 2 4 3", u"0001", u"1110")},
    {"41 words each followed by a blank", repeated(u"a ", 41),
     expectedWordLengths(ones40 + u"\r\n1", repeated(u"1", 41), repeated(u"0", 41))},
    {"the last word skips the line check", repeated(u"a ", 40) + u"a",
     expectedWordLengths(ones40 + u" 1", repeated(u"1", 41), repeated(u"0", 41))},
    {"the last word keeps its blank after a line break", repeated(u"a ", 40) + u" a",
     expectedWordLengths(ones40 + u"\r\n 1", repeated(u"1", 41), repeated(u"0", 41))},
    {"81 words each followed by a blank", repeated(u"ab ", 81),
     expectedWordLengths(repeated(repeated(u"2", 40, u" "), 2, u"\r\n") + u"\r\n2",
                         repeated(u"0", 80) + u"\r\n0", repeated(u"1", 80) + u"\r\n1")},
};

} // namespace

TEST(ZaehleBuchstaben, writes_lengths_and_parity_bits)
{
    for (const WordLengthsRow& row : rows) {
        SCOPED_TRACE(row.name);
        expectOk(ZaehleBuchstaben(row.input), row.output);
    }
}
