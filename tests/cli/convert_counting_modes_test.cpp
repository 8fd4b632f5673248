// quirlwerk-cli convert for letter values, word lengths, bit strings and the matrix code, end to end.
#include "cli/run_cli.h"

using quirlwerk::cli::testing::runCli;

namespace {

struct ConvertRow {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    std::string output;
};

const ConvertRow rows[] = {
    {"letter values of the worked example", {"convert", "letters", "decrypt"}, "Hallo Welt",
     "BWW: Buchstabenwortwerte Caches: A=1, B=2, ... Z=26, Ä=27, Ö=28, Ü=29, ß=30\r\n"
     "(BWW: 108): 8 1 12 12 15 _23 5 12 20 \r\n"
     "\r\n"
     "Scrabble: Buchstabenwerte Scrabble:  1 - A,D,E,I,N,R,S,T,U   2 - G,H,L,O   3 - B,M,W,Z   ...   10 - Q,Y\r\n"
     "(Scrabble: 16): 2 1 2 2 2 _3 1 2 1 "},
    {"word lengths", {"convert", "wordlengths", "decrypt"}, "Ab, cde!",
     "2 3\r\n\r\nGerade Zahlen = 0, Ungerade Zahlen = 1:\r\n01\r\n\r\nGerade Zahlen = 1, Ungerade Zahlen = 0:\r\n10"},
    {"bit string", {"convert", "bits", "decrypt"}, "0100100001100001\n0110110001101100 01101111",
     "01001000 01100001 01101100 01101100 01101111\r\n\r\nUmwandlung in HEX-Zahlen:\r\n48 61 6C 6C 6F\r\n\r\n"
     "Umwandlung in Text:\r\nHallo"},
    {"matrix decoding with the initial definition", {"convert", "matrix", "decrypt"}, "25 67 123", "M <67>  <123> "},
    {"matrix decoding of 5 x 15", {"convert", "matrix", "decrypt", "--rows", "5", "--cols", "15"}, "214 0214",
     "22"},
    {"matrix encoding column first", {"convert", "matrix", "crypt", "--order", "col"}, "Hi!", "81 12 !"},
    {"rows typed as 05", {"convert", "matrix", "decrypt", "--rows", "05"}, "18 018", " <18> H"},
};

} // namespace

TEST(ConvertCountingModes, prints_the_output_field)
{
    for (const ConvertRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments, row.input);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, row.output);
        EXPECT_EQ(run.err, "");
    }
}
