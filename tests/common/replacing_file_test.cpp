// The common writer over real files: what the target becomes and when, its mode, writes that are interrupted or
// cut short, and what a process ended by a signal leaves behind.
#include "common/file_stream_buffer.h"
#include "common/replacing_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <ostream>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace quirlwerk;
using common::ReplacingFile;
using common::TemporaryKind;
namespace fs = std::filesystem;

namespace {

std::span<const std::uint8_t> bytesOf(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

mode_t modeOf(const fs::path& name)
{
    struct stat status = {};
    return stat(name.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// The modes of the files this process holds open in the folder.
std::vector<mode_t> modesOpenIn(const fs::path& folder)
{
    std::vector<mode_t> modes;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd"))
        if (std::error_code error; fs::read_symlink(entry.path(), error).parent_path() == fs::canonical(folder))
            modes.push_back(modeOf(entry.path()));
    return modes;
}

class ReplacingFileTest : public ::testing::Test, protected quirlwerk::testing::TempFolder {
protected:
    // Interrupted, or taking a random part, at random; the disk is full at call `failAt` (counted from 0).
    common::WriteFunction flakyWrite(int failAt)
    {
        return [this, failAt](int file, const void* data, std::size_t size) mutable -> ssize_t {
            if (failAt-- == 0 || random() % 3 == 0)
                return errno = failAt == -1 ? ENOSPC : EINTR, -1;
            return ::write(file, data, random() % 2 ? size : 1 + random() % size);
        };
    }
    std::mt19937 random{7};
};

} // namespace

// Each way to keep the bytes, and file systems without modes: FAT through FUSE answers ENOSYS, others EPERM or
// EOPNOTSUPP. There the bytes count more than the mode, as for cp.
TEST_F(ReplacingFileTest, the_target_gets_the_content_only_at_commit_and_keeps_its_mode_and_links)
{
    const mode_t mask = umask(022);
    umask(mask);
    // The target typed, the existing file's mode (0: a new file) and the file the bytes end up in.
    const std::tuple<std::string, mode_t, std::string> rows[] = {
        {"new.bin", 0, "new.bin"}, {"group.bin", 0644, "group.bin"}, {"link", 0604, "linked.bin"},
        {"dangling", 0, "sub/future.bin"},   // a link pointing nowhere yet
    };
    const std::pair<TemporaryKind, int> ways[] = {{TemporaryKind::Unnamed, 0}, {TemporaryKind::Named, 0},
                                                  {TemporaryKind::Named, ENOSYS}, {TemporaryKind::Unnamed, EPERM},
                                                  {TemporaryKind::Named, EOPNOTSUPP}};
    for (const auto& [kind, modeError] : ways) {
        for (const auto& [target, before, written] : rows) {
            SCOPED_TRACE(target + (kind == TemporaryKind::Named ? ", named " : ", unnamed ") + strerror(modeError));
            fs::remove_all(path());
            fs::create_directories(path("sub"));
            fs::create_symlink("linked.bin", path("link"));
            fs::create_symlink("sub/future.bin", path("dangling"));
            if (before) {
                write(written, "old");
                fs::permissions(path(written), static_cast<fs::perms>(before));
            }
            std::set<std::string> expected = files();
            ReplacingFile(path(target), {{}, kind}).write(bytesOf("dropped"));
            EXPECT_EQ(files(), expected);
            ReplacingFile file(path(target), {{}, kind, [error = modeError](int file, mode_t mode) {
                                                  return error ? errno = error, -1 : fchmod(file, mode); }});
            file.write(bytesOf("new bytes"));
            EXPECT_EQ(modesOpenIn(path(written).parent_path()), std::vector<mode_t>{0600});   // the owner's alone
            EXPECT_EQ(read(written), before ? "old" : "");
            file.commit();
            EXPECT_EQ(read(written), "new bytes");
            EXPECT_EQ(modeOf(path(written)), modeError ? 0600 : before ? before : 0666 & ~mask);
            EXPECT_TRUE(fs::is_symlink(path("link")) && fs::is_symlink(path("dangling")));
            expected.insert(written.substr(0, written.find('/')));
            EXPECT_EQ(files(), expected);
        }
    }
}

// Both writers, the replacing file and standard output's buffer, go on after an interrupted or partial write and
// stop at a full disk. The sizes reach the buffer's 64 KiB: at, below and past it.
TEST_F(ReplacingFileTest, interrupted_and_partial_writes_arrive_whole)
{
    for (const std::size_t size : {0, 1, 65535, 65536, 65537, 3 * 65536 + 5}) {
        std::string text(size, '.');
        std::ranges::generate(text, [&] { return static_cast<char>(random()); });
        for (const bool full : {false, true}) {
            SCOPED_TRACE(std::to_string(size) + (full ? " bytes, disk full" : " bytes"));
            write("out.bin", "old");
            const auto replace = [&] {
                ReplacingFile file(path("out.bin"), {flakyWrite(full ? 0 : -1)});
                file.write(bytesOf(text));
                file.commit();
            };
            const int stream = open(path("stream.bin").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            common::FileStreamBuffer buffer(stream, flakyWrite(full ? 0 : -1));
            EXPECT_EQ(bool(std::ostream(&buffer) << text << std::flush), !(full && size));
            close(stream);
            if (full && size) {
                EXPECT_THROW(replace(), common::Failure);
                EXPECT_EQ(buffer.failure().value_or(common::Failure(u"")).description(), u"Datenträger voll");
            } else {
                replace();
                EXPECT_EQ(read("stream.bin"), text);
            }
            EXPECT_EQ(read("out.bin"), full && size ? "old" : text);
        }
    }
}

// A child holds a replacement, then gets an ending signal. By default it ends and leaves no temporary file; a
// signal it ignores or handles itself lets it finish the file. The child sets the disposition after the fork, so
// what the test process did before does not count.
TEST_F(ReplacingFileTest, ending_signals_leave_no_temporary_file_and_keep_their_dispositions)
{
    static volatile std::sig_atomic_t handled = 0;
    const std::pair<const char*, void (*)(int)> dispositions[] = {
        {"default", SIG_DFL}, {"ignored", SIG_IGN}, {"handled", [](int) { handled = 1; }}};
    for (const TemporaryKind kind : {TemporaryKind::Unnamed, TemporaryKind::Named})
        for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
            for (const auto& [name, disposition] : dispositions) {
                SCOPED_TRACE(std::string(strsignal(signal)) + ", " + name + (kind == TemporaryKind::Named ? ", named" : ""));
                write("out.bin", "old");
                const pid_t child = fork();
                if (child == 0) {
                    struct sigaction action = {};
                    action.sa_handler = disposition;
                    sigaction(signal, &action, nullptr);
                    try {
                        ReplacingFile file(path("out.bin"), {{}, kind});
                        file.write(bytesOf("new"));
                        raise(signal);
                        file.commit();
                    } catch (...) {
                        _exit(98);
                    }
                    _exit(disposition != SIG_DFL && disposition != SIG_IGN && !handled ? 97 : 0);
                }
                int status = 0;
                ASSERT_EQ(waitpid(child, &status, 0), child);
                EXPECT_EQ(status, disposition == SIG_DFL ? signal : 0);   // ended by the signal, or exited with 0
                EXPECT_EQ(read("out.bin"), disposition == SIG_DFL ? "old" : "new");
                EXPECT_EQ(files(), std::set<std::string>{"out.bin"});
            }
}
