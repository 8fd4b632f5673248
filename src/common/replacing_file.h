// The one writer of every file the programs write: the bytes go into a file in the target's folder that takes
// the target's place at once, and only when it is whole and on the disk. Special files are never replaced.
#pragma once

#include "common/failure.h"
#include "common/text.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

#include <sys/types.h>

namespace quirlwerk::common {

// A failure of the file system, described in German ("Datenträger voll", "Zugriff verweigert", ...).
Failure fileFailure(int error);

// True when the name leads, through any links, to something that is neither a regular file nor a folder:
// a device, a pipe or a socket. Such a thing is never replaced by a file.
bool isSpecialFile(const std::filesystem::path& name);

// Ends the message that refuses a special file: "Die Outputdatei ''x''" + notRegularFile.
inline constexpr TextView notRegularFile =
    u" ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket) und wird nicht überschrieben!";

// Writes like the system's write(): the count written, or -1 with errno set.
using WriteFunction = std::function<ssize_t(int file, const void* data, std::size_t size)>;

// Sets a file's mode like the system's fchmod(): 0, or -1 with errno set.
using ModeFunction = std::function<int(int file, mode_t mode)>;

// Writes all bytes to an open file, on after a write a signal interrupted or one that took only a part; empty
// write: the system's. Throws fileFailure.
void writeAll(int file, std::span<const std::uint8_t> bytes, const WriteFunction& write = {});

// Where the bytes wait until commit(). Named is what a file system without unnamed files gets.
enum class TemporaryKind { Unnamed, Named };

struct ReplacingOptions {
    WriteFunction write;                               // empty: the system's write(); tests fail it on purpose
    TemporaryKind temporary = TemporaryKind::Unnamed;  // Named: always the fallback (tests)
    ModeFunction setMode = {};                         // empty: the system's fchmod(); tests refuse modes
};

// Until commit() the target stays as it was, byte for byte. A replacement that is dropped, a failure, or the
// end of the program by SIGTERM, SIGINT, SIGHUP or SIGPIPE leaves no temporary file (unless the program ignores
// or handles that signal itself). The bytes are readable by the owner only until they are complete; the result
// gets the target's mode, or 0666 less the umask when new, where the file system keeps modes at all.
// A link is written through: its file is replaced (or created, when the link points nowhere yet), the link stays.
class ReplacingFile {
public:
    explicit ReplacingFile(const std::filesystem::path& target, ReplacingOptions options = {});
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void write(std::span<const std::uint8_t> bytes);
    void commit();

    // Where a signal handler finds the name of a temporary file that exists under a name.
    struct PendingName {
        int folder = -1;
        char name[40] = {};
    };

private:
    void forgetName();
    void setMode(mode_t mode);

    std::filesystem::path m_target;   // the file itself, after links
    ReplacingOptions m_options;
    bool m_targetExists = false;
    mode_t m_mode = 0;
    uid_t m_owner = 0;
    gid_t m_group = 0;
    int m_folder = -1;
    int m_file = -1;
    PendingName m_pending;            // named while m_pending.name is not empty
};

} // namespace quirlwerk::common
