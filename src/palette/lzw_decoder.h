// GIF's LZW decompression, row by row, from the frame's data sub-blocks.
// It gives the same rows and fails at the same points as giflib's own line decoder, including on damaged
// streams, but writes each string once, back to front, straight into the row.
#pragma once

#include <array>
#include <cstdint>

namespace quirlwerk::palette {

class LzwDecoder {
public:
    enum class Failure { None, Cut, EndCodeTooSoon, Defect };

    // Reads the next data sub-block into `block` (at most 255 bytes): its length, 0 for the terminator,
    // -1 when the file breaks off.
    using NextBlock = int (*)(void* context, std::uint8_t* block);

    LzwDecoder(int codeSize, NextBlock next, void* context);

    // Fills `row` with the next `width` indices; false when the data breaks off or contradicts itself
    // before the row is whole (then failure() says how).
    bool decodeRow(std::uint8_t* row, int width);
    Failure failure() const { return m_failure; }

private:
    static constexpr int maxCode = 4095;
    static constexpr std::uint16_t noCode = 4098;

    struct Entry {
        std::uint16_t prefix;
        std::uint16_t length;   // of the whole string; kept only while the table is sound
        std::uint8_t suffix;
        std::uint8_t first;
    };

    bool readCode(int& code);
    bool fail(Failure failure);
    void clearTable();
    bool decodeSound(int code, std::uint8_t* out, int room, int& written);
    bool decodeDamaged(int code, std::uint8_t* out, int room, int& written);
    int firstOf(int code) const;

    NextBlock m_next;
    void* m_context;
    Failure m_failure = Failure::None;

    int m_codeSize;
    int m_clear;
    int m_end;
    int m_running = 0;   // one above the next free slot, as the codes are counted while read
    int m_bits = 0;
    int m_limit = 0;
    int m_last = noCode;
    bool m_sound = true;   // every entry's string is known by its length and first byte

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
    std::array<std::uint8_t, maxCode + 2> m_stack{};
};

} // namespace quirlwerk::palette
