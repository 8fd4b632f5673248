// The bitmap run: each step names itself in Schritt so that a failure says where it happened.
#include "bitmap/zeichne_bitmap.h"

#include "bitmap/bmp_reader.h"
#include "bitmap/palette.h"
#include "bitmap/palette_picture.h"
#include "bitmap/twins.h"
#include "common/failure.h"
#include "common/utf8.h"
#include "palette/palette_reader.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace quirlwerk::bitmap {
namespace {

using common::Icon;

static_assert(maxPictureSide == palette::maxSide && maxPicturePixels == palette::maxPixels);
constexpr TextView tooLargeMessage =
    u"Das Bild ist zu groß zum Anzeigen: höchstens 65535 Pixel Breite und Höhe und höchstens 256 Megapixel!";

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
    BitmapRun(DrawMode mode, PictureModel& model, PixelSink& sink) : m_mode(mode), m_model(model), m_sink(sink) {}

    BitmapResult run()
    {
        BitmapResult result;
        try {
            result = steps();
        } catch (const std::exception& failure) {
            result = {RunEnd::Failed};
            m_sink.show({Icon::Critical, u"ZeichneBitmap(): Fehler bei '" + m_schritt + u"': " + common::describe(failure)});
        }
        // The end step: the pointer comes back after the message.
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
        m_busy = std::make_unique<common::BusyScope>(m_sink);

        m_schritt = u"Datei öffnen";
        const std::unique_ptr<palette::PaletteReader> reader = openPicture(path);

        m_schritt = u"Header einlesen";
        palette::PictureFacts facts;
        palette::HeaderEnd end = reader ? reader->readHeader(facts) : palette::HeaderEnd::NotPalette;
        if (end == palette::HeaderEnd::NotPalette)
            return notAPicture();
        Text info = headerInfo(facts);
        m_sink.showInfo(info);
        if (end == palette::HeaderEnd::Damaged)
            return formatMessage(reader->damage().value_or(Text()));

        m_schritt = u"Infoblock einlesen und auswerten";
        reader->readInfo(facts);
        sizePicture(facts.width, facts.height);
        info += sizeInfo(facts);
        m_sink.showInfo(info);
        if (end == palette::HeaderEnd::Read)
            end = reader->check(facts);
        if (end == palette::HeaderEnd::WrongDepth)
            return formatMessage(u"Die Farbtiefe muss 8 Bit (256 Farben) betragen!");
        if (end == palette::HeaderEnd::NoColourTable)
            return formatMessage(u"Die Datei enthält keine Farbtabelle!");
        if (end == palette::HeaderEnd::TooLarge)
            return formatMessage(Text(tooLargeMessage));

        m_schritt = u"Farbtabelle einlesen";
        if (m_mode == DrawMode::FullLoad) {
            loadPaletteColours(facts.colours, m_settings, m_model);
            if (!facts.tableWhole)
                throw common::Failure::indexOutOfRange();
        }

        m_schritt = u"Bild anzeigen";
        m_tableSize = static_cast<std::int32_t>(facts.colours.size());
        clearPicture();
        prepareTargets();
        palette::IndexRow row;
        while (reader->nextRow(row)) {
            paintRow(row.y, row.x, row.indices.data(), static_cast<std::int32_t>(row.indices.size()));
            m_sink.yield();
            if (m_sink.stopRequested())
                return {RunEnd::Stopped};
        }
        Text damage = reader->damage() ? *reader->damage() + u"\nDie nicht gelesenen Zeilen bleiben leer." : Text();
        if (m_beyondTable > 0 && facts.format != palette::Format::Bmp)
            damage += (damage.empty() ? u"" : u"\n") + decimal(m_beyondTable) +
                      u" Pixel verwenden einen Index jenseits der Farbtabelle der Datei.";
        if (!damage.empty())
            m_sink.show({Icon::Exclamation, damage});
        info += framesInfo(facts, reader->countFrames());
        return finish(std::move(info));
    }

    // The last piece of the information line, and the twins of a full load.
    BitmapResult finish(Text info)
    {
        const auto inUse = std::count_if(m_model.FarbTabelle.begin(), m_model.FarbTabelle.end(),
                                         [](const FarbEintrag& entry) { return entry.Anzahl > 0; });
        info += coloursInfo(m_model.AnzahlFarben, static_cast<std::int32_t>(inUse));
        m_sink.showInfo(info);
        if (m_mode == DrawMode::FullLoad)
            m_model.twins = findTwins(m_model);
        return {RunEnd::Drawn, BitmapField::None, m_mode == DrawMode::FullLoad};
    }

    BitmapResult notAPicture()
    {
        m_sink.show({Icon::Exclamation, Text(notAPictureMessage)});
        m_sink.showInfo(u"Die Datei ist keine Bitmapdatei .bmp");
        return {RunEnd::Message};
    }

    // Gives the picture the file's size, or no pixels when it is too large to hold.
    void sizePicture(std::int32_t width, std::int32_t height)
    {
        checkedTwips(width);
        checkedTwips(height);
        const bool tooLarge = !palette::withinBound(width, height);
        if (PictureSurface* surface = m_sink.surface())
            surface->begin(tooLarge ? 0 : width, tooLarge ? 0 : height);
        m_sink.surfaceChanged();
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
        const bool countPixels = m_mode == DrawMode::FullLoad;
        if (countPixels && out)
            handleRow<true, true>(indices, count, m_colours, m_counts, out);
        else if (countPixels)
            handleRow<true, false>(indices, count, m_colours, m_counts, out);
        else if (out)
            handleRow<false, true>(indices, count, m_colours, m_counts, out);
        if (countPixels) {
            for (int b = 0; b < 256; ++b) {
                const auto pixels = static_cast<std::int32_t>(m_counts[0][b] + m_counts[1][b] + m_counts[2][b] + m_counts[3][b]);
                m_model.FarbTabelle[m_target[b]].Anzahl += pixels;
                if (b >= m_tableSize)
                    m_beyondTable += pixels;
            }
            m_counts = {};
        }
        if (out) {
            // A row drawn from its first pixel on; one that starts further in is never whole.
            surface->rowDrawn(y, x == 0 ? count : 0);
            m_sink.rowDrawn(y);
        }
    }

    const DrawMode m_mode;
    PictureModel& m_model;
    PixelSink& m_sink;
    Text m_schritt;
    TransformSettings m_settings;
    std::unique_ptr<common::BusyScope> m_busy;
    std::array<std::uint8_t, 256> m_target{};
    std::array<Colour, 256> m_colours{};
    std::array<std::array<std::uint32_t, 256>, 4> m_counts{};
    std::int32_t m_tableSize = 256;     // entries in the file's colour table
    std::int64_t m_beyondTable = 0;     // pixels of a full load whose index lies beyond it
};

} // namespace

BitmapResult ZeichneBitmap(DrawMode mode, PictureModel& model, PixelSink& sink)
{
    return BitmapRun(mode, model, sink).run();
}

} // namespace quirlwerk::bitmap
