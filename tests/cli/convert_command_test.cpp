// quirlwerk-cli convert: the wiring of modes, directions and options to the core, the exit statuses, and
// the bound on stdin. The routines' results belong to the core's tests.
#include "cli/run_cli.h"

#include "common/text.h"
#include "common/utf8.h"
#include "conversions/modes.h"

using namespace quirlwerk;
using quirlwerk::cli::testing::runCli;

// Each mode by its name and its number, both directions, with the input's line feeds made CR LF as the window's
// field does: the output field on stdout, its status as the exit status.
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
                const conversions::Shown shown = crypt ? conversions::runCrypt(row.mode, crLfInput, {})
                                                       : conversions::runDecrypt(row.mode, crLfInput, {});
                EXPECT_EQ(run.exitCode, crypt && !row.crypt ? 2 : shown.ok() ? 0 : 1);
                EXPECT_EQ(run.out, crypt && !row.crypt ? "" : common::toUtf8(shown.text));
            }
        }
    }
}

// Out and err: the start of what each stream must hold. Every bad call exits with 2 and the usage on stderr.
TEST(ConvertCommand, options_and_boxes_are_wired_and_bad_calls_exit_with_2)
{
    std::vector<std::tuple<std::vector<std::string>, std::string, int, std::string, std::string>> rows = {
        {{"matrix", "decrypt", "--rows", "5", "--cols", "15"}, "214", 0, "2", ""},
        {{"matrix", "crypt", "--sequence", "XYZ", "--order", "col"}, "Zy!", 0, "31 21 !", ""},
        {{"brainfuck", "decrypt", "--max-steps", "6"}, "+[.]", 1, "Fehler aufgetreten: Abbruch nach 6 Schritten", ""},
        {{"brainfuck", "decrypt"}, std::string(500, '<') + "+", 1, "Fehler aufgetreten: Index", "critical: "},
        {{"geocode", "decrypt"}, std::string((std::size_t{16} << 20) + 1, 'a'), 1, "", "exclamation: "},
        {{"geocode", "decrypt"}, "ab\xC3(", 2, "", "quirlwerk-cli: "},
    };
    const std::vector<std::string> badCalls[] = {
        {"rot47", "decrypt"}, {"5", "decrypt"}, {"1", "sideways"}, {"matrix", "decrypt", "--colour", "x"},
        {"matrix", "decrypt", "--rows"}, {"matrix", "crypt", "--cols", "0"}, {"matrix", "decrypt", "--order", "diagonal"},
        {"brainfuck", "decrypt", "--max-steps", "0"}};
    for (const std::vector<std::string>& call : badCalls)
        rows.emplace_back(call, "A", 2, "", "quirlwerk-cli: ");
    for (const auto& [arguments, input, exitCode, out, err] : rows) {
        std::vector<std::string> call{"convert"};
        call.insert(call.end(), arguments.begin(), arguments.end());
        SCOPED_TRACE(call[1] + " " + call[2] + " " + std::to_string(input.size()));
        const auto run = runCli(call, input);
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_TRUE(run.out.starts_with(out) && run.out.empty() == out.empty()) << run.out.substr(0, 200);
        EXPECT_TRUE(run.err.starts_with(err) && run.err.empty() == err.empty()) << run.err.substr(0, 200);
    }
}
