// The Brainfuck interpreter against the literal one on programs of about 10^7 and 10^9 commands.
#include "conversions/brainfuck.h"
#include "support/brainfuck_reference.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quirlwerk;
using namespace quirlwerk::conversions;

// Three counting loops around a body that fills, copies, moves back and clears work cells;
// no loop ever sees a negative cell. Each pass of the innermost loop runs 156 commands.
Text countingProgram(int outerPasses)
{
    const Text hundred(100, u'+');
    const Text inner = u">++++++++[->+>+<<]>[-<+>]>[-]<<[-]<-";
    return Text(static_cast<std::size_t>(outerPasses), u'+') + u"[>" + hundred + u"[>" + hundred + u"[" + inner
        + u"]<-]<-]";
}

template <typename Interpreter>
void runProgram(benchmark::State& state, Interpreter interpreter)
{
    const Text program = countingProgram(static_cast<int>(state.range(0)));
    std::int64_t steps = 0;
    for (auto _ : state) {
        const BrainfuckRun run = interpreter(program, defaultMaxSteps);
        if (!run.result.ok()) {
            state.SkipWithError("the program did not finish");
            return;
        }
        steps += run.steps;
        benchmark::DoNotOptimize(run.result.output.data());
    }
    state.counters["commands"] = benchmark::Counter(static_cast<double>(steps) / static_cast<double>(state.iterations()));
    state.counters["commands/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

void fast(benchmark::State& state)
{
    runProgram(state, [](TextView program, std::int64_t maxSteps) { return runBrainfuck(program, maxSteps); });
}

void literal(benchmark::State& state)
{
    runProgram(state, [](TextView program, std::int64_t maxSteps) { return InterpretBrainfuckReference(program, maxSteps); });
}

// About 10^7 commands with 6 outer passes, about 10^9 with 600.
BENCHMARK(fast)->Arg(6)->Arg(600)->Unit(benchmark::kMillisecond);
BENCHMARK(literal)->Arg(6)->Arg(600)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
