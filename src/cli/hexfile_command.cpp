// quirlwerk-cli hexfile: the hex file conversion with its boxes on stderr and its label on stdout.
#include "cli/cli.h"

#include "common/utf8.h"
#include "hexfile/hex_file.h"

#include <iostream>
#include <vector>

namespace quirlwerk::cli {

int runHexfile(Arguments arguments)
{
    bool yes = false;
    std::vector<std::string_view> names;
    for (const std::string_view argument : arguments) {
        if (argument == "--yes")
            yes = true;
        else if (argument.starts_with("--"))
            throw UsageError("unbekannte Option '" + std::string(argument) + "'");
        else
            names.push_back(argument);
    }
    if (names.size() != 2)
        throw UsageError("hexfile erwartet EINGABE und AUSGABE");
    const Text input = argumentText(names[0], "EINGABE");
    const Text output = argumentText(names[1], "AUSGABE");

    StderrReporter reporter(yes);
    const hexfile::HexFileResult result = hexfile::ConvertHexFile(input, output, reporter);
    if (result.label)
        std::cout << common::toUtf8(*result.label) << '\n';
    return result.finished ? exitOk : exitFailed;
}

} // namespace quirlwerk::cli
