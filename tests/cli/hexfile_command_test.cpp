// quirlwerk-cli hexfile end to end: label on stdout, boxes on stderr, questions answered by --yes, exit codes.
#include "cli/run_cli.h"
#include "temp_folder.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using quirlwerk::cli::testing::runCli;

TEST(HexfileCommand, prints_the_label_reports_on_stderr_and_exits_by_the_result)
{
    const quirlwerk::testing::TempFolder folder;
    auto path = [&](const std::string& name) { return folder.path(name).string(); };
    folder.write("in.txt", "0x1F 0x08 0x43 0x44");
    folder.write("bad.txt", "41,42");
    const std::string question =
        "question: Die Outputdatei ''" + path("out.bin") + "'' existiert bereits! Soll sie überschrieben werden?\n";
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        int exitCode;
        std::string out;
        std::optional<std::string> err;   // none: a usage text
        std::string outputFile;           // out.bin afterwards
    };
    const Row rows[] = {
        {"new output", {"hexfile", path("in.txt"), path("out.bin"), "--yes"}, 0,
         "Fertig. Binärdatei ''" + path("out.bin") + "'' erstellt.\n", "", "\x1F\x08\x43\x44"},
        {"no without --yes", {"hexfile", path("bad.txt"), path("out.bin")}, 1, "", question + "-> Nein\n",
         "\x1F\x08\x43\x44"},
        {"invalid code", {"hexfile", "--yes", path("bad.txt"), path("out.bin")}, 1,
         "Fehler aufgetreten!. Erstellung der Binärdatei ''" + path("out.bin") + "'' abgebrochen!\n",
         question + "-> Ja\nexclamation: In der Inputdatei steht das Zeichen '',4''. Dies ist kein gültiges "
                    "HEX-Zeichen im Bereich 00 bis FF!\r\nDie Erstellung der Binärdatei wird daher abgebrochen!\n",
         "A"},
        {"missing input", {"hexfile", path("none.txt"), path("x.bin")}, 1, "",
         "exclamation: Die Inputdatei ''" + path("none.txt") + "'' existiert nicht!\n", "A"},
        {"missing folder", {"hexfile", path("in.txt"), path("none/x.bin")}, 1, "",
         "critical: Fehler: Pfad nicht gefunden\n", "A"},
        {"one name", {"hexfile", "in.txt"}, 2, "", std::nullopt, "A"},
        {"unknown option", {"hexfile", "a", "b", "--force"}, 2, "", std::nullopt, "A"},
        {"name not UTF-8", {"hexfile", "a\xFF", "b"}, 2, "", std::nullopt, "A"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.out, row.out);
        if (row.err)
            EXPECT_EQ(run.err, *row.err);
        else
            EXPECT_NE(run.err, "");
        EXPECT_EQ(folder.read("out.bin"), row.outputFile);
    }
}

// A device or a pipe as output is refused before the question; past a file-size limit the write fails with a
// message instead of the signal that would end the program, and the old output stays.
TEST(HexfileCommand, refuses_special_outputs_and_fails_cleanly_past_a_file_size_limit)
{
    const quirlwerk::testing::TempFolder folder;
    auto path = [&](const std::string& name) { return folder.path(name).string(); };
    folder.write("in.txt", "41 42 43");
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0644), 0);
    std::vector<std::string> specials{"pipe"};
    if (mknod(path("device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        specials.push_back("device");
    else
        std::cout << "[ NOTE     ] no device node: mknod needs CAP_MKNOD here (" << std::strerror(errno) << ")\n";
    for (const std::string& special : specials) {
        SCOPED_TRACE(special);
        const auto run = runCli({"hexfile", path("in.txt"), path(special), "--yes"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "exclamation: Die Outputdatei ''" + path(special) +
                               "'' ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket) "
                               "und wird nicht überschrieben!\n");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(path("pipe")));

    std::string codes;
    for (int i = 0; i < 200'000; ++i)
        codes += "41 ";
    folder.write("big.txt", codes);
    folder.write("out.bin", "old");
    const auto run = runCli({"hexfile", path("big.txt"), path("out.bin"), "--yes"}, {}, 100 * 1024);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "question: Die Outputdatei ''" + path("out.bin") +
                           "'' existiert bereits! Soll sie überschrieben werden?\n-> Ja\n"
                           "critical: Fehler: Datenträger voll\n");
    EXPECT_EQ(folder.read("out.bin"), "old");
    EXPECT_EQ(folder.files().size(), specials.size() + 3);
}
