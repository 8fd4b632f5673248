// Replacing a file safely: an unnamed file linked in only when it is whole, or a named one the signal handlers
// remove, then one rename and the syncs that make the new content survive a power cut.
#include "common/replacing_file.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quirlwerk::common {
namespace fs = std::filesystem;

Failure fileFailure(int error)
{
    switch (error) {
    case ENOENT: return Failure(u"Datei nicht gefunden");
    case ENOTDIR: return Failure(u"Pfad nicht gefunden");
    case EACCES:
    case EPERM:
    case EROFS: return Failure(u"Zugriff verweigert");
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return Failure(u"Datenträger voll");
    case EISDIR:
    case EBUSY:
    case ELOOP:
    case ETXTBSY: return Failure(u"Fehler beim Zugriff auf Pfad/Datei");
    case ENAMETOOLONG:
    case EINVAL: return Failure(u"Dateiname oder -nummer falsch");
    case EMFILE:
    case ENFILE: return Failure(u"Zu viele Dateien");
    default: return Failure(u"Fehler beim Geräte-E/A");
    }
}

namespace {

constexpr int endingSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGPIPE};

// The temporary files that exist under a name right now. A signal handler can reach nothing but globals, so this
// is the writer's one piece of shared state; more writers at once than slots would go unguarded, none does.
std::array<std::atomic<const ReplacingFile::PendingName*>, 4> pendingNames;

extern "C" void removePendingNames(int signal)
{
    for (const auto& slot : pendingNames)
        if (const ReplacingFile::PendingName* pending = slot.load())
            unlinkat(pending->folder, pending->name, 0);
    // The handler was reset on entry: the signal ends the program as it would have without us.
    raise(signal);
}

// Only signals that would end the program get the handler; one the program ignores or handles stays so. Looked at
// for every name, so that a disposition the program changed later is seen.
void installHandlers()
{
    for (const int signal : endingSignals) {
        struct sigaction old = {};
        if (sigaction(signal, nullptr, &old) != 0 || (old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL)
            continue;
        struct sigaction handler = {};
        handler.sa_handler = removePendingNames;
        handler.sa_flags = SA_RESETHAND;
        sigemptyset(&handler.sa_mask);
        for (const int other : endingSignals)
            sigaddset(&handler.sa_mask, other);
        sigaction(signal, &handler, nullptr);
    }
}

// Holds the ending signals back while a name is created or removed together with its slot.
class SignalsHeld {
public:
    SignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : endingSignals)
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &m_before);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &m_before, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t m_before;
};

void remember(const ReplacingFile::PendingName* pending)
{
    installHandlers();
    for (auto& slot : pendingNames) {
        const ReplacingFile::PendingName* empty = nullptr;
        if (slot.compare_exchange_strong(empty, pending))
            return;
    }
}

void forget(const ReplacingFile::PendingName* pending)
{
    for (auto& slot : pendingNames) {
        const ReplacingFile::PendingName* expected = pending;
        slot.compare_exchange_strong(expected, nullptr);
    }
}

int lastError()
{
    return errno != 0 ? errno : EIO;
}

// A hidden name beside the target that no other file is likely to have.
void chooseName(ReplacingFile::PendingName& pending)
{
    std::random_device random;
    const unsigned long long unique = static_cast<unsigned long long>(random()) << 32 | random();
    std::snprintf(pending.name, sizeof pending.name, ".quirlwerk-%016llx.tmp", unique);
}

// Gives a new file one hidden name after another until one is free, and puts it in a slot. The ending signals
// wait meanwhile, so that no name exists outside a slot.
void nameFreshly(ReplacingFile::PendingName& pending, int folder, const std::function<bool(const char* name)>& create)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const SignalsHeld held;
        chooseName(pending);
        if (create(pending.name)) {
            pending.folder = folder;
            remember(&pending);
            return;
        }
        pending.name[0] = '\0';
        if (errno != EEXIST)
            throw fileFailure(lastError());
    }
    throw fileFailure(EEXIST);
}

// The file a name leads to, link after link. A link that points nowhere yet leads to the file it names, as a
// shell's ">" does: replacing the link by a file would quietly undo what the user set up.
fs::path resolvedTarget(fs::path target)
{
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(target, error))
            return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error)
            throw fileFailure(error.value());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    throw fileFailure(ELOOP);
}

// The umask without changing it: the kernel shows it since Linux 4.7; before that, set and restore it.
mode_t currentUmask()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("Umask:"))
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

void closeFile(int& file)
{
    if (file >= 0)
        close(file);
    file = -1;
}

} // namespace

void writeAll(int file, std::span<const std::uint8_t> bytes, const WriteFunction& write)
{
    while (!bytes.empty()) {
        errno = 0;
        const ssize_t written = write ? write(file, bytes.data(), bytes.size()) : ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw fileFailure(written < 0 ? lastError() : EIO);
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
}

bool isSpecialFile(const fs::path& name)
{
    struct stat status = {};
    return stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

ReplacingFile::ReplacingFile(const fs::path& target, ReplacingOptions options)
    : m_target(resolvedTarget(target)), m_options(std::move(options))
{
    struct stat status = {};
    if (stat(m_target.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            throw fileFailure(EISDIR);
        if (!S_ISREG(status.st_mode))
            throw Failure(u"Keine gewöhnliche Datei");
        // A file the user may not write stays as it is, although its folder would let it be replaced.
        if (faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
            throw fileFailure(lastError());
        m_targetExists = true;
        m_mode = status.st_mode & 07777;
        m_owner = status.st_uid;
        m_group = status.st_gid;
    } else if (errno != ENOENT) {
        throw fileFailure(lastError());
    }
    if (m_target.filename().empty())
        throw fileFailure(EISDIR);

    const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
    m_folder = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        throw fileFailure(errno == ENOENT ? ENOTDIR : lastError());
    try {
        if (m_options.temporary == TemporaryKind::Unnamed) {
            m_file = openat(m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            // Linking it in later goes through /proc; without /proc the named file serves.
            if (m_file >= 0 && access(("/proc/self/fd/" + std::to_string(m_file)).c_str(), F_OK) != 0)
                closeFile(m_file);
            else if (m_file < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                throw fileFailure(lastError());
        }
        if (m_file < 0)
            nameFreshly(m_pending, m_folder, [this](const char* name) {
                m_file = openat(m_folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
                return m_file >= 0;
            });
    } catch (...) {
        closeFile(m_folder);
        throw;
    }
}

ReplacingFile::~ReplacingFile()
{
    closeFile(m_file);
    forgetName();
    closeFile(m_folder);
}

// Removes the temporary name, if there is one, together with its slot.
void ReplacingFile::forgetName()
{
    if (m_pending.name[0] == '\0')
        return;
    const SignalsHeld held;
    unlinkat(m_folder, m_pending.name, 0);
    forget(&m_pending);
    m_pending.name[0] = '\0';
}

void ReplacingFile::write(std::span<const std::uint8_t> bytes)
{
    writeAll(m_file, bytes, m_options.write);
}

// A file system that keeps no modes (FAT through FUSE) refuses them; the bytes count more, as cp decides.
void ReplacingFile::setMode(mode_t mode)
{
    const int result = m_options.setMode ? m_options.setMode(m_file, mode) : fchmod(m_file, mode);
    if (result != 0 && errno != ENOSYS && errno != EPERM && errno != EOPNOTSUPP)
        throw fileFailure(lastError());
}

void ReplacingFile::commit()
{
    if (fsync(m_file) != 0)   // a full disk may only show itself here
        throw fileFailure(lastError());
    if (m_targetExists) {
        // Root replacing a user's file keeps it the user's; anyone else cannot and keeps it their own.
        if (m_owner != geteuid() || m_group != getegid())
            (void)fchown(m_file, m_owner, m_group);
        setMode(m_mode);
    } else {
        setMode(0666 & ~currentUmask());
    }
    if (m_pending.name[0] == '\0') {
        const std::string self = "/proc/self/fd/" + std::to_string(m_file);
        nameFreshly(m_pending, m_folder, [&](const char* name) {
            return linkat(AT_FDCWD, self.c_str(), m_folder, name, AT_SYMLINK_FOLLOW) == 0;
        });
    }
    const int file = m_file;
    m_file = -1;
    if (close(file) != 0)
        throw fileFailure(lastError());
    {
        const SignalsHeld held;
        if (renameat(m_folder, m_pending.name, m_folder, m_target.filename().c_str()) != 0)
            throw fileFailure(lastError());   // the destructor removes the temporary name
        forget(&m_pending);
        m_pending.name[0] = '\0';
    }
    // Without this a power cut could bring back the old file, or none, after the user was told it is done.
    if (fsync(m_folder) != 0 && errno != EINVAL)
        throw fileFailure(lastError());
}

} // namespace quirlwerk::common
