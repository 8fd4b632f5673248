// PNG with a palette through libpng: one index byte per pixel, row by row; Adam7 files are decoded whole first.
#include "palette/png_guard.h"
#include "palette/readers.h"

#include <cstdio>
#include <utility>

namespace quirlwerk::palette {
namespace {

// Every ancillary chunk libpng would otherwise read (and allocate for), as type names of 5 bytes each.
constexpr png_byte ancillaryChunks[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0"
                                       "sRGB\0tEXt\0tIME\0tRNS\0zTXt\0";
constexpr int ancillaryCount = (sizeof ancillaryChunks - 1) / 5;

class PngReader : public PaletteReader {
public:
    explicit PngReader(File file) : m_file(std::move(file)) {}
    ~PngReader() override
    {
        if (m_png)
            png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr);
    }

    HeaderEnd readHeader(PictureFacts& facts) override
    {
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
        if (!m_png || !(m_info = png_create_info_struct(m_png)))
            return damaged();
        png_structp png = m_png;
        png_infop info = m_info;
        std::FILE* file = m_file.get();
        // The bitmap run's own size check gives the message for large pictures, so libpng's lower default
        // limits are lifted; nothing is allocated for the size before that check.
        if (!guarded(png, [&] {
                png_set_read_fn(png, file, readInput);
                png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
                // The picture needs IHDR, PLTE, IDAT and IEND only. Every other chunk is passed over unread,
                // so that no compressed text or profile can cost memory.
                png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
                png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, ancillaryChunks, ancillaryCount);
                png_read_info(png, info);
            }))
            return damaged();
        if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE)
            return HeaderEnd::NotPalette;
        png_colorp palette = nullptr;
        int entries = 0;
        if (png_get_PLTE(png, info, &palette, &entries) != PNG_INFO_PLTE)
            return HeaderEnd::NoColourTable;
        facts.format = Format::Png;
        facts.width = static_cast<std::int32_t>(png_get_image_width(png, info));
        facts.height = static_cast<std::int32_t>(png_get_image_height(png, info));
        facts.bitDepth = png_get_bit_depth(png, info);
        facts.interlaced = png_get_interlace_type(png, info) == PNG_INTERLACE_ADAM7;
        facts.transparent = -1;   // tRNS is not applied: a transparent entry is drawn with its colour
        facts.colours.clear();
        for (int i = 0; i < entries; ++i)
            facts.colours.push_back({palette[i].red, palette[i].green, palette[i].blue});
        m_width = facts.width;
        m_height = facts.height;
        m_interlaced = facts.interlaced;
        if (!guarded(png, [&] {
                if (png_get_bit_depth(png, info) < 8)
                    png_set_packing(png);   // one byte per index, values unchanged
                png_read_update_info(png, info);
            }))
            return damaged();
        m_headerRead = true;
        return HeaderEnd::Read;
    }

    bool nextRow(IndexRow& row) override
    {
        if (!m_headerRead || m_y >= m_height)
            return false;
        if (m_width <= 0 || m_width > maxSide || m_height > maxSide || std::int64_t(m_width) * m_height > maxPixels) {
            setDamage(Damage::TooLarge, u"Das Bild der PNG-Datei ist zu groß.");
            m_y = m_height;
            return false;
        }
        if (m_interlaced)
            return nextWholeRow(row);
        if (m_row.empty())
            m_row.resize(static_cast<std::size_t>(m_width));
        png_structp png = m_png;
        png_bytep target = m_row.data();
        if (!guarded(png, [&] { png_read_row(png, target, nullptr); })) {
            damaged();
            // libpng counts a row once it is copied out, before it reads what follows the image data: a
            // file cut behind the last row's data still shows that row.
            const bool copied = png_get_current_row_number(png) > png_uint_32(m_y);
            const std::int32_t y = std::exchange(m_y, m_height);
            if (!copied)
                return false;
            row = {y, 0, std::span<const std::uint8_t>(m_row)};
            return true;
        }
        row = {m_y++, 0, std::span<const std::uint8_t>(m_row)};
        return true;
    }

    std::int32_t countFrames() override { return m_headerRead ? 1 : 0; }

private:
    // What broke, told by where libpng was when it gave up, not by its English words.
    enum class Failure {
        Cut,    // the file ended, or the image data ended before the picture did
        Crc,    // a chunk's checksum did not match
        Data,   // anything else the data contradicts
    };

    static void readInput(png_structp png, png_bytep data, png_size_t length)
    {
        if (std::fread(data, 1, length, static_cast<std::FILE*>(png_get_io_ptr(png))) != length) {
            static_cast<PngReader*>(png_get_error_ptr(png))->m_fileEnded = true;
            png_error(png, nullptr);
        }
    }

    // A well-formed chunk other than IDAT where the rows wanted more image data: the data ended early.
    static bool otherChunk(png_uint_32 type)
    {
        for (int shift = 0; shift < 32; shift += 8) {
            const auto c = static_cast<char>(type >> shift);
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                return false;
        }
        return type != 0x49444154u;   // IDAT
    }

    // What broke, told by where libpng was when it gave up, not by its English words.
    static void onError(png_structp png, png_const_charp)
    {
        auto* reader = static_cast<PngReader*>(png_get_error_ptr(png));
        const png_uint_32 state = png_get_io_state(png);
        if (reader->m_fileEnded || (reader->m_headerRead && otherChunk(png_get_io_chunk_type(png))))
            reader->m_failure = Damage::Cut;
        else if ((state & PNG_IO_MASK_LOC) == PNG_IO_CHUNK_CRC)
            reader->m_failure = Damage::Checksum;
        else
            reader->m_failure = Damage::Defect;
        png_longjmp(png, 1);
    }
    static void onWarning(png_structp, png_const_charp) {}

    HeaderEnd damaged()
    {
        const Text detail = m_failure == Damage::Cut        ? u"sie endet vorzeitig"
                            : m_failure == Damage::Checksum ? u"eine Prüfsumme stimmt nicht"
                                                            : u"ihre Daten sind fehlerhaft";
        setDamage(m_failure, u"Die PNG-Datei ist beschädigt: " + detail + u".");
        return HeaderEnd::Damaged;
    }

    // Adam7: all seven passes into one index per pixel, then the rows in order. A row's storage comes with its
    // first pixels, so a file that breaks off early costs only the rows it reached; of those, only the rows
    // whose last pass arrived are given.
    bool nextWholeRow(IndexRow& row)
    {
        if (m_whole.empty()) {
            m_whole.resize(static_cast<std::size_t>(m_height));
            decodePasses();
        }
        while (m_y < m_height) {
            const std::int32_t y = m_y++;
            if (rowComplete(y)) {
                m_given = std::move(m_whole[std::size_t(y)]);   // each row is given once
                row = {y, 0, std::span<const std::uint8_t>(m_given)};
                return true;
            }
        }
        return false;
    }

    static bool passEmpty(int pass, std::int32_t width, std::int32_t height)
    {
        return PNG_PASS_COLS(png_uint_32(width), pass) == 0 || PNG_PASS_ROWS(png_uint_32(height), pass) == 0;
    }

    void decodePasses()
    {
        std::vector<std::uint8_t> part(static_cast<std::size_t>(m_width));
        png_structp png = m_png;
        for (int pass = 0; pass < 7; ++pass) {
            if (passEmpty(pass, m_width, m_height))
                continue;
            const png_uint_32 columns = PNG_PASS_COLS(png_uint_32(m_width), pass);
            const png_uint_32 rows = PNG_PASS_ROWS(png_uint_32(m_height), pass);
            for (png_uint_32 r = 0; r < rows; ++r) {
                png_bytep target = part.data();
                if (!guarded(png, [&] { png_read_row(png, target, nullptr); })) {
                    damaged();
                    m_failedPass = pass;
                    m_failedRow = static_cast<std::int32_t>(r);
                    return;
                }
                std::vector<std::uint8_t>& out = m_whole[std::size_t(PNG_ROW_FROM_PASS_ROW(r, pass))];
                if (out.empty())
                    out.resize(static_cast<std::size_t>(m_width));
                for (png_uint_32 c = 0; c < columns; ++c)
                    out[PNG_COL_FROM_PASS_COL(c, pass)] = part[c];
            }
        }
    }

    bool rowComplete(std::int32_t y) const
    {
        if (m_failedPass > 6)
            return true;
        int last = 6;
        while (passEmpty(last, m_width, m_height) || !PNG_ROW_IN_INTERLACE_PASS(png_uint_32(y), last))
            --last;
        return last < m_failedPass ||
               (last == m_failedPass && std::int32_t(png_uint_32(y) >> PNG_PASS_ROW_SHIFT(last)) < m_failedRow);
    }

    File m_file;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    bool m_fileEnded = false;
    Damage m_failure = Damage::Cut;
    bool m_headerRead = false;
    bool m_interlaced = false;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_y = 0;
    std::vector<std::uint8_t> m_row;
    std::vector<std::vector<std::uint8_t>> m_whole;   // Adam7: the rows as their passes arrive
    std::vector<std::uint8_t> m_given;
    int m_failedPass = 7;   // 7: every pass arrived
    std::int32_t m_failedRow = 0;
};

} // namespace

std::unique_ptr<PaletteReader> makePngReader(File file)
{
    return std::make_unique<PngReader>(std::move(file));
}

} // namespace quirlwerk::palette
