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

struct ReferenceMachine {
    TextView program;
    std::int64_t maxSteps;
    std::array<std::int32_t, tapeLength> tape;
    std::int32_t pointer;
    std::int64_t done = 0;
    std::array<std::int32_t, maxOpenLoops> openLoops{};
    std::int32_t depth = 0;
    Printout printed{};

    std::int64_t steps() const { return done; }
    const Printout& printout() const { return printed; }

    std::int32_t& cell()
    {
        if (pointer < 1 || pointer > tapeLength)
            throw common::Failure::indexOutOfRange();
        return tape[static_cast<std::size_t>(pointer) - 1];
    }

    void run()
    {
        const auto length = static_cast<std::int64_t>(program.size());
        for (std::int32_t position = 1; position <= length; add(position, 1)) {
            const char16_t c = program[static_cast<std::size_t>(position) - 1];
            if (isCommand(c) && done == maxSteps)
                throw BoundReached{};
            done += isCommand(c);
            switch (c) {
            case u'+': add(cell(), 1); break;
            case u'-': add(cell(), -1); break;
            case u'>': add(pointer, 1); break;
            case u'<': add(pointer, -1); break;
            case u'.': printed.print(cell()); break;
            case u'[':
                if (cell() <= 0) {
                    // Onto the matching "]", or onto the last character, which the scan never looks at.
                    add(position, 1);
                    for (std::int32_t nesting = 0; position < length && (nesting > 0 || program[static_cast<std::size_t>(position) - 1] != u']');
                         add(position, 1)) {
                        const char16_t skipped = program[static_cast<std::size_t>(position) - 1];
                        add(nesting, skipped == u'[' ? 1 : skipped == u']' ? -1 : 0);
                    }
                } else if (depth == maxOpenLoops) {
                    throw common::Failure::indexOutOfRange();
                } else {
                    add(depth, 1);
                    openLoops[static_cast<std::size_t>(depth) - 1] = position;
                }
                break;
            case u']':
                if (cell() > 0 && depth > 0)
                    position = openLoops[static_cast<std::size_t>(depth) - 1];
                else if (depth > 0)
                    add(depth, -1);
                break;
            }
        }
    }
};

} // namespace

BrainfuckRun InterpretBrainfuckReference(TextView program, std::int64_t maxSteps, const BrainfuckStart& start)
{
    ReferenceMachine machine{program, maxSteps, start.tape, start.pointer};
    return runToEnd(machine, maxSteps);
}

} // namespace quirlwerk::conversions
