// The Brainfuck interpreter on programs of six shapes people write, against a plain switch interpreter
// with the same rules and against the literal reading; then endless loops timed to the step bound.
// Every program's output is checked against the expected one, and the three interpreters must agree
// on output, status and command count. Times include the translation.
#include "conversions/brainfuck.h"
#include "conversions/brainfuck_output.h"
#include "conversions/ook.h"
#include "brainfuck_plain.h"
#include "support/brainfuck_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <time.h>

namespace {

using namespace quirlwerk;
using namespace quirlwerk::conversions;

Text times(char16_t c, int count) { return Text(static_cast<std::size_t>(std::max(count, 0)), c); }
Text right(int count) { return times(u'>', count); }
Text left(int count) { return times(u'<', count); }
Text plus(int count) { return times(u'+', count); }
// From cell `from` to cell `to`, both counted from the start cell.
Text go(int from, int to) { return to >= from ? right(to - from) : left(from - to); }

struct Program {
    const char* name;
    bool loops; // counted in the loop programs' mean
    Text text;
    std::vector<std::int32_t> printed;
};

// What a decimal counter of `digits` digits prints, the most significant digit first.
std::vector<std::int32_t> counterDigits(long long count, int digits)
{
    std::vector<std::int32_t> printed;
    const std::string value = std::to_string(count);
    for (int i = 0; i < digits - static_cast<int>(value.size()); ++i)
        printed.push_back('0');
    for (const char c : value)
        printed.push_back(c);
    return printed;
}

// Nested counting loops around a decimal counter: each increment walks the carry up the digits with a
// pointer that depends on the data and returns over the digit markers with a scan loop.
Program counter(int outer, int inner, int digits)
{
    // Cells: 0 outer count, 1 inner count, 2 home (0), then per digit f (carry), r (9 - digit), t, e, m (1).
    Text text;
    int at = 0;
    for (int i = 0; i < digits; ++i) {
        text += go(at, 4 + 5 * i) + plus(9) + right(3) + u"+";
        at = 7 + 5 * i;
    }
    text += go(at, 0) + plus(outer) + u"[>" + plus(inner) + u"[";
    text += u">>+[->>>+<<[->>-<<[->+<]]>[-<+>]>[-<<+++++++++>>>>+<<]>>]<[<<<<<]<";
    text += u"-]<-]";
    at = 0;
    for (int i = digits - 1; i >= 0; --i) {
        text += go(at, 5 + 5 * i) + plus(57) + u"<[->-<]>.";
        at = 5 + 5 * i;
    }
    return {"counter with carry and scans", true, text, counterDigits(static_cast<long long>(outer) * inner, digits)};
}

// From cell 0, prints the digits most significant first: in each digit's empty cell `cell(i)`, `top`
// less the digit's count two cells to the left.
Text printCountedDown(int digits, const std::function<int(int)>& cell, int top)
{
    Text text;
    int at = 0;
    for (int i = digits - 1; i >= 0; --i) {
        text += go(at, cell(i)) + plus(top) + u"<<[->>-<<]>>.";
        at = cell(i);
    }
    return text;
}

// Three nested counting loops around a decimal counter whose digits count down from 10 to 1: the carry
// tests a digit through a copy made with a temporary cell, resets with "[-]" and comes home over the
// digit markers with a scan to the left.
Program copyingCounter(int a, int b, int c, int digits)
{
    // Cells: 0, 1, 2 counts, 3 home (0), then per digit m (1), r (10 - digit), f (carry), t, e.
    const auto m = [](int i) { return 8 + 5 * i; };
    Text text;
    int at = 0;
    // The scan home starts at the mark of the digit after the last one the carry reached.
    for (int i = 0; i <= digits; ++i) {
        text += go(at, m(i)) + u"+>" + plus(i < digits ? 10 : 0);
        at = m(i) + 1;
    }
    text += go(at, 0) + plus(a) + u"[>" + plus(b) + u"[>" + plus(c) + u"[" + go(2, m(0) + 2) + u"+";
    // At f: take the carry, count r down, copy r to t through e, e = (t == 0), on e give r 10 and carry on.
    text += u"[-<-[->>+>+<<<]>>>[-<<<+>>>]+<[[-]>-<]>[-<<<++++++++++>>>>>>+<<<]>>>]";
    text += u"<<[<<<<<]<-]<-]<-]";
    text += printCountedDown(digits, [&](int i) { return m(i) + 3; }, 58);
    return {"counter copying its digits", true, text, counterDigits(static_cast<long long>(a) * b * c, digits)};
}

// Two nested counting loops around a decimal counter marked where a digit is 9: each increment finds
// the first digit below 9 with a scan to the right and walks back over the nines, resetting them.
Program scanningCounter(int outer, int inner, int digits)
{
    // Cells: 0, 1 counts, 2 home (0), then per digit z (1: the digit is 9), n (9 - digit), w, t.
    const auto z = [](int i) { return 6 + 4 * i; };
    Text text;
    int at = 0;
    for (int i = 0; i < digits; ++i) {
        text += go(at, z(i) + 1) + plus(9);
        at = z(i) + 1;
    }
    text += go(at, 0) + plus(outer) + u"[>" + plus(inner) + u"[" + go(1, z(0));
    // At the first z of 0: mark it, count n down, copy n to w through t, unmark it while w > 0.
    text += u"[>>>>]+>-[->>+<<]>>[-<<+>+>]<[[-]<<->>]<<<<<<";
    text += u"[->+++++++++<<<<<]<-]<-]";
    text += printCountedDown(digits, [&](int i) { return z(i) + 3; }, 57);
    return {"counter scanning for nines", true, text, counterDigits(static_cast<long long>(outer) * inner, digits)};
}

// Bubble sort: passes over the numbers, each comparing neighbours by counting both down together.
Program bubbleSort(int count)
{
    std::mt19937 random(7);
    std::vector<std::int32_t> numbers;
    for (int i = 0; i < count; ++i)
        numbers.push_back(static_cast<std::int32_t>(random() % 41));
    // Cells: 0 passes left, 1 stop mark (0), then per number x, m (min), t, f (flag), k (1: has a right neighbour).
    Text text = left(499) + plus(count - 1);
    int at = 0;
    for (int i = 0; i < count; ++i) {
        text += go(at, 2 + 5 * i) + plus(numbers[static_cast<std::size_t>(i)]);
        at = 2 + 5 * i;
        if (i + 1 < count) {
            text += go(at, 6 + 5 * i) + u"+";
            at = 6 + 5 * i;
        }
    }
    const Text compareSwap = u"[->>>+>>[-<<<<+>>->>[-<<<+>>>]]<<<[->>>+<<<]>[-<<<+[->>+<<]>>>]<<<]>[-<+>>>>>+<<<<]>[->>>+<<<]<<";
    text += go(at, 0) + u"[>>>>>>[<<<<" + compareSwap + u">>>>>>>>>]<<<<<[<<<<<]<-]";
    at = 0;
    for (int i = 0; i < count; ++i) {
        text += go(at, 2 + 5 * i) + u".";
        at = 2 + 5 * i;
    }
    std::sort(numbers.begin(), numbers.end());
    return {"bubble sort", true, text, numbers};
}

// Sieve of Eratosthenes over 0..99, run `rounds` times: every prime up to 10 walks its multiples
// with a count carried along the tape and comes home by a scan.
Program sieve(int rounds)
{
    constexpr int numbers = 100;
    constexpr int groups = 107; // the walks overshoot the numbers by up to 7 groups
    // Cells from cell 1 of the tape: 0 rounds left, then per number a (1; 0 at home), e (1: a number), f (1: maybe
    // prime), n (the number), c (steps left), p (the prime), t, s (1: sieve with it).
    auto cell = [](int group, int slot) { return 1 + 8 * group + slot; };
    Text init;
    int at = 0;
    for (int g = 0; g < groups; ++g) {
        const int values[] = {g > 0, g < numbers, g >= 2 && g < numbers, g < numbers ? g : 0, 0, 0, 0, g >= 2 && g <= 10};
        for (int slot = 0; slot < 8; ++slot) {
            if (values[slot] > 0) {
                init += go(at, cell(g, slot)) + plus(values[slot]);
                at = cell(g, slot);
            }
        }
    }
    init += go(at, cell(0, 1));
    Text clear;
    at = cell(0, 0);
    for (int g = 0; g < groups; ++g) {
        for (int slot = 0; slot < 8; ++slot) {
            clear += go(at, cell(g, slot)) + u"[-]";
            at = cell(g, slot);
        }
    }
    clear += go(at, 0);
    const Text walk = u"[-[->>>>>>>>+<<<<<<<<]>[->>>>>>>>+<<<<<<<<]>>>>>>>]";
    // From s of the home group: mark every multiple, clear the carried prime beyond the numbers, come home.
    const Text mark = u"<<<<<<<->>>[->+>+>+<<<]>>>[-<<<+>>>]<<" + walk + u"<<<[>[-]>>>[-<+>>+<]>[-<+>]<<" + walk
        + u"<<<]>>>>[-]<<<<<[<<<<<<<<]+>>>>>>>";
    const Text perNumber = u"[>[>.>>>>[" + mark + u"-]<<<<<[-]]<>>>>>>>>]";
    Text text = left(499) + plus(rounds) + u"[" + init + perNumber + u"<[<<<<<<<<]" + clear + u"-]";
    std::vector<std::int32_t> printed;
    for (int r = 0; r < rounds; ++r) {
        for (int n = 2; n < numbers; ++n) {
            bool prime = true;
            for (int d = 2; d * d <= n; ++d)
                prime = prime && n % d != 0;
            if (prime)
                printed.push_back(n);
        }
    }
    return {"prime sieve", true, text, printed};
}

// The products a * b for a, b in 1..size by repeated addition, a blank after each and a line feed after each row.
Program table(int size)
{
    // Cells: 0 rows left, 1 a, 2 columns left, 3 b, 4 product, 5 and 6 work, 8 blank, 9 line feed.
    Text text = right(8) + plus(32) + u">" + plus(10) + left(9) + plus(size);
    text += u"[>+>" + plus(size) + u"[>+<<[->>>>+>+<<<<<]>>>>>[-<<<<<+>>>>>]<[-<<[->+>>+<<<]>>>[-<<<+>>>]<]<.[-]>>>>.<<<<<<-]";
    text += u">[-]>>>>>>.<<<<<<<<<-]";
    std::vector<std::int32_t> printed;
    for (int a = 1; a <= size; ++a) {
        for (int b = 1; b <= size; ++b) {
            printed.push_back(a * b);
            printed.push_back(32);
        }
        printed.push_back(10);
    }
    return {"multiplication table", true, text, printed};
}

// A message printed `rounds` times, written as Ook! the way text generators write it (a multiplying
// loop per character) and translated back.
Program fromOok(int rounds)
{
    const std::string message = "Quirlwerk: der Cache liegt bei N 52\xb0 31.234 E 013\xb0 24.567, viel Gl\xfc" "ck!\n";
    Text brainfuck = plus(rounds) + u"[";
    std::vector<std::int32_t> once;
    for (const char c : message) {
        const int value = static_cast<unsigned char>(c);
        once.push_back(value);
        brainfuck += u'>';
        brainfuck += plus(value / 10) + u"[>" + plus(10) + u"<-]>" + plus(value % 10) + u".[-]<<";
    }
    brainfuck += u"-]";
    const Conversion ook = Ook2Brainfuck(BrainfuckToOok(brainfuck));
    std::vector<std::int32_t> printed;
    for (int r = 0; r < rounds; ++r)
        printed.insert(printed.end(), once.begin(), once.end());
    return {"translated from Ook!", true, ook.output, printed};
}

// A long text printed without loops: each character reached from the previous one by a run of "+" or "-".
Program straightText(int length)
{
    const std::string words[] = {"Geocaching ", "Koordinaten ", "Nord ", "Ost ", "R\xe4tsel ", "Dose ", "unter ", "dem ",
        "Stein ", "neben ", "der ", "Br\xfc" "cke. ", "Logbuch ", "Stift ", "mitbringen! ", "\n"};
    std::mt19937 random(11);
    Text text;
    std::vector<std::int32_t> printed;
    int value = 0;
    while (static_cast<int>(printed.size()) < length) {
        for (const char c : words[random() % std::size(words)]) {
            const int next = static_cast<unsigned char>(c);
            text += next >= value ? plus(next - value) : times(u'-', value - next);
            text += u".";
            printed.push_back(next);
            value = next;
        }
    }
    return {"straight-line text", false, text, printed};
}

// Processor time of this thread: on a shared machine the wall clock also counts the other programs.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double seconds(const std::function<BrainfuckRun()>& run, BrainfuckRun& result)
{
    const double start = threadSeconds();
    result = run();
    return threadSeconds() - start;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Text expectedReport(const std::vector<std::int32_t>& printed)
{
    brainfuck::Printout printout;
    for (const std::int32_t value : printed)
        printout.print(value);
    return printout.report();
}

bool sameRun(const BrainfuckRun& a, const BrainfuckRun& b)
{
    return a.result.output == b.result.output && a.result.status == b.result.status && a.steps == b.steps;
}

} // namespace

int main(int argc, char** argv)
{
    // "--quick": small sizes, to check the programs without waiting for the literal reading.
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    const int repeats = quick ? 1 : 5;
    const Program programs[] = {
        quick ? counter(30, 40, 4) : counter(1000, 1400, 7),
        quick ? copyingCounter(3, 10, 40, 5) : copyingCounter(10, 100, 1200, 7),
        quick ? scanningCounter(30, 40, 4) : scanningCounter(1500, 1600, 7),
        bubbleSort(quick ? 20 : 190),
        sieve(quick ? 2 : 2000),
        table(quick ? 10 : 80),
        fromOok(quick ? 3 : 4000),
        straightText(quick ? 2000 : 400'000),
    };
    // "--profile NAME": only the fast interpreter, on the programs whose name holds NAME, for a profiler.
    if (argc > 2 && std::string(argv[1]) == "--profile") {
        for (const Program& program : programs) {
            if (std::string(program.name).find(argv[2]) == std::string::npos)
                continue;
            BrainfuckRun run;
            for (int i = 0; i < 10; ++i)
                std::printf("%-30s %9.3f s\n", program.name, seconds([&] { return runBrainfuck(program.text); }, run));
        }
        return 0;
    }
    bool allGood = true;
    double logRatios = 0;
    int loopPrograms = 0;
    std::printf("%-30s %13s %9s %9s %9s %8s %8s %8s %7s\n", "program", "commands", "fast s", "plain s", "literal s",
                "fast G/s", "plain", "literal", "ratio");
    for (const Program& program : programs) {
        std::vector<double> fastTimes, plainTimes;
        BrainfuckRun fast, plain, literal;
        for (int i = 0; i < repeats; ++i) {
            fastTimes.push_back(seconds([&] { return runBrainfuck(program.text); }, fast));
            plainTimes.push_back(seconds([&] { return InterpretBrainfuckPlain(program.text); }, plain));
        }
        const double literalTime = seconds([&] { return InterpretBrainfuckReference(program.text); }, literal);
        const bool good = fast.result.ok() && fast.result.output == expectedReport(program.printed) && sameRun(fast, plain)
            && sameRun(fast, literal);
        allGood = allGood && good;
        const double commands = static_cast<double>(fast.steps);
        const double ratio = median(plainTimes) / median(fastTimes);
        std::printf("%-30s %13lld %9.3f %9.3f %9.3f %8.2f %8.2f %8.2f %7.1f%s\n", program.name, static_cast<long long>(fast.steps),
                    median(fastTimes), median(plainTimes), literalTime, commands / median(fastTimes) / 1e9,
                    commands / median(plainTimes) / 1e9, commands / literalTime / 1e9, ratio, good ? "" : "  WRONG");
        if (program.loops) {
            logRatios += std::log(ratio);
            ++loopPrograms;
        }
    }
    std::printf("geometric mean of the loop programs' ratios: %.1f\n\n", std::exp(logRatios / loopPrograms));

    const TextView endless[] = {u"+[]", u"+[>+<]", u"+[<+>]", u"+[>++<]", u"+[>+>+<<]", u"+[>[-]+<]", u"+[>>+<<-+]",
        u"+[>+[-]<]", u"+[><]", u"+[<<+>>>+<]", u"+[>[>+<-]<]", u"+[->+<+]", u"+[>+++<<->+]", u"+>+<[>[<]>]",
        u"+[>+>[-]<<]", u"+[>+<>>[-]+<<]", u"+[>->[>+<-]<<]", u"+[>>>>>+<<<<<[-]+]", u"+[>+>+[<]>>[-]<]",
        u"+[>>+<<[>]<[<]>]", u"+[>+>+<<[->>+<<]>>[-<<+>>]<<]", u"+[[->+<]>[-<+>]<]"};
    std::printf("%-16s %9s\n", "endless loop", "seconds");
    for (const TextView program : endless) {
        std::vector<double> times;
        BrainfuckRun run;
        for (int i = 0; i < repeats; ++i)
            times.push_back(seconds([&] { return runBrainfuck(program); }, run));
        const bool good = run.steps == defaultMaxSteps && !run.result.failure && run.result.status != u"OK";
        allGood = allGood && good;
        std::printf("%-16s %9.4f%s\n", std::string(program.begin(), program.end()).c_str(), median(times), good ? "" : "  WRONG");
    }
    return allGood ? 0 : 1;
}
