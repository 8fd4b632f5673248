// Readers of palette pictures (GIF, PNG, and the 8-bit bitmaps the bitmap library reads): the header facts,
// the colour table, and the index rows one at a time as they are decoded, so that a front end can draw each
// row as it arrives.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace quirlwerk::palette {

enum class Format { Gif, Png, Bmp };

// How many leading bytes formatOf looks at.
inline constexpr std::size_t signatureBytes = 8;

// The reader a file's first bytes call for; nothing for any other file. A PNG is named here whatever its
// colour type: the reader refuses the ones without a palette.
std::optional<Format> formatOf(std::span<const std::uint8_t> firstBytes);

// The largest picture a reader decodes: the same bound the bitmap run sets for its pictures.
inline constexpr std::int32_t maxSide = 65535;
inline constexpr std::int64_t maxPixels = std::int64_t(256) << 20;

inline constexpr bool withinBound(std::int64_t width, std::int64_t height)
{
    return width <= maxSide && height <= maxSide && width * height <= maxPixels;
}

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct PictureFacts {
    Format format = Format::Gif;
    std::int32_t width = 0;         // GIF: the logical screen, which the first frame may not fill
    std::int32_t height = 0;
    std::int32_t bitDepth = 0;      // bits per index in the file (GIF: of the colour table used)
    bool interlaced = false;
    std::int32_t transparent = -1;  // GIF: the first frame's transparent index; -1 for none
    std::vector<Rgb> colours;       // the table the first frame's indices refer to
    // BMP only: where the rows begin, their order, the compression field, and whether the colour table
    // ended inside an entry or beyond 256 of them (its load then fails after the entries before).
    std::int32_t dataOffset = 0;
    bool bottomUp = false;
    std::int32_t compression = 0;
    bool tableWhole = true;
};

// What reading the header found.
enum class HeaderEnd {
    Read,           // facts filled in; the rows may follow
    NotPalette,     // a PNG without a colour table of indices (true colour, grey)
    NoColourTable,  // a GIF whose first frame has neither a local nor a global table
    Damaged,        // the file breaks off or contradicts itself before the first row; see damage()
    WrongDepth,     // a bitmap of other than 8 bits per pixel
    TooLarge,       // beyond maxSide or maxPixels
};

// What kind of damage ended the reading.
enum class Damage {
    None,
    Cut,        // the file, or its image data, ended early
    Checksum,   // a PNG chunk's checksum does not match
    Defect,     // the data contradict themselves or the format
    UndefinedCode,   // a GIF's LZW code that is neither in the table nor the next free one
    TooLarge,   // a frame beyond the pixel bound
};

// One decoded row: `indices` belong to row y of the picture from column x on, already clipped to it.
struct IndexRow {
    std::int32_t y = 0;
    std::int32_t x = 0;
    std::span<const std::uint8_t> indices;
};

class PaletteReader {
public:
    virtual ~PaletteReader() = default;

    // The file's own header: for GIF and PNG everything before the first row, for a bitmap its file header.
    virtual HeaderEnd readHeader(PictureFacts& facts) = 0;
    // A bitmap's info block: size, depth, order. Throws common::Failure for a field that does not fit.
    virtual void readInfo(PictureFacts& facts) { (void)facts; }
    // Once the information line is shown: Read when the rows can come, else why not. A bitmap reads its
    // colour table here.
    virtual HeaderEnd check(PictureFacts& facts)
    {
        return withinBound(facts.width, facts.height) ? HeaderEnd::Read : HeaderEnd::TooLarge;
    }
    // The next row as it arrives, in the file's order (an interlaced GIF gives its rows pass by pass).
    // False when every row has come or the file broke off; then damage() says why. Rows that never come
    // stay empty. Only after check returned Read.
    virtual bool nextRow(IndexRow& row) = 0;
    // After the rows: how many pictures the file holds (frames of an animated GIF; 1 for a PNG). Reads on
    // to the end of the file; a break there is not a damage of the picture shown.
    virtual std::int32_t countFrames() = 0;

    // Why the file could not be read to its end, in German; nothing when it could.
    const std::optional<Text>& damage() const { return m_damage; }
    Damage damageKind() const { return m_kind; }

protected:
    void setDamage(Damage kind, Text why)
    {
        if (!m_damage) {
            m_kind = kind;
            m_damage = std::move(why);
        }
    }

private:
    std::optional<Text> m_damage;
    Damage m_kind = Damage::None;
};

// A reader for the file; nothing when it cannot be opened.
std::unique_ptr<PaletteReader> openReader(const std::filesystem::path& file, Format format);

// The format's name in the information line.
Text formatName(Format format);

} // namespace quirlwerk::palette
