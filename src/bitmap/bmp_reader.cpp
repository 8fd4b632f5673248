// The bitmap reader: header fields, colour table and padded rows in the file's order.
#include "bitmap/bmp_reader.h"

#include "common/failure.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quirlwerk::bitmap {
namespace {

constexpr std::size_t infoFieldBytes = 32;      // the info header fields a run reads, after its size field
constexpr std::size_t readBytes = 256 * 1024;   // pixel rows are read in pieces of about this size

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

class BmpReader : public palette::PaletteReader {
public:
    explicit BmpReader(File file) : m_file(std::move(file)) {}

    palette::HeaderEnd readHeader(palette::PictureFacts& facts) override
    {
        const std::vector<std::uint8_t> header = readPiece(headerBytes, headerBytes);
        facts.format = palette::Format::Bmp;
        facts.dataOffset = LeseLong(header, 11);
        m_infoSize = header;
        return palette::HeaderEnd::Read;
    }

    void readInfo(palette::PictureFacts& facts) override
    {
        const std::int32_t infoSize = LeseLong(m_infoSize, 15);
        if (infoSize - 4 < 1)
            throw common::Failure::indexOutOfRange();
        m_tableStart = std::int64_t(infoSize) + 14;
        // Only the fields' bytes are kept; a longer header of any size is stepped over.
        const std::vector<std::uint8_t> info = readPiece(infoSize - 4, infoFieldBytes);
        facts.width = LeseLong(info, 1);
        const std::int32_t storedHeight = LeseLongMitVorzeichen(info, 5);
        if (storedHeight == std::numeric_limits<std::int32_t>::min())
            throw common::Failure::overflow();
        facts.bottomUp = storedHeight > 0;
        facts.height = facts.bottomUp ? storedHeight : -storedHeight;
        facts.bitDepth = readWord(info, 11);
        facts.compression = LeseLong(info, 13);
        m_colourCount = LeseLong(info, 29);
        if (m_colourCount == 0)
            m_colourCount = 256;
    }

    palette::HeaderEnd check(palette::PictureFacts& facts) override
    {
        if (facts.bitDepth != 8)
            return palette::HeaderEnd::WrongDepth;
        if (!palette::withinBound(facts.width, facts.height))
            return palette::HeaderEnd::TooLarge;
        if (m_tableStart > std::numeric_limits<std::int32_t>::max())
            throw common::Failure::overflow();
        if (facts.dataOffset <= m_tableStart)
            return palette::HeaderEnd::NoColourTable;
        const std::int64_t tableLength = facts.dataOffset - m_tableStart;
        const std::vector<std::uint8_t> table = readPiece(tableLength, usableTableBytes);
        facts.colours.clear();
        facts.tableWhole = bmpColours(table, tableLength, m_colourCount, facts.colours);
        m_width = facts.width;
        m_height = facts.height;
        m_bottomUp = facts.bottomUp;
        return palette::HeaderEnd::Read;
    }

    // Rows in the file's order, each padded to a multiple of 4 bytes, several rows per read. A file that
    // ends early leaves the rows it did not reach empty; a row it cut short is given as far as it goes.
    bool nextRow(palette::IndexRow& row) override
    {
        if (m_cut || m_done >= m_height || m_width == 0)
            return false;
        const std::size_t paddedWidth = (static_cast<std::size_t>(m_width) + 3) / 4 * 4;
        if (m_available == 0) {
            const std::size_t rowsPerRead = std::max<std::size_t>(1, readBytes / paddedWidth);
            const std::size_t rows = std::min<std::size_t>(rowsPerRead, static_cast<std::size_t>(m_height - m_done));
            m_chunk.resize(rowsPerRead * paddedWidth);
            m_available = read(m_chunk.data(), rows * paddedWidth);
            m_at = 0;
            if (m_available == 0)
                return false;
        }
        const auto drawn = static_cast<std::int32_t>(std::min<std::size_t>(m_available, std::size_t(m_width)));
        row = {m_bottomUp ? m_height - 1 - m_done : m_done, 0,
               std::span<const std::uint8_t>(m_chunk.data() + m_at, static_cast<std::size_t>(drawn))};
        m_available -= std::min(m_available, paddedWidth);
        m_at += paddedWidth;
        ++m_done;
        m_cut = drawn < m_width;
        return true;
    }

    std::int32_t countFrames() override { return 1; }

private:
    // Up to `count` bytes; none once the file has ended.
    std::size_t read(std::uint8_t* bytes, std::size_t count)
    {
        if (m_ended)
            return 0;
        const std::size_t got = std::fread(bytes, 1, count, m_file.get());
        m_ended = got < count;
        return got;
    }

    // The next `length` bytes of the file; the first `kept` of them are returned, zero where the file ended.
    std::vector<std::uint8_t> readPiece(std::int64_t length, std::size_t kept)
    {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::int64_t>(length, std::int64_t(kept))));
        read(bytes.data(), bytes.size());
        if (const std::int64_t skipped = length - std::int64_t(bytes.size()); skipped > 0 && !m_ended)
            std::fseek(m_file.get(), static_cast<long>(skipped), SEEK_CUR);
        return bytes;
    }

    File m_file;
    bool m_ended = false;
    std::vector<std::uint8_t> m_infoSize;   // the file header, whose last field is the info header's size
    std::int64_t m_tableStart = 0;
    std::int32_t m_colourCount = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    bool m_bottomUp = true;
    std::vector<std::uint8_t> m_chunk;
    std::size_t m_available = 0;
    std::size_t m_at = 0;
    std::int32_t m_done = 0;
    bool m_cut = false;
};

} // namespace

bool bmpColours(Bytes table, std::int64_t tableLength, std::int32_t colourCount, std::vector<palette::Rgb>& colours)
{
    // Positions count from 1, as the bytes of the table are numbered.
    for (std::int64_t i = 1; i < tableLength && std::int32_t(colours.size()) < colourCount; i += 4) {
        if (colours.size() >= 256 || i + 2 > tableLength || static_cast<std::size_t>(i + 2) > table.size())
            return false;
        colours.push_back({table[i + 1], table[i], table[i - 1]});
    }
    return true;
}

std::unique_ptr<palette::PaletteReader> openPicture(const std::filesystem::path& file)
{
    File opened(std::fopen(file.c_str(), "rb"));
    if (!opened)
        throw common::Failure(u"Fehler beim Zugriff auf Pfad/Datei");
    std::array<std::uint8_t, headerBytes> first{};
    const std::size_t got = std::fread(first.data(), 1, first.size(), opened.get());
    const std::span<const std::uint8_t> bytes(first.data(), got);
    if (got >= 2 && first[0] == 'B' && first[1] == 'M') {
        std::rewind(opened.get());
        return std::make_unique<BmpReader>(std::move(opened));
    }
    const auto format = palette::formatOf(bytes);
    if (!format)
        return nullptr;
    opened.reset();
    auto reader = palette::openReader(file, *format);
    if (!reader)
        throw common::Failure(u"Fehler beim Zugriff auf Pfad/Datei");
    return reader;
}

} // namespace quirlwerk::bitmap
