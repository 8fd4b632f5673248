// The coordinate scanner on 1 MiB (2^20 characters) of seven kinds of text: what the conversions print,
// German prose, random bytes, text dense with numbers and degree signs, German number words, coordinates
// back to back and one unbroken run of letters. Prints the median wall and processor time of the runs
// per kind and the slowest wall time; the goal is 50 ms per MiB. On a shared machine the processor time
// is the fair figure: the wall time also counts the other programs' turns.
#include "conversions/letter_values.h"
#include "conversions/morse.h"
#include "coordinates/finder.h"
#include "coordinates/formats.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <time.h>

namespace {

using namespace quirlwerk;

constexpr std::size_t mebibyte = 1 << 20;
constexpr int runs = 15;
constexpr double goalMilliseconds = 50;

double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

Text filled(const std::function<Text()>& piece)
{
    Text text;
    while (text.size() < mebibyte)
        text += piece();
    text.resize(mebibyte);
    return text;
}

Text pick(std::mt19937& random, std::initializer_list<const char16_t*> choices)
{
    return *(choices.begin() + random() % choices.size());
}

Text prose(std::mt19937& random)
{
    return pick(random, {u"Der ", u"Cache ", u"liegt ", u"hinter ", u"der ", u"großen ", u"Brücke ", u"am ", u"Ufer. ",
                         u"Zähle ", u"die ", u"Fenster ", u"über ", u"Süden ", u"und ", u"Osten ", u"3 ", u"Stufen, ",
                         u"12.03.2024 ", u"Telefon 030/1234567 ", u"um 12:30 Uhr ", u"Nordwand ", u"elf ", u"acht\r\n"});
}

struct Kind {
    const char* name;
    Text text;
};

std::vector<Kind> kinds()
{
    std::mt19937 random(2026);
    std::vector<Kind> all;
    all.push_back({"converter output", filled([&] {
        Text words;
        for (int i = 0; i < 40; ++i)
            words += prose(random);
        return conversions::TextMorse(words).output + conversions::Buchstabe2Zahl(words).output
            + conversions::MorseText(conversions::TextMorse(words).output).output;
    })});
    all.push_back({"German prose", filled([&] { return prose(random); })});
    all.push_back({"random bytes", filled([&] { return Text(1, static_cast<char16_t>(random() % 256)); })});
    all.push_back({"numbers and degree signs", filled([&] {
        return pick(random, {u"N", u"E", u"S", u"W", u"O", u"°", u"'", u"\"", u" ", u" ", u",", u"-", u"\n", u"52",
                             u"31.123", u"013", u"24.456", u"59", u"7.4", u"99", u"1.5"});
    })});
    all.push_back({"German number words", filled([&] {
        return pick(random, {u"NORD ", u"OST ", u"ZWEIUNDFÜNFZIG ", u"GRAD ", u"EINUNDDREISSIG ", u"PUNKT ", u"EINS ",
                             u"ZWEI ", u"DREI ", u"DREIZEHN ", u"VIERUNDZWANZIG ", u"ACHTZIG ", u"HUNDERT ", u"ELF "});
    })});
    all.push_back({"coordinates back to back", filled([&] {
        const coordinates::Coordinate place{std::uniform_real_distribution<double>(-90, 90)(random),
                                            std::uniform_real_distribution<double>(-180, 180)(random)};
        const auto& row = coordinates::formatTable[random() % 3];
        return coordinates::formatted(place, row.format) + u"\r\n";
    })});
    all.push_back({"one run of letters", filled([&] { return pick(random, {u"NORD", u"SIEBEN", u"A", u"UND", u"ZIG"}); })});
    return all;
}

} // namespace

int main()
{
    std::printf("%-28s %10s %10s %10s %8s\n", "kind (1 MiB)", "median ms", "cpu ms", "slowest", "finds");
    bool met = true;
    for (const Kind& kind : kinds()) {
        std::vector<double> times, cpuTimes;
        std::size_t finds = 0;
        for (int run = 0; run < runs; ++run) {
            const double cpuStart = cpuMilliseconds();
            const auto start = std::chrono::steady_clock::now();
            finds = coordinates::findCoordinates(kind.text).size();
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            cpuTimes.push_back(cpuMilliseconds() - cpuStart);
        }
        std::sort(times.begin(), times.end());
        std::sort(cpuTimes.begin(), cpuTimes.end());
        const double median = times[times.size() / 2], cpuMedian = cpuTimes[cpuTimes.size() / 2];
        met = met && std::min(median, cpuMedian) <= goalMilliseconds;
        std::printf("%-28s %10.2f %10.2f %10.2f %8zu\n", kind.name, median, cpuMedian, times.back(), finds);
    }
    std::printf("goal %.0f ms per MiB: %s\n", goalMilliseconds, met ? "met" : "MISSED");
    return met ? 0 : 1;
}
