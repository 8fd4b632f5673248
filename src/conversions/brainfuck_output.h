// What a Brainfuck run prints and how its end becomes the routine's result; both interpreters share it.
#pragma once

#include "conversions/brainfuck.h"
#include "conversions/conversion.h"

#include <cstdint>
#include <exception>

namespace quirlwerk::conversions::brainfuck {

inline constexpr int tapeLength = 1000;
inline constexpr std::int32_t startCell = 500;
inline constexpr int maxOpenLoops = 1000;

// A run stops before its 1,000,001st printed value: a program that prints without end would otherwise
// fill the memory (and the output field) long before the step bound stops it.
inline constexpr std::int64_t maxPrintedValues = 1'000'000;

// Thrown inside a run when the next command would exceed the step bound.
struct BoundReached {};
// Thrown inside a run when the next print would exceed the printed values' bound.
struct OutputLimitReached {};

// The two sections of the report: every printed value in decimal, and the printable ones as text.
class Printout {
public:
    void print(std::int32_t value);
    Text report() const;
    std::int64_t values() const { return m_values; }

private:
    Text m_decimals;
    Text m_printed;
    std::int64_t m_values = 0;
};

bool isCommand(char16_t c);

Conversion completed(const Printout& printout);
// Not a failure of the program: the report shows what it printed before the bound stopped it.
Conversion stoppedAtBound(const Printout& printout, std::int64_t maxSteps);
Conversion stoppedAtOutputLimit(const Printout& printout);
Conversion failedRun(const std::exception& failure);

// Runs a machine (run(), steps(), printout()) and turns the way it ended into the result.
template <typename Machine>
BrainfuckRun runToEnd(Machine& machine, std::int64_t maxSteps)
{
    BrainfuckRun run;
    try {
        machine.run();
        run.result = completed(machine.printout());
    } catch (const BoundReached&) {
        run.result = stoppedAtBound(machine.printout(), maxSteps);
    } catch (const OutputLimitReached&) {
        run.result = stoppedAtOutputLimit(machine.printout());
    } catch (const std::exception& failure) {
        run.result = failedRun(failure);
    }
    run.steps = machine.steps();
    return run;
}

} // namespace quirlwerk::conversions::brainfuck
