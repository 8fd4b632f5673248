// quirlwerk-cli convert end to end: exit codes, stdin and stdout, line breaks, usage errors, invalid input.
#include "cli/run_cli.h"

#include "common/text.h"
#include "common/utf8.h"
#include "conversions/modes.h"

using namespace quirlwerk;
using quirlwerk::cli::testing::runCli;

namespace {

struct ConvertRow {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    int exitCode;
    std::string out;
    std::string err = "";
};

const ConvertRow rows[] = {
    {"lone line feeds become CR LF, umlauts survive", {"convert", "1", "decrypt"}, "Grüße\nab\r\ncd\r", 0,
     "Teüßr\r\nno\r\npq\r"},
    {"brainfuck endless loop stops at the bound", {"convert", "brainfuck", "decrypt"}, "+[]", 1,
     "Fehler aufgetreten: Abbruch nach 1000000000 Schritten (Endlosschleife?)\r\n"
     "Ausgabe als Dezimalzahlen: \r\n\r\n\r\nAusgabe als Text: \r\n"},
    {"brainfuck bound from the command line", {"convert", "brainfuck", "decrypt", "--max-steps", "6"}, "+[.]", 1,
     "Fehler aufgetreten: Abbruch nach 6 Schritten (Endlosschleife?)\r\n"
     "Ausgabe als Dezimalzahlen: \r\n1 1\r\n\r\nAusgabe als Text: \r\n"},
    {"critical box on stderr", {"convert", "brainfuck", "decrypt"}, std::string(500, '<') + "+", 1,
     "Fehler aufgetreten: Index außerhalb des gültigen Bereichs\r\nIndex außerhalb des gültigen Bereichs",
     "critical: InterpretBrainfuck() - Error Index außerhalb des gültigen Bereichs\n"},
    {"matrix of 5 x 15: row 2, column 14", {"convert", "matrix", "decrypt", "--rows", "5", "--cols", "15"}, "214", 0, "2"},
    {"matrix sequence and column-first order", {"convert", "matrix", "crypt", "--sequence", "XYZ", "--order", "col"},
     "Zy!", 0, "31 21 !"},
    {"crypt with line feeds", {"convert", "ascii", "crypt"}, "A\nB", 0, "41 D A 42 "},
    {"matrix rows typed as 05", {"convert", "matrix", "decrypt", "--rows", "05"}, "18 018", 0, " <18> H"},
};

} // namespace

TEST(ConvertCommand, prints_the_output_field_and_the_boxes)
{
    for (const ConvertRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments, row.input);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
}

// The routines are checked in the core; here each mode is reached by its name and its number, both
// directions, with the input's line feeds made CR LF as the window's field does.
TEST(ConvertCommand, every_mode_runs_its_own_routines)
{
    const std::string input = "Hallo 48 65\n11 ... --- Ook. Ook? +.";
    const Text crLfInput = withCrLf(common::fromUtf8(input).value());
    for (const conversions::ModeRow& row : conversions::modeTable) {
        if (row.cliName.empty())
            continue;
        for (const std::string& mode : {std::string(row.cliName), std::to_string(conversions::modeNumber(row.mode))}) {
            for (const bool crypt : {false, true}) {
                SCOPED_TRACE(mode + (crypt ? " crypt" : " decrypt"));
                const auto run = runCli({"convert", mode, crypt ? "crypt" : "decrypt"}, input);
                if (crypt && !row.crypt) {
                    EXPECT_EQ(run.exitCode, 2);
                    EXPECT_EQ(run.out, "");
                    continue;
                }
                const conversions::Shown shown = crypt ? conversions::runCrypt(row.mode, crLfInput, {})
                                                       : conversions::runDecrypt(row.mode, crLfInput, {});
                EXPECT_EQ(run.exitCode, shown.ok() ? 0 : 1);
                EXPECT_EQ(run.out, common::toUtf8(shown.text));
            }
        }
    }
}

TEST(ConvertCommand, usage_errors_exit_with_2)
{
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::string input = "x";
        std::string message = "";   // part of the message on stderr
    };
    const Row rows[] = {
        {"no subcommand", {}},
        {"unknown mode", {"convert", "rot47", "decrypt"}},
        {"mode 5 has no text conversion", {"convert", "5", "decrypt"}},
        {"unknown option", {"convert", "matrix", "decrypt", "--colour", "x"}},
        {"option without value", {"convert", "matrix", "decrypt", "--rows"}},
        {"columns the window refuses", {"convert", "matrix", "crypt", "--cols", "0"}, "A", "Spalten muss zwischen 1 und 99"},
        {"bad order", {"convert", "matrix", "decrypt", "--order", "diagonal"}},
        {"bad step bound", {"convert", "brainfuck", "decrypt", "--max-steps", "0"}},
        {"invalid UTF-8 input", {"convert", "geocode", "decrypt"}, "ab\xC3(", "UTF-8"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments, row.input);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    }
}

TEST(ConvertCommand, help_lists_the_modes_with_text_conversions)
{
    const auto run = runCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("      MODE: 1 geocode, 2 ascii, 3 ook, 4 brainfuck, 6 wordlengths, 7 bits, 8 matrix,\n"
                           "            9 morse, 10 letters\n"),
              std::string::npos);
}

// Stdin is read up to one byte beyond the bound; the window counts characters the same way (see the dispatch).
TEST(ConvertCommand, input_and_output_bounds)
{
    const std::size_t mib16 = std::size_t{16} << 20;
    const auto exact = runCli({"convert", "geocode", "decrypt"}, std::string(mib16, 'a'));
    EXPECT_EQ(exact.exitCode, 0);
    EXPECT_EQ(exact.out, std::string(mib16, 'n'));

    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        std::string err;
    };
    const Row refused[] = {
        {"one byte more", {"convert", "geocode", "decrypt"}, std::string(mib16 + 1, 'a'),
         "exclamation: Die Eingabe ist größer als 16 MiB (16777216 Bytes); es wurde nichts umgewandelt.\n"},
        {"ten million line feeds as letter values", {"convert", "letters", "decrypt"}, std::string(10'000'000, '\n'),
         "exclamation: Die Ausgabe wäre länger als 268435456 Zeichen; es wurde nichts umgewandelt.\n"},
    };
    for (const Row& row : refused) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments, row.input);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, row.err);
    }
}
