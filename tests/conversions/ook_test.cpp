// Ook!: pairs of words translated by their marks, faulty pairs, the remainder rule, and the spelling back.
#include "conversions/ook.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

namespace {

struct OokRow {
    const char* name;
    TextView ook;
    TextView brainfuck;
    TextView status;
};

constexpr OokRow rows[] = {
    {"blanks only", u" \t\r\n ", u"", u"OK"},
    {"last pair without a gap after another", u"Ook. Ook? Ook.Ook.", u">", u"OK"},
    {"only marks count", u"Ugh! Ugh?", u"[", u"OK"},
    {"all eight commands",
     u"Ook. Ook. Ook! Ook! Ook. Ook? Ook? Ook. Ook! Ook? Ook? Ook! Ook! Ook. Ook. Ook!", u"+-><[].,", u"OK"},
    {"words need no gaps but before the last pair", u"Ook.Ook.Ook!Ook!Ook. Ook?", u"+->", u"OK"},
    {"blanks inside words", u"O o k . O\r\nok?", u">", u"OK"},
    {"lone word at the end ignored", u"Ook. Ook? Ook.", u">", u"OK"},
    {"first faulty pair names its position", u"Ook? Ook? Ook. Ook. Ook, Ook.", u"?+?",
     u"Fehler bei Zeichen hinter Position 9: Fehlerhafte Folge ''?/?''"},
    {"position counts leading blanks", u"   Ook. Ook?  Ook! Ook ", u">?",
     u"Fehler bei Zeichen hinter Position 23: Fehlerhafte Folge ''!/''"},
    {"buffer runs short", u"Ook. O          ", u"?", u"Fehler bei Zeichen hinter Position 16: Fehlerhafte Folge ''./''"},
    {"buffer too short for either mark", u"Oo        ", u"?", u"Fehler bei Zeichen hinter Position 10: Fehlerhafte Folge ''/''"},
};

} // namespace

TEST(Ook2Brainfuck, translates_pairs_by_their_marks)
{
    for (const OokRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Conversion result = Ook2Brainfuck(Text(row.ook));
        EXPECT_EQ(result.output, row.brainfuck);
        EXPECT_EQ(result.status, row.status);
        EXPECT_FALSE(result.failure);
    }
}

TEST(BrainfuckToOok, spells_the_help_example_in_1409_characters)
{
    constexpr TextView helloWorld =
        u">+++++++++[<++++++++>-]<.>+++++++[<++++>-]<+.+++++++..+++.>>>++++++++[<++++>-]<.>>>++++++++++"
        u"[<+++++++++>-]<---.<<<<.+++.------.--------.>>+.";
    const Text ook = BrainfuckToOok(helloWorld);
    EXPECT_EQ(ook.size(), 1409u);
    EXPECT_TRUE(ook.starts_with(u"Ook. Ook? Ook. Ook. Ook. Ook."));
    EXPECT_EQ(Ook2Brainfuck(ook).output, helloWorld);
    EXPECT_EQ(BrainfuckToOok(u"a+ ,b"), u"Ook. Ook. Ook. Ook!");
}
