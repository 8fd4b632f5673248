// A program that prints without end stops at the printed values' bound, in both interpreters alike.
#include "conversions/brainfuck.h"
#include "support/brainfuck_reference.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

TEST(InterpretBrainfuck, endless_printing_stops_at_a_million_values_with_the_report_so_far)
{
    const BrainfuckRun fast = runBrainfuck(u"+[.]");
    EXPECT_EQ(fast.result.status, u"Fehler aufgetreten: Abbruch nach 1000000 ausgegebenen Werten (Endlosschleife?)");
    EXPECT_FALSE(fast.result.failure);
    const Text& report = fast.result.output;
    EXPECT_TRUE(report.starts_with(u"Ausgabe als Dezimalzahlen: \r\n1 1 1"));
    EXPECT_TRUE(report.ends_with(u"1\r\n\r\nAusgabe als Text: \r\n"));
    EXPECT_EQ(std::count(report.begin(), report.end(), u'1'), 1'000'000);

    const BrainfuckRun literal = InterpretBrainfuckReference(u"+[.]");
    EXPECT_EQ(literal.result.output, fast.result.output);
    EXPECT_EQ(literal.result.status, fast.result.status);
    EXPECT_EQ(literal.steps, fast.steps);
}

TEST(InterpretBrainfuck, the_step_bound_still_comes_first_when_it_is_lower)
{
    const Conversion result = InterpretBrainfuck(u"+[.]", 100);
    EXPECT_EQ(result.status, u"Fehler aufgetreten: Abbruch nach 100 Schritten (Endlosschleife?)");
}
