// quirlwerk-cli coords end to end: one line per find with its three fields, the chosen form, the exit status.
#include "cli/run_cli.h"

using quirlwerk::cli::testing::runCli;

TEST(CoordsCommand, prints_one_line_per_find_in_the_chosen_form_and_exits_by_the_result)
{
    const std::string twoFinds = "Start N 52° 31.123\r\nE 013° 24.456 und -33.8688°,\t151.2093° Ende";
    const std::string berlin = "52.518717 13.407600\t";
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        int exitCode;
        std::string out;
        std::string err;   // empty: anything (a usage text)
    };
    const Row rows[] = {
        {"standard form, line break and tab as blanks", {"coords"}, twoFinds, 0,
         berlin + "N 52° 31.123 E 013° 24.456\tN 52° 31.123 E 013° 24.456\n"
                  "-33.868800 151.209300\tS 33° 52.128 E 151° 12.558\t-33.8688°, 151.2093°\n", "-"},
        {"dmm", {"coords", "--format", "dmm"}, "N52 31.123 E13 24.456", 0,
         berlin + "N 52° 31.123 E 013° 24.456\tN52 31.123 E13 24.456\n", "-"},
        {"dd", {"coords", "--format", "dd"}, "N52 31.123 E13 24.456", 0,
         berlin + "N 52.518717° E 13.407600°\tN52 31.123 E13 24.456\n", "-"},
        {"dms", {"coords", "--format", "dms"}, "N52 31.123 E13 24.456", 0,
         berlin + "N 52° 31' 07.4\" E 13° 24' 27.4\"\tN52 31.123 E13 24.456\n", "-"},
        {"utm", {"coords", "--format", "utm"}, "N52 31.123 E13 24.456", 0,
         berlin + "33U E 391953 N 5819926\tN52 31.123 E13 24.456\n", "-"},
        {"nothing found", {"coords"}, "6, 12, 16, 29 S1", 1, "", "quirlwerk-cli: Keine Koordinaten gefunden.\n"},
        {"unknown form", {"coords", "--format", "mgrs"}, "N52 31.123 E13 24.456", 2, "", ""},
        {"stray argument", {"coords", "dd"}, "N52 31.123 E13 24.456", 2, "", ""},
        {"invalid UTF-8", {"coords"}, "N 52\xB0 31.123", 2, "", "quirlwerk-cli: Eingabe ist kein gültiges UTF-8 (Byte 4)\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments, row.input);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.out, row.out);
        if (row.err == "-")
            EXPECT_EQ(run.err, "");
        else if (!row.err.empty())
            EXPECT_EQ(run.err, row.err);
        else
            EXPECT_NE(run.err.find("Aufruf:"), std::string::npos);
    }
}
