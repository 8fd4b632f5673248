// The report of a Brainfuck run, and the results for a complete, a bounded and a failed run.
#include "conversions/brainfuck_output.h"

#include "common/failure.h"
#include "common/windows1252.h"

namespace quirlwerk::conversions::brainfuck {

void Printout::print(std::int32_t value)
{
    if (m_values == maxPrintedValues)
        throw OutputLimitReached{};
    ++m_values;
    if (!m_decimals.empty())
        m_decimals += u' ';
    m_decimals += decimal(value);
    if (value == '\n')
        m_printed += crlf;
    else if (value == '\r' || (value >= ' ' && value <= 255))
        m_printed += common::fromWindows1252(static_cast<std::uint8_t>(value));
}

Text Printout::report() const
{
    return u"Ausgabe als Dezimalzahlen: " + Text(crlf) + m_decimals + Text(crlf) + Text(crlf)
        + u"Ausgabe als Text: " + Text(crlf) + m_printed;
}

bool isCommand(char16_t c)
{
    switch (c) {
    case u'+': case u'-': case u'<': case u'>': case u'[': case u']': case u'.':
        return true;
    default:
        return false;
    }
}

Conversion completed(const Printout& printout)
{
    Conversion result;
    result.output = printout.report();
    return result;
}

Conversion stoppedAtBound(const Printout& printout, std::int64_t maxSteps)
{
    Conversion result;
    result.output = printout.report();
    result.status = u"Fehler aufgetreten: Abbruch nach " + decimal(maxSteps) + u" Schritten (Endlosschleife?)";
    return result;
}

Conversion stoppedAtOutputLimit(const Printout& printout)
{
    Conversion result;
    result.output = printout.report();
    result.status = u"Fehler aufgetreten: Abbruch nach " + decimal(maxPrintedValues) + u" ausgegebenen Werten (Endlosschleife?)";
    return result;
}

Conversion failedRun(const std::exception& failure)
{
    return failed(u"InterpretBrainfuck", failure, u"Fehler aufgetreten: " + common::describe(failure));
}

} // namespace quirlwerk::conversions::brainfuck
