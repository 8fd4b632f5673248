// quirlwerk-cli all: every reading of stdin, best first, one line each.
#include "cli/cli.h"

#include "common/utf8.h"
#include "conversions/dispatch.h"
#include "readings/readings.h"

#include <cstdio>
#include <iostream>
#include <optional>

namespace quirlwerk::cli {
namespace {

constexpr std::size_t shownCharacters = 200;

// Line breaks as "⏎", cut after 200 characters (code points, so that no character is split).
std::string oneLine(TextView text)
{
    Text line;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size() && characters < shownCharacters; ++i, ++characters) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        if (c == u'\r' || c == u'\n') {
            line += u'⏎';
            continue;
        }
        line += c;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            line += text[++i];
    }
    return common::toUtf8(line);
}

std::string scoreText(double score)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", score);
    return buffer;
}

} // namespace

int runAll(Arguments arguments)
{
    readings::Options options;
    options.matrix = parseMatrixOptions(arguments);
    const InputText read = readInputText();
    if (!read.text)
        return read.exitCode;
    const std::optional<Text>& input = read.text;
    const std::vector<readings::Reading> all = readings::allReadings(withCrLf(*input), options).value();
    for (const readings::Reading& reading : all) {
        // A reading stopped by its bound says so before what it got.
        const Text shown = reading.partial ? reading.status + u"\n" + reading.gist
                                           : reading.gist;
        std::cout << readings::readingName(reading) << '\t' << scoreText(reading.score) << '\t' << oneLine(shown) << '\n';
    }
    std::cout.flush();
    return exitOk;
}

} // namespace quirlwerk::cli
