// The common writer over real files: what the target becomes, what it may never replace, the temporary file's
// mode while it is written, and what a child process ended by a signal leaves behind.
#include "common/replacing_file.h"

#include "common/utf8.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quirlwerk;
using common::ReplacingFile;
using common::TemporaryKind;
namespace fs = std::filesystem;

namespace {

constexpr TemporaryKind bothKinds[] = {TemporaryKind::Unnamed, TemporaryKind::Named};

const char* kindName(TemporaryKind kind)
{
    return kind == TemporaryKind::Unnamed ? "unnamed" : "named";
}

std::span<const std::uint8_t> bytesOf(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

mode_t modeOf(const fs::path& name)
{
    struct stat status = {};
    return stat(name.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// The files of a process (by /proc/PID/fd) that lie in the folder, the folder itself not counted.
std::vector<fs::path> openIn(const fs::path& folder, pid_t pid)
{
    std::vector<fs::path> found;
    const fs::path real = fs::canonical(folder);
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        const fs::path target = fs::read_symlink(entry.path(), error);
        if (!error && target.parent_path() == real)
            found.push_back(entry.path());
    }
    return found;
}

class ReplacingFileTest : public ::testing::Test, protected quirlwerk::testing::TempFolder {
protected:
    void replace(const std::string& target, std::string_view content, TemporaryKind kind)
    {
        ReplacingFile file(path(target), {{}, kind});
        file.write(bytesOf(content));
        file.commit();
    }
};

} // namespace

TEST_F(ReplacingFileTest, the_target_gets_the_content_and_keeps_its_mode_and_links)
{
    const mode_t mask = umask(022);
    umask(mask);
    struct Row {
        const char* name;
        std::string target;
        std::optional<mode_t> before;   // the existing file's mode, none for a new file
        mode_t after;
        std::string written;            // the file the bytes end up in
    };
    const Row rows[] = {
        {"new file", "new.bin", std::nullopt, 0666 & ~mask, "new.bin"},
        {"private file", "private.bin", 0600, 0600, "private.bin"},
        {"group-readable file", "group.bin", 0640, 0640, "group.bin"},
        {"link to a file", "link", 0604, 0604, "linked.bin"},
        {"link pointing nowhere yet", "dangling", std::nullopt, 0666 & ~mask, "sub/future.bin"},
    };
    for (const TemporaryKind kind : bothKinds) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(kindName(kind)) + ": " + row.name);
            fs::remove_all(path());
            fs::create_directories(path("sub"));
            fs::create_symlink("linked.bin", path("link"));
            fs::create_symlink("sub/future.bin", path("dangling"));
            if (row.before) {
                write(row.written, std::string(5000, 'x'));
                fs::permissions(path(row.written), static_cast<fs::perms>(*row.before));
            }
            replace(row.target, "new bytes", kind);
            EXPECT_EQ(read(row.written), "new bytes");
            EXPECT_EQ(modeOf(path(row.written)), row.after);
            EXPECT_TRUE(fs::is_symlink(path("link")));
            EXPECT_TRUE(fs::is_symlink(path("dangling")));
            std::set<std::string> expected{"sub", "link", "dangling", row.written};
            expected.erase("sub/future.bin");
            EXPECT_EQ(files(), expected);
        }
    }
}

TEST_F(ReplacingFileTest, the_bytes_are_the_owners_alone_until_they_are_complete)
{
    for (const TemporaryKind kind : bothKinds) {
        SCOPED_TRACE(kindName(kind));
        write("shared.bin", "old");
        fs::permissions(path("shared.bin"), static_cast<fs::perms>(0644));
        ReplacingFile file(path("shared.bin"), {{}, kind});
        file.write(bytesOf("new"));
        const std::vector<fs::path> held = openIn(path(), getpid());
        ASSERT_EQ(held.size(), 1u);
        EXPECT_EQ(modeOf(held[0]), 0600u);
        file.commit();
        EXPECT_EQ(modeOf(path("shared.bin")), 0644u);
    }
}

TEST_F(ReplacingFileTest, a_replacement_dropped_before_commit_leaves_the_old_file_alone)
{
    for (const TemporaryKind kind : bothKinds) {
        SCOPED_TRACE(kindName(kind));
        write("out.bin", "old");
        {
            ReplacingFile file(path("out.bin"), {{}, kind});
            file.write(bytesOf("half of the new"));
        }
        EXPECT_EQ(read("out.bin"), "old");
        EXPECT_EQ(files(), std::set<std::string>{"out.bin"});
    }
}

// Devices, pipes and sockets stay what they are; nothing is opened on them, so a pipe without a reader cannot
// block. A device node needs the right to make one, which a test may lack.
TEST_F(ReplacingFileTest, special_files_are_never_replaced)
{
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0644), 0);
    fs::create_symlink("pipe", path("link to pipe"));
    const int socketFile = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path("socket").c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(socketFile, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::vector<std::string> specials{"pipe", "link to pipe", "socket"};
    if (mknod(path("device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        specials.push_back("device");
    else
        std::cout << "[ NOTE     ] no device node: mknod needs CAP_MKNOD here (" << std::strerror(errno) << ")\n";
    write("plain.bin", "x");
    fs::create_directory(path("folder"));

    for (const std::string& special : specials) {
        SCOPED_TRACE(special);
        const fs::file_type type = fs::symlink_status(path(special)).type();
        EXPECT_TRUE(common::isSpecialFile(path(special)));
        try {
            ReplacingFile file(path(special));
            ADD_FAILURE() << "accepted";
        } catch (const common::Failure& failure) {
            EXPECT_EQ(failure.description(), u"Keine gewöhnliche Datei");
        }
        EXPECT_EQ(fs::symlink_status(path(special)).type(), type);
    }
    for (const char* ordinary : {"plain.bin", "folder", "missing", "link to missing"}) {
        SCOPED_TRACE(ordinary);
        EXPECT_FALSE(common::isSpecialFile(path(ordinary)));
    }
    close(socketFile);
    EXPECT_EQ(files().size(), specials.size() + 2);
}

// A real child process holds its replacement open and is then ended by each signal that ends a program; the
// old output must stay as it was and no temporary file may remain.
TEST_F(ReplacingFileTest, a_program_ended_by_a_signal_leaves_no_temporary_file)
{
    for (const TemporaryKind kind : bothKinds) {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) {
            SCOPED_TRACE(std::string(kindName(kind)) + ": " + strsignal(signal));
            write("out.bin", "old");
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                try {
                    ReplacingFile file(path("out.bin"), {{}, kind});
                    file.write(bytesOf(std::string(100'000, 'n')));
                    for (;;)
                        pause();
                } catch (...) {
                }
                _exit(99);
            }
            // Waits until the child holds its output open; the bound only guards against a child that hangs.
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            int status = 0;
            while (openIn(path(), child).empty() && std::chrono::steady_clock::now() < giveUp) {
                ASSERT_EQ(waitpid(child, &status, WNOHANG), 0) << "the child ended early, status " << status;
                usleep(1000);
            }
            EXPECT_EQ(openIn(path(), child).size(), 1u);
            kill(child, signal);
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
            EXPECT_EQ(read("out.bin"), "old");
            EXPECT_EQ(files(), std::set<std::string>{"out.bin"});
        }
    }
}
