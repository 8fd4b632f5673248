// GIF's LZW decompression, row by row, from the frame's data sub-blocks.
// Its table, code widths and clear/end codes follow giflib's line decoder (DGifGetLine), so that it gives
// the same rows and fails at the same points; but it writes each string once, back to front, straight into
// the row, and it stops at an undefined code where giflib makes pixels up.
#pragma once

#include <array>
#include <cstdint>

namespace quirlwerk::palette {

class LzwDecoder {
public:
    enum class Failure { None, Cut, EndCodeTooSoon, Defect, UndefinedCode };

    // Reads the next data sub-block into `block` (at most 255 bytes): its length, 0 for the terminator,
    // -1 when the file breaks off.
    using NextBlock = int (*)(void* context, std::uint8_t* block);

    LzwDecoder(int codeSize, NextBlock next, void* context);

    // Fills `row` with the next `width` indices; false when the data breaks off or contradicts itself
    // before the row is whole (then failure() says how).
    bool decodeRow(std::uint8_t* row, int width);
    Failure failure() const { return m_failure; }

private:
    // Codes are at most 12 bits wide, so the table ends at code 4095. Once its last entry is defined the
    // table stops growing and the width stays 12 bits until the next clear code: encoders may go on with a
    // full table (a deferred clear), and every code then is one already in it.
    static constexpr int maxCodeBits = 12;
    static constexpr int maxCode = (1 << maxCodeBits) - 1;
    // The prefix of a root code (a single index) and of an entry not yet defined; above every code.
    static constexpr std::uint16_t noCode = maxCode + 3;

    struct Entry {
        std::uint16_t prefix;
        std::uint16_t length;   // of the whole string
        std::uint8_t suffix;
        std::uint8_t first;
    };

    bool readCode(int& code);
    bool fail(Failure failure);
    void clearTable();
    int nextFree() const { return m_running - 2; }
    bool decode(int code, std::uint8_t* out, int room, int& written);

    NextBlock m_next;
    void* m_context;
    Failure m_failure = Failure::None;

    int m_codeSize;
    int m_clear;
    int m_end;
    // Counts the codes as they are read, as giflib's RunningCode does: after a code is read it is two above
    // the next free code, the entry that code defines from the previous string and its own first byte.
    int m_running = 0;
    int m_bits = 0;    // the width of the next code
    int m_limit = 0;   // 1 << m_bits: once m_running passes it, the codes are one bit wider
    int m_last = noCode;   // the previous code since the last clear code

    std::uint64_t m_bitBuffer = 0;
    int m_bitCount = 0;
    std::array<std::uint8_t, 256 + 8> m_block{};
    int m_blockPos = 0;
    int m_blockEnd = 0;

    std::array<Entry, maxCode + 1> m_table{};
    // What a string left over after its row was full; the next rows begin with it.
    std::array<std::uint8_t, maxCode + 2> m_pending{};
    int m_pendingPos = 0;
    int m_pendingEnd = 0;
};

} // namespace quirlwerk::palette
