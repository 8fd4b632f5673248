// Brainfuck: the interpreter's semantics, its errors and step bound, and the fast interpreter
// checked against the literal one.
#include "conversions/brainfuck.h"
#include "support/brainfuck_reference.h"
#include "conversions/conversion_testing.h"

#include <random>

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;

namespace {

Text report(TextView decimals, TextView printed)
{
    return u"Ausgabe als Dezimalzahlen: \r\n" + Text(decimals) + u"\r\n\r\nAusgabe als Text: \r\n" + Text(printed);
}

struct RunRow {
    const char* name;
    Text program;
    Text decimals;
    Text printed;
};

const RunRow completeRuns[] = {
    {"no commands, comma does nothing", u"Hallo, Welt,", u"", u""},
    {"negative value", u"-,.", u"-1", u""},
    {"line feed printed as line break", repeated(u"+", 10) + u".", u"10", u"\r\n"},
    {"carriage return alone", repeated(u"+", 13) + u".", u"13", u"\r"},
    {"below blank listed only", repeated(u"+", 31) + u".+.", u"31 32", u" "},
    {"code page character", repeated(u"+", 228) + u".", u"228", u"ä"},
    {"256 listed only", repeated(u"+", 256) + u".", u"256", u""},
    {"negative cell never enters a loop", u"-[+.]", u"", u""},
    {"loop runs while positive", u"+++[.-]", u"3 2 1", u""},
    {"cell 1 reachable", repeated(u"<", 499) + u"+.", u"1", u""},
    {"moving off the tape without touching", repeated(u"<", 500), u"", u""},
    {"unmatched close ignored", u"]+.]", u"1", u""},
    {"unmatched open on zero ends the run", u"[+.", u"", u""},
    {"skipped loop then a stray close", u"[+.]]+.", u"1", u""},
    {"unmatched open entered goes on", u"+[.", u"1", u""},
    {"decrement by two stops below zero", u"+++[-->+<]>.<.", u"2 -1", u""},
    {"move loop keeps the source on zero", u"+++[->++>+++<<]>.>.<<.", u"6 9 0", u""},
    {"loop that never ran skips nested ones", u"[[]].", u"0", u""},
    {"1000 open loops", u"+" + repeated(u"[", 1000) + u".", u"1", u""},
    {"hello world",
     u">+++++++++[<++++++++>-]<.>+++++++[<++++>-]<+.+++++++..+++.>>>++++++++[<++++>-]<.>>>++++++++++"
     u"[<+++++++++>-]<---.<<<<.+++.------.--------.>>+.",
     u"72 101 108 108 111 32 87 111 114 108 100 33", u"Hello World!"},
};

struct FailureRow {
    const char* name;
    Text program;
    std::int64_t steps;
};

const FailureRow failures[] = {
    {"cell 0", repeated(u"<", 500) + u"+", 501},
    {"cell 1001", repeated(u">", 501) + u".", 502},
    {"loop test off the tape", repeated(u">", 501) + u"[", 502},
    {"unmatched close off the tape", repeated(u">", 501) + u"]", 502},
    {"move loop reaching off the tape", u"+[" + repeated(u"<", 500) + u"+" + repeated(u">", 500) + u"-]", 503},
    {"1001st open loop", u"+" + repeated(u"[", 1001), 1002},
    {"1001st loop even when closed", u"+" + repeated(u"[", 1001) + repeated(u"]", 1001), 1002},
};

void expectSameRun(const BrainfuckRun& fast, const BrainfuckRun& reference)
{
    EXPECT_EQ(fast.result.output, reference.result.output);
    EXPECT_EQ(fast.result.status, reference.result.status);
    EXPECT_EQ(fast.result.failure, reference.result.failure);
    EXPECT_EQ(fast.steps, reference.steps);
}

// Cell 500 ends on the largest 32-bit value; the pointer stays on it.
Text largestCell()
{
    return repeated(u"+", 128) + u"[>" + repeated(u"+", 256) + u"<-]>[>" + repeated(u"+", 256) + u"<-]>[>" + repeated(u"+", 255)
        + u">+<<-]>>-[<+>-]<";
}

} // namespace

TEST(InterpretBrainfuck, reports_what_the_program_printed)
{
    for (const RunRow& row : completeRuns) {
        SCOPED_TRACE(row.name);
        const BrainfuckRun run = runBrainfuck(row.program);
        expectOk(run.result, report(row.decimals, row.printed));
        expectSameRun(run, InterpretBrainfuckReference(row.program));
    }
}

TEST(InterpretBrainfuck, stops_at_errors_with_a_critical_box)
{
    for (const FailureRow& row : failures) {
        SCOPED_TRACE(row.name);
        const BrainfuckRun run = runBrainfuck(row.program);
        expectCritical(run.result, u"InterpretBrainfuck", u"Fehler aufgetreten: Index außerhalb des gültigen Bereichs",
                       u"Index außerhalb des gültigen Bereichs");
        EXPECT_EQ(run.steps, row.steps);
        expectSameRun(run, InterpretBrainfuckReference(row.program));
    }
}

TEST(InterpretBrainfuck, stops_at_the_step_bound_without_a_box)
{
    struct BoundRow {
        const char* name;
        Text program;
        std::int64_t maxSteps;
        Text decimals;
    };
    const BoundRow rows[] = {
        {"empty loop at once", u"+[]", 1, u""},
        {"moves only", u"+[><]", 1001, u""},
        {"printed so far is kept", u"+[.]", 10, u"1 1 1 1"},
        {"inside a folded run", u"+++.", 3, u""},
        {"move loop one step short", u"+++++++[->+<]>.", 44, u""},
    };
    for (const BoundRow& row : rows) {
        SCOPED_TRACE(row.name);
        const BrainfuckRun run = runBrainfuck(row.program, row.maxSteps);
        expectSameRun(run, InterpretBrainfuckReference(row.program, row.maxSteps));
        EXPECT_EQ(run.result.output, report(row.decimals, u""));
        EXPECT_EQ(run.result.status, u"Fehler aufgetreten: Abbruch nach " + decimal(row.maxSteps) + u" Schritten (Endlosschleife?)");
        EXPECT_FALSE(run.result.failure);
        EXPECT_EQ(run.steps, row.maxSteps);
    }
    EXPECT_EQ(InterpretBrainfuck(u"+[]").status, u"Fehler aufgetreten: Abbruch nach 1000000000 Schritten (Endlosschleife?)");
}

// The literal interpreter would need billions of steps for this, so the fast one is checked
// against the step count of its own shorter runs.
TEST(InterpretBrainfuck, overflows_exactly_where_the_cell_leaves_32_bits)
{
    constexpr std::int64_t plenty = 10'000'000'000;
    const BrainfuckRun ready = runBrainfuck(largestCell() + u".", plenty);
    ASSERT_EQ(ready.result.output, report(u"2147483647", u""));
    const std::int64_t before = ready.steps - 1;

    const Text program = largestCell() + u"---+++++";
    const BrainfuckRun atBound = runBrainfuck(program, before + 6);
    EXPECT_EQ(atBound.result.status, u"Fehler aufgetreten: Abbruch nach " + decimal(before + 6) + u" Schritten (Endlosschleife?)");
    const BrainfuckRun overflow = runBrainfuck(program, before + 7);
    expectCritical(overflow.result, u"InterpretBrainfuck", u"Fehler aufgetreten: Überlauf", u"Überlauf");
    EXPECT_EQ(overflow.steps, before + 7);

    const BrainfuckRun intoLoop = runBrainfuck(largestCell() + u"<+[->+<]", plenty);
    EXPECT_EQ(intoLoop.result.status, u"Fehler aufgetreten: Überlauf");
    EXPECT_EQ(intoLoop.steps, before + 1 + 1 + 1 + 3);
}

namespace {

// Random programs of runs, loops of every shape the fast interpreter folds, and stray brackets,
// some of them near the tape's ends.
Text randomProgram(std::mt19937& random)
{
    static constexpr TextView pieces[] = {u"+", u"++", u"---", u"<", u">>", u".", u"x", u"[", u"]", u"-]", u"[-]",
        u"[->+<]", u"[>++<-]", u"[--<+++>]", u"[->+>-<<]", u"[><]", u"[]", u"[-<<+>>]"};
    Text text = random() % 3 == 0 ? Text(490 + random() % 11, random() % 2 ? u'<' : u'>') : Text();
    for (auto count = random() % 30; count > 0; --count)
        text += pieces[random() % std::size(pieces)];
    return text;
}

} // namespace

TEST(InterpretBrainfuck, agrees_with_the_literal_reading_on_random_programs)
{
    std::mt19937 random(2026);
    int finished = 0;
    for (int round = 0; round < 6000; ++round) {
        const Text program = randomProgram(random);
        constexpr std::int64_t generous = 3000;
        std::int64_t maxSteps = generous;
        BrainfuckRun reference = InterpretBrainfuckReference(program, maxSteps);
        // Every other program is stopped somewhere along its way, inside folded runs and loops too.
        if (round % 2 == 1 && reference.steps > 1) {
            maxSteps = 1 + round % (reference.steps - 1);
            reference = InterpretBrainfuckReference(program, maxSteps);
        }
        const BrainfuckRun fast = runBrainfuck(program, maxSteps);
        SCOPED_TRACE(std::string(program.begin(), program.end()) + " with at most " + std::to_string(maxSteps) + " steps");
        expectSameRun(fast, reference);
        if (reference.result.ok())
            ++finished;
        if (HasFailure())
            break;
    }
    EXPECT_GT(finished, 2000);
}
