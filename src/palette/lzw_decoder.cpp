#include "palette/lzw_decoder.h"

#include <algorithm>
#include <cstring>

namespace quirlwerk::palette {

LzwDecoder::LzwDecoder(int codeSize, NextBlock next, void* context)
    : m_next(next), m_context(context), m_codeSize(codeSize), m_clear(1 << codeSize), m_end(m_clear + 1)
{
    for (int code = 0; code <= maxCode; ++code)
        m_table[std::size_t(code)] = {noCode, 1, std::uint8_t(code), std::uint8_t(code)};
    clearTable();
}

bool LzwDecoder::fail(Failure failure)
{
    m_failure = failure;
    return false;
}

void LzwDecoder::clearTable()
{
    for (Entry& entry : m_table)
        entry.prefix = noCode;
    m_running = m_end + 1;
    m_bits = m_codeSize + 1;
    m_limit = 1 << m_bits;
    m_last = noCode;
}

bool LzwDecoder::readCode(int& code)
{
    if (m_bitCount < m_bits) {
        if (m_blockEnd - m_blockPos >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, m_block.data() + m_blockPos, sizeof word);
            m_bitBuffer |= word << m_bitCount;
            m_blockPos += (63 - m_bitCount) >> 3;
            m_bitCount |= 56;
        } else {
            // Near a block's end: the next block is read only when a code needs its bits, so that a file
            // cut there loses no row that could be decoded.
            while (m_bitCount < m_bits) {
                if (m_blockPos == m_blockEnd) {
                    const int length = m_next(m_context, m_block.data());
                    if (length < 0)
                        return fail(Failure::Cut);
                    if (length == 0)
                        return fail(Failure::Defect);
                    m_blockPos = 0;
                    m_blockEnd = length;
                }
                m_bitBuffer |= std::uint64_t(m_block[std::size_t(m_blockPos++)]) << m_bitCount;
                m_bitCount += 8;
            }
        }
    }
    code = int(m_bitBuffer & ((1u << m_bits) - 1));
    m_bitBuffer >>= m_bits;
    m_bitCount -= m_bits;
    // A full table (the next free code past 4095) stays as it is until the next clear code.
    if (m_running < maxCode + 2 && ++m_running > m_limit && m_bits < maxCodeBits) {
        m_limit <<= 1;
        ++m_bits;
    }
    return true;
}

bool LzwDecoder::decodeRow(std::uint8_t* row, int width)
{
    if (m_failure != Failure::None)
        return false;
    int filled = std::min(width, m_pendingEnd - m_pendingPos);
    std::memcpy(row, m_pending.data() + m_pendingPos, std::size_t(filled));
    m_pendingPos += filled;
    while (filled < width) {
        int code = 0;
        if (!readCode(code))
            return false;
        if (code == m_end)
            return fail(Failure::EndCodeTooSoon);
        if (code == m_clear) {
            clearTable();
            continue;
        }
        int written = 0;
        if (!decode(code, row + filled, width - filled, written))
            return false;
        filled += written;
    }
    return true;
}

// Every entry is a known string, written once from its last byte to its first.
bool LzwDecoder::decode(int code, std::uint8_t* out, int room, int& written)
{
    Entry* const table = m_table.data();
    const int slot = nextFree();
    int first = 0;
    if (code < m_clear) {
        *out = std::uint8_t(code);
        written = 1;
        first = code;
    } else {
        const bool known = table[code].prefix != noCode;
        // The only code a stream may use before the table holds it is the next free one, and never as the
        // first code after a clear code. Any other is undefined: giflib invents its pixels, we stop.
        if (!known && (code != slot || m_last == noCode))
            return fail(Failure::UndefinedCode);
        // A code not yet in the table is the previous string and its own first byte.
        const int base = known ? code : m_last;
        const int length = table[base].length + (known ? 0 : 1);
        first = table[base].first;
        std::uint8_t* target = length <= room ? out : m_pending.data();
        int at = length - 1;
        if (!known)
            target[at--] = std::uint8_t(first);
        int c = base;
        for (; at > 0; --at) {
            target[at] = table[c].suffix;
            c = table[c].prefix;
        }
        target[0] = std::uint8_t(c);
        if (length <= room) {
            written = length;
        } else {
            std::memcpy(out, target, std::size_t(room));
            m_pendingPos = room;
            m_pendingEnd = length;
            written = room;
        }
    }
    if (m_last != noCode && table[slot].prefix == noCode)
        table[slot] = {std::uint16_t(m_last), std::uint16_t(table[m_last].length + 1), std::uint8_t(first),
                       table[m_last].first};
    m_last = code;
    return true;
}

} // namespace quirlwerk::palette
