// quirlwerk-cli coords end to end: one line per find with its three fields, the chosen form, the exit status.
#include "cli/run_cli.h"

using quirlwerk::cli::testing::runCli;

TEST(CoordsCommand, prints_one_line_per_find_in_the_chosen_form_and_exits_by_the_result)
{
    // The name, the arguments, stdin, the exit status, stdout, a part of stderr (empty: nothing on stderr).
    const std::tuple<const char*, std::vector<std::string>, std::string, int, std::string, std::string> rows[] = {
        {"standard form, line break and tab as blanks", {"coords"}, "Start N 52° 31.123\r\nE 013° 24.456 und -33.8688°,\t151.2093° Ende", 0,
         "52.518717 13.407600\tN 52° 31.123 E 013° 24.456\tN 52° 31.123 E 013° 24.456\n-33.868800 151.209300\tS 33° 52.128 E 151° 12.558\t-33.8688°, 151.2093°\n", ""},
        {"chosen form", {"coords", "--format", "utm"}, "N52 31.123 E13 24.456", 0, "52.518717 13.407600\t33U E 391953 N 5819926\tN52 31.123 E13 24.456\n", ""},
        {"nothing found", {"coords"}, "6, 12, 16, 29 S1", 1, "", "quirlwerk-cli: Keine Koordinaten gefunden.\n"},
        {"unknown form", {"coords", "--format", "mgrs"}, "N52 31.123 E13 24.456", 2, "", "Aufruf:"},
        {"stray argument", {"coords", "dd"}, "N52 31.123 E13 24.456", 2, "", "Aufruf:"},
        {"invalid UTF-8", {"coords"}, "N 52\xB0 31.123", 2, "", "Eingabe ist kein gültiges UTF-8 (Byte 4)"},
    };
    for (const auto& [name, arguments, input, exitCode, out, err] : rows) {
        const auto run = runCli(arguments, input);
        EXPECT_EQ(run.exitCode, exitCode) << name;
        EXPECT_EQ(run.out, out) << name;
        EXPECT_TRUE(run.err.empty() == err.empty() && run.err.find(err) != std::string::npos) << name;
    }
}
