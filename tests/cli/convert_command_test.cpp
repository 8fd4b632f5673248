// quirlwerk-cli convert end to end: exit codes, line breaks, invalid input.
#include "cli/run_cli.h"

using quirlwerk::cli::testing::runCli;

TEST(ConvertCommand, geocode_prints_the_output_field_and_succeeds)
{
    const auto run = runCli({"convert", "geocode", "decrypt"}, "Hallo Welt!");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Unyyb Jryg!");
    EXPECT_EQ(run.err, "");
}

TEST(ConvertCommand, modes_by_number_and_name_agree)
{
    EXPECT_EQ(runCli({"convert", "1", "decrypt"}, "abc").out, runCli({"convert", "geocode", "decrypt"}, "abc").out);
}

TEST(ConvertCommand, lone_line_feeds_become_cr_lf_and_umlauts_survive)
{
    const auto run = runCli({"convert", "geocode", "decrypt"}, "Grüße\nab\r\ncd\r");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Teüßr\r\nno\r\npq\r");
}

TEST(ConvertCommand, usage_errors_exit_with_2)
{
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
    };
    const Row rows[] = {
        {"no subcommand", {}},
        {"unknown subcommand", {"shuffle"}},
        {"missing direction", {"convert", "geocode"}},
        {"unknown mode", {"convert", "rot47", "decrypt"}},
        {"mode 5 has no text conversion", {"convert", "5", "decrypt"}},
        {"direction the mode lacks", {"convert", "geocode", "crypt"}},
        {"unknown direction", {"convert", "geocode", "sideways"}},
        {"unknown option", {"convert", "matrix", "decrypt", "--colour", "x"}},
        {"option without value", {"convert", "matrix", "decrypt", "--rows"}},
        {"rows the window refuses", {"convert", "matrix", "decrypt", "--rows", "0"}},
        {"columns the window refuses", {"convert", "matrix", "decrypt", "--cols", "x"}},
        {"three characters in a count box", {"convert", "matrix", "decrypt", "--rows", "100"}},
        {"bad order", {"convert", "matrix", "decrypt", "--order", "diagonal"}},
        {"bad step bound", {"convert", "brainfuck", "decrypt", "--max-steps", "0"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments, "x");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

TEST(ConvertCommand, refused_count_names_the_windows_range)
{
    const auto run = runCli({"convert", "matrix", "crypt", "--cols", "0"}, "A");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Spalten muss zwischen 1 und 99"), std::string::npos) << run.err;
}

TEST(ConvertCommand, invalid_utf8_input_is_refused_cleanly)
{
    const auto run = runCli({"convert", "geocode", "decrypt"}, "ab\xC3(");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("UTF-8"), std::string::npos);
}

TEST(ConvertCommand, help_prints_usage)
{
    const auto run = runCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("quirlwerk-cli convert MODE"), std::string::npos);
}
