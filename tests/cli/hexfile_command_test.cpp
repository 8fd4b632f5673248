// quirlwerk-cli hexfile end to end: label on stdout, boxes on stderr, questions answered by --yes, exit codes.
#include "cli/run_cli.h"
#include "temp_folder.h"

using quirlwerk::cli::testing::runCli;

namespace {

class HexfileCommand : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_folder.path(name).string(); }
    void write(const std::string& name, const std::string& content) const { m_folder.write(name, content); }
    std::string read(const std::string& name) const { return m_folder.read(name); }

private:
    quirlwerk::testing::TempFolder m_folder;
};

} // namespace

TEST_F(HexfileCommand, writes_the_bytes_and_prints_the_finished_label)
{
    write("in.txt", "0x1F 0x08 0x43 0x44");
    const auto run = runCli({"hexfile", path("in.txt"), path("out.bin"), "--yes"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Fertig. Binärdatei ''" + path("out.bin") + "'' erstellt.\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(read("out.bin"), "\x1F\x08\x43\x44");
}

TEST_F(HexfileCommand, questions_are_answered_no_unless_yes_is_given)
{
    write("in.txt", "41");
    write("out.bin", "old");
    const std::string question =
        "question: Die Outputdatei ''" + path("out.bin") + "'' existiert bereits! Soll sie überschrieben werden?\n";

    auto run = runCli({"hexfile", path("in.txt"), path("out.bin")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, question + "-> Nein\n");
    EXPECT_EQ(read("out.bin"), "old");

    run = runCli({"hexfile", "--yes", path("in.txt"), path("out.bin")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, question + "-> Ja\n");
    EXPECT_EQ(read("out.bin"), "A");
}

TEST_F(HexfileCommand, messages_go_to_stderr_and_fail_the_run)
{
    write("bad.txt", "41,42");
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::string out;
        std::string err;
    };
    const Row rows[] = {
        {"invalid code", {"hexfile", path("bad.txt"), path("out.bin")},
         "Fehler aufgetreten!. Erstellung der Binärdatei ''" + path("out.bin") + "'' abgebrochen!\n",
         "exclamation: In der Inputdatei steht das Zeichen '',4''. Dies ist kein gültiges HEX-Zeichen im Bereich "
         "00 bis FF!\r\nDie Erstellung der Binärdatei wird daher abgebrochen!\n"},
        {"missing input", {"hexfile", path("none.txt"), path("x.bin")}, "",
         "exclamation: Die Inputdatei ''" + path("none.txt") + "'' existiert nicht!\n"},
        {"missing folder", {"hexfile", path("bad.txt"), path("none/x.bin")}, "",
         "critical: Fehler: Pfad nicht gefunden\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
    EXPECT_EQ(read("out.bin"), "A");
}

TEST_F(HexfileCommand, usage_errors_exit_with_2)
{
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
    };
    const Row rows[] = {
        {"no names", {"hexfile"}},
        {"one name", {"hexfile", "in.txt"}},
        {"three names", {"hexfile", "a", "b", "c"}},
        {"unknown option", {"hexfile", "a", "b", "--force"}},
        {"name not UTF-8", {"hexfile", "a\xFF", "b"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto run = runCli(row.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}
