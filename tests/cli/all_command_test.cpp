// quirlwerk-cli all: the wiring of stdin, the line format and the exit status; the ranking is the core's.
#include "cli/run_cli.h"

#include <algorithm>
#include <sstream>

using quirlwerk::cli::testing::runCli;

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST(AllCommand, prints_one_line_per_reading_with_breaks_marked_and_cut)
{
    // "A\nB" repeated: 3 characters each, 201 of them as codes; the output line keeps 200 characters.
    std::string codes;
    for (int i = 0; i < 67; ++i)
        codes += "41 0D 0A 42 ";
    const auto run = runCli({"all", "--order", "col"}, codes);
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_FALSE(lines.empty());
    const std::string expected = [] {
        std::string line;
        for (int i = 0; i < 200; ++i)
            line += i % 3 == 0 ? "A" : i % 3 == 1 ? "⏎" : "B";
        return line;
    }();
    EXPECT_TRUE(std::ranges::any_of(lines, [&](const std::string& line) {
        return line.starts_with("ascii decrypt\t") && line.ends_with("\t" + expected);
    })) << run.out;
    for (const std::string& line : lines)
        EXPECT_EQ(std::ranges::count(line, '\t'), 2) << line;
}

TEST(AllCommand, refuses_a_wrong_option_and_invalid_utf8)
{
    EXPECT_EQ(runCli({"all", "--max-steps", "5"}, "x").exitCode, 2);
    EXPECT_EQ(runCli({"all"}, "\xff").exitCode, 2);
}

} // namespace
