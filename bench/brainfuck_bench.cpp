// The Brainfuck interpreter on programs people write, in our style and in others (compiled from a small
// language, textbook routines), against a plain switch interpreter in C (built with -O2), our own plain
// interpreter and the literal reading; then endless loops timed to the step bound. Every program's output
// is checked against the expected one, and all interpreters must agree on output, status and command
// count. Times include the translation. "--shapes" tells where each program spends its commands.
#include "conversions/brainfuck.h"
#include "conversions/brainfuck_output.h"
#include "conversions/ook.h"
#include "brainfuck_plain.h"
#include "brainfuck_switch.h"
#include "common/failure.h"
#include "conversions/brainfuck_ops.h"
#include "support/brainfuck_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
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

// A small compiler of the usual kind, for programs in a style that is not ours: every variable has a cell,
// temporaries follow the variables; a copy goes through a temporary, a clear is "[-]", and the pointer
// moves back and forth between the variables as the statements name them.
class Compiler {
public:
    explicit Compiler(int variables) : m_free(variables) {}

    Text code;

    void go(int cell)
    {
        code += ::go(m_at, cell);
        m_at = cell;
    }
    void clear(int x) { go(x), code += u"[-]"; }
    void set(int x, int value) { clear(x), code += plus(value); }
    void change(int x, int amount) { go(x), code += amount >= 0 ? plus(amount) : times(u'-', -amount); }
    void print(int x) { go(x), code += u"."; }
    // x added to every target with its sign; x becomes 0.
    void moveInto(int x, std::initializer_list<std::pair<int, int>> targets)
    {
        go(x), code += u"[-";
        for (const auto& [target, sign] : targets)
            change(target, sign);
        go(x), code += u"]";
    }
    void copy(int from, int to)
    {
        const int t = m_free++;
        clear(to), clear(t);
        moveInto(from, {{to, 1}, {t, 1}});
        moveInto(t, {{from, 1}});
        --m_free;
    }
    // x += sign * y
    void add(int x, int y, int sign = 1)
    {
        const int t = m_free++;
        clear(t);
        moveInto(y, {{x, sign}, {t, 1}});
        moveInto(t, {{y, 1}});
        --m_free;
    }
    void loopWhile(int x, const std::function<void()>& body)
    {
        go(x), code += u"[";
        body();
        go(x), code += u"]";
    }
    void ifNonZero(int x, const std::function<void()>& body)
    {
        const int t = m_free++;
        copy(x, t);
        go(t), code += u"[";
        body();
        clear(t), code += u"]";
        --m_free;
    }
    // flag = (x >= y) for x, y of 0 or more: both counted down together.
    void atLeast(int flag, int x, int y)
    {
        const int a = m_free++, b = m_free++, e = m_free++;
        copy(x, a), copy(y, b), set(flag, 1);
        loopWhile(b, [&] {
            set(e, 1);
            ifNonZero(a, [&] { change(a, -1), clear(e); });
            ifNonZero(e, [&] { clear(flag); });
            change(b, -1);
        });
        clear(a), clear(e);
        m_free -= 3;
    }

private:
    int m_at = 0;
    int m_free;
};

// Compiled: the primes below `limit` by trial division, the remainder by repeated subtraction.
Program compiledPrimes(int limit)
{
    enum { n, count, d, prime, diff, r, ge, notR, variables };
    Compiler c(variables);
    c.set(n, 2), c.set(count, limit - 2);
    c.loopWhile(count, [&] {
        c.set(d, 2), c.set(prime, 1);
        c.copy(n, diff), c.add(diff, d, -1);
        c.loopWhile(diff, [&] {
            c.copy(n, r), c.atLeast(ge, r, d);
            c.loopWhile(ge, [&] { c.add(r, d, -1), c.atLeast(ge, r, d); });
            c.set(notR, 1);
            c.ifNonZero(r, [&] { c.clear(notR); });
            c.ifNonZero(notR, [&] { c.clear(prime); });
            c.change(d, 1), c.copy(n, diff), c.add(diff, d, -1);
        });
        c.ifNonZero(prime, [&] { c.print(n); });
        c.change(n, 1), c.change(count, -1);
    });
    std::vector<std::int32_t> printed;
    for (int i = 2; i < limit; ++i) {
        bool isPrime = true;
        for (int k = 2; k < i; ++k)
            isPrime = isPrime && i % k != 0;
        if (isPrime)
            printed.push_back(i);
    }
    return {"compiled: primes by trial division", true, c.code, printed};
}

// Compiled: the sums of the first squares, each square by repeated addition.
Program compiledSquares(int count)
{
    enum { i, left, square, sum, t, variables };
    Compiler c(variables);
    c.set(left, count);
    c.loopWhile(left, [&] {
        c.change(i, 1), c.clear(square), c.copy(i, t);
        c.loopWhile(t, [&] { c.add(square, i), c.change(t, -1); });
        c.add(sum, square), c.print(sum), c.change(left, -1);
    });
    std::vector<std::int32_t> printed;
    std::int32_t total = 0;
    for (int k = 1; k <= count; ++k)
        printed.push_back(total += k * k);
    return {"compiled: sums of squares", true, c.code, printed};
}

// Textbook: the numbers from `count` down to 1 in decimal, least significant digit first, each digit split
// off by the divmod of the pointer trick ("n d 0 0 0 0" becomes "0 d-n%d n%d n/d").
Program divmodDigits(int count)
{
    // Cells: 0 the count, 1 a temporary, 2 n, 3 d, 4 n % d, 5 n / d, 6 to 8 the trick's room.
    Text text = plus(count) + u"[[->+>+<<]>[-<+>]>[>" + plus(10) + u"<[->-[>+>>]>[+[-<+>]>+>>]<<<<<]>>" + plus(48)
        + u".[-]<[-]>>[-<<<+>>>]<<<]<<-]";
    std::vector<std::int32_t> printed;
    for (int k = count; k >= 1; --k) {
        for (int v = k; v > 0; v /= 10)
            printed.push_back('0' + v % 10);
    }
    return {"textbook: digits by divmod", true, text, printed};
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

// The C yardstick's run as the product reports it.
BrainfuckRun switchRun(const Text& program, std::int64_t maxSteps = defaultMaxSteps)
{
    const std::string commands(program.begin(), program.end());
    const bf_switch_run run = bf_switch_interpret(commands.data(), commands.size(), maxSteps);
    brainfuck::Printout printout;
    for (long long i = 0; i < run.count; ++i)
        printout.print(run.printed[i]);
    std::free(run.printed);
    BrainfuckRun result{brainfuck::completed(printout), run.steps};
    if (run.end == bf_switch_bound)
        result.result = brainfuck::stoppedAtBound(printout, maxSteps);
    else if (run.end == bf_switch_printed_enough)
        result.result = brainfuck::stoppedAtOutputLimit(printout);
    else if (run.end != bf_switch_done)
        result.result = brainfuck::failedRun(run.end == bf_switch_overflow ? common::Failure::overflow() : common::Failure::indexOutOfRange());
    return result;
}

// Where a program spends its commands, by the shape the translation gives the innermost loop around each
// one ("straight" outside every loop): the shapes that run unfolded (Open, OpenWatch) are the ones to
// fold next. Well-formed programs only.
void printShapes(const Program& program)
{
    static const char* const names[] = {"Add", "Move", "Print", "Block", "BlockPrints", "Open", "OpenLinear", "OpenScan",
        "OpenWatch", "OpenTooDeep", "Close", "CloseWatch", "CloseUnmatched", "BlockOne", "BlockTwo", "OpenClear",
        "OpenTransfer", "OpenBlockLoop", "OpenIf", "End"};
    // The k-th loop of the text is the k-th opening operation.
    std::vector<brainfuck::OpKind> shapes;
    const std::vector<std::uint32_t> ops = brainfuck::translate(program.text);
    for (std::size_t pc = 0; pc < ops.size();) {
        const brainfuck::OpKind kind = brainfuck::kindOf(ops[pc]);
        const bool opens = kind == brainfuck::Open || (kind >= brainfuck::OpenLinear && kind <= brainfuck::OpenTooDeep)
            || kind >= brainfuck::OpenClear;
        if (opens && kind != brainfuck::End)
            shapes.push_back(kind);
        const bool block = kind == brainfuck::Block || kind == brainfuck::BlockPrints || kind == brainfuck::BlockOne || kind == brainfuck::BlockTwo;
        pc += block ? brainfuck::blockHeaderWords + static_cast<std::size_t>(brainfuck::blockItems(ops[pc]))
            : opens || kind == brainfuck::Close || kind == brainfuck::CloseWatch ? 2 : 1;
    }
    // A plain walk over the text, each command counted for the innermost loop around it.
    std::string code;
    std::vector<int> loopOf; // per command: the index of its innermost loop, -1 for none
    std::vector<int> open, partner;
    int loops = 0;
    for (const char16_t c : program.text) {
        if (!brainfuck::isCommand(c))
            continue;
        if (c == u'[')
            open.push_back(loops++);
        loopOf.push_back(open.empty() ? -1 : open.back());
        if (c == u']')
            open.pop_back();
        code += static_cast<char>(c);
    }
    partner.assign(code.size(), -1);
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '[')
            open.push_back(static_cast<int>(i));
        else if (code[i] == ']')
            partner[i] = open.back(), partner[static_cast<std::size_t>(open.back())] = static_cast<int>(i), open.pop_back();
    }
    std::map<std::string, long long> steps;
    std::array<std::int64_t, 1000> tape{};
    std::size_t pointer = 499;
    long long total = 0;
    for (std::size_t pc = 0; pc < code.size(); ++pc, ++total) {
        steps[loopOf[pc] < 0 ? "straight" : names[shapes[static_cast<std::size_t>(loopOf[pc])]]]++;
        switch (code[pc]) {
        case '+': ++tape[pointer]; break;
        case '-': --tape[pointer]; break;
        case '>': ++pointer; break;
        case '<': --pointer; break;
        case '[': pc = tape[pointer] > 0 ? pc : static_cast<std::size_t>(partner[pc]); break;
        case ']': pc = tape[pointer] > 0 ? static_cast<std::size_t>(partner[pc]) : pc; break;
        }
    }
    std::printf("%s: %lld commands\n", program.name, total);
    for (const auto& [shape, count] : steps)
        std::printf("  %-14s %5.1f %%\n", shape.c_str(), 100.0 * static_cast<double>(count) / static_cast<double>(total));
}

} // namespace

int main(int argc, char** argv)
{
    // "--quick": small sizes, to check the programs without waiting for the literal reading.
    // "--shapes" looks at the small sizes too: its walk is slower than the literal reading.
    const bool quick = argc > 1 && (std::string(argv[1]) == "--quick" || std::string(argv[1]) == "--shapes");
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
        compiledPrimes(quick ? 40 : 100),
        compiledSquares(quick ? 20 : 200),
        divmodDigits(quick ? 300 : 3000),
    };
    // "--shapes": where each program spends its commands, by loop shape.
    if (argc > 1 && std::string(argv[1]) == "--shapes") {
        for (const Program& program : programs)
            printShapes(program);
        return 0;
    }
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
    double logSwitchRatios = 0;
    int loopPrograms = 0;
    // "ratio": against our plain interpreter; "C ratio": against the plain C switch interpreter.
    std::printf("%-36s %11s %7s %7s %7s %9s %8s %8s %8s %6s %7s\n", "program", "commands", "fast s", "C s", "plain s", "literal s",
                "fast G/s", "plain", "literal", "ratio", "C ratio");
    for (const Program& program : programs) {
        std::vector<double> fastTimes, plainTimes, switchTimes;
        BrainfuckRun fast, plain, literal, yardstick;
        // Alternating, so that the machine's other load falls on all three alike.
        for (int i = 0; i < repeats; ++i) {
            fastTimes.push_back(seconds([&] { return runBrainfuck(program.text); }, fast));
            switchTimes.push_back(seconds([&] { return switchRun(program.text); }, yardstick));
            plainTimes.push_back(seconds([&] { return InterpretBrainfuckPlain(program.text); }, plain));
        }
        const double literalTime = seconds([&] { return InterpretBrainfuckReference(program.text); }, literal);
        const bool good = fast.result.ok() && fast.result.output == expectedReport(program.printed) && sameRun(fast, plain)
            && sameRun(fast, literal) && sameRun(fast, yardstick);
        allGood = allGood && good;
        const double commands = static_cast<double>(fast.steps);
        const double ratio = median(plainTimes) / median(fastTimes);
        const double switchRatio = median(switchTimes) / median(fastTimes);
        std::printf("%-36s %11lld %7.3f %7.3f %7.3f %9.3f %8.2f %8.2f %8.2f %6.1f %7.1f%s\n", program.name,
                    static_cast<long long>(fast.steps), median(fastTimes), median(switchTimes), median(plainTimes), literalTime,
                    commands / median(fastTimes) / 1e9, commands / median(plainTimes) / 1e9, commands / literalTime / 1e9, ratio,
                    switchRatio, good ? "" : "  WRONG");
        if (program.loops) {
            logRatios += std::log(ratio);
            logSwitchRatios += std::log(switchRatio);
            ++loopPrograms;
        }
    }
    std::printf("geometric mean of the loop programs' ratios: %.1f against our plain interpreter, %.1f against the C switch\n\n",
                std::exp(logRatios / loopPrograms), std::exp(logSwitchRatios / loopPrograms));

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
