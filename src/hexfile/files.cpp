// Reading the hex text and replacing the binary file safely.
#include "hexfile/files.h"

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

namespace quirlwerk::hexfile {
namespace fs = std::filesystem;

common::Failure fileFailure(int error)
{
    switch (error) {
    case ENOENT: return common::Failure(u"Datei nicht gefunden");
    case ENOTDIR: return common::Failure(u"Pfad nicht gefunden");
    case EACCES:
    case EPERM:
    case EROFS: return common::Failure(u"Zugriff verweigert");
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return common::Failure(u"Datenträger voll");
    case EISDIR:
    case EBUSY:
    case ETXTBSY: return common::Failure(u"Fehler beim Zugriff auf Pfad/Datei");
    case ENAMETOOLONG:
    case EINVAL: return common::Failure(u"Dateiname oder -nummer falsch");
    case EMFILE:
    case ENFILE: return common::Failure(u"Zu viele Dateien");
    default: return common::Failure(u"Fehler beim Geräte-E/A");
    }
}

namespace {

int lastError()
{
    return errno != 0 ? errno : EIO;
}

// An existing file the target names through a link is replaced itself, not the link.
fs::path resolvedTarget(const fs::path& target)
{
    std::error_code error;
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

// A new hidden file in the target's folder, so that moving it into place never copies.
FileHandle createTemporary(const fs::path& target, fs::path& name)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string unique = std::to_string(random());
        name = target.parent_path() / (".quirlwerk-" + unique + ".tmp");
        errno = 0;
        if (std::FILE* file = std::fopen(name.c_str(), "wbx"))
            return FileHandle(file);
        if (errno != EEXIST)
            throw fileFailure(errno == ENOENT ? ENOTDIR : lastError());
    }
    throw fileFailure(EEXIST);
}

} // namespace

InputFile::InputFile(const fs::path& name)
{
    errno = 0;
    m_file.reset(std::fopen(name.c_str(), "rb"));
    if (!m_file)
        throw fileFailure(lastError());
    std::setvbuf(m_file.get(), nullptr, _IONBF, 0);   // the caller reads large pieces itself
}

std::size_t InputFile::read(std::span<std::uint8_t> buffer)
{
    errno = 0;
    const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), m_file.get());
    if (count < buffer.size() && std::ferror(m_file.get()))
        throw fileFailure(lastError());
    return count;
}

ReplacingFile::ReplacingFile(const fs::path& target, WriteFunction write)
    : m_target(resolvedTarget(target)), m_write(std::move(write))
{
    std::error_code error;
    if (fs::is_directory(m_target, error))
        throw fileFailure(EISDIR);
    // A file the user may not write stays as it is, although its folder would let it be replaced.
    if (fs::exists(m_target, error)) {
        errno = 0;
        if (!FileHandle(std::fopen(m_target.c_str(), "r+b")))
            throw fileFailure(lastError());
    }
    m_file = createTemporary(m_target, m_temporary);
    std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
}

ReplacingFile::~ReplacingFile()
{
    if (m_committed)
        return;
    m_file.reset();
    std::error_code ignored;
    fs::remove(m_temporary, ignored);
}

void ReplacingFile::write(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return;
    errno = 0;
    if (m_write(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size())
        throw fileFailure(lastError());
}

void ReplacingFile::commit()
{
    errno = 0;
    if (std::fclose(m_file.release()) != 0)   // a full disk may only show itself here
        throw fileFailure(lastError());
    std::error_code error;
    const fs::file_status existing = fs::status(m_target, error);
    if (!error && fs::is_regular_file(existing))
        fs::permissions(m_temporary, existing.permissions(), error);
    fs::rename(m_temporary, m_target, error);
    if (error)
        throw fileFailure(error.value());
    m_committed = true;
}

} // namespace quirlwerk::hexfile
