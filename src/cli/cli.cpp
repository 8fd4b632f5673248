// Reporting and argument helpers of quirlwerk-cli.
#include "cli/cli.h"

#include "common/utf8.h"

#include <iostream>

namespace quirlwerk::cli {

void printMessage(const common::Message& message)
{
    std::cerr << common::iconName(message.icon) << ": " << common::toUtf8(message.text) << '\n';
}

void StderrReporter::show(const common::Message& message)
{
    printMessage(message);
}

bool StderrReporter::askYesNo(const common::Message& question)
{
    printMessage(question);
    std::cerr << (m_answerYes ? "-> Ja\n" : "-> Nein\n");
    return m_answerYes;
}

Text argumentText(std::string_view argument, std::string_view what)
{
    if (auto text = common::fromUtf8(argument))
        return *std::move(text);
    throw UsageError(std::string(what) + ": kein gültiges UTF-8");
}

} // namespace quirlwerk::cli
