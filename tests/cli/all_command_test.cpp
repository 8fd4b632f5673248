// quirlwerk-cli all: the wiring of stdin, the line format and the exit status; the ranking is the core's.
#include "cli/run_cli.h"

#include <algorithm>

using quirlwerk::cli::testing::runCli;

// "A\nB" as codes, 201 characters; the output line keeps 200 of them.
TEST(AllCommand, prints_one_line_per_reading_with_breaks_marked_and_cut)
{
    std::string codes, expected;
    for (int i = 0; i < 67; ++i)
        codes += "41 0D 0A 42 ";
    for (int i = 0; i < 200; ++i)
        expected += i % 3 == 0 ? "A" : i % 3 == 1 ? "⏎" : "B";
    const auto run = runCli({"all", "--order", "col"}, codes);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("ascii decrypt\t"), std::string::npos);
    EXPECT_NE(run.out.find("\t" + expected + "\n"), std::string::npos) << run.out;
    EXPECT_EQ(std::ranges::count(run.out, '\t'), 2 * std::ranges::count(run.out, '\n'));
    EXPECT_EQ(runCli({"all", "--max-steps", "5"}, "x").exitCode, 2);   // a wrong option
    EXPECT_EQ(runCli({"all"}, "\xff").exitCode, 2);
}
