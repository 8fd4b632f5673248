// Standard output and standard error through the common writer.
#include "common/file_stream_buffer.h"

#include <cstdint>

namespace quirlwerk::common {

FileStreamBuffer::FileStreamBuffer(int file, WriteFunction write)
    : m_file(file), m_write(std::move(write)), m_buffer(std::size_t{1} << 16)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

bool FileStreamBuffer::drain()
{
    if (!m_failure) {
        try {
            writeAll(m_file, {reinterpret_cast<const std::uint8_t*>(pbase()), static_cast<std::size_t>(pptr() - pbase())},
                     m_write);
        } catch (const Failure& failure) {
            m_failure = failure;
        }
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return !m_failure;
}

FileStreamBuffer::int_type FileStreamBuffer::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FileStreamBuffer::sync()
{
    return drain() ? 0 : -1;
}

} // namespace quirlwerk::common
