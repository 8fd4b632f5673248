// Reading the hex text in large pieces.
#include "hexfile/input_file.h"

#include "common/replacing_file.h"

#include <cerrno>

namespace quirlwerk::hexfile {
namespace {

int lastError()
{
    return errno != 0 ? errno : EIO;
}

} // namespace

InputFile::InputFile(const std::filesystem::path& name)
{
    errno = 0;
    m_file.reset(std::fopen(name.c_str(), "rb"));
    if (!m_file)
        throw common::fileFailure(lastError());
    std::setvbuf(m_file.get(), nullptr, _IONBF, 0);   // the caller reads large pieces itself
}

std::size_t InputFile::read(std::span<std::uint8_t> buffer)
{
    errno = 0;
    const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), m_file.get());
    if (count < buffer.size() && std::ferror(m_file.get()))
        throw common::fileFailure(lastError());
    return count;
}

} // namespace quirlwerk::hexfile
