// Reporting and argument helpers of quirlwerk-cli.
#include "cli/cli.h"

#include "common/utf8.h"

#include <iostream>

namespace quirlwerk::cli {

void printMessage(const common::Message& message)
{
    std::cerr << common::iconName(message.icon) << ": " << common::toUtf8(message.text) << '\n';
}

ConsoleStreams::ConsoleStreams()
    : m_out(1), m_err(2), m_oldOut(std::cout.rdbuf(&m_out)), m_oldErr(std::cerr.rdbuf(&m_err))
{
}

ConsoleStreams::~ConsoleStreams()
{
    std::cout.rdbuf(m_oldOut);
    std::cerr.rdbuf(m_oldErr);
}

int ConsoleStreams::finish(int status)
{
    std::cout.flush();
    if (const auto& failure = m_out.failure())
        printMessage({common::Icon::Critical, u"Die Ausgabe konnte nicht geschrieben werden: " + failure->description()});
    std::cerr.flush();
    return status == exitOk && (m_out.failure() || m_err.failure()) ? exitFailed : status;
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
