// The readings of one input: how they rank, which are left out, the step bound, cancelling, the dialects.
#include "conversions/geocode.h"
#include "readings/language_score.h"
#include "readings/readings.h"
#include "support/puzzles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace quirlwerk::readings {
namespace {

using conversions::Mode;

// 30 characters and more: the right reading ranks first. The first is exactly 30 long.
const Text longTexts[] = {
    u"Look under the old bridge now",
    u"Der Cache liegt hinter der alten Eiche am Waldrand.",
    u"The final is north of the church, under a flat stone.",
    u"Zaehlt die Fenster am Rathaus und addiert die Hausnummer.",
};
// Shorter: among the first three. The first is 29 long, one below the limit.
const Text shortTexts[] = {u"Sucht bei der Bank am Teich!", u"HALLO WELT", u"Look north", u"Final im Baum"};

// Matrix, Morse and letter values read back in capitals.
Text capitals(Text text)
{
    std::ranges::transform(text, text.begin(), [](char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; });
    return text;
}

std::vector<Reading> readingsOf(TextView input, const Options& options = {})
{
    return allReadings(input, options).value();
}

void expectRanks(TextView text, std::ptrdiff_t worst)
{
    for (const testing::Puzzle& puzzle : testing::puzzlesFor(text)) {
        SCOPED_TRACE(puzzle.name + " " + std::string(puzzle.dialect.begin(), puzzle.dialect.end()));
        const std::vector<Reading> all = readingsOf(puzzle.input);
        const auto found = std::ranges::find_if(all, [&](const Reading& r) {
            return r.mode == puzzle.mode && r.direction == puzzle.direction && r.dialect == puzzle.dialect;
        });
        ASSERT_TRUE(found != all.end() && found - all.begin() <= worst) << found - all.begin();
        EXPECT_TRUE(std::ranges::is_sorted(all, std::ranges::greater{}, &Reading::score));
        EXPECT_NE(capitals(found->gist).find(capitals(Text(text.substr(0, 3)))), Text::npos);
    }
}

TEST(AllReadings, texts_of_30_characters_rank_first_and_shorter_ones_among_the_first_three_with_every_encoding)
{
    for (const Text& text : longTexts)
        expectRanks(text, 0);
    for (const Text& text : shortTexts)
        expectRanks(text, 2);
}

TEST(AllReadings, leaves_out_readings_that_give_nothing_or_only_the_input_letters_back)
{
    const Text input = u"Zaehlt die Fenster am Rathaus und addiert die Hausnummer";
    const auto letters = [](Text text) { return std::erase_if(text, [](char16_t c) { return c < u'A'; }), capitals(text); };
    for (const Reading& reading : readingsOf(input)) {
        SCOPED_TRACE(readingName(reading));
        EXPECT_NE(reading.mode, Mode::Brainfuck);   // prose without a Brainfuck command
        EXPECT_EQ(reading.gist.find(u"Fenster am"), Text::npos);
        EXPECT_NE(letters(reading.gist), letters(input));
    }
}

// The bound just below, at and just past the steps of a program that prints "A" and then loops a while.
TEST(AllReadings, brainfuck_runs_to_its_step_bound_and_keeps_what_it_printed)
{
    const Text program = testing::printingProgram(u"A") + u"++++++[>++++++++[>+<-]<-]";
    const std::int64_t steps = conversions::runBrainfuck(program).steps;
    for (const std::int64_t bound : {steps - 1, steps, steps + 1}) {
        SCOPED_TRACE(bound);
        Options options;
        options.maxSteps = bound;
        const std::vector<Reading> all = readingsOf(program, options);
        const auto run = std::ranges::find(all, Mode::Brainfuck, &Reading::mode);
        ASSERT_NE(run, all.end());
        EXPECT_EQ(run->partial, bound < steps);
        EXPECT_EQ(run->gist, u"A");
    }
    EXPECT_EQ(Options{}.maxSteps, 10'000'000);
    EXPECT_FALSE(std::ranges::any_of(readingsOf(u"+[]"), [](const Reading& r) { return r.mode == Mode::Brainfuck; }));
}

TEST(AllReadings, stops_between_readings_when_asked)
{
    std::stop_source stop;
    Options options;
    int calls = 0;
    options.finder = [&](TextView) {
        if (++calls == 3)
            stop.request_stop();
        return std::vector<coordinates::Find>{};
    };
    EXPECT_FALSE(allReadings(testing::puzzlesFor(longTexts[0])[1].input, options, stop.get_token()));
}

// A fake finder stands in for the real one: a text holds a coordinate where it holds "@@".
TEST(AllReadings, coordinates_the_input_did_not_hold_rank_first)
{
    Options options;
    options.finder = [](TextView text) {
        std::vector<coordinates::Find> found;
        if (const std::size_t at = text.find(u"@@"); at != TextView::npos)
            found.push_back({{52.5, 13.4}, at, at + 2});
        return found;
    };
    const std::vector<Reading> codes = readingsOf(testing::puzzlesFor(u"qx @@ zv")[1].input, options);
    EXPECT_EQ(codes.front().mode, Mode::AsciiText);
    EXPECT_EQ(codes.front().coordinates.size(), 1u);
    EXPECT_GE(codes.front().score, coordinateBonus);
    for (const Reading& reading : readingsOf(testing::puzzlesFor(u"Der Cache @@ liegt hier")[0].input, options)) {
        EXPECT_TRUE(reading.coordinates.empty());
        EXPECT_LT(reading.score, coordinateBonus);
    }
}

TEST(LanguageScore, prose_outscores_its_own_letters_rotated_and_nothing_scores_outside_the_range)
{
    EXPECT_EQ(languageScore(u""), 0);
    EXPECT_EQ(languageScore(u"12 34, 56."), 0);
    for (const Text& text : longTexts) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        const Text rotated = conversions::geoCode(text);
        EXPECT_GT(languageScore(text), 3 * languageScore(rotated));
        EXPECT_LE(languageScore(text), maxLanguageScore);
    }
    // A few letters carry less evidence than a sentence; a letter alone is no word.
    EXPECT_LT(languageScore(u"the"), languageScore(u"the the the the the the"));
    EXPECT_GT(languageScore(u"e e e e e e e e e e e e e e e e"), languageScore(u"a a a a a a a a a a a a a a a a"));
}

Text randomProgram(std::mt19937& random, std::size_t length)
{
    Text program;
    for (std::size_t i = 0; i < length; ++i)
        program += brainfuckCommands[random() % brainfuckCommands.size()];
    return program;
}

TEST(Dialects, every_table_reads_back_what_it_spells_also_without_blanks)
{
    std::mt19937 random(7);
    for (const Dialect& dialect : knownDialects()) {
        SCOPED_TRACE(std::string(dialect.name.begin(), dialect.name.end()));
        const Text program = randomProgram(random, 200);
        const Translation spelt = toBrainfuck(spell(program, dialect), dialect);
        EXPECT_EQ(spelt.program, program);
        EXPECT_EQ(spelt.covered, 1.0);
        Text joined = spell(program, dialect);
        std::erase(joined, u' ');
        if (dialect.name != u"Pikalang") {   // its words run together are ambiguous ("pipi" or "pi pi")
            EXPECT_EQ(toBrainfuck(joined, dialect).program, program);
        }
    }
}

TEST(Dialects, detection_needs_eight_tokens_and_nine_tenths_of_the_text)
{
    const std::vector<Dialect> alphuck = {knownDialects()[2]};
    struct Row { const char* name; Text text; bool detected; };
    const Row rows[] = {
        {"seven tokens", u"eeeeeee", false},
        {"eight tokens", u"eeeeeeee", true},
        {"nine tenths covered", u"eeeeeeeee x", true},
        {"just below nine tenths", u"eeeeeeee x", false},
        {"capitals fold", u"EEEEEEEE", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(detectDialects(row.text, alphuck).size(), row.detected ? 1u : 0u);
    }
}

TEST(Dialects, a_users_table_takes_eight_different_words_and_is_tried_with_the_others)
{
    EXPECT_FALSE(userDialect(u"a b c d e f g", u"Eigene"));
    EXPECT_FALSE(userDialect(u"a b c d e f g h i", u"Eigene"));
    EXPECT_FALSE(userDialect(u"a b c d e f g a", u"Eigene"));
    const std::optional<Dialect> cased = userDialect(u"Mu mU mu MU Ba bA ba BA", u"Eigene");
    ASSERT_TRUE(cased);
    const Text program = testing::printingProgram(u"Hier ist die Dose versteckt, im Baum");
    EXPECT_EQ(toBrainfuck(spell(program, *cased), *cased).program, program);
    Options options;
    options.dialects.push_back(*cased);
    EXPECT_EQ(readingsOf(spell(program, *cased), options).front().dialect, u"Eigene");
}

} // namespace
} // namespace quirlwerk::readings
