// PNG with a palette through libpng: one index byte per pixel, row by row; Adam7 files are decoded whole first.
#include "palette/png_guard.h"
#include "palette/readers.h"

#include <cstring>
#include <string_view>

namespace quirlwerk::palette {
namespace {

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
                png_init_io(png, file);
                png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
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
            setDamage(u"Das Bild der PNG-Datei ist zu groß.");
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
            m_y = m_height;
            return false;
        }
        row = {m_y++, 0, std::span<const std::uint8_t>(m_row)};
        return true;
    }

    std::int32_t countFrames() override { return m_headerRead ? 1 : 0; }

private:
    static void onError(png_structp png, png_const_charp message)
    {
        auto* reader = static_cast<PngReader*>(png_get_error_ptr(png));
        std::strncpy(reader->m_error, message ? message : "", sizeof reader->m_error - 1);
        png_longjmp(png, 1);
    }
    static void onWarning(png_structp, png_const_charp) {}

    HeaderEnd damaged()
    {
        const std::string_view error(m_error);
        Text detail = u"ihre Daten sind fehlerhaft";
        if (error.find("CRC") != std::string_view::npos)
            detail = u"eine Prüfsumme stimmt nicht";
        else if (error.find("Read Error") != std::string_view::npos || error.find("Not enough") != std::string_view::npos ||
                 error.find("too short") != std::string_view::npos || error.empty())
            detail = u"sie endet vorzeitig";
        setDamage(u"Die PNG-Datei ist beschädigt: " + detail + u".");
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
    char m_error[128] = {};
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
