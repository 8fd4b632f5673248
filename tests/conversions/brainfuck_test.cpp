// Brainfuck: the interpreter's semantics, its errors and step bound, and the fast interpreter
// checked against the literal one.
#include "conversions/brainfuck.h"
#include "conversions/brainfuck_output.h"
#include "support/brainfuck_plain.h"
#include "support/brainfuck_reference.h"
#include "conversions/conversion_testing.h"

#include <algorithm>
#include <limits>
#include <random>
#include <sstream>

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;
using quirlwerk::conversions::brainfuck::startCell;

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

// 30 * 40 counted in decimal digits (9 - digit each, beside a mark set on nines): every increment scans
// right to the first digit below 9 and walks back over the nines (clearing a cell that is already 0 on
// the way), a loop entered far more often than the interpreter keeps its state.
Text nineCounter()
{
    const Text print = repeated(u"+", 57) + u"<<[->>-<<]>>.";
    return repeated(u">", 7) + repeated(u"+", 9) + repeated(u">>>>" + repeated(u"+", 9), 3) + repeated(u"<", 19)
        + repeated(u"+", 30) + u"[>" + repeated(u"+", 40) + u"[>>>>>[>>>>]+>-[->>+<<]>>[-<<+>+>]<[[-]<<->>]<<<<<<"
        + u"[->+++++++++<<<<<>>[-]<<]<-]<-]" + repeated(u">", 21) + print + repeated(u"<<<<" + print, 3);
}

const RunRow completeRuns[] = {
    {"decimal counter", nineCounter(), u"49 50 48 48", u"1200"},
    {"scan over a shrinking cell ends its loop", u">>" + repeated(u"+", 30) + u"<<+[>+>-[<]>>[-]<]<+.", u"1", u""},
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
    // The cell a scan stops on climbs above 0: the scan then runs further, and the loop walks off the tape.
    {"scan stopping later", u">>---<<+[>>+<<[>>]<<]", 3792},
};

void expectSameRun(const BrainfuckRun& fast, const BrainfuckRun& reference)
{
    // Reports can be long: compare them quietly and show only where they part.
    if (fast.result.output != reference.result.output) {
        const auto parted = std::mismatch(fast.result.output.begin(), fast.result.output.end(), reference.result.output.begin(),
                                          reference.result.output.end());
        ADD_FAILURE() << "the reports part at character " << parted.first - fast.result.output.begin();
    }
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
        {"before the closing bracket of a loop that runs once", u"++[->+<[->+<]]>.", 13, u""},
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

// Runs the literal reading would need billions of steps for, counted by hand: loops folded into one
// step whose cells start far from the limits but would leave 32 bits on their last pass, and a pointer
// that leaves 32 bits.
TEST(InterpretBrainfuck, overflows_on_the_last_pass_of_a_folded_loop)
{
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    struct PassRow {
        const char* name;
        TextView program;
        std::int32_t pointer;
        std::int32_t count; // at the pointer; the cell beside it holds the same
        std::int64_t steps;
    };
    const PassRow rows[] = {
        // 2^29 passes of 7 steps; the last one overflows on its fifth command.
        {"transfer", u"[->+++<]", startCell, 1 << 29, 7LL * (1 << 29) - 1},
        {"copy", u"[->+++>+<<]", startCell, 1 << 29, 10LL * (1 << 29) - 4},
        {"pointer", u">>>>>>>>>>>>", highest - 10, 0, 11},
    };
    for (const PassRow& row : rows) {
        SCOPED_TRACE(row.name);
        BrainfuckStart start;
        start.pointer = row.pointer;
        if (row.count > 0)
            start.tape[static_cast<std::size_t>(row.pointer - 1)] = start.tape[static_cast<std::size_t>(row.pointer)] = row.count;
        const BrainfuckRun run = runBrainfuck(row.program, 10'000'000'000, start);
        EXPECT_EQ(run.result.status, u"Fehler aufgetreten: Überlauf");
        EXPECT_EQ(run.steps, row.steps);
    }
}

// Loops that never end by themselves, with the cells they grow close to the 32-bit limits: the passes
// done at once must stop where a pass could overflow, as the literal reading does.
TEST(InterpretBrainfuck, endless_loops_overflow_where_the_literal_reading_does)
{
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    struct EndlessRow {
        const char* name;
        TextView program;
        std::int32_t offset; // from the start cell
        std::int32_t value;
    };
    const EndlessRow rows[] = {
        {"one block", u"+[>++<]", 1, highest - 901},
        {"one block, downwards", u"+[>>-<<-+]", 2, lowest + 700},
        {"growing beside a clear loop", u"+[>+>[-]<<]", 1, highest - 500},
        {"up and down within a pass", u"+[>+++--<>>[-]<<]", 1, highest - 400},
        {"shrinking beside a transfer loop", u"+[>->[>+<-]<<]", 1, lowest + 300},
        {"a transfer loop whose count grows", u"+[>+[->+>+<<]>>[-<<+>>]<<<]", 2, highest - 5000},
        {"growing where a scan passes over", u"+[>+>+[<]>>[-]<]", 2, highest - 600},
    };
    for (const EndlessRow& row : rows) {
        SCOPED_TRACE(row.name);
        BrainfuckStart start;
        start.tape[static_cast<std::size_t>(startCell - 1 + row.offset)] = row.value;
        const BrainfuckRun reference = InterpretBrainfuckReference(row.program, 1'000'000, start);
        EXPECT_EQ(reference.result.status, u"Fehler aufgetreten: Überlauf");
        expectSameRun(runBrainfuck(row.program, 1'000'000, start), reference);
    }
}

namespace {

// Random programs built from the shapes the fast interpreter takes in one step, and from pieces
// that defeat them: straight runs with offsets and prints, scan loops, transfer and clear loops,
// loops that never change their own cell, chains of multiplying loops, loops with output, stray brackets.
class ProgramMaker {
public:
    explicit ProgramMaker(std::mt19937& random) : m_random(random) {}

    Text program()
    {
        Text text;
        for (auto count = pick(1, 8); count > 0; --count)
            text += piece(2);
        return text;
    }

    // A tape with some cells close to the 32-bit limits, the pointer often near one of the tape's ends.
    BrainfuckStart start()
    {
        BrainfuckStart start;
        if (pick(0, 2) == 0)
            return start;
        for (auto count = pick(1, 12); count > 0; --count) {
            std::int32_t& cell = start.tape[static_cast<std::size_t>(pick(0, 999))];
            switch (pick(0, 3)) {
            case 0: cell = std::numeric_limits<std::int32_t>::max() - pick(0, 40); break;
            case 1: cell = std::numeric_limits<std::int32_t>::min() + pick(0, 40); break;
            default: cell = pick(-3, 6); break;
            }
        }
        const std::int32_t ends[] = {pick(-2, 8), pick(993, 1003), pick(1, 1000)};
        start.pointer = ends[pick(0, 2)];
        // Let the loops near the pointer meet the extreme cells.
        for (std::int32_t offset = -3; offset <= 3; ++offset) {
            if (pick(0, 3) == 0 && start.pointer + offset >= 1 && start.pointer + offset <= 1000)
                start.tape[static_cast<std::size_t>(start.pointer + offset - 1)] = std::numeric_limits<std::int32_t>::max() - pick(0, 300);
        }
        return start;
    }

private:
    std::int32_t pick(std::int32_t low, std::int32_t high)
    {
        return std::uniform_int_distribution<std::int32_t>(low, high)(m_random);
    }

    Text repeat(char16_t c, std::int32_t count) { return Text(static_cast<std::size_t>(std::max(count, 0)), c); }
    Text moves(std::int32_t offset) { return offset >= 0 ? repeat(u'>', offset) : repeat(u'<', -offset); }
    Text changes(std::int32_t amount) { return amount >= 0 ? repeat(u'+', amount) : repeat(u'-', -amount); }

    // Straight commands; with pointerNeutral the pointer ends where it started.
    Text straight(bool prints, bool pointerNeutral, std::int32_t& ownChange)
    {
        Text text;
        std::int32_t offset = 0;
        ownChange = 0;
        for (auto count = pick(1, 6); count > 0; --count) {
            const std::int32_t to = pick(-3, 3);
            text += moves(to - offset);
            offset = to;
            const std::int32_t up = pick(0, 4);
            const std::int32_t down = pick(0, 4);
            text += pick(0, 1) ? changes(up) + changes(-down) : changes(-down) + changes(up);
            if (offset == 0)
                ownChange += up - down;
            if (prints && pick(0, 3) == 0)
                text += u'.';
        }
        if (pointerNeutral)
            text += moves(-offset);
        return text;
    }

    Text piece(int depth)
    {
        std::int32_t ownChange = 0;
        switch (pick(0, depth > 0 ? 13 : 11)) {
        case 0:
        case 1:
            return straight(true, false, ownChange);
        case 2: { // transfer or clear: the own cell goes down every pass
            Text body = straight(false, true, ownChange);
            return u"[" + body + changes(-ownChange - pick(1, 3)) + u"]";
        }
        case 3: { // never changes its own cell
            Text body = straight(false, true, ownChange);
            return u"[" + body + changes(-ownChange) + u"]";
        }
        case 4: { // the own cell grows every pass
            Text body = straight(false, true, ownChange);
            return u"[" + body + changes(-ownChange + pick(1, 2)) + u"]";
        }
        case 5: // scan loop, or a loop around one block that moves the pointer
            if (pick(0, 1))
                return u"[" + straight(false, false, ownChange) + changes(pick(-1, 0)) + u"]";
            return u"[" + (pick(0, 1) ? repeat(u'>', pick(1, 3)) : repeat(u'<', pick(1, 3))) + u"]";
        case 6: { // a chain of multiplying loops
            Text text = changes(pick(1, 9));
            for (auto links = pick(1, 3); links > 0; --links)
                text += u"[>" + changes(pick(1, 40)) + u"<-]>";
            return text;
        }
        case 7: { // endless passes that repeat the tested cells, or not quite; passes moving over a row of cells
            static constexpr TextView shapes[] = {u"[>[-]+<]", u"[>+[-]<]", u"[><]", u"[]", u"[>>[-]<<+-]", u"[<[>+<-]>]",
                u"+>+>+<<[>><]", u"+<+<+>>[<<>]", u"[>+>[-]<<]", u"[>++<>>[-]+<<]", u"[<+>>[>+<-]<]",
                u"[>+[->+>+<<]>>[-<<+>>]<<<]", u">+<[>[<]>]", u"[>+>+[<]>>[-]<]", u"[>>+<<[>]<[<]>]", u"[>+>-[<]>>[-]<]"};
            return Text(shapes[pick(0, 15)]);
        }
        case 8:
            return pick(0, 1) ? u"[" : u"]";
        case 9:
            return u"[.-]";
        case 10:
            return pick(0, 1) ? moves(pick(-12, 12)) : changes(pick(0, 5)) + u"[-]";
        case 11: { // an "if": straight commands, then a clear or transfer of the tested cell
            const std::int32_t to = pick(0, 1) ? pick(1, 3) : -pick(1, 3);
            const Text clear = pick(0, 2) ? u"[-" + moves(to) + changes(pick(-3, 3)) + moves(-to) + u"]" : Text(u"[-]");
            return u"[" + straight(false, true, ownChange) + clear + u"]";
        }
        default: { // a loop around other pieces
            Text text = u"[";
            for (auto count = pick(1, 3); count > 0; --count)
                text += piece(depth - 1);
            return text + changes(pick(-2, 0)) + u"]";
        }
        }
    }

    std::mt19937& m_random;
};

std::string describe(const Text& program, const BrainfuckStart& start, std::int64_t maxSteps)
{
    std::ostringstream text;
    text << std::string(program.begin(), program.end()) << " from cell " << start.pointer << " with at most " << maxSteps
         << " steps; cells";
    for (std::size_t i = 0; i < start.tape.size(); ++i) {
        if (start.tape[i] != 0)
            text << ' ' << i + 1 << '=' << start.tape[i];
    }
    return text.str();
}

} // namespace

TEST(InterpretBrainfuck, agrees_with_the_literal_reading_on_random_programs)
{
    std::mt19937 random(2026);
    ProgramMaker maker(random);
    int finished = 0;
    int failedRuns = 0;
    for (int round = 0; round < 12000; ++round) {
        const Text program = maker.program();
        const BrainfuckStart start = maker.start();
        std::int64_t maxSteps = 20000;
        BrainfuckRun reference = InterpretBrainfuckReference(program, maxSteps, start);
        // Most programs are stopped somewhere along their way, inside blocks and folded loops too.
        if (round % 4 != 0 && reference.steps > 1) {
            maxSteps = 1 + static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(reference.steps - 1));
            reference = InterpretBrainfuckReference(program, maxSteps, start);
        }
        const BrainfuckRun fast = runBrainfuck(program, maxSteps, start);
        SCOPED_TRACE(describe(program, start, maxSteps));
        expectSameRun(fast, reference);
        // The benchmarks' yardstick keeps the same rules.
        if (start.pointer == startCell && start.tape == BrainfuckStart{}.tape)
            expectSameRun(InterpretBrainfuckPlain(program, maxSteps), reference);
        finished += reference.result.ok();
        failedRuns += reference.result.failure.has_value();
        if (HasFailure())
            break;
    }
    EXPECT_GT(finished, 1200);
    EXPECT_GT(failedRuns, 1200);
}
