// quirlwerk-cli convert: one direction button of one mode, stdin as the input field, stdout as the output field.
#include "cli/cli.h"

#include "common/failure.h"
#include "common/utf8.h"
#include "conversions/dispatch.h"
#include "conversions/modes.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>

namespace quirlwerk::cli {
namespace {

// A mode by its name or its number; only the modes with text conversions have names.
const conversions::ModeRow& parseMode(std::string_view argument)
{
    for (const conversions::ModeRow& row : conversions::modeTable) {
        if (!row.cliName.empty()
            && (argument == row.cliName || argument == std::to_string(conversions::modeNumber(row.mode))))
            return row;
    }
    throw UsageError("unbekannter Modus '" + std::string(argument) + "'");
}

// All of stdin, but no more than one byte beyond the bound: enough to know it is too large.
std::string readInput()
{
    std::string bytes;
    constexpr std::size_t piece = 1 << 16;
    while (bytes.size() <= conversions::maxInputSize) {
        const std::size_t had = bytes.size();
        bytes.resize(had + std::min(piece, conversions::maxInputSize + 1 - had));
        std::cin.read(bytes.data() + had, static_cast<std::streamsize>(bytes.size() - had));
        bytes.resize(had + static_cast<std::size_t>(std::cin.gcount()));
        if (!std::cin)
            break;
    }
    return bytes;
}

} // namespace

InputText readInputText()
{
    const std::string bytes = readInput();
    if (const auto refused = conversions::refuseInput(bytes.size(), conversions::InputUnit::Bytes)) {
        printMessage(*refused->failure);
        return {std::nullopt, exitFailed};
    }
    common::Utf8Error error{};
    std::optional<Text> text = common::fromUtf8(bytes, &error);
    if (!text) {
        std::cerr << "quirlwerk-cli: Eingabe ist kein gültiges UTF-8 (Byte " << error.offset << ")\n";
        return {std::nullopt, exitUsage};
    }
    return {std::move(text), exitOk};
}

namespace {

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

ConvertOptions parseOptions(Arguments arguments, bool allowSteps = true)
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
        } else if (option == "--max-steps" && allowSteps) {
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

conversions::MatrixDefinition parseMatrixOptions(Arguments arguments)
{
    return parseOptions(arguments, false).matrix;
}

int runConvert(Arguments arguments)
{
    if (arguments.size() < 2)
        throw UsageError("convert erwartet MODE und RICHTUNG");
    const conversions::ModeRow& mode = parseMode(arguments[0]);
    const std::string_view direction = arguments[1];
    const bool crypt = direction == "crypt";
    if (!crypt && direction != "decrypt")
        throw UsageError("RICHTUNG ist decrypt oder crypt");
    if (crypt && !mode.crypt)
        throw UsageError("Modus " + std::to_string(conversions::modeNumber(mode.mode)) + " hat keine zweite Richtung (crypt)");
    const ConvertOptions options = parseOptions(arguments.subspan(2));

    const InputText read = readInputText();
    if (!read.text)
        return read.exitCode;
    const std::optional<Text>& input = read.text;

    conversions::DispatchContext context;
    context.matrix = [&]() -> const conversions::MatrixDefinition& { return options.matrix; };
    context.maxSteps = options.maxSteps;
    const conversions::Shown shown = crypt ? conversions::runCrypt(mode.mode, withCrLf(*input), context)
                                           : conversions::runDecrypt(mode.mode, withCrLf(*input), context);
    if (shown.failure)
        printMessage(*shown.failure);
    if (shown.keepOutput)
        return exitFailed;
    std::cout << common::toUtf8(shown.text);
    std::cout.flush();
    return shown.ok() ? exitOk : exitFailed;
}

} // namespace quirlwerk::cli
