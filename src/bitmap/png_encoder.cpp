// PNG through libpng. Its errors arrive by longjmp, so the C++ parts stay outside the function that
// catches them, and a failure of the output is carried across as an exception_ptr.
#include "bitmap/png_encoder.h"

#include "common/replacing_file.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <csetjmp>
#include <exception>
#include <memory>
#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace quirlwerk::bitmap {
namespace {

struct Context {
    const PngOutput* output;
    std::exception_ptr failure;
};

void writeBytes(png_structp png, png_bytep bytes, png_size_t size)
{
    auto* context = static_cast<Context*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        (*context->output)(bytes, size);
    } catch (...) {
        context->failure = std::current_exception();
        failed = true;
    }
    if (failed)
        png_error(png, "output failed");
}

void flushBytes(png_structp) {}

// The encoder's own lines on stderr would mix with the program's messages.
[[noreturn]] void quietError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void quietWarning(png_structp, png_const_charp) {}

// The picture's colours as a palette: entry 0 is "not drawn" (transparent) where any pixel was not drawn,
// the drawn colours follow in the given order, those it lacks in the order first met. Absent where they do not fit in 256 entries, or where a
// pixel is neither opaque nor undrawn, which a palette with one transparent entry could not keep exactly.
class IndexedColours {
public:
    static constexpr std::size_t maxEntries = 256;

    bool collect(const PictureSurface& picture, std::span<const Colour> order)
    {
        const std::size_t width = std::size_t(picture.width());
        bool undrawn = false;
        std::vector<Colour> drawn;
        for (std::int32_t y = 0; y < picture.height(); ++y) {
            const Colour* row = picture.drawnRow(y);
            if (!row) {
                undrawn = true;
                continue;
            }
            Colour last = row[0] + 1;   // differs from the first pixel
            for (std::size_t x = 0; x < width; ++x) {
                const Colour colour = row[x];
                if (colour == last)
                    continue;
                last = colour;
                if (colour == 0) {
                    undrawn = true;
                } else if (colour >> 24 != 0xFF) {
                    return false;
                } else if (!find(colour)) {
                    // One over the limit is enough to know it does not fit.
                    if (drawn.size() == maxEntries)
                        return false;
                    drawn.push_back(colour);
                    insert(colour, 0);
                }
            }
        }
        if (drawn.size() + (undrawn ? 1 : 0) > maxEntries)
            return false;
        m_entries.clear();
        m_ordered.clear();
        m_transparent = undrawn;
        if (undrawn)
            m_entries.push_back(0);
        // Ordered ones first: marked in the table, then given their entries; a colour listed twice keeps its first.
        std::vector<Colour> ordered;
        for (const Colour colour : order) {
            if (find(colour) && !m_ordered.contains(colour)) {
                m_ordered.insert(colour);
                ordered.push_back(colour);
            }
        }
        for (const Colour colour : drawn)
            if (!m_ordered.contains(colour))
                ordered.push_back(colour);
        m_slots.fill({0, 0});
        for (const Colour colour : ordered) {
            insert(colour, static_cast<std::uint8_t>(m_entries.size()));
            m_entries.push_back(colour);
        }
        return true;
    }

    const std::vector<Colour>& entries() const { return m_entries; }
    bool transparent() const { return m_transparent; }

    // The entry of a colour of the picture; undrawn pixels are entry 0.
    std::uint8_t indexOf(Colour colour) const
    {
        if (colour == 0)
            return 0;
        for (std::size_t slot = hash(colour);; slot = (slot + 1) & (slotCount - 1))
            if (m_slots[slot].colour == colour)
                return m_slots[slot].index;
    }

    // Smallest depth whose entries hold the palette: 1, 2, 4 or 8 bits.
    int bitDepth() const
    {
        int depth = 1;
        while (std::size_t(1) << depth < m_entries.size())
            depth *= 2;
        return depth;
    }

private:
    // Open addressing so sparsely filled that almost every colour sits in its first slot, which costs less per
    // pixel than anything cleverer; colour 0 never enters, so it marks a free slot.
    static constexpr std::size_t slotBits = 12;
    static constexpr std::size_t slotCount = std::size_t(1) << slotBits;
    struct Slot {
        Colour colour;
        std::uint8_t index;
    };

    static std::size_t hash(Colour colour) { return Colour(colour * 2654435761u) >> (32 - slotBits); }

    bool find(Colour colour) const
    {
        for (std::size_t slot = hash(colour);; slot = (slot + 1) & (slotCount - 1)) {
            if (m_slots[slot].colour == colour)
                return true;
            if (m_slots[slot].colour == 0)
                return false;
        }
    }

    void insert(Colour colour, std::uint8_t index)
    {
        std::size_t slot = hash(colour);
        while (m_slots[slot].colour != 0 && m_slots[slot].colour != colour)
            slot = (slot + 1) & (slotCount - 1);
        m_slots[slot] = {colour, index};
    }

    std::array<Slot, slotCount> m_slots{};
    std::vector<Colour> m_entries;
    std::unordered_set<Colour> m_ordered;
    bool m_transparent = false;
};

// No object with a destructor lives here, so the longjmp of an error skips nothing. `indices` holds a row.
bool writeIndexedRows(png_structp png, png_infop info, const PictureSurface& picture, const IndexedColours& colours,
                      png_bytep indices)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    const std::vector<Colour>& entries = colours.entries();
    png_color palette[IndexedColours::maxEntries];
    for (std::size_t i = 0; i < entries.size(); ++i)
        palette[i] = {png_byte(entries[i] >> 16), png_byte(entries[i] >> 8), png_byte(entries[i])};
    const int depth = colours.bitDepth();
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()), static_cast<png_uint_32>(picture.height()),
                 depth, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, palette, static_cast<int>(entries.size()));
    // Only entry 0 is transparent; entries past the tRNS list are opaque.
    png_byte alpha = 0;
    if (colours.transparent())
        png_set_tRNS(png, info, &alpha, 1, nullptr);
    png_write_info(png, info);
    if (depth < 8)
        png_set_packing(png);
    // With the table's order neighbouring indices differ little, and a row like the one above filters to zeros,
    // also where a byte holds several pixels: most flat pictures shrink to a quarter.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    // Filtered indices are no smooth residues: the plain strategy finds the longer matches (a tenth smaller
    // and no slower on dithered pictures than the filtered one libpng picks).
    png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
    const std::size_t width = std::size_t(picture.width());
    for (std::int32_t y = 0; y < picture.height(); ++y) {
        const Colour* row = picture.drawnRow(y);
        if (!row) {
            std::fill_n(indices, width, png_byte(0));
        } else {
            // Runs of one colour are common; the last lookup serves the whole run.
            Colour last = 0;
            png_byte lastIndex = 0;
            for (std::size_t x = 0; x < width; ++x) {
                if (row[x] != last) {
                    last = row[x];
                    lastIndex = colours.indexOf(last);
                }
                indices[x] = lastIndex;
            }
        }
        png_write_row(png, indices);
    }
    png_write_end(png, info);
    return true;
}

// 32-bit for the pictures a palette cannot hold. No object with a destructor lives here either.
bool writeColourRows(png_structp png, png_infop info, const PictureSurface& picture, png_const_bytep emptyRow)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    // Every pixel drawn: opaque, without an alpha channel to encode.
    const bool opaque = picture.complete();
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()), static_cast<png_uint_32>(picture.height()),
                 8, opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // A colour 0xAARRGGBB lies in memory as B, G, R, A on little-endian machines, as A, R, G, B elsewhere.
    constexpr bool little = std::endian::native == std::endian::little;
    if (little)
        png_set_bgr(png);
    if (opaque)
        png_set_filler(png, 0, little ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    else if (!little)
        png_set_swap_alpha(png);
    // Choosing a filter is most of the encoder's work; an empty row needs none.
    bool filtering = true;
    for (std::int32_t y = 0; y < picture.height(); ++y) {
        const Colour* row = picture.drawnRow(y);
        if (filtering != (row != nullptr)) {
            filtering = row != nullptr;
            png_set_filter(png, PNG_FILTER_TYPE_BASE, filtering ? PNG_ALL_FILTERS : PNG_FILTER_NONE);
        }
        png_write_row(png, row ? reinterpret_cast<png_const_bytep>(row) : emptyRow);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

void encodePng(const PictureSurface& picture, const PngOutput& output, std::span<const Colour> colourOrder,
               PngPixels pixels)
{
    // Everything that may throw comes before the encoder exists, so nothing leaks it.
    auto colours = std::make_unique<IndexedColours>();
    const bool indexed = pixels == PngPixels::fewest && colours->collect(picture, colourOrder);
    std::vector<png_byte> rowBuffer(std::size_t(picture.width()) * (indexed ? 1 : 4), 0);
    Context context{&output, nullptr};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info) {
        png_set_write_fn(png, &context, writeBytes, flushBytes);
        written = indexed ? writeIndexedRows(png, info, picture, *colours, rowBuffer.data())
                          : writeColourRows(png, info, picture, rowBuffer.data());
    }
    png_destroy_write_struct(&png, &info);
    if (context.failure)
        std::rethrow_exception(context.failure);
    if (!written)
        throw std::runtime_error("PNG encoder failed");
}

std::vector<Colour> tableOrder(const PictureModel& model)
{
    std::vector<Colour> colours;
    for (const FarbEintrag& entry : model.FarbTabelle)
        colours.push_back(drawingColour(entry));
    return colours;
}

void savePng(const PictureSurface& picture, const std::filesystem::path& target, std::span<const Colour> colourOrder)
{
    common::ReplacingFile file(target);
    encodePng(picture, [&file](const std::uint8_t* bytes, std::size_t size) { file.write({bytes, size}); }, colourOrder);
    file.commit();
}

} // namespace quirlwerk::bitmap
