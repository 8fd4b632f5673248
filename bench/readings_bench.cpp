// Every reading of a 10 kB input, on inputs of the shapes people paste: prose, a Brainfuck program, Ook!,
// hex codes, Morse, letter values, random bytes and an endless program. Medians of nine runs, against the
// goal of 300 ms; wall time and the thread's processor time, as the machine may be shared.
#include "conversions/ascii.h"
#include "conversions/morse.h"
#include "conversions/ook.h"
#include "readings/readings.h"
#include "support/puzzles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include <time.h>

namespace {

using namespace quirlwerk;

constexpr std::size_t inputSize = 10 * 1024;
constexpr int runs = 9;
constexpr double goalMilliseconds = 300;

Text prose(std::mt19937& random, std::size_t size)
{
    static const TextView words[] = {u"Der", u"Cache", u"liegt", u"unter", u"der", u"alten", u"Brücke,", u"nahe",
                                     u"am", u"Bach.", u"The", u"final", u"is", u"north", u"of", u"the", u"church",
                                     u"Zählt", u"die", u"Fenster", u"und", u"addiert", u"12", u"Stufen!"};
    Text text;
    while (text.size() < size) {
        text += words[random() % std::size(words)];
        text += random() % 12 == 0 ? u"\r\n" : u" ";
    }
    return text.substr(0, size);
}

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

Text cut(Text text)
{
    return text.substr(0, std::min(text.size(), inputSize));
}

} // namespace

int main()
{
    std::mt19937 random(2026);
    const Text text = prose(random, inputSize);
    Text bytes;
    for (std::size_t i = 0; i < inputSize; ++i)
        bytes += static_cast<char16_t>(random() % 256);
    // Letter values are summed per line: one long line gives one long line of numbers.
    Text oneLine = prose(random, inputSize / 2);
    std::ranges::replace(oneLine, u'\r', u' ');
    std::ranges::replace(oneLine, u'\n', u' ');
    const struct {
        const char* name;
        Text input;
    } inputs[] = {
        {"prose", text},
        {"Brainfuck program", cut(testing::printingProgram(text))},
        {"Ook!", cut(conversions::BrainfuckToOok(testing::printingProgram(text)))},
        {"hex codes", cut(conversions::textToCodes(text))},
        {"Morse", cut(conversions::TextMorse(text).output)},
        {"letter values", cut(testing::letterNumbers(oneLine))},
        {"random bytes", bytes},
        {"endless Brainfuck", u"+[." + text.substr(0, inputSize - 4) + u"]"},
    };
    std::printf("%-20s %9s %9s %9s %9s %9s\n", "input (10 kB)", "median", "fastest", "slowest", "cpu median",
                "readings");
    bool met = true;
    for (const auto& [name, input] : inputs) {
        std::vector<double> times;
        std::vector<double> cpu;
        std::size_t count = 0;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = threadMilliseconds();
            count = readings::allReadings(input, {}).value().size();
            cpu.push_back(threadMilliseconds() - cpuStart);
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::ranges::sort(times);
        std::ranges::sort(cpu);
        const double median = times[runs / 2];
        met = met && median <= goalMilliseconds;
        std::printf("%-20s %6.1f ms %6.1f ms %6.1f ms %7.1f ms %9zu\n", name, median, times.front(), times.back(),
                    cpu[runs / 2], count);
    }
    std::printf("goal %.0f ms per input: %s\n", goalMilliseconds, met ? "met" : "MISSED");
    return 0;
}
