// The Brainfuck interpreter read literally: 32-bit counters that may not overflow, a tape of 1000
// cells from cell 500, a stack of 1000 open loops, and the program scanned character by character.
#include "support/brainfuck_reference.h"

#include "common/failure.h"
#include "conversions/brainfuck_output.h"

#include <array>

namespace quirlwerk::conversions {
namespace {

using namespace brainfuck;

void add(std::int32_t& value, std::int32_t change)
{
    if (__builtin_add_overflow(value, change, &value))
        throw common::Failure::overflow();
}

class ReferenceMachine {
public:
    ReferenceMachine(TextView program, std::int64_t maxSteps, const BrainfuckStart& start)
        : m_program(program), m_maxSteps(maxSteps), m_tape(start.tape), m_pointer(start.pointer) {}

    void run()
    {
        while (m_position <= static_cast<std::int64_t>(m_program.size())) {
            const char16_t c = at(m_position);
            if (isCommand(c)) {
                if (m_steps == m_maxSteps)
                    throw BoundReached{};
                ++m_steps;
            }
            execute(c);
        }
    }

    std::int64_t steps() const { return m_steps; }
    const Printout& printout() const { return m_printout; }

private:
    char16_t at(std::int32_t position) const { return m_program[static_cast<std::size_t>(position) - 1]; }

    std::int32_t& cell()
    {
        if (m_pointer < 1 || m_pointer > tapeLength)
            throw common::Failure::indexOutOfRange();
        return m_tape[static_cast<std::size_t>(m_pointer) - 1];
    }

    void execute(char16_t c)
    {
        switch (c) {
        case u'+': add(cell(), 1); break;
        case u'-': add(cell(), -1); break;
        case u'>': add(m_pointer, 1); break;
        case u'<': add(m_pointer, -1); break;
        case u'.': m_printout.print(cell()); break;
        case u'[':
            if (cell() > 0) {
                if (m_depth == maxOpenLoops)
                    throw common::Failure::indexOutOfRange();
                add(m_depth, 1);
                m_openLoops[static_cast<std::size_t>(m_depth) - 1] = m_position;
            } else {
                skipLoop();
            }
            break;
        case u']':
            if (cell() > 0 && m_depth > 0)
                m_position = m_openLoops[static_cast<std::size_t>(m_depth) - 1];
            else if (m_depth > 0)
                add(m_depth, -1);
            break;
        default:
            break;
        }
        add(m_position, 1);
    }

    // Leaves the position on the matching "]", or on the last character, which the scan never looks at.
    void skipLoop()
    {
        std::int32_t nesting = 0;
        add(m_position, 1);
        const auto length = static_cast<std::int64_t>(m_program.size());
        while (m_position < length && (nesting > 0 || at(m_position) != u']')) {
            if (at(m_position) == u'[')
                add(nesting, 1);
            else if (at(m_position) == u']')
                add(nesting, -1);
            add(m_position, 1);
        }
    }

    TextView m_program;
    std::int64_t m_maxSteps;
    std::int64_t m_steps = 0;
    std::array<std::int32_t, tapeLength> m_tape;
    std::array<std::int32_t, maxOpenLoops> m_openLoops{};
    std::int32_t m_pointer;
    std::int32_t m_depth = 0;
    std::int32_t m_position = 1;
    Printout m_printout;
};

} // namespace

BrainfuckRun InterpretBrainfuckReference(TextView program, std::int64_t maxSteps, const BrainfuckStart& start)
{
    ReferenceMachine machine(program, maxSteps, start);
    return runToEnd(machine, maxSteps);
}

} // namespace quirlwerk::conversions
