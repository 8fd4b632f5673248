// quirlwerk-cli hexfile: the label on stdout, boxes on stderr by their icon, questions answered by --yes, exit
// statuses, and a file-size limit that makes the write fail instead of ending the program. The texts are the core's.
#include "cli/run_cli.h"
#include "temp_folder.h"

using quirlwerk::cli::testing::runCli;

TEST(HexfileCommand, prints_the_label_and_the_boxes_and_exits_by_the_result)
{
    const quirlwerk::testing::TempFolder folder;
    auto path = [&](const std::string& name) { return folder.path(name).string(); };
    folder.write("in.txt", "0x1F 0x08 0x43 0x44");
    folder.write("bad.txt", "41,42");
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0644), 0);
    const std::tuple<std::vector<std::string>, int, std::string, std::string, std::string> rows[] = {
        {{path("in.txt"), path("out.bin"), "--yes"}, 0, "Fertig.", "", "\x1F\x08\x43\x44"},
        {{path("bad.txt"), path("out.bin")}, 1, "", "question: ", "\x1F\x08\x43\x44"},
        {{"--yes", path("bad.txt"), path("out.bin")}, 1, "Fehler", "question: ", "A"},
        {{path("none.txt"), path("out.bin")}, 1, "", "exclamation: ", "A"},
        {{"in.txt"}, 2, "", "quirlwerk-cli: ", "A"},
        {{"a", "b", "--force"}, 2, "", "quirlwerk-cli: ", "A"},
        {{"a\xFF", "b"}, 2, "", "quirlwerk-cli: ", "A"},
    };
    for (const auto& [arguments, exitCode, out, err, written] : rows) {
        std::vector<std::string> call{"hexfile"};
        call.insert(call.end(), arguments.begin(), arguments.end());
        SCOPED_TRACE(call[1] + " " + err);
        const auto run = runCli(call);
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_TRUE(run.out.starts_with(out) && run.out.empty() == out.empty()) << run.out;
        EXPECT_TRUE(run.err.starts_with(err) && run.err.empty() == err.empty()) << run.err;
        EXPECT_EQ(run.err.find("-> Ja") != std::string::npos, call[1] == "--yes") << run.err;
        EXPECT_EQ(folder.read("out.bin"), written);
    }
    std::string codes;
    for (int i = 0; i < 200'000; ++i)
        codes += "41 ";
    folder.write("big.txt", codes);
    const auto run = runCli({"hexfile", path("big.txt"), path("out.bin"), "--yes"}, "", 100 * 1024);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.ends_with("-> Ja\ncritical: Fehler: Datenträger voll\n")) << run.err;
    EXPECT_EQ(folder.read("out.bin"), "A");
    EXPECT_EQ(folder.files().size(), 5u);
}
