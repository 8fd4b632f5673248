// The plain interpreter: the commands filtered once, each bracket's partner found once, and then one
// command per turn of a switch, with the depth of open loops kept as the literal reading keeps it.
#include "brainfuck_plain.h"

#include "common/failure.h"
#include "conversions/brainfuck_output.h"
#include "conversions/dispatch.h"

#include <array>
#include <memory>
#include <vector>

namespace quirlwerk::conversions {
namespace {

using namespace brainfuck;

class PlainMachine {
public:
    PlainMachine(TextView program, std::int64_t maxSteps) : m_maxSteps(maxSteps)
    {
        // One byte per command; a partner only at brackets, in an array left unwritten elsewhere so
        // that a long program without loops costs little more than reading it.
        m_commands.resize(program.size());
        m_partner.reset(new std::uint32_t[program.size()]);
        std::vector<std::uint32_t> open;
        std::uint32_t at = 0;
        for (const char16_t c : program) {
            // Without branches on the command: the text's mix of commands is unpredictable.
            const Code code = c < codes.size() ? codes[c] : NoCommand;
            m_commands[at] = code;
            if (code < OpenLoop) {
                at += 1;
                continue;
            }
            if (code == OpenLoop) {
                m_partner[at] = none;
                open.push_back(at);
            } else if (code == CloseLoop) {
                m_partner[at] = none;
                if (!open.empty()) {
                    m_partner[at] = open.back();
                    m_partner[open.back()] = at;
                    open.pop_back();
                }
            } else {
                continue;
            }
            ++at;
        }
        m_commands.resize(at);
    }

    void run()
    {
        const std::uint8_t* const commands = m_commands.data();
        const std::uint32_t* const partners = m_partner.get();
        const std::size_t count = m_commands.size();
        for (std::size_t pc = 0; pc < count; ++pc) {
            if (m_steps == m_maxSteps)
                throw BoundReached{};
            ++m_steps;
            switch (commands[pc]) {
            case Plus: add(cell(), 1); break;
            case Minus: add(cell(), -1); break;
            case Right: add(m_pointer, 1); break;
            case Left: add(m_pointer, -1); break;
            case Dot: m_printout.print(cell()); break;
            case OpenLoop:
                if (cell() > 0) {
                    if (m_depth == maxOpenLoops)
                        throw common::Failure::indexOutOfRange();
                    ++m_depth;
                } else if (partners[pc] == none) {
                    return; // skipping a loop that is never closed ends the run
                } else {
                    pc = partners[pc];
                }
                break;
            case CloseLoop:
                if (cell() > 0 && m_depth > 0 && partners[pc] != none)
                    pc = partners[pc];
                else if (m_depth > 0)
                    --m_depth;
                break;
            }
        }
    }

    std::int64_t steps() const { return m_steps; }
    const Printout& printout() const { return m_printout; }

private:
    enum Code : std::uint8_t { Plus, Minus, Right, Left, Dot, OpenLoop, CloseLoop, NoCommand };
    // The input is bounded far below 2^32 commands.
    static constexpr std::uint32_t none = static_cast<std::uint32_t>(-1);
    static_assert(maxInputSize < none);

    static constexpr std::array<Code, 128> codes = [] {
        std::array<Code, 128> table{};
        table.fill(NoCommand);
        table['+'] = Plus;
        table['-'] = Minus;
        table['>'] = Right;
        table['<'] = Left;
        table['.'] = Dot;
        table['['] = OpenLoop;
        table[']'] = CloseLoop;
        return table;
    }();

    static void add(std::int32_t& value, std::int32_t change)
    {
        if (__builtin_add_overflow(value, change, &value))
            throw common::Failure::overflow();
    }

    std::int32_t& cell()
    {
        if (m_pointer < 1 || m_pointer > tapeLength)
            throw common::Failure::indexOutOfRange();
        return m_tape[static_cast<std::size_t>(m_pointer) - 1];
    }

    std::vector<std::uint8_t> m_commands;
    std::unique_ptr<std::uint32_t[]> m_partner;
    std::int64_t m_maxSteps;
    std::int64_t m_steps = 0;
    std::array<std::int32_t, tapeLength> m_tape{};
    std::int32_t m_pointer = startCell;
    std::int32_t m_depth = 0;
    Printout m_printout;
};

} // namespace

BrainfuckRun InterpretBrainfuckPlain(TextView program, std::int64_t maxSteps)
{
    PlainMachine machine(program, maxSteps);
    return runToEnd(machine, maxSteps);
}

} // namespace quirlwerk::conversions
