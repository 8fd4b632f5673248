// The hex text of a run, read in large pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>

namespace quirlwerk::hexfile {

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

} // namespace quirlwerk::hexfile
