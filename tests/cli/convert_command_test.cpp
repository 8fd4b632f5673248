// quirlwerk-cli convert end to end: exit codes, stdin and stdout, line breaks, usage errors, invalid input.
#include "cli/run_cli.h"

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
    {"geocode by name", {"convert", "geocode", "decrypt"}, "Hallo Welt!", 0, "Unyyb Jryg!"},
    {"lone line feeds become CR LF, umlauts survive", {"convert", "1", "decrypt"}, "Grüße\nab\r\ncd\r", 0,
     "Teüßr\r\nno\r\npq\r"},
    {"morse crypt", {"convert", "morse", "crypt"}, "SOS", 0, "... --- ... "},
    {"morse decrypt", {"convert", "morse", "decrypt"}, "...---...", 0, "<SOS>"},
    {"brainfuck endless loop stops at the bound", {"convert", "brainfuck", "decrypt"}, "+[]", 1,
     "Fehler aufgetreten: Abbruch nach 1000000000 Schritten (Endlosschleife?)\r\n"
     "Ausgabe als Dezimalzahlen: \r\n\r\n\r\nAusgabe als Text: \r\n"},
    {"brainfuck bound from the command line", {"convert", "brainfuck", "decrypt", "--max-steps", "6"}, "+[.]", 1,
     "Fehler aufgetreten: Abbruch nach 6 Schritten (Endlosschleife?)\r\n"
     "Ausgabe als Dezimalzahlen: \r\n1 1\r\n\r\nAusgabe als Text: \r\n"},
    {"critical box on stderr", {"convert", "brainfuck", "decrypt"}, std::string(500, '<') + "+", 1,
     "Fehler aufgetreten: Index außerhalb des gültigen Bereichs\r\nIndex außerhalb des gültigen Bereichs",
     "critical: InterpretBrainfuck() - Error Index außerhalb des gültigen Bereichs\n"},
    {"letter values of the worked example", {"convert", "letters", "decrypt"}, "Hallo Welt", 0,
     "BWW: Buchstabenwortwerte Caches: A=1, B=2, ... Z=26, Ä=27, Ö=28, Ü=29, ß=30\r\n"
     "(BWW: 108): 8 1 12 12 15 _23 5 12 20 \r\n"
     "\r\n"
     "Scrabble: Buchstabenwerte Scrabble:  1 - A,D,E,I,N,R,S,T,U   2 - G,H,L,O   3 - B,M,W,Z   ...   10 - Q,Y\r\n"
     "(Scrabble: 16): 2 1 2 2 2 _3 1 2 1 "},
    {"matrix decoding with the initial definition", {"convert", "matrix", "decrypt"}, "25 67 123", 0, "M <67>  <123> "},
    {"matrix of 5 x 15: row 2, column 14", {"convert", "matrix", "decrypt", "--rows", "5", "--cols", "15"}, "214", 0, "2"},
    {"matrix sequence and column-first order", {"convert", "matrix", "crypt", "--sequence", "XYZ", "--order", "col"},
     "Zy!", 0, "31 21 !"},
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
        {"direction the mode lacks", {"convert", "geocode", "crypt"}},
        {"unknown option", {"convert", "matrix", "decrypt", "--colour", "x"}},
        {"option without value", {"convert", "matrix", "decrypt", "--rows"}},
        {"rows the window refuses", {"convert", "matrix", "decrypt", "--rows", "100"}},
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

TEST(ConvertCommand, help_prints_usage)
{
    const auto run = runCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("quirlwerk-cli convert MODE"), std::string::npos);
}
