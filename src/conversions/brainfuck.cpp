// Mode 4: the Brainfuck interpreter. The program is translated once into operations (brainfuck_ops.cpp);
// every shortcut is taken only when it cannot hide an error, an overflow or a bound, and otherwise the
// commands run one at a time as written, so a run ends exactly where the literal reading ends it.
#include "conversions/brainfuck.h"

#include "common/failure.h"
#include "conversions/brainfuck_ops.h"
#include "conversions/brainfuck_output.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <vector>

namespace quirlwerk::conversions {
namespace {

using namespace brainfuck;

constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t endless = std::numeric_limits<std::int64_t>::max();
// Values in [-safeHalf, safeHalf) are so far from the 32-bit limits that no block (of at most longestBlock
// commands) can carry them out: the quick paths check only this, and leave the cells beyond it to the
// exact checks of the slower ones.
constexpr std::int64_t safeHalf = std::int64_t{1} << 30;
constexpr bool safe(std::int64_t value) { return static_cast<std::uint64_t>(value + safeHalf) < 2 * safeHalf; }

constexpr bool onTape(std::int64_t at) { return static_cast<std::uint64_t>(at - 1) < tapeLength; }

// A block without prints at once (the exact way is Machine::block()), when the bound leaves room for
// it and its cells are on the tape and far from the limits. `count` is a constant where the caller
// knows it.
inline bool quickBlock(const std::uint32_t* at, std::int32_t count, std::int32_t* tape, std::int64_t& pointer, std::int64_t& left)
{
    const std::int64_t steps = blockSteps(at[0]);
    const std::uint32_t* items = at + blockHeaderWords;
    const std::int64_t lowestCell = pointer + blockLowest(at[1]);
    // A block may reach wider than the tape: its span is not to be taken from the tape's length.
    if (left < steps || !onTape(lowestCell) || lowestCell + blockSpan(at[1]) > tapeLength)
        return false;
    std::uint64_t shifted = 0;
    for (std::int32_t i = 0; i < count; ++i)
        shifted |= static_cast<std::uint64_t>(tape[pointer + itemOffset(items[i]) - 1] + safeHalf);
    if (shifted >= 2 * safeHalf)
        return false;
    for (std::int32_t i = 0; i < count; ++i)
        tape[pointer + itemOffset(items[i]) - 1] += itemChange(items[i]);
    pointer += blockMove(at[1]);
    left -= steps;
    return true;
}

// Every pass of a loop entered (its first test done, its cell above 0) whose body is one "-" or one block
// without prints or net move that counts the loop's own cell down by one, like "[-]" and "[->+>+<<]", at
// once: when the bound leaves room for all passes and every other cell of the body is on the tape and
// far from the limits at its first and its last pass (it moves steadily in between; the own cell starts
// below safeHalf unless the body is the one "-"). The exact way, near the limits and the bound, is Machine::linearLoop(). `count` is the
// body's items where the caller knows it (1 for "[-]"), 0 to read them from the body.
template <std::int32_t count>
inline bool quickLinear(const std::uint32_t* body, std::int32_t* tape, std::int64_t pointer, std::int64_t& left)
{
    static constexpr std::uint32_t clear = item(0, -1);
    const std::uint32_t* items = &clear;
    std::int64_t steps = 1;
    std::int32_t itemCount = 1;
    if constexpr (count != 1) {
        if (!isBlockWithoutPrints(kindOf(body[0])) || body[blockHeaderWords] != clear)
            return false;
        items = body + blockHeaderWords;
        steps = blockSteps(body[0]);
        itemCount = count == 0 ? blockItems(body[0]) : count;
    }
    std::int32_t& own = tape[pointer - 1];
    const std::int64_t passes = own;
    // A body of one "-" cannot carry its cell past a limit on the way down.
    if ((count != 1 && passes >= safeHalf) || left < passes * (steps + 1))
        return false;
    for (std::int32_t i = 1; i < itemCount; ++i) {
        const std::int64_t cell = pointer + itemOffset(items[i]);
        if (!onTape(cell) || !safe(tape[cell - 1]) || !safe(tape[cell - 1] + itemChange(items[i]) * passes))
            return false;
    }
    for (std::int32_t i = 1; i < itemCount; ++i)
        tape[pointer + itemOffset(items[i]) - 1] += static_cast<std::int32_t>(itemChange(items[i]) * passes);
    own = 0;
    left -= passes * (steps + 1);
    return true;
}

// The passes of a scan loop entered (its first test done, its cell above 0), a loop of only ">" or only
// "<" like "[>>]": a strided search for the first cell that is 0 or less, or for the first read off the
// tape; the steps follow from the distance. When the search stops on the tape within the bound, the loop
// is done: true, with the passes it took. Otherwise the passes before the one that fails or meets the
// bound are done and the rest runs command by command.
inline bool quickScan(const std::int32_t* tape, std::int64_t stride, std::int64_t& pointer, std::int64_t& left, std::int64_t& passes)
{
    std::int64_t at = pointer;
    passes = 0;
    do {
        at += stride;
        ++passes;
    } while (onTape(at) && tape[at - 1] > 0);
    const std::int64_t perPass = std::abs(stride) + 1;
    if (onTape(at) && left >= passes * perPass) {
        pointer = at;
        left -= passes * perPass;
        return true;
    }
    const std::int64_t done = std::min(passes - 1, left / perPass);
    pointer += done * stride;
    left -= done * perPass;
    return false;
}

using Tape = std::array<std::int32_t, tapeLength>;
static_assert(std::tuple_size_v<decltype(BrainfuckStart::tape)> == tapeLength);

// A loop body's items as the closed forms see them: changes at offsets, each offset once.
struct Body {
    const std::uint32_t* items;
    std::int32_t count;
    std::int64_t steps; // the body's commands; a pass adds the closing bracket
};

class Machine {
public:
    // The machine counts down the watch tries in the operations themselves.
    Machine(std::vector<std::uint32_t>& ops, TextView program, std::int64_t maxSteps, const BrainfuckStart& start)
        : m_ops(ops), m_program(program), m_maxSteps(maxSteps), m_left(maxSteps), m_tape(start.tape), m_pointer(start.pointer) {}

    void run()
    {
        // Every command moves the pointer by one at most: when the bound keeps it within 32 bits from
        // where it starts, no move needs that check.
        if (m_maxSteps <= highest - std::abs(m_pointer))
            runOperations<false>();
        else
            runOperations<true>();
    }

    std::int64_t steps() const { return m_maxSteps - m_left; }
    const Printout& printout() const { return m_printout; }

private:
    std::int32_t* cellAt(std::int64_t pointer)
    {
        return static_cast<std::uint64_t>(pointer - 1) < tapeLength ? &m_tape[static_cast<std::size_t>(pointer - 1)] : nullptr;
    }

    std::int32_t& cell()
    {
        std::int32_t* value = cellAt(m_pointer);
        if (!value)
            throw common::Failure::indexOutOfRange();
        return *value;
    }

    void step()
    {
        if (m_left == 0)
            throw BoundReached{};
        --m_left;
    }

    void moveBy(std::int32_t amount)
    {
        const std::int64_t moved = m_pointer + amount;
        if (m_left < std::abs(amount) || moved < lowest || moved > highest) {
            commandsOneByOne(u'>', u'<', amount);
        } else {
            m_pointer = moved;
            m_left -= std::abs(amount);
        }
    }

    // Whether `steps` commands, in any order, cannot carry the value out of 32 bits.
    static bool withinMargin(std::int64_t value, std::int64_t steps)
    {
        return static_cast<std::uint64_t>(value - lowest - steps) <= static_cast<std::uint64_t>(highest - lowest - 2 * steps);
    }

    template <bool farMoves>
    void runOperations();
    void command(char16_t c);
    void commandsOneByOne(char16_t up, char16_t down, std::int32_t amount);
    void block(const std::uint32_t* op);
    std::size_t blockLoop(std::size_t body, std::size_t close);
    bool linearLoop(std::size_t open);
    void watch(std::size_t open);
    void checkPeriod();
    bool testedCellsRepeat(std::size_t open) const;
    void unwatch(std::size_t open);

    std::vector<std::uint32_t>& m_ops;
    TextView m_program;
    std::int64_t m_maxSteps;
    std::int64_t m_left; // steps left before the bound
    Tape m_tape;
    std::int64_t m_pointer;
    Printout m_printout;

    // The one loop (its OpenWatch) whose state at the start of a pass is kept, to see whether the next
    // pass repeats it.
    static constexpr std::size_t nothing = static_cast<std::size_t>(-1);
    std::size_t m_watched = nothing;
    Tape m_watchedTape{};
    std::int64_t m_watchedPointer = 0;
    std::int64_t m_watchedLeft = 0;
    // The passes of the scan loops done since, in their order: a pass's scans are tested cells too.
    std::array<std::int64_t, 8> m_scanPasses{};
    std::size_t m_scans = 0;
};

// Threaded dispatch: every operation jumps straight to the next one's code, which lets the processor
// predict each jump from where it comes. Taking a label's address is a GNU extension that gcc and clang
// both offer; only here is the pedantic warning about it turned off.
//
// The pointer and the steps left live in local variables, which the compiler keeps in registers: every
// operation changes them, and as members each change would wait for the previous one's store. The
// operations' rarer paths are member functions working on the members, so the locals are saved before
// and loaded after them; the errors and bounds are all thrown from there, with the members up to date.
// The tape is reached through the machine itself rather than through a pointer of its own: with one
// register more in use, gcc keeps the steps left on the stack, which costs a fifth of the speed.
//
// gcc merges the operations' identical jumps into one shared jump, whose target the processor can then
// hardly predict; these options keep one jump per operation.
#if defined(__GNUC__) && !defined(__clang__)
#define QUIRLWERK_DISPATCH_OPTIONS __attribute__((optimize("no-gcse", "no-crossjumping")))
#else
#define QUIRLWERK_DISPATCH_OPTIONS
#endif
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
template <bool farMoves>
QUIRLWERK_DISPATCH_OPTIONS void Machine::runOperations()
{
    static constexpr void* handlers[] = {&&add, &&move, &&print, &&block, &&blockPrints, &&open, &&openLinear, &&openScan,
        &&openWatch, &&openTooDeep, &&close, &&closeWatch, &&closeUnmatched, &&blockOne, &&blockTwo, &&openClear, &&openTransfer, &&openBlockLoop, &&openIf, &&end};
    static_assert(std::size(handlers) == End + 1);
    std::uint32_t* const ops = m_ops.data();
    std::size_t pc = 0;
    std::uint32_t op = 0;
    std::int64_t pointer = m_pointer;
    std::int64_t left = m_left;

    // A move of the pointer at once, when both the bound and the 32-bit range leave room for it.
    const auto quickMove = [&](std::int32_t amount) {
        const std::int64_t moved = pointer + amount;
        const std::int64_t distance = amount < 0 ? -std::int64_t{amount} : amount;
        if (left < distance || (farMoves && (moved < lowest || moved > highest)))
            return false;
        pointer = moved;
        left -= distance;
        return true;
    };
#define SAVE m_pointer = pointer, m_left = left
#define LOAD pointer = m_pointer, left = m_left
#define NEXT_OPERATION         \
    op = ops[pc];              \
    goto* handlers[kindOf(op)]
// A bracket first does the pointer move folded into it.
#define MOVE_BEFORE_BRACKET                                                       \
    if (const std::int32_t amount = bracketMove(op); amount != 0 && !quickMove(amount)) { \
        SAVE;                                                                     \
        moveBy(amount);                                                           \
        LOAD;                                                                     \
    }
// The cell a bracket tests, with its step; off the tape or at the bound the members' way throws.
#define TESTED_CELL(value)                 \
    if (!onTape(pointer) || left == 0) { \
        SAVE;                              \
        step();                            \
        cell();                            \
    }                                      \
    --left;                                \
    const std::int32_t value = m_tape.data()[pointer - 1]

    NEXT_OPERATION;
add: {
    const std::int32_t amount = argumentOf(op);
    std::int32_t sum = 0;
    if (onTape(pointer) && left >= std::abs(amount) && !__builtin_add_overflow(m_tape.data()[pointer - 1], amount, &sum)) {
        m_tape.data()[pointer - 1] = sum;
        left -= std::abs(amount);
    } else {
        SAVE;
        commandsOneByOne(u'+', u'-', amount);
        LOAD;
    }
    ++pc;
    NEXT_OPERATION;
}
move:
    if (!quickMove(argumentOf(op))) {
        SAVE;
        moveBy(argumentOf(op));
        LOAD;
    }
    ++pc;
    NEXT_OPERATION;
print:
    SAVE;
    step();
    m_printout.print(cell());
    LOAD;
    ++pc;
    NEXT_OPERATION;
block:
    if (!quickBlock(ops + pc, blockItems(op), m_tape.data(), pointer, left)) {
        SAVE;
        block(ops + pc);
        LOAD;
    }
    pc += blockHeaderWords + static_cast<std::size_t>(blockItems(op));
    NEXT_OPERATION;
blockPrints:
    SAVE;
    block(ops + pc);
    LOAD;
    pc += blockHeaderWords + static_cast<std::size_t>(blockItems(op));
    NEXT_OPERATION;
blockOne:
    if (!quickBlock(ops + pc, 1, m_tape.data(), pointer, left)) {
        SAVE;
        block(ops + pc);
        LOAD;
    }
    pc += blockHeaderWords + 1;
    NEXT_OPERATION;
blockTwo:
    if (!quickBlock(ops + pc, 2, m_tape.data(), pointer, left)) {
        SAVE;
        block(ops + pc);
        LOAD;
    }
    pc += blockHeaderWords + 2;
    NEXT_OPERATION;
// "[-]" and "[->+<]"-like loops, the commonest of all, then the other loops with a body of fixed changes.
openClear:
    MOVE_BEFORE_BRACKET;
    {
        TESTED_CELL(value);
        if (value <= 0 || quickLinear<1>(ops + pc + 2, m_tape.data(), pointer, left)) {
            pc = ops[pc + 1];
            NEXT_OPERATION;
        }
    }
    goto linearEntered;
openTransfer:
    MOVE_BEFORE_BRACKET;
    {
        TESTED_CELL(value);
        if (value <= 0 || quickLinear<2>(ops + pc + 2, m_tape.data(), pointer, left)) {
            pc = ops[pc + 1];
            NEXT_OPERATION;
        }
    }
    goto linearEntered;
openLinear:
    MOVE_BEFORE_BRACKET;
    {
        TESTED_CELL(value);
        if (value <= 0 || quickLinear<0>(ops + pc + 2, m_tape.data(), pointer, left)) {
            pc = ops[pc + 1];
            NEXT_OPERATION;
        }
    }
linearEntered: {
    SAVE;
    const bool done = linearLoop(pc);
    LOAD;
    pc = done ? ops[pc + 1] : pc + 2;
    NEXT_OPERATION;
}
openScan: {
    MOVE_BEFORE_BRACKET;
    TESTED_CELL(value);
    // A scan's passes count among the cells a watched loop tests, those of a scan not entered too.
    std::int64_t passes = 0;
    if (value <= 0 || quickScan(m_tape.data(), argumentOf(ops[pc + 2]), pointer, left, passes)) {
        m_scanPasses[m_scans++ % m_scanPasses.size()] = passes;
        pc = ops[pc + 1];
        NEXT_OPERATION;
    }
    pc += 2;
    NEXT_OPERATION;
}
// A loop around one block that moves the pointer, like "[->+<<<]".
openBlockLoop: {
    MOVE_BEFORE_BRACKET;
    TESTED_CELL(entered);
    if (entered <= 0) {
        pc = ops[pc + 1];
        NEXT_OPERATION;
    }
    SAVE;
    pc = blockLoop(pc + 2, ops[pc + 1] - 2);
    LOAD;
    NEXT_OPERATION;
}
// An "if" like "[->>-<<[->+<]]": its block and folded loop at once, and the closing bracket's step.
openIf: {
    MOVE_BEFORE_BRACKET;
    TESTED_CELL(entered);
    if (entered <= 0) {
        pc = ops[pc + 1];
        NEXT_OPERATION;
    }
    const std::uint32_t* body = ops + pc + 2;
    if (!quickBlock(body, blockItems(body[0]), m_tape.data(), pointer, left)) {
        pc += 2;
        NEXT_OPERATION;
    }
    // The folded loop inside tests the same cell, without a move in front of it.
    const std::size_t close = ops[pc + 1];
    pc += 2 + blockHeaderWords + static_cast<std::size_t>(blockItems(body[0]));
    TESTED_CELL(value);
    if (value > 0
        && !(kindOf(ops[pc]) == OpenClear ? quickLinear<1>(ops + pc + 2, m_tape.data(), pointer, left)
                                          : quickLinear<2>(ops + pc + 2, m_tape.data(), pointer, left)))
        goto linearEntered;
    // The closing bracket finds the cell at 0 or below.
    if (left == 0) {
        pc = ops[pc + 1];
        NEXT_OPERATION;
    }
    --left;
    pc = close;
    NEXT_OPERATION;
}
open:
    MOVE_BEFORE_BRACKET;
    {
    TESTED_CELL(value);
    pc = value > 0 ? pc + 2 : ops[pc + 1];
    NEXT_OPERATION;
}
openWatch: {
    MOVE_BEFORE_BRACKET;
    TESTED_CELL(value);
    if (value <= 0) {
        pc = ops[pc + 1];
        NEXT_OPERATION;
    }
    // Every entry either keeps a fresh state or, its tries used up, is watched no more: a pass must
    // never be compared with a state kept at an earlier entry, whose pointer and tested cells may
    // match by chance.
    if (bracketLow(op) > 0) {
        SAVE;
        watch(pc);
    } else {
        unwatch(pc);
    }
    pc += 2;
    NEXT_OPERATION;
}
openTooDeep: {
    MOVE_BEFORE_BRACKET;
    TESTED_CELL(value);
    if (value > 0) {
        SAVE;
        throw common::Failure::indexOutOfRange();
    }
    pc = ops[pc + 1];
    NEXT_OPERATION;
}
close: {
    MOVE_BEFORE_BRACKET;
    TESTED_CELL(value);
    pc = value > 0 ? ops[pc + 1] : pc + 2;
    NEXT_OPERATION;
}
closeWatch: {
    MOVE_BEFORE_BRACKET;
    TESTED_CELL(value);
    if (value <= 0) {
        pc += 2;
        NEXT_OPERATION;
    }
    pc = ops[pc + 1];
    if (m_watched == pc - 2) {
        SAVE;
        checkPeriod();
        LOAD;
    }
    NEXT_OPERATION;
}
closeUnmatched: {
    MOVE_BEFORE_BRACKET;
    TESTED_CELL(value);
    static_cast<void>(value);
    ++pc;
    NEXT_OPERATION;
}
end:
    SAVE;
    return;
#undef TESTED_CELL
#undef MOVE_BEFORE_BRACKET
#undef NEXT_OPERATION
#undef LOAD
#undef SAVE
}
#pragma GCC diagnostic pop

// One command exactly as the literal reading does it.
void Machine::command(char16_t c)
{
    step();
    switch (c) {
    case u'+':
    case u'-': {
        std::int32_t& value = cell();
        if (__builtin_add_overflow(value, c == u'+' ? 1 : -1, &value))
            throw common::Failure::overflow();
        break;
    }
    case u'>':
    case u'<':
        m_pointer += c == u'>' ? 1 : -1;
        if (m_pointer < lowest || m_pointer > highest)
            throw common::Failure::overflow();
        break;
    default:
        m_printout.print(cell());
        break;
    }
}

// A folded run that meets an error or a bound: its commands one at a time.
void Machine::commandsOneByOne(char16_t up, char16_t down, std::int32_t amount)
{
    for (std::int32_t i = 0; i < std::abs(amount); ++i)
        command(amount > 0 ? up : down);
}

// A block at once when every cell it touches is on the tape and far enough from the 32-bit limits
// that no order of its commands can overflow, and both bounds leave room for all of it; otherwise
// its commands from the program text, one at a time.
void Machine::block(const std::uint32_t* op)
{
    const std::int32_t count = blockItems(op[0]);
    const std::int64_t steps = blockSteps(op[0]);
    const std::uint32_t* items = op + blockHeaderWords;
    bool safe = m_left >= steps
        && (kindOf(op[0]) != BlockPrints || m_printout.values() + steps <= maxPrintedValues);
    // One unsigned comparison each for "on the tape" and "far enough from the limits".
    const auto room = static_cast<std::uint64_t>(highest - lowest - 2 * steps);
    for (std::int32_t i = 0; safe && i < count; ++i) {
        const std::int64_t at = m_pointer + itemOffset(items[i]) - 1;
        safe = static_cast<std::uint64_t>(at) < tapeLength
            && static_cast<std::uint64_t>(m_tape[static_cast<std::size_t>(at)] - lowest - steps) <= room;
    }
    if (!safe) {
        std::size_t at = op[2];
        for (std::int64_t done = 0; done < steps; ++at) {
            if (isCommand(m_program[at])) {
                command(m_program[at]);
                ++done;
            }
        }
        return;
    }
    // Indexed item by item: the pointer itself may stand off the tape.
    const auto cellOf = [&](std::uint32_t word) -> std::int32_t& {
        return m_tape[static_cast<std::size_t>(m_pointer + itemOffset(word) - 1)];
    };
    if (kindOf(op[0]) != BlockPrints) {
        for (std::int32_t i = 0; i < count; ++i)
            cellOf(items[i]) += itemChange(items[i]);
    } else {
        for (std::int32_t i = 0; i < count; ++i) {
            if (itemChange(items[i]) == printMark)
                m_printout.print(cellOf(items[i]));
            else
                cellOf(items[i]) += itemChange(items[i]);
        }
    }
    m_pointer += blockMove(op[1]);
    m_left -= steps;
}

// The passes of a loop around one block that moves the pointer, entered, in a tight loop of their own;
// where a block or a test needs the exact way, the Block or Close operation returned takes it.
[[gnu::noinline]] std::size_t Machine::blockLoop(std::size_t body, std::size_t close)
{
    std::int64_t pointer = m_pointer;
    std::int64_t left = m_left;
    std::size_t next = body;
    while (quickBlock(&m_ops[body], blockItems(m_ops[body]), m_tape.data(), pointer, left)) {
        next = close;
        if (!onTape(pointer) || left == 0)
            break;
        --left;
        next = m_tape[static_cast<std::size_t>(pointer - 1)] > 0 ? body : close + 2;
        if (next != body)
            break;
    }
    m_pointer = pointer;
    m_left = left;
    return next;
}

// A loop entered (its first test done) whose body changes cells at fixed offsets by fixed amounts, the
// pointer back where it started: a clear loop, a transfer loop, or one that never ends by itself. As many
// whole passes as are safe from errors and both bounds are done at once; when that is all of them the
// loop is done and true returned, otherwise the rest runs command by command from its body.
bool Machine::linearLoop(std::size_t open)
{
    const std::int32_t own = m_tape[static_cast<std::size_t>(m_pointer - 1)];
    const std::uint32_t* body = &m_ops[open + 2];
    std::uint32_t single = 0;
    Body shape{&single, 0, 0};
    if (kindOf(*body) == Add) {
        single = item(0, argumentOf(*body));
        shape = {&single, 1, std::abs(argumentOf(*body))};
    } else if (isBlockWithoutPrints(kindOf(*body))) {
        shape = {body + blockHeaderWords, blockItems(*body), blockSteps(*body)};
    }
    const std::int64_t margin = shape.steps;
    // The translation puts a block's item for the loop's own cell first.
    const std::int64_t ownChange = shape.count > 0 && itemOffset(shape.items[0]) == 0 ? itemChange(shape.items[0]) : 0;
    const std::int64_t passes = ownChange == -1 ? own : ownChange < 0 ? (own - ownChange - 1) / -ownChange : endless;
    const std::int64_t perPass = shape.steps + 1;
    std::int64_t done = std::min(passes, m_left / perPass);
    // Pass j starts from value + (j - 1) * change and strays at most the margin from it.
    const auto room = static_cast<std::uint64_t>(highest - lowest - 2 * margin);
    for (std::int32_t i = 0; i < shape.count; ++i) {
        const std::int64_t at = m_pointer + itemOffset(shape.items[i]) - 1;
        if (static_cast<std::uint64_t>(at) >= tapeLength)
            return false;
        const std::int64_t value = m_tape[static_cast<std::size_t>(at)];
        const std::int64_t change = itemChange(shape.items[i]);
        if (static_cast<std::uint64_t>(value - lowest - margin) > room)
            return false;
        if (change > 0)
            done = std::min(done, (highest - margin - value) / change + 1);
        else if (change < 0)
            done = std::min(done, (value - lowest - margin) / -change + 1);
    }
    for (std::int32_t i = 0; i < shape.count; ++i)
        m_tape[static_cast<std::size_t>(m_pointer + itemOffset(shape.items[i]) - 1)] += static_cast<std::int32_t>(itemChange(shape.items[i]) * done);
    m_left -= done * perPass;
    return passes != endless && done == passes;
}

// Keeps the state at the start of a pass of the loop opened at `open`, using up one of its tries.
void Machine::watch(std::size_t open)
{
    m_ops[open] = bracket(OpenWatch, bracketMove(m_ops[open]), bracketLow(m_ops[open]) - 1);
    m_watched = open;
    m_watchedTape = m_tape;
    m_watchedPointer = m_pointer;
    m_watchedLeft = m_left;
    m_scans = 0;
}

// Called when the watched loop's pass ends and it jumps back, the pointer where the previous pass
// started. A pass without output decides its way only by the cells its loops test. When those are as
// they were at the previous pass's start, every later pass goes the same way, takes as many steps and
// adds the same to every other cell: the loop never ends by itself. The whole passes that fit before
// the step bound, and before any cell comes within a pass's steps of the 32-bit limits, are done at
// once; the rest runs command by command, so the run ends exactly where the literal reading ends it.
void Machine::checkPeriod()
{
    const std::size_t open = m_watched;
    m_watched = nothing;
    // A pass that left every cell as it was repeats, whatever loops it holds.
    if (m_pointer == m_watchedPointer && (m_tape == m_watchedTape || testedCellsRepeat(open))) {
        const std::int64_t period = m_watchedLeft - m_left;
        std::int64_t passes = m_left / period;
        for (std::size_t i = 0; i < m_tape.size(); ++i) {
            const std::int64_t change = static_cast<std::int64_t>(m_tape[i]) - m_watchedTape[i];
            if (change == 0)
                continue;
            if (!withinMargin(m_tape[i], period))
                passes = 0;
            else if (change > 0)
                passes = std::min(passes, (highest - period - m_tape[i]) / change);
            else
                passes = std::min(passes, (m_tape[i] - lowest - period) / -change);
        }
        for (std::size_t i = 0; i < m_tape.size(); ++i)
            m_tape[i] += static_cast<std::int32_t>((static_cast<std::int64_t>(m_tape[i]) - m_watchedTape[i]) * passes);
        m_left -= passes * period;
        unwatch(open);
    } else if (bracketLow(m_ops[open]) > 0) {
        watch(open);
    } else {
        unwatch(open);
    }
}

// Whether every cell the loop at `open` tests in a pass (its own, and those of the clear, transfer,
// scan and other folded loops inside) holds what it held at the watched pass's start. A loop with any other
// loop inside is not judged: where those go depends on more than fixed cells.
bool Machine::testedCellsRepeat(std::size_t open) const
{
    const std::size_t close = m_ops[open + 1] - 2;
    std::int64_t offset = 0;
    std::size_t scan = 0;
    const auto same = [&](std::int64_t at) {
        const std::int64_t index = m_pointer + at - 1;
        return static_cast<std::uint64_t>(index) < tapeLength
            && m_tape[static_cast<std::size_t>(index)] == m_watchedTape[static_cast<std::size_t>(index)];
    };
    const auto notLower = [&](std::int64_t at) {
        const std::int64_t index = m_pointer + at - 1;
        return static_cast<std::uint64_t>(index) < tapeLength
            && m_tape[static_cast<std::size_t>(index)] >= m_watchedTape[static_cast<std::size_t>(index)];
    };
    for (std::size_t pc = open + 2; pc < close;) {
        const std::uint32_t op = m_ops[pc];
        switch (kindOf(op)) {
        case Add:
            ++pc;
            break;
        case Move:
            offset += argumentOf(op);
            ++pc;
            break;
        case Block:
        case BlockOne:
        case BlockTwo:
            offset += blockMove(m_ops[pc + 1]);
            pc += blockHeaderWords + static_cast<std::size_t>(blockItems(op));
            break;
        case OpenClear:
        case OpenTransfer:
        case OpenLinear:
            offset += bracketMove(op);
            if (!same(offset))
                return false;
            pc = m_ops[pc + 1];
            break;
        case OpenScan: {
            // The cell the scan stopped on as it was; those it passed over, above 0 then, no lower:
            // as every pass adds the same to them, they stay above 0.
            offset += bracketMove(op);
            if (scan >= std::min(m_scans, m_scanPasses.size()))
                return false;
            const std::int64_t stride = argumentOf(m_ops[pc + 2]);
            for (std::int64_t i = 0; i < m_scanPasses[scan]; ++i) {
                if (!notLower(offset + i * stride))
                    return false;
            }
            if (!same(offset + m_scanPasses[scan] * stride))
                return false;
            offset += m_scanPasses[scan] * stride;
            ++scan;
            pc = m_ops[pc + 1];
            break;
        }
        default:
            return false;
        }
    }
    return scan == m_scans && same(offset + bracketMove(m_ops[close]));
}

// A loop given up is watched no more: its brackets become plain ones.
void Machine::unwatch(std::size_t open)
{
    const std::size_t close = m_ops[open + 1] - 2;
    m_ops[open] = bracket(Open, bracketMove(m_ops[open]));
    m_ops[close] = bracket(Close, bracketMove(m_ops[close]));
}

} // namespace

BrainfuckRun runBrainfuck(TextView program, std::int64_t maxSteps)
{
    return runBrainfuck(program, maxSteps, BrainfuckStart{});
}

BrainfuckRun runBrainfuck(TextView program, std::int64_t maxSteps, const BrainfuckStart& start)
{
    try {
        std::vector<std::uint32_t> ops = translate(program);
        Machine machine(ops, program, maxSteps, start);
        return runToEnd(machine, maxSteps);
    } catch (const std::exception& failure) {
        return {failedRun(failure)};
    }
}

Conversion InterpretBrainfuck(Text program, std::int64_t maxSteps)
{
    return runBrainfuck(program, maxSteps).result;
}

} // namespace quirlwerk::conversions
