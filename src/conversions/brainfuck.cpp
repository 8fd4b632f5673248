// Mode 4: the Brainfuck interpreter. The program is translated once into operations (runs folded,
// brackets matched, simple loops done in one step) and every shortcut is taken only when it cannot
// hide an error or the step bound; otherwise the commands run one at a time as written.
#include "conversions/brainfuck.h"

#include "common/failure.h"
#include "conversions/brainfuck_output.h"

#include <array>
#include <bitset>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

namespace quirlwerk::conversions {
namespace {

using namespace brainfuck;

enum class OpKind : std::uint8_t {
    Add,            // a run of "+" or "-"
    Move,           // a run of ">" or "<"
    Print,
    Open,           // "[" whose loop is entered or skipped
    OpenTooDeep,    // "[" inside 1000 open loops: entering it is an error
    Close,          // "]" that jumps back into its loop
    CloseUnmatched, // "]" without a "[" before it: only reads the cell
    SimpleLoop,     // in front of an Open whose loop can be done in one step
};

struct Op {
    OpKind kind;
    std::int32_t amount = 0;   // Add, Move: the change; SimpleLoop: its entry in the loop list
    std::size_t target = 0;    // Open, SimpleLoop: behind the loop; Close: the first operation inside
};

// A loop of "+", "-", "<", ">" that ends where it started, lowers its own cell by a fixed amount
// and changes each other cell once per pass.
struct Transfer {
    std::int32_t offset;
    std::int32_t factor;
};

struct LoopShape {
    std::int32_t decrement = 0;     // 0: the loop never changes its cell
    std::int64_t stepsPerPass = 0;  // the body's commands and the closing bracket
    std::vector<Transfer> transfers;
};

struct Translation {
    std::vector<Op> ops;
    std::vector<LoopShape> loops;
};

constexpr std::int64_t longestRun = std::numeric_limits<std::int32_t>::max() / 2;

std::int32_t commandValue(char16_t c)
{
    return c == u'+' || c == u'>' ? 1 : -1;
}

// Length of the run of command c starting at index i.
std::size_t runLength(const Text& commands, std::size_t i)
{
    std::size_t end = i;
    while (end < commands.size() && commands[end] == commands[i] && static_cast<std::int64_t>(end - i) < longestRun)
        ++end;
    return end - i;
}

std::optional<LoopShape> simpleShape(const Text& commands, std::size_t open, std::size_t close)
{
    LoopShape shape;
    std::int64_t offset = 0;
    // A cell further away than the tape is long can never be on the tape together with the loop's own.
    std::bitset<2 * tapeLength + 1> touched;
    std::optional<std::int32_t> ownChange;
    for (std::size_t i = open + 1; i < close;) {
        const char16_t c = commands[i];
        const std::size_t length = runLength(commands, i);
        const auto change = static_cast<std::int32_t>(length) * commandValue(c);
        i += length;
        if (c == u'<' || c == u'>') {
            offset += change;
            continue;
        }
        if (c != u'+' && c != u'-')
            return std::nullopt;
        if (offset < -tapeLength || offset > tapeLength || touched.test(static_cast<std::size_t>(offset + tapeLength)))
            return std::nullopt;
        touched.set(static_cast<std::size_t>(offset + tapeLength));
        if (offset == 0)
            ownChange = change;
        else
            shape.transfers.push_back({static_cast<std::int32_t>(offset), change});
    }
    if (offset != 0 || (ownChange && *ownChange > 0))
        return std::nullopt;
    shape.decrement = ownChange ? -*ownChange : 0;
    if (shape.decrement == 0 && !shape.transfers.empty())
        return std::nullopt;
    shape.stepsPerPass = static_cast<std::int64_t>(close - open);
    return shape;
}

Translation translate(TextView program)
{
    Text commands;
    for (const char16_t c : program) {
        if (isCommand(c))
            commands += c;
    }

    // Brackets pair up by nesting; a "]" with nothing open stays alone, and so does a "[" never closed.
    constexpr std::size_t unmatched = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> partner(commands.size(), unmatched);
    std::vector<std::size_t> level(commands.size(), 0);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i] == u'[') {
            open.push_back(i);
            level[i] = open.size();
        } else if (commands[i] == u']' && !open.empty()) {
            partner[i] = open.back();
            partner[open.back()] = i;
            open.pop_back();
        }
    }

    Translation translation;
    std::vector<Op>& ops = translation.ops;
    struct OpenLoop {
        std::size_t openOp;
        bool shaped;
    };
    std::vector<OpenLoop> loops;
    std::vector<std::size_t> neverClosed;
    for (std::size_t i = 0; i < commands.size();) {
        const char16_t c = commands[i];
        switch (c) {
        case u'+': case u'-': case u'<': case u'>': {
            const std::size_t length = runLength(commands, i);
            const OpKind kind = c == u'+' || c == u'-' ? OpKind::Add : OpKind::Move;
            ops.push_back({kind, static_cast<std::int32_t>(length) * commandValue(c)});
            i += length;
            continue;
        }
        case u'.':
            ops.push_back({OpKind::Print});
            break;
        case u'[': {
            const bool tooDeep = level[i] > maxOpenLoops;
            std::optional<LoopShape> shape;
            if (partner[i] != unmatched && !tooDeep)
                shape = simpleShape(commands, i, partner[i]);
            if (shape) {
                ops.push_back({OpKind::SimpleLoop, static_cast<std::int32_t>(translation.loops.size())});
                translation.loops.push_back(std::move(*shape));
            }
            if (partner[i] == unmatched)
                neverClosed.push_back(ops.size());
            else
                loops.push_back({ops.size(), shape.has_value()});
            ops.push_back({tooDeep ? OpKind::OpenTooDeep : OpKind::Open});
            break;
        }
        case u']':
            if (partner[i] == unmatched) {
                ops.push_back({OpKind::CloseUnmatched});
            } else {
                const OpenLoop loop = loops.back();
                loops.pop_back();
                ops.push_back({OpKind::Close, 0, loop.openOp + 1});
                ops[loop.openOp].target = ops.size();
                if (loop.shaped)
                    ops[loop.openOp - 1].target = ops.size();
            }
            break;
        default:
            break;
        }
        ++i;
    }
    // Skipping a loop that is never closed ends the run.
    for (const std::size_t at : neverClosed)
        ops[at].target = ops.size();
    return translation;
}

class Machine {
public:
    Machine(const Translation& translation, std::int64_t maxSteps)
        : m_ops(translation.ops), m_loops(translation.loops), m_maxSteps(maxSteps) {}

    void run();

    std::int64_t steps() const { return m_steps; }
    const Printout& printout() const { return m_printout; }

private:
    static bool onTape(std::int64_t pointer) { return pointer >= 1 && pointer <= tapeLength; }

    std::int32_t& cell()
    {
        if (!onTape(m_pointer))
            throw common::Failure::indexOutOfRange();
        return m_tape[static_cast<std::size_t>(m_pointer - 1)];
    }

    void step()
    {
        if (m_steps == m_maxSteps)
            throw BoundReached{};
        ++m_steps;
    }

    void commandsOneByOne(const Op& op);
    bool simpleLoop(const LoopShape& shape);

    const std::vector<Op>& m_ops;
    const std::vector<LoopShape>& m_loops;
    std::int64_t m_maxSteps;
    std::int64_t m_steps = 0;
    std::array<std::int32_t, tapeLength> m_tape{};
    std::int64_t m_pointer = startCell;
    Printout m_printout;
};

void Machine::run()
{
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    std::size_t pc = 0;
    while (pc < m_ops.size()) {
        const Op& op = m_ops[pc];
        switch (op.kind) {
        case OpKind::Add: {
            const std::int64_t count = std::abs(op.amount);
            std::int32_t* value = onTape(m_pointer) ? &m_tape[static_cast<std::size_t>(m_pointer - 1)] : nullptr;
            std::int32_t sum = 0;
            if (!value || m_maxSteps - m_steps < count || __builtin_add_overflow(*value, op.amount, &sum)) {
                commandsOneByOne(op);
                break;
            }
            *value = sum;
            m_steps += count;
            break;
        }
        case OpKind::Move: {
            const std::int64_t count = std::abs(op.amount);
            const std::int64_t moved = m_pointer + op.amount;
            if (m_maxSteps - m_steps < count || moved < lowest || moved > highest) {
                commandsOneByOne(op);
                break;
            }
            m_pointer = moved;
            m_steps += count;
            break;
        }
        case OpKind::Print:
            step();
            m_printout.print(cell());
            break;
        case OpKind::Open:
            step();
            if (cell() <= 0) {
                pc = op.target;
                continue;
            }
            break;
        case OpKind::OpenTooDeep:
            step();
            if (cell() > 0)
                throw common::Failure::indexOutOfRange();
            pc = op.target;
            continue;
        case OpKind::Close:
            step();
            if (cell() > 0) {
                pc = op.target;
                continue;
            }
            break;
        case OpKind::CloseUnmatched:
            step();
            cell();
            break;
        case OpKind::SimpleLoop:
            if (simpleLoop(m_loops[static_cast<std::size_t>(op.amount)])) {
                pc = op.target;
                continue;
            }
            break;
        }
        ++pc;
    }
}

// A folded run that meets an error or the bound: its commands one at a time, exactly as written,
// so that the run ends on the very command where the literal reading ends it.
void Machine::commandsOneByOne(const Op& op)
{
    const std::int32_t unit = op.amount > 0 ? 1 : -1;
    std::int32_t pointer = static_cast<std::int32_t>(m_pointer);
    for (std::int32_t done = 0; done != op.amount; done += unit) {
        step();
        if (op.kind == OpKind::Move) {
            if (__builtin_add_overflow(pointer, unit, &pointer))
                throw common::Failure::overflow();
            m_pointer = pointer;
        } else {
            std::int32_t& value = cell();
            if (__builtin_add_overflow(value, unit, &value))
                throw common::Failure::overflow();
        }
    }
}

// The whole loop at once, when it is entered and runs to its end without an error or the bound.
// Returns false to let the loop run command by command.
bool Machine::simpleLoop(const LoopShape& shape)
{
    if (!onTape(m_pointer))
        return false;
    std::int32_t& own = m_tape[static_cast<std::size_t>(m_pointer - 1)];
    if (own <= 0)
        return false;
    if (shape.decrement == 0) {
        // It touches nothing and never ends: the bound stops it, wherever it falls.
        m_steps = m_maxSteps;
        throw BoundReached{};
    }
    // Most loops count down by one; they spare the division.
    const std::int64_t passes = shape.decrement == 1 ? own : (own + static_cast<std::int64_t>(shape.decrement) - 1) / shape.decrement;
    const std::int64_t cost = 1 + passes * shape.stepsPerPass;
    if (m_maxSteps - m_steps < cost)
        return false;
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    for (const Transfer& transfer : shape.transfers) {
        const std::int64_t at = m_pointer + transfer.offset;
        if (!onTape(at))
            return false;
        const std::int64_t result = m_tape[static_cast<std::size_t>(at - 1)] + transfer.factor * passes;
        if (result < lowest || result > highest)
            return false;
    }
    for (const Transfer& transfer : shape.transfers)
        m_tape[static_cast<std::size_t>(m_pointer + transfer.offset - 1)] += static_cast<std::int32_t>(transfer.factor * passes);
    own = static_cast<std::int32_t>(own - shape.decrement * passes);
    m_steps += cost;
    return true;
}

} // namespace

BrainfuckRun runBrainfuck(TextView program, std::int64_t maxSteps)
{
    try {
        const Translation translation = translate(program);
        Machine machine(translation, maxSteps);
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
