// Brainfuck: the report, errors and bounds by hand; the translation's packed words at their limits; and
// the fast interpreter against the literal reading on programs generated to reach every limit the
// translation encodes. The literal reading cannot see runs of billions of steps (cells counted up to the
// 32-bit limits, the default bound, a million printed values): those start from a prepared tape, are
// counted by hand, or compare one endless run.
#include "conversions/brainfuck.h"
#include "conversions/brainfuck_ops.h"
#include "conversions/brainfuck_output.h"
#include "support/brainfuck_reference.h"
#include "conversions/conversion_testing.h"

#include <algorithm>
#include <array>
#include <limits>
#include <random>
#include <string>

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;
using quirlwerk::conversions::brainfuck::startCell;

namespace {

constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();

Text report(TextView decimals, TextView printed)
{
    return u"Ausgabe als Dezimalzahlen: \r\n" + Text(decimals) + u"\r\n\r\nAusgabe als Text: \r\n" + Text(printed);
}

Text times(char16_t c, std::int32_t count) { return Text(static_cast<std::uint32_t>(std::max(count, 0)), c); }
Text moves(std::int32_t offset) { return offset >= 0 ? times(u'>', offset) : times(u'<', -offset); }
Text changes(std::int32_t amount) { return amount >= 0 ? times(u'+', amount) : times(u'-', -amount); }

// The fast run must equal the literal one in report, status, failure and steps.
void expectLiteral(TextView program, std::int64_t maxSteps = defaultMaxSteps, const BrainfuckStart& start = {})
{
    const BrainfuckRun fast = runBrainfuck(program, maxSteps, start);
    const BrainfuckRun literal = InterpretBrainfuckReference(program, maxSteps, start);
    // Reports can be long: show only where they part.
    const Text& a = fast.result.output;
    EXPECT_TRUE(a == literal.result.output) << "the reports part at " << std::ranges::mismatch(a, literal.result.output).in1 - a.begin();
    EXPECT_EQ(fast.result.status, literal.result.status);
    EXPECT_EQ(fast.result.failure, literal.result.failure);
    EXPECT_EQ(fast.steps, literal.steps);
}

} // namespace

TEST(InterpretBrainfuck, reports_what_the_program_printed)
{
    const struct { const char* name; Text program; TextView decimals, printed; } rows[] = {
        {"no commands, comma does nothing", u"Hallo, Welt,", u"", u""},
        {"negative value, never entering a loop", u"-,.[+.]", u"-1", u""},
        {"line feed printed as line break", changes(10) + u".", u"10", u"\r\n"},
        {"carriage return alone", changes(13) + u".", u"13", u"\r"},
        {"below blank listed only", changes(31) + u".+.", u"31 32", u" "},
        {"code page character", changes(228) + u".", u"228", u"ä"},
        {"256 listed only", changes(256) + u".", u"256", u""},
        {"unmatched close ignored, also after a skipped loop", u"]+.]-[+]]", u"1", u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        expectOk(runBrainfuck(row.program).result, report(row.decimals, row.printed));
        expectLiteral(row.program);
    }
}

// Off either end of the tape, a loop test there, a moving block walking off it, the 1001st open loop even when
// closed, and a scan whose stopping cell climbs above 0 so that the loop walks off: steps as the literal reading counts.
TEST(InterpretBrainfuck, stops_at_errors_with_a_critical_box)
{
    for (const Text& program : {moves(-500) + u"+", moves(501) + u".", moves(501) + u"[", moves(499) + u"+>+<[->+>]",
                                changes(1) + times(u'[', 1001) + times(u']', 1001), Text(u">>---<<+[>>+<<[>>]<<]")}) {
        SCOPED_TRACE(std::string(program.begin(), program.begin() + std::min<std::size_t>(program.size(), 30)));
        expectCritical(runBrainfuck(program).result, u"InterpretBrainfuck", u"Fehler aufgetreten: Index außerhalb des gültigen Bereichs",
                       u"Index außerhalb des gültigen Bereichs");
        expectLiteral(program);
    }
}

TEST(InterpretBrainfuck, stops_at_the_step_bound_or_a_million_printed_values_without_a_box)
{
    const BrainfuckRun run = runBrainfuck(u"+[.]", 10);
    EXPECT_EQ(run.result.output, report(u"1 1 1 1", u""));
    EXPECT_EQ(run.result.status, u"Fehler aufgetreten: Abbruch nach 10 Schritten (Endlosschleife?)");
    EXPECT_EQ(InterpretBrainfuck(u"+[]").status, u"Fehler aufgetreten: Abbruch nach 1000000000 Schritten (Endlosschleife?)");
    // The second meets the limit inside a block of prints.
    for (const TextView program : {u"+[.]", u"+[..>+<]"}) {
        const BrainfuckRun endless = runBrainfuck(program);
        EXPECT_EQ(endless.result.status, u"Fehler aufgetreten: Abbruch nach 1000000 ausgegebenen Werten (Endlosschleife?)");
        EXPECT_EQ(std::count(endless.result.output.begin(), endless.result.output.end(), u'1'), 1'000'000);
        expectLiteral(program);
    }
}

// Counted by hand from a prepared start: the folded passes must stop where a pass would leave 32 bits,
// and go all the way where none does.
TEST(InterpretBrainfuck, folds_billions_of_passes_up_to_the_one_that_overflows)
{
    // `count` at the pointer and beside it.
    const struct { const char* name; TextView program; std::int32_t pointer, count; std::int64_t steps; bool overflows; } rows[] = {
        // 2^29 passes of 7 steps; the last one overflows on its fifth command.
        {"transfer", u"[->+++<]", startCell, 1 << 29, 7LL * (1 << 29) - 1, true},
        {"copy", u"[->+++>+<<]", startCell, 1 << 29, 10LL * (1 << 29) - 4, true},
        {"clear from the largest value", u"[-]", startCell, highest, 1 + 2LL * highest, false},
        {"transfer of 2^30 passes", u"[->-<]", startCell, 1 << 30, 1 + 5LL * (1 << 30), false},
        // Endless: the cell beside climbs by one a pass, by three within it; the 399th pass overflows.
        {"endless, up and back near the limit", u"[>+++--<>>[-]<<]", startCell, highest - 400, 1 + 398 * 13 + 4, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        BrainfuckStart start;
        start.pointer = row.pointer;
        if (row.count > 0)
            start.tape[static_cast<std::size_t>(row.pointer - 1)] = start.tape[static_cast<std::size_t>(row.pointer)] = row.count;
        const BrainfuckRun run = runBrainfuck(row.program, 10'000'000'000, start);
        EXPECT_EQ(run.result.status, row.overflows ? u"Fehler aufgetreten: Überlauf" : u"OK");
        EXPECT_EQ(run.steps, row.steps);
    }
}

TEST(BrainfuckTranslation, packs_every_field_up_to_its_limit_and_runs_there_as_the_literal_reading_does)
{
    using namespace brainfuck;
    for (const std::int32_t move : {-longestBlock - 1, 0, longestBlock})
        for (const std::int32_t lowestOffset : {-longestBlock - 1, longestBlock})
            for (const std::int32_t span : {0, longestBlock}) {
                const std::uint32_t word = blockReach(move, lowestOffset, span);
                EXPECT_EQ(std::tuple(blockMove(word), blockLowest(word), blockSpan(word)), std::tuple(move, lowestOffset, span));
            }
    EXPECT_THROW(blockReach(longestBlock + 1, 0, 0), std::logic_error);
    EXPECT_THROW(blockReach(0, -longestBlock - 2, 0), std::logic_error);
    EXPECT_THROW(blockReach(0, 0, longestBlock + 1), std::logic_error);
    EXPECT_EQ(std::pair(blockItems(blockHeader(Block, 4095, 4095)), blockSteps(blockHeader(Block, 4095, 4095))), std::pair(4095, 4095));
    EXPECT_THROW(blockHeader(Block, 4096, 1), std::logic_error);
    EXPECT_THROW(blockHeader(Block, 1, 4096), std::logic_error);
    for (const std::int32_t move : {-longestBracketMove, longestBracketMove}) {
        EXPECT_EQ(std::pair(bracketMove(bracket(OpenWatch, move, 15)), bracketLow(bracket(OpenWatch, move, 15))), std::pair(move, 15));
        EXPECT_THROW(bracket(Open, move + move / longestBracketMove, 0), std::logic_error);
    }
    EXPECT_EQ(std::pair(argumentOf(header(Add, -longestRun - 1)), argumentOf(header(Add, longestRun))), std::pair(-longestRun - 1, longestRun));
    EXPECT_THROW(header(Add, longestRun + 1), std::logic_error);
    EXPECT_EQ(std::pair(itemOffset(item(-32768, 32767)), itemChange(item(32767, -32768))), std::pair(-32768, -32768));
    EXPECT_THROW(item(32768, 0), std::logic_error);
    // Moves into brackets and runs at their fields' limits, from starts that bring the pointer back onto
    // the tape: a field that wrapped would leave it elsewhere.
    for (const std::int32_t move : {longestBracketMove - 1, longestBracketMove, longestBracketMove + 1, -longestBracketMove,
                                    -longestBracketMove - 1}) {
        SCOPED_TRACE(move);
        BrainfuckStart start;
        start.pointer = startCell - move;
        start.tape[startCell - 1] = 3;
        expectLiteral(moves(move) + u"[.-]", defaultMaxSteps, start);
        expectLiteral(moves(move) + u"]+.", defaultMaxSteps, start);
    }
    expectLiteral(changes(longestRun + 1) + u">" + changes(-longestRun - 1) + u".<.");
}

namespace {

// Programs of every loop shape the translation folds and of pieces that defeat them, with straight
// stretches around the block limit, scans of strides 1 to 8 both ways, and starts with cells and the
// pointer near the tape's ends and the 32-bit limits, where loops that never end by themselves overflow.
struct ProgramsAtTheLimits {
    std::mt19937& random;

    Text program()
    {
        Text text;
        for (auto count = pick(1, 6); count > 0; --count)
            text += piece(2);
        return text;
    }

    BrainfuckStart start()
    {
        BrainfuckStart start;
        // Stretches of positive cells for scans to cross, up to the tape's ends.
        for (auto count = pick(0, 4); count > 0; --count)
            std::fill_n(start.tape.begin() + pick(0, 700), pick(1, 300), pick(1, 3));
        for (auto count = pick(0, 12); count > 0; --count)
            start.tape[static_cast<std::size_t>(pick(0, 999))] = pick(0, 1) ? highest - pick(0, 1100) : lowest + pick(0, 1100);
        const std::int32_t pointers[] = {startCell, pick(-8, 8), pick(993, 1008), pick(-1100, 2100), highest - pick(0, 30), lowest + pick(0, 30)};
        start.pointer = pointers[pick(0, 5)];
        // Let the loops near the pointer meet the extreme cells.
        for (std::int64_t at = std::int64_t{start.pointer} - 3; at <= std::int64_t{start.pointer} + 3; ++at) {
            if (at >= 1 && at <= 1000 && pick(0, 3) == 0)
                start.tape[static_cast<std::size_t>(at - 1)] = std::array{highest - pick(0, 300), lowest + pick(0, 300), pick(1, 40)}[pick(0, 2)];
        }
        return start;
    }

    std::int32_t pick(std::int32_t low, std::int32_t high) { return std::uniform_int_distribution<std::int32_t>(low, high)(random); }

    // Changes at offsets from -reach to reach, the pointer back where it started when `neutral`; the
    // change of the cell it started on in `own`.
    Text straight(bool neutral, std::int32_t& own, std::int32_t reach = 3)
    {
        Text text;
        std::int32_t offset = 0;
        for (auto count = pick(1, 6); count > 0; --count) {
            const std::int32_t to = pick(-reach, reach);
            const std::int32_t up = pick(0, 4);
            const std::int32_t down = pick(0, 4);
            text += moves(to - offset) + (pick(0, 1) ? changes(up) + changes(-down) : changes(-down) + changes(up));
            offset = to;
            own += offset == 0 ? up - down : 0;
            text += !neutral && pick(0, 3) == 0 ? u"." : u"";
        }
        return neutral ? text + moves(-offset) : text;
    }

    // 1021 to 1025 or 2046 to 2048 straight commands, around the block limit: moves one way with a change
    // between, in runs as short as "+>+>" or as long as a block, so that blocks reach their longest move,
    // lowest offset and span, and reach wider than the tape.
    Text stretchAroundTheBlockLimit()
    {
        const std::int32_t lengths[] = {1021, 1022, 1023, 1024, 1025, 2046, 2047, 2048};
        const auto length = static_cast<std::size_t>(lengths[pick(0, 7)]);
        const std::int32_t longest = pick(0, 1) ? 1 : pick(2, 1023);
        const std::int32_t direction = pick(0, 1) ? 1 : -1;
        Text text;
        while (text.size() < length)
            text += changes(pick(-1, 1) | 1) + moves(direction * pick(1, longest));
        text.resize(length);
        return text + moves(-direction * pick(0, 2048)) + u".";
    }

    Text piece(int depth)
    {
        std::int32_t own = 0;
        switch (pick(0, depth > 0 ? 10 : 9)) {
        case 0:
            return straight(false, own, pick(0, 1) ? 3 : 12);
        case 1:
            return stretchAroundTheBlockLimit();
        case 2: { // a body of fixed changes: the own cell down by one (a clear or transfer), by more, not at all, up
            Text body = straight(true, own);
            const std::int32_t passes[] = {-1, -1, -pick(2, 3), 0, pick(1, 2)};
            return u"[" + body + changes(pick(0, 3) ? -own + passes[pick(0, 4)] : pick(-2, 1)) + u"]";
        }
        case 3: // a scan of stride 1 to 8, either way
            return u"[" + moves(pick(1, 8) * (pick(0, 1) ? 1 : -1)) + u"]";
        case 4: // a loop around one block that moves the pointer
            return u"[" + straight(false, own) + changes(pick(-1, 0)) + u"]";
        case 5: { // an "if": straight commands, then a clear or transfer of the tested cell
            const std::int32_t to = pick(0, 1) ? pick(1, 3) : -pick(1, 3);
            const Text clear = pick(0, 2) ? u"[-" + moves(to) + changes(pick(-3, 3)) + moves(-to) + u"]" : Text(u"[-]");
            return u"[" + straight(true, own) + clear + u"]";
        }
        case 6: { // endless passes that repeat the tested cells, or not quite; a loop that prints
            static constexpr TextView shapes[] = {u"[>[-]+<]", u"[>+[-]<]", u"[><]", u"[]", u"[>>[-]<<+-]", u"[<[>+<-]>]",
                u"+>+>+<<[>><]", u"[>+>[-]<<]", u"[>++<>>[-]+<<]", u"[<+>>[>+<-]<]", u"[>+[->+>+<<]>>[-<<+>>]<<<]", u">+<[>[<]>]",
                u"[>+>+[<]>>[-]<]", u"[>>+<<[>]<[<]>]", u"[>+>-[<]>>[-]<]", u"[>>-<<-+]", u"[>->[>+<-]<<]", u"[.-]",
                u"[>+++--<>>[-]<<]", u"[<---++>>[-]<]", u"[>+]", u"[-<<+]"};
            return Text(shapes[pick(0, 21)]);
        }
        case 7: // stray brackets, up to the deepest nesting
            return pick(0, 3) ? Text(pick(0, 1) ? u"[" : u"]") : times(u'[', pick(997, 1001));
        case 8:
            return moves(pick(0, 1) ? pick(-12, 12) : pick(-1010, 1010));
        case 9:
            return changes(pick(-5, 5)) + u"[-]";
        default: { // a loop around other pieces
            Text text = u"[";
            for (auto count = pick(1, 3); count > 0; --count)
                text += piece(depth - 1);
            return text + changes(pick(-2, 0)) + u"]";
        }
        }
    }
};

} // namespace

TEST(InterpretBrainfuck, agrees_with_the_literal_reading_on_programs_at_every_limit)
{
    std::mt19937 random(2026);
    ProgramsAtTheLimits maker{random};
    int finished = 0;
    int failedRuns = 0;
    for (int round = 0; round < 12000 && !HasFailure(); ++round) {
        const Text program = maker.program();
        const BrainfuckStart start = maker.start();
        BrainfuckRun literal = InterpretBrainfuckReference(program, 20000, start);
        finished += literal.result.ok();
        failedRuns += literal.result.failure.has_value();
        // Most programs are stopped somewhere along their way, inside blocks and folded loops too.
        const std::int64_t maxSteps = round % 4 == 0 || literal.steps < 2 ? 20000 : 1 + random() % (literal.steps - 1);
        SCOPED_TRACE("round " + std::to_string(round) + ": " + std::string(program.begin(), program.end()) + " from cell "
                     + std::to_string(start.pointer) + " in " + std::to_string(maxSteps) + " steps");
        expectLiteral(program, maxSteps, start);
    }
    EXPECT_GT(finished, 1000);
    EXPECT_GT(failedRuns, 1000);
}
