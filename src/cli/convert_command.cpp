// quirlwerk-cli convert: one direction button of one mode, stdin as the input field, stdout as the output field.
#include "cli/cli.h"

#include "common/failure.h"
#include "common/utf8.h"
#include "conversions/dispatch.h"

#include <charconv>
#include <iostream>
#include <iterator>
#include <optional>

namespace quirlwerk::cli {
namespace {

struct ModeName {
    std::string_view name;
    int mode;
};

constexpr ModeName modeNames[] = {
    {"geocode", 1}, {"ascii", 2}, {"ook", 3}, {"brainfuck", 4}, {"wordlengths", 6},
    {"bits", 7}, {"matrix", 8}, {"morse", 9}, {"letters", 10},
};

int parseMode(std::string_view argument)
{
    for (const ModeName& entry : modeNames) {
        if (argument == entry.name || argument == std::to_string(entry.mode))
            return entry.mode;
    }
    throw UsageError("unbekannter Modus '" + std::string(argument) + "'");
}

std::int64_t parseSteps(std::string_view argument)
{
    std::int64_t steps = 0;
    const auto [end, error] = std::from_chars(argument.data(), argument.data() + argument.size(), steps);
    if (error != std::errc() || end != argument.data() + argument.size() || steps < 1)
        throw UsageError("--max-steps erwartet eine ganze Zahl ab 1");
    return steps;
}

// A count box takes at most two characters, like the window's.
Text countText(std::string_view argument, std::string_view option)
{
    Text text = argumentText(argument, option);
    if (text.size() > 2)
        throw UsageError(std::string(option) + ": höchstens 2 Zeichen");
    return text;
}

struct ConvertOptions {
    conversions::MatrixDefinition matrix;
    std::int64_t maxSteps = conversions::defaultMaxSteps;
};

ConvertOptions parseOptions(Arguments arguments)
{
    ConvertOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (i + 1 >= arguments.size())
            throw UsageError("unbekannte Option oder Wert fehlt: '" + std::string(option) + "'");
        const std::string_view value = arguments[++i];
        if (option == "--rows") {
            options.matrix.rowsText = countText(value, option);
        } else if (option == "--cols") {
            options.matrix.columnsText = countText(value, option);
        } else if (option == "--sequence") {
            options.matrix.sequence = argumentText(value, option);
        } else if (option == "--order") {
            if (value != "row" && value != "col")
                throw UsageError("--order erwartet row oder col");
            options.matrix.order = value == "row" ? conversions::ReadingOrder::RowColumn
                                                  : conversions::ReadingOrder::ColumnRow;
        } else if (option == "--max-steps") {
            options.maxSteps = parseSteps(value);
        } else {
            throw UsageError("unbekannte Option '" + std::string(option) + "'");
        }
    }
    try {
        if (const auto refused = options.matrix.FillMatrixGrid())
            throw UsageError(common::toUtf8(conversions::refusedMessage(*refused)));
    } catch (const common::Failure& failure) {
        throw UsageError(common::toUtf8(failure.description()));
    }
    return options;
}

} // namespace

int runConvert(Arguments arguments)
{
    if (arguments.size() < 2)
        throw UsageError("convert erwartet MODE und RICHTUNG");
    const int mode = parseMode(arguments[0]);
    const std::string_view direction = arguments[1];
    const bool crypt = direction == "crypt";
    if (!crypt && direction != "decrypt")
        throw UsageError("RICHTUNG ist decrypt oder crypt");
    if (crypt && !conversions::hasCrypt(mode))
        throw UsageError("Modus " + std::to_string(mode) + " hat keine zweite Richtung (crypt)");
    const ConvertOptions options = parseOptions(arguments.subspan(2));

    const std::string bytes(std::istreambuf_iterator<char>(std::cin), {});
    common::Utf8Error error{};
    std::optional<Text> input = common::fromUtf8(bytes, &error);
    if (!input) {
        std::cerr << "quirlwerk-cli: Eingabe ist kein gültiges UTF-8 (Byte " << error.offset << ")\n";
        return exitUsage;
    }

    conversions::DispatchContext context;
    context.matrix = [&]() -> const conversions::MatrixDefinition& { return options.matrix; };
    context.maxSteps = options.maxSteps;
    const conversions::Shown shown = crypt ? conversions::runCrypt(mode, withCrLf(*input), context)
                                           : conversions::runDecrypt(mode, withCrLf(*input), context);
    if (shown.failure)
        printMessage(*shown.failure);
    if (shown.keepOutput)
        return exitFailed;
    std::cout << common::toUtf8(shown.text);
    std::cout.flush();
    return shown.ok() ? exitOk : exitFailed;
}

} // namespace quirlwerk::cli
