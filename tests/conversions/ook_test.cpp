// Ook!: pairs of words translated by their marks, faulty pairs, the remainder rule, and the spelling back.
#include "conversions/ook.h"

#include "conversions/conversion_testing.h"

using namespace quirlwerk::conversions::testing;

TEST(Ook2Brainfuck, translates_pairs_by_their_marks)
{
    expectEach({
        {"blanks only", u" \t\r\n ", u""},
        {"all eight commands", u"Ook. Ook. Ook! Ook! Ook. Ook? Ook? Ook. Ook! Ook? Ook? Ook! Ook! Ook. Ook. Ook!", u"+-><[].,"},
        {"only marks count, words need no gaps but before the last pair", u"Ugh.Ugh.Ook!Ook!Ook. Ook?", u"+->"},
        {"blanks inside words", u"O o k . O\r\nok?", u">"},
        {"a last pair without a gap after another is dropped", u"Ook. Ook? Ook.Ook.", u">"},
        {"a lone word at the end is ignored", u"Ook. Ook? Ook.", u">"},
    }, Ook2Brainfuck);
    constexpr TextRow faulty[] = {   // the output is the status; the translation follows
        {"first faulty pair names its position", u"Ook? Ook? Ook. Ook. Ook, Ook.", u"9: Fehlerhafte Folge ''?/?''?+?"},
        {"position counts leading blanks", u"   Ook. Ook?  Ook! Ook ", u"23: Fehlerhafte Folge ''!/''>?"},
        {"buffer runs short", u"Ook. O          ", u"16: Fehlerhafte Folge ''./''?"},
        {"buffer too short for either mark", u"Oo        ", u"10: Fehlerhafte Folge ''/''?"},
    };
    for (const TextRow& row : faulty) {
        const Conversion result = Ook2Brainfuck(Text(row.input));
        EXPECT_EQ(result.status + result.output + (result.failure ? u"!" : u""), u"Fehler bei Zeichen hinter Position " + Text(row.output)) << row.name;
    }
}

// Spelt programs of every length up to 40 commands, with other characters the spelling drops, read back.
TEST(BrainfuckToOok, spells_programs_that_read_back)
{
    EXPECT_EQ(BrainfuckToOok(u"a+ ,b"), u"Ook. Ook. Ook. Ook!");
    std::mt19937 random(9);
    for (std::size_t length = 0; length <= 40; ++length) {
        const Text program = drawn(u"+-<>[].,", length, random);
        const Text ook = BrainfuckToOok(drawn(u"x \r\n", 1, random) + program);
        EXPECT_EQ(ook.size(), length ? 10 * length - 1 : 0);
        expectOk(Ook2Brainfuck(ook), program);
    }
}
