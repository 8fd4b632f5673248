// Row storage of the drawn picture, taken block by block as rows are first drawn.
#include "bitmap/picture_surface.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace quirlwerk::bitmap {
namespace {

constexpr std::size_t hugePage = std::size_t(2) << 20;
constexpr std::size_t blockColours = 2 * hugePage / sizeof(Colour);

// Fresh zeroed memory on a huge-page boundary, in whole huge pages. Without huge pages the first touch of
// each 4 KiB page costs a fault of its own, and those faults cost about as much as decoding the picture.
// Returns nullptr when the system has no memory for it.
Colour* mapHugePages(std::size_t bytes)
{
    void* mapped = mmap(nullptr, bytes + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + hugePage - 1) & ~(hugePage - 1);
    // Give back what lies before and after the aligned span.
    if (aligned > start)
        munmap(mapped, aligned - start);
    if (const std::size_t after = start + bytes + hugePage - (aligned + bytes); after > 0)
        munmap(reinterpret_cast<void*>(aligned + bytes), after);
    // Only a request: a kernel without transparent huge pages maps small pages, the same memory.
    madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    return reinterpret_cast<Colour*>(aligned);
}

} // namespace

void PictureSurface::FreeMemory::operator()(Colour* memory) const
{
    if (mappedBytes > 0)
        munmap(memory, mappedBytes);
    else
        std::free(memory);
}

void PictureSurface::begin(std::int32_t width, std::int32_t height)
{
    m_width = std::max(width, 0);
    m_height = m_width > 0 ? std::max(height, 0) : 0;
    m_rows = {};
    m_drawn = {};
    m_rows.assign(static_cast<std::size_t>(m_height), nullptr);
    m_drawn.assign(static_cast<std::size_t>(m_height), 0);
    clear();
    // Keep only the blocks this picture could fill, and none too small for its rows.
    const std::size_t needed = std::size_t(m_width) * std::size_t(m_height);
    std::size_t kept = 0;
    std::erase_if(m_blocks, [&](const Block& block) {
        const bool keep = block.colours >= std::size_t(m_width) && kept < needed;
        if (keep)
            kept += block.colours;
        return !keep;
    });
}

void PictureSurface::clear()
{
    std::fill(m_rows.begin(), m_rows.end(), nullptr);
    std::fill(m_drawn.begin(), m_drawn.end(), 0);
    m_complete = 0;
    for (std::size_t i = 0; i < m_blocksInUse; ++i)
        m_blocks[i].zeroed = false;
    m_blocksInUse = 0;
    m_blockUsed = 0;
}

void PictureSurface::takeBlock()
{
    if (m_blocksInUse < m_blocks.size()) {
        ++m_blocksInUse;
        m_blockUsed = 0;
        return;
    }
    // No bigger than the whole picture, so that a small one takes little; at least one row.
    std::size_t colours = std::max(std::size_t(m_width), std::min(blockColours, std::size_t(m_width) * std::size_t(m_height)));
    Block block;
    if (colours * sizeof(Colour) >= hugePage) {
        // Rounded up to whole huge pages; the rows use the rest of the last one too.
        const std::size_t bytes = (colours * sizeof(Colour) + hugePage - 1) / hugePage * hugePage;
        colours = bytes / sizeof(Colour);
        block.memory = {mapHugePages(bytes), FreeMemory{bytes}};
    } else {
        // calloc: fresh memory from the system comes zeroed without a pass over it.
        block.memory.reset(static_cast<Colour*>(std::calloc(colours, sizeof(Colour))));
    }
    if (!block.memory)
        throw std::bad_alloc();
    block.colours = colours;
    block.zeroed = true;
    m_blocks.push_back(std::move(block));
    m_blocksInUse = m_blocks.size();
    m_blockUsed = 0;
}

Colour* PictureSurface::row(std::int32_t y)
{
    Colour*& row = m_rows[static_cast<std::size_t>(y)];
    if (row)
        return row;
    if (m_blocksInUse == 0 || m_blockUsed + std::size_t(m_width) > m_blocks[m_blocksInUse - 1].colours)
        takeBlock();
    Block& block = m_blocks[m_blocksInUse - 1];
    row = block.memory.get() + m_blockUsed;
    m_blockUsed += std::size_t(m_width);
    if (!block.zeroed)
        std::fill_n(row, m_width, Colour(0));
    return row;
}

void PictureSurface::rowDrawn(std::int32_t y, std::int32_t count)
{
    std::int32_t& drawn = m_drawn[static_cast<std::size_t>(y)];
    const bool wasComplete = drawn == m_width;
    drawn = std::max(drawn, std::min(count, m_width));
    if (!wasComplete && drawn == m_width)
        ++m_complete;
}

std::size_t PictureSurface::allocatedBytes() const
{
    std::size_t colours = 0;
    for (const Block& block : m_blocks)
        colours += block.colours;
    return colours * sizeof(Colour);
}

} // namespace quirlwerk::bitmap
