// The drawn picture: memory for a row only once a pixel reaches it, so a header's size costs nothing.
#pragma once

#include "bitmap/picture_model.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quirlwerk::bitmap {

// Rows are taken in the order they are first used from blocks of a few megabytes, so a picture costs
// the pixels drawn into it plus at most one block. A row never reached stays empty: colour 0,
// transparent. Drawn colours are opaque (0xFF in the top byte).
//
// Clearing keeps the blocks for the next rows, as far as the picture's size can use them: drawing the
// same picture again, as the window does at every step of a setting, then costs no fresh memory.
class PictureSurface {
public:
    // An empty picture of that size. The row table costs 12 bytes a row, so callers bound the height.
    void begin(std::int32_t width, std::int32_t height);
    // Every row empty again, the size kept.
    void clear();
    // No picture: 0 x 0, all memory given back.
    void reset() { begin(0, 0); }

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }

    // Row y (width colours) to draw into, transparent on first use.
    Colour* row(std::int32_t y);
    // Row y, or nullptr while no pixel has reached it.
    const Colour* drawnRow(std::int32_t y) const { return m_rows[static_cast<std::size_t>(y)]; }
    // The first `count` pixels of row y hold what was drawn.
    void rowDrawn(std::int32_t y, std::int32_t count);
    std::int32_t drawnCount(std::int32_t y) const { return m_drawn[static_cast<std::size_t>(y)]; }
    // Every pixel of every row has been drawn (true for a picture without pixels).
    bool complete() const { return m_complete == std::size_t(m_height); }

    // Memory held for pixels, blocks kept for reuse included.
    std::size_t allocatedBytes() const;

private:
    // Blocks of at least a huge page are mapped from the system directly (mappedBytes their length),
    // smaller ones come from the heap.
    struct FreeMemory {
        std::size_t mappedBytes;   // value-initialised: 0
        void operator()(Colour* memory) const;
    };
    struct Block {
        std::unique_ptr<Colour[], FreeMemory> memory;
        std::size_t colours = 0;
        bool zeroed = false;   // fresh from the system: rows from it need no clearing
    };

    void takeBlock();

    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::vector<Colour*> m_rows;
    std::vector<std::int32_t> m_drawn;
    std::size_t m_complete = 0;   // rows whose every pixel was drawn
    std::vector<Block> m_blocks;  // those in use first, then those kept for reuse
    std::size_t m_blocksInUse = 0;
    std::size_t m_blockUsed = 0;  // colours given out from the last block in use
};

} // namespace quirlwerk::bitmap
