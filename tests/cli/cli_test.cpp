// Every command's output path notices a failed write: standard output on a full disk or past a file-size limit
// (which stderr shares, so only the full disk shows the message whole) fails the run; a failing stderr too.
#include "cli/run_cli.h"
#include "temp_folder.h"

#include "bitmap/bmp_writer.h"

using namespace quirlwerk::bitmap::testing;
using quirlwerk::cli::testing::runCli;

TEST(CliOutput, a_failed_write_on_stdout_or_stderr_fails_the_run)
{
    TempFolder folder;
    const std::string picture = folder.write("p.bmp", bmpBytes(greyPicture(2, 2, {{1, 2}, {2, 1}}))).string();
    const std::string hex = folder.write("in.txt", "41").string();
    const std::string limited = folder.path("limited.txt").string();
    const std::vector<std::string> calls[] = {
        {"convert", "1", "decrypt"}, {"bitmap", picture, "--palette"}, {"bitmap", picture, "--twins"},
        {"hexfile", hex, folder.path("out.bin").string(), "--yes"}, {"--help"}, {"--version"},
    };
    for (const std::vector<std::string>& call : calls) {
        SCOPED_TRACE(call[0] + " " + call.back());
        const auto onFullDisk = runCli(call, std::string(100, 'x'), std::nullopt, "/dev/full");
        EXPECT_EQ(onFullDisk.exitCode, 1);
        EXPECT_TRUE(onFullDisk.err.ends_with("critical: Die Ausgabe konnte nicht geschrieben werden: Datenträger voll\n"));
        folder.write("limited.txt", "");
        EXPECT_EQ(runCli(call, std::string(100, 'x'), 10, limited.c_str()).exitCode, 1);
        EXPECT_EQ(folder.read("limited.txt").size(), 10u);
    }
    // The question goes to stderr; the run itself succeeds.
    EXPECT_EQ(runCli(calls[3]).exitCode, 0);
    EXPECT_EQ(runCli(calls[3], "", std::nullopt, nullptr, "/dev/full").exitCode, 1);
}
