// quirlwerk-cli convert in the Morse, ASCII, Brainfuck and Ook! modes, end to end.
#include "run_cli.h"

#include <gtest/gtest.h>

using quirlwerk::cli::testing::runCli;

namespace {

const std::string helloWorld =
    ">+++++++++[<++++++++>-]<.>+++++++[<++++>-]<+.+++++++..+++.>>>++++++++[<++++>-]<.>>>++++++++++"
    "[<+++++++++>-]<---.<<<<.+++.------.--------.>>+.";

struct CliRow {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    int exitCode;
    std::string out;
    std::string err;
};

std::string emptyReport()
{
    return "Ausgabe als Dezimalzahlen: \r\n\r\n\r\nAusgabe als Text: \r\n";
}

std::string repeatedWords(const std::string& words, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += words;
    return text;
}

const CliRow rows[] = {
    {"morse crypt", {"convert", "morse", "crypt"}, "SOS", 0, "... --- ... ", ""},
    {"morse decrypt signal", {"convert", "morse", "decrypt"}, "...---...", 0, "<SOS>", ""},
    {"ascii crypt", {"convert", "ascii", "crypt"}, "Bär", 0, "42 61 65 72 ", ""},
    {"ascii decrypt", {"convert", "ascii", "decrypt"}, "C3 BC 50x41", 0, "üPA", ""},
    {"brainfuck endless loop stops at the bound", {"convert", "brainfuck", "decrypt"}, "+[]", 1,
     "Fehler aufgetreten: Abbruch nach 1000000000 Schritten (Endlosschleife?)\r\n" + emptyReport(), ""},
    {"brainfuck bound from the command line", {"convert", "brainfuck", "decrypt", "--max-steps", "50"}, "+[.]", 1,
     "Fehler aufgetreten: Abbruch nach 50 Schritten (Endlosschleife?)\r\nAusgabe als Dezimalzahlen: \r\n1" + repeatedWords(" 1", 23)
         + "\r\n\r\nAusgabe als Text: \r\n", ""},
    {"brainfuck run-time error", {"convert", "brainfuck", "decrypt"}, std::string(500, '<') + "+", 1,
     "Fehler aufgetreten: Index außerhalb des gültigen Bereichs\r\nIndex außerhalb des gültigen Bereichs",
     "critical: InterpretBrainfuck() - Error Index außerhalb des gültigen Bereichs\n"},
    {"brainfuck hello world", {"convert", "brainfuck", "decrypt"}, helloWorld, 0,
     "Ausgabe als Dezimalzahlen: \r\n72 101 108 108 111 32 87 111 114 108 100 33\r\n\r\nAusgabe als Text: \r\nHello World!", ""},
    {"ook runs and shows the translation", {"convert", "ook", "decrypt"}, "Ook. Ook. Ook! Ook.", 0,
     "Ausgabe als Dezimalzahlen: \r\n1\r\n\r\nAusgabe als Text: \r\n\r\n\r\nBrainfuck-Syntax:\r\n+.", ""},
    {"ook run-time error hides the translation", {"convert", "ook", "decrypt"}, repeatedWords("Ook? Ook. ", 500) + "Ook. Ook.",
     1, "Fehler aufgetreten: Index außerhalb des gültigen Bereichs\r\nIndex außerhalb des gültigen Bereichs",
     "critical: InterpretBrainfuck() - Error Index außerhalb des gültigen Bereichs\n"},
    {"ook faulty pair is not run", {"convert", "ook", "decrypt"}, "Ook. Ook. Ook? Ook?", 1,
     "Fehler bei Zeichen hinter Position 19: Fehlerhafte Folge ''?/?''\r\n+?", ""},
};

} // namespace

TEST(ConvertTextModes, behave_like_the_direction_buttons)
{
    for (const CliRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments, row.input);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
}
