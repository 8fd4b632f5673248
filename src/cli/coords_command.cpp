// quirlwerk-cli coords: the coordinates found in stdin, one line each, in the order found.
#include "cli/cli.h"

#include "common/utf8.h"
#include "conversions/dispatch.h"
#include "coordinates/finder.h"
#include "coordinates/formats.h"

#include <iostream>
#include <optional>

namespace quirlwerk::cli {
namespace {

coordinates::Format parseFormat(Arguments arguments)
{
    if (arguments.empty())
        return coordinates::Format::Standard;
    if (arguments.size() == 2 && arguments[0] == "--format") {
        for (const coordinates::FormatRow& row : coordinates::formatTable) {
            if (arguments[1] == row.cliName)
                return row.format;
        }
        throw UsageError("--format erwartet dmm, dd, dms oder utm");
    }
    throw UsageError("coords erwartet nur --format dmm|dd|dms|utm");
}

// The text matched on one line: line breaks and tabs show as one blank, so the columns stay apart.
Text oneLine(TextView matched)
{
    Text line;
    for (std::size_t i = 0; i < matched.size(); ++i) {
        const char16_t c = matched[i];
        if (c == u'\r' && i + 1 < matched.size() && matched[i + 1] == u'\n')
            continue;
        line += c == u'\r' || c == u'\n' || c == u'\t' ? u' ' : c;
    }
    return line;
}

} // namespace

int runCoords(Arguments arguments)
{
    const coordinates::Format format = parseFormat(arguments);
    const InputText read = readInputText();
    if (!read.text)
        return read.exitCode;
    const std::optional<Text>& input = read.text;
    const std::vector<coordinates::Find> finds = coordinates::findCoordinates(*input);
    if (finds.empty()) {
        std::cerr << "quirlwerk-cli: Keine Koordinaten gefunden.\n";
        return exitFailed;
    }
    for (const coordinates::Find& find : finds) {
        std::cout << coordinates::decimalPair(find.position) << '\t'
                  << common::toUtf8(coordinates::formatted(find.position, format)) << '\t'
                  << common::toUtf8(oneLine(TextView(*input).substr(find.begin, find.end - find.begin))) << '\n';
    }
    std::cout.flush();
    return exitOk;
}

} // namespace quirlwerk::cli
