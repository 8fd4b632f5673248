// The bitmap run: each step names itself in Schritt so that a failure says where it happened.
#include "bitmap/zeichne_bitmap.h"

#include "bitmap/header_fields.h"
#include "bitmap/palette.h"
#include "bitmap/palette_picture.h"
#include "bitmap/twins.h"
#include "common/failure.h"
#include "common/utf8.h"
#include "palette/palette_reader.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace quirlwerk::bitmap {
namespace {

using common::Icon;

constexpr std::size_t infoFieldBytes = 32;   // the info header fields a run reads, after its size field
constexpr std::size_t fileBufferBytes = 64 * 1024;
constexpr std::size_t readBytes = 256 * 1024;   // pixel rows are read in pieces of about this size

static_assert(maxPictureSide == palette::maxSide && maxPicturePixels == palette::maxPixels);
constexpr TextView tooLargeMessage =
    u"Das Bild ist zu groß zum Anzeigen: höchstens 32767 Pixel Breite und Höhe und höchstens 256 Megapixel!";

std::int32_t checkedTwips(std::int32_t pixels)
{
    if (pixels > std::numeric_limits<std::int32_t>::max() / 15)
        throw common::Failure::overflow();
    return pixels * 15;
}

// Draws and counts one row. The four count arrays keep runs of equal indices from waiting on each other.
template <bool Count, bool Draw>
void handleRow(const std::uint8_t* indices, std::int32_t width, const std::array<Colour, 256>& colours,
               std::array<std::array<std::uint32_t, 256>, 4>& counts, Colour* out)
{
    std::int32_t x = 0;
    for (; x + 4 <= width; x += 4) {
        const std::uint8_t b0 = indices[x], b1 = indices[x + 1], b2 = indices[x + 2], b3 = indices[x + 3];
        if constexpr (Count) {
            ++counts[0][b0];
            ++counts[1][b1];
            ++counts[2][b2];
            ++counts[3][b3];
        }
        if constexpr (Draw) {
            out[x] = colours[b0];
            out[x + 1] = colours[b1];
            out[x + 2] = colours[b2];
            out[x + 3] = colours[b3];
        }
    }
    for (; x < width; ++x) {
        if constexpr (Count)
            ++counts[0][indices[x]];
        if constexpr (Draw)
            out[x] = colours[indices[x]];
    }
}

class BitmapRun {
public:
    BitmapRun(std::int32_t keep, PictureModel& model, PixelSink& sink) : m_keep(keep), m_model(model), m_sink(sink) {}

    BitmapResult run()
    {
        BitmapResult result;
        try {
            result = steps();
        } catch (const std::exception& failure) {
            result = {RunEnd::Failed};
            m_sink.show({Icon::Critical, u"ZeichneBitmap(): Fehler bei '" + m_schritt + u"': " + common::describe(failure)});
        }
        // The end step: the pointer comes back after the message; the file closes with this object.
        m_busy.reset();
        return result;
    }

private:
    BitmapResult steps()
    {
        m_schritt = u"Eingaben prüfen";
        clearPicture();
        m_sink.yield();
        if (m_sink.stopRequested())
            return {RunEnd::Stopped};
        const BitmapInputs inputs = m_sink.inputs();
        const Text name(trimBlanks(inputs.fileName));
        if (name.empty())
            return inputMessage(u"Geben Sie bitte den Namen der Bitmapdatei ein!");
        const std::filesystem::path path(common::toUtf8(name));
        std::error_code ignored;
        if (!std::filesystem::is_regular_file(path, ignored))
            return inputMessage(u"Die Bitmapdatei ''" + name + u"'' existiert nicht!");
        m_settings.modulo = settingValue(inputs.moduloText);
        m_settings.threshold = settingValue(inputs.thresholdText);
        m_settings.moduloOnIndex = inputs.moduloOnIndex;
        m_settings.thresholdOnIndex = inputs.thresholdOnIndex;
        m_busy.emplace(m_sink);

        m_schritt = u"Datei öffnen";
        m_file.rdbuf()->pubsetbuf(m_fileBuffer.data(), static_cast<std::streamsize>(m_fileBuffer.size()));
        m_file.open(path, std::ios::binary);
        if (!m_file.is_open())
            throw common::Failure(u"Fehler beim Zugriff auf Pfad/Datei");

        m_schritt = u"Header einlesen";
        const std::vector<std::uint8_t> header = readPiece(18, 18);
        if (header[0] != 'B' || header[1] != 'M') {
            if (const auto format = palette::formatOf(header))
                return paletteSteps(*format, path);
            return notAPicture();
        }
        const std::int32_t dataOffset = LeseLong(header, 11);
        Text info = offsetInfo(dataOffset);
        m_sink.showInfo(info);

        m_schritt = u"Infoblock einlesen und auswerten";
        const std::int32_t infoSize = LeseLong(header, 15);
        if (infoSize - 4 < 1)
            throw common::Failure::indexOutOfRange();
        // Only the fields' bytes are kept; a longer header of any size is stepped over.
        const std::vector<std::uint8_t> infoBlock = readPiece(infoSize - 4, infoFieldBytes);
        const std::int32_t width = LeseLong(infoBlock, 1);
        const std::int32_t storedHeight = readSignedLong(infoBlock, 5);
        const bool bottomUp = storedHeight > 0;
        if (storedHeight == std::numeric_limits<std::int32_t>::min())
            throw common::Failure::overflow();
        const std::int32_t height = bottomUp ? storedHeight : -storedHeight;
        const bool tooLarge = sizePicture(width, height);
        const std::int32_t bitCount = readWord(infoBlock, 11);
        const std::int32_t compression = LeseLong(infoBlock, 13);
        std::int32_t colourCount = LeseLong(infoBlock, 29);
        if (colourCount == 0)
            colourCount = 256;
        info += sizeInfo(width, height, bottomUp, bitCount, compression);
        m_sink.showInfo(info);
        if (bitCount != 8)
            return formatMessage(u"Die Farbtiefe muss 8 Bit (256 Farben) betragen!");
        if (tooLarge)
            return formatMessage(Text(tooLargeMessage));
        const std::int64_t tableStart = std::int64_t(infoSize) + 14;
        if (tableStart > std::numeric_limits<std::int32_t>::max())
            throw common::Failure::overflow();
        if (dataOffset <= tableStart)
            return formatMessage(u"Die Datei enthält keine Farbtabelle!");

        m_schritt = u"Farbtabelle einlesen";
        const std::int64_t tableLength = dataOffset - tableStart;
        const std::vector<std::uint8_t> table = readPiece(tableLength, usableTableBytes);
        if (m_keep == 0)
            loadColourTable(table, tableLength, colourCount, m_settings, m_model);

        m_schritt = u"Bild anzeigen";
        clearPicture();
        if (streamPixels(width, height, bottomUp) == RunEnd::Stopped)
            return {RunEnd::Stopped};
        return finish(std::move(info));
    }

    // A GIF or a PNG with a colour table: the same steps from its own reader, which decodes row by row.
    BitmapResult paletteSteps(palette::Format format, const std::filesystem::path& path)
    {
        const std::unique_ptr<palette::PaletteReader> reader = palette::openReader(path, format);
        if (!reader)
            throw common::Failure(u"Fehler beim Zugriff auf Pfad/Datei");
        palette::PictureFacts facts;
        const palette::HeaderEnd headerEnd = reader->readHeader(facts);
        if (headerEnd == palette::HeaderEnd::NotPalette)
            return notAPicture();
        Text info = formatInfo(format);
        m_sink.showInfo(info);
        if (headerEnd == palette::HeaderEnd::Damaged)
            return formatMessage(reader->damage().value_or(Text()));

        m_schritt = u"Infoblock einlesen und auswerten";
        const bool tooLarge = sizePicture(facts.width, facts.height);
        info += paletteSizeInfo(facts);
        m_sink.showInfo(info);
        if (headerEnd == palette::HeaderEnd::NoColourTable)
            return formatMessage(u"Die Datei enthält keine Farbtabelle!");
        if (tooLarge)
            return formatMessage(Text(tooLargeMessage));

        m_schritt = u"Farbtabelle einlesen";
        if (m_keep == 0)
            loadPaletteColours(facts.colours, m_settings, m_model);

        m_schritt = u"Bild anzeigen";
        clearPicture();
        prepareTargets();
        palette::IndexRow row;
        while (reader->nextRow(row)) {
            paintRow(row.y, row.x, row.indices.data(), static_cast<std::int32_t>(row.indices.size()));
            m_sink.yield();
            if (m_sink.stopRequested())
                return {RunEnd::Stopped};
        }
        if (const auto& damage = reader->damage())
            m_sink.show({Icon::Exclamation, *damage + u"\nDie nicht gelesenen Zeilen bleiben leer."});
        info += framesInfo(reader->countFrames(), facts.transparent);
        return finish(std::move(info));
    }

    // The last piece of the information line, and the twins of a full load.
    BitmapResult finish(Text info)
    {
        const auto inUse = std::count_if(m_model.FarbTabelle.begin(), m_model.FarbTabelle.end(),
                                         [](const FarbEintrag& entry) { return entry.Anzahl > 0; });
        info += coloursInfo(m_model.AnzahlFarben, static_cast<std::int32_t>(inUse));
        m_sink.showInfo(info);
        if (m_keep == 0)
            m_model.twins = findTwins(m_model);
        return {RunEnd::Drawn, BitmapField::None, m_keep == 0};
    }

    BitmapResult notAPicture()
    {
        m_sink.show({Icon::Exclamation, Text(notAPictureMessage)});
        m_sink.showInfo(u"Die Datei ist keine Bitmapdatei .bmp");
        return {RunEnd::Message};
    }

    // Gives the picture the file's size, or no pixels when it is too large to hold; true when too large.
    bool sizePicture(std::int32_t width, std::int32_t height)
    {
        checkedTwips(width);
        checkedTwips(height);
        const bool tooLarge = width > maxPictureSide || height > maxPictureSide ||
                              std::int64_t(width) * height > maxPicturePixels;
        if (PictureSurface* surface = m_sink.surface())
            surface->begin(tooLarge ? 0 : width, tooLarge ? 0 : height);
        m_sink.surfaceChanged();
        return tooLarge;
    }

    BitmapResult inputMessage(const Text& text)
    {
        m_sink.show({Icon::Exclamation, text});
        return {RunEnd::Message, BitmapField::FileName};
    }

    BitmapResult formatMessage(const Text& text)
    {
        m_sink.show({Icon::Exclamation, text});
        return {RunEnd::Message};
    }

    void clearPicture()
    {
        if (PictureSurface* surface = m_sink.surface())
            surface->clear();
        m_sink.surfaceChanged();
    }

    // The next `length` bytes of the file; the first `kept` of them are returned, zero where the file ended.
    std::vector<std::uint8_t> readPiece(std::int64_t length, std::size_t kept)
    {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::int64_t>(length, std::int64_t(kept))));
        m_file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (const std::int64_t skipped = length - std::int64_t(bytes.size()); skipped > 0 && m_file)
            m_file.seekg(skipped, std::ios::cur);
        return bytes;
    }

    // Reads the rows in the file's order, each padded to a multiple of 4 bytes, several rows per read.
    // A file that ends early leaves the rows it did not reach empty; a row it cut short is drawn as far
    // as it goes.
    RunEnd streamPixels(std::int32_t width, std::int32_t height, bool bottomUp)
    {
        if (width == 0 || height == 0)
            return RunEnd::Drawn;
        const std::size_t paddedWidth = (static_cast<std::size_t>(width) + 3) / 4 * 4;
        const std::size_t rowsPerRead = std::max<std::size_t>(1, readBytes / paddedWidth);
        std::vector<std::uint8_t> chunk(rowsPerRead * paddedWidth);

        prepareTargets();
        std::int32_t done = 0;
        while (done < height) {
            const std::size_t rows = std::min<std::size_t>(rowsPerRead, static_cast<std::size_t>(height - done));
            m_file.read(reinterpret_cast<char*>(chunk.data()), static_cast<std::streamsize>(rows * paddedWidth));
            std::size_t available = static_cast<std::size_t>(m_file.gcount());
            for (const std::uint8_t* indices = chunk.data(); available > 0; indices += paddedWidth, ++done) {
                const auto drawn = static_cast<std::int32_t>(std::min<std::size_t>(available, std::size_t(width)));
                available -= std::min(available, paddedWidth);
                paintRow(bottomUp ? height - 1 - done : done, 0, indices, drawn);
                if (drawn < width || done == height - 1)
                    return RunEnd::Drawn;
                m_sink.yield();
                if (m_sink.stopRequested())
                    return RunEnd::Stopped;
            }
            if (!m_file)
                break;
        }
        return RunEnd::Drawn;
    }

    // The entry each index is drawn with, after the index modulo.
    void prepareTargets()
    {
        for (int b = 0; b < 256; ++b)
            m_target[b] = static_cast<std::uint8_t>(m_settings.moduloOn() && m_settings.moduloOnIndex ? b % m_settings.modulo : b);
    }

    // Draws `count` indices into row y from column x on and, in a full load, counts them.
    void paintRow(std::int32_t y, std::int32_t x, const std::uint8_t* indices, std::int32_t count)
    {
        // Read per row, so that an entry edited while the run yields is drawn from the next row on.
        for (int b = 0; b < 256; ++b)
            m_colours[b] = drawingColour(m_model.FarbTabelle[m_target[b]]);
        PictureSurface* const surface = m_sink.surface();
        Colour* out = surface ? surface->row(y) + x : nullptr;
        const bool countPixels = m_keep == 0;
        if (countPixels && out)
            handleRow<true, true>(indices, count, m_colours, m_counts, out);
        else if (countPixels)
            handleRow<true, false>(indices, count, m_colours, m_counts, out);
        else if (out)
            handleRow<false, true>(indices, count, m_colours, m_counts, out);
        if (countPixels) {
            for (int b = 0; b < 256; ++b) {
                m_model.FarbTabelle[m_target[b]].Anzahl +=
                    static_cast<std::int32_t>(m_counts[0][b] + m_counts[1][b] + m_counts[2][b] + m_counts[3][b]);
            }
            m_counts = {};
        }
        if (out) {
            // A row drawn from its first pixel on; one that starts further in is never whole.
            surface->rowDrawn(y, x == 0 ? count : 0);
            m_sink.rowDrawn(y);
        }
    }

    const std::int32_t m_keep;
    PictureModel& m_model;
    PixelSink& m_sink;
    Text m_schritt;
    TransformSettings m_settings;
    std::optional<common::BusyScope> m_busy;
    std::array<std::uint8_t, 256> m_target{};
    std::array<Colour, 256> m_colours{};
    std::array<std::array<std::uint32_t, 256>, 4> m_counts{};
    std::vector<char> m_fileBuffer = std::vector<char>(fileBufferBytes);
    std::ifstream m_file;
};

} // namespace

BitmapResult ZeichneBitmap(std::int32_t keep, PictureModel& model, PixelSink& sink)
{
    return BitmapRun(keep, model, sink).run();
}

} // namespace quirlwerk::bitmap
