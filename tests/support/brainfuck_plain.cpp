// The plain interpreter: the commands filtered once, each bracket's partner found once, and then one
// command per turn of a switch, with the depth of open loops kept as the literal reading keeps it.
#include "support/brainfuck_plain.h"

#include "common/failure.h"
#include "conversions/brainfuck_output.h"

#include <array>
#include <vector>

namespace quirlwerk::conversions {
namespace {

using namespace brainfuck;

class PlainMachine {
public:
    PlainMachine(TextView program, std::int64_t maxSteps) : m_maxSteps(maxSteps)
    {
        std::vector<std::size_t> open;
        for (const char16_t c : program) {
            if (!isCommand(c))
                continue;
            m_partner.push_back(none);
            if (c == u'[') {
                open.push_back(m_commands.size());
            } else if (c == u']' && !open.empty()) {
                m_partner.back() = open.back();
                m_partner[open.back()] = m_commands.size();
                open.pop_back();
            }
            m_commands.push_back(static_cast<char>(c));
        }
    }

    void run()
    {
        for (std::size_t pc = 0; pc < m_commands.size(); ++pc) {
            if (m_steps == m_maxSteps)
                throw BoundReached{};
            ++m_steps;
            switch (m_commands[pc]) {
            case '+': add(cell(), 1); break;
            case '-': add(cell(), -1); break;
            case '>': add(m_pointer, 1); break;
            case '<': add(m_pointer, -1); break;
            case '.': m_printout.print(cell()); break;
            case '[':
                if (cell() > 0) {
                    if (m_depth == maxOpenLoops)
                        throw common::Failure::indexOutOfRange();
                    ++m_depth;
                } else if (m_partner[pc] == none) {
                    return; // skipping a loop that is never closed ends the run
                } else {
                    pc = m_partner[pc];
                }
                break;
            case ']':
                if (cell() > 0 && m_depth > 0 && m_partner[pc] != none)
                    pc = m_partner[pc];
                else if (m_depth > 0)
                    --m_depth;
                break;
            }
        }
    }

    std::int64_t steps() const { return m_steps; }
    const Printout& printout() const { return m_printout; }

private:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

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

    std::vector<char> m_commands;
    std::vector<std::size_t> m_partner;
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
