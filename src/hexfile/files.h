// The two files of a run: the hex text read in large pieces, and the binary file written beside its target
// and moved into place only when the run has written it whole.
#pragma once

#include "common/failure.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>

namespace quirlwerk::hexfile {

// A failure of the file system, described in German ("Datenträger voll", "Zugriff verweigert", ...).
common::Failure fileFailure(int error);

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

class InputFile {
public:
    explicit InputFile(const std::filesystem::path& name);
    // Fills the front of the buffer; 0 at the end of the file.
    std::size_t read(std::span<std::uint8_t> buffer);

private:
    FileHandle m_file;
};

// Writes like std::fwrite; a short count with errno set is a failure.
using WriteFunction =
    std::function<std::size_t(const void* data, std::size_t size, std::size_t count, std::FILE* file)>;

// Until commit() the target stays as it was; a replacement that is dropped removes its temporary file.
class ReplacingFile {
public:
    ReplacingFile(const std::filesystem::path& target, WriteFunction write);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void write(std::span<const std::uint8_t> bytes);
    void commit();

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    FileHandle m_file;
    WriteFunction m_write;
    bool m_committed = false;
};

} // namespace quirlwerk::hexfile
