// A stream buffer over an open file such as standard output, writing through the common writer. It keeps the
// first failure, so that a full disk or a file-size limit on standard output is noticed rather than lost.
#pragma once

#include "common/failure.h"
#include "common/replacing_file.h"

#include <optional>
#include <streambuf>
#include <vector>

namespace quirlwerk::common {

class FileStreamBuffer : public std::streambuf {
public:
    explicit FileStreamBuffer(int file, WriteFunction write = {});
    FileStreamBuffer(const FileStreamBuffer&) = delete;
    FileStreamBuffer& operator=(const FileStreamBuffer&) = delete;

    // After the first failure nothing more is written, and the stream using the buffer goes bad.
    const std::optional<Failure>& failure() const { return m_failure; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    int m_file;
    WriteFunction m_write;
    std::vector<char> m_buffer;
    std::optional<Failure> m_failure;
};

} // namespace quirlwerk::common
