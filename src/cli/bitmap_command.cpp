// quirlwerk-cli bitmap: one full load of a bitmap file, with the information line, the palette and a PNG.
#include "cli/cli.h"

#include "bitmap/twins.h"
#include "bitmap/zeichne_bitmap.h"
#include "cli/image_sink.h"
#include "bitmap/png_encoder.h"
#include "common/failure.h"
#include "common/save_target.h"
#include "common/utf8.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <vector>

namespace quirlwerk::cli {
namespace {

struct BitmapOptions {
    bitmap::BitmapInputs inputs{Text(), u"0", u"0", true, true};   // the frame's start values
    std::optional<std::string> pngFile;
    bool palette = false;
    bool twins = false;
    bool reveal = false;   // the twins recoloured and the picture redrawn before the PNG and the palette
    bool twinsOnly = false;   // the hidden twins white, the rest black, redrawn likewise
};

// A value field takes at most three characters, like the frame's.
Text valueText(std::string_view argument, std::string_view option)
{
    Text text = argumentText(argument, option);
    if (text.size() > 3)
        throw UsageError(std::string(option) + ": höchstens 3 Zeichen");
    return text;
}

bool appliesToIndex(std::string_view value, std::string_view option)
{
    if (value != "index" && value != "colours")
        throw UsageError(std::string(option) + " erwartet index oder colours");
    return value == "index";
}

BitmapOptions parseOptions(Arguments arguments)
{
    if (arguments.empty())
        throw UsageError("bitmap erwartet DATEI");
    BitmapOptions options;
    options.inputs.fileName = argumentText(arguments[0], "DATEI");
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (option == "--palette" || option == "--twins" || option == "--reveal") {
            (option == "--palette" ? options.palette : option == "--twins" ? options.twins : options.reveal) = true;
            continue;
        }
        if (option == "--twins-only") {
            options.twinsOnly = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            throw UsageError("unbekannte Option oder Wert fehlt: '" + std::string(option) + "'");
        const std::string_view value = arguments[++i];
        if (option == "--modulo")
            options.inputs.moduloText = valueText(value, option);
        else if (option == "--threshold")
            options.inputs.thresholdText = valueText(value, option);
        else if (option == "--modulo-on")
            options.inputs.moduloOnIndex = appliesToIndex(value, option);
        else if (option == "--threshold-on")
            options.inputs.thresholdOnIndex = appliesToIndex(value, option);
        else if (option == "--png")
            options.pngFile = std::string(value);
        else
            throw UsageError("unbekannte Option '" + std::string(option) + "'");
    }
    return options;
}

// Encoded row by row straight into the common writer, so that a failure leaves no half-written file.
bool writePng(const bitmap::PictureSurface& picture, const bitmap::PictureModel& model, const std::string& fileName)
{
    const Text name = common::fromUtf8(fileName).value_or(Text());
    if (picture.width() == 0 || picture.height() == 0) {
        printMessage({common::Icon::Exclamation, u"Das Bild hat keine Pixel; es wurde keine PNG-Datei geschrieben."});
        return false;
    }
    StderrReporter reporter;
    if (common::checkSaveTarget(name, common::pngOption, reporter).decision != common::SaveDecision::Write)
        return false;
    try {
        bitmap::savePng(picture, fileName, bitmap::tableOrder(model));
        return true;
    } catch (const std::exception& failure) {
        printMessage({common::Icon::Critical, u"Die PNG-Datei ''" + name + u"'' konnte nicht geschrieben werden: " +
                                                  common::describe(failure)});
        return false;
    }
}

// Forwards messages, but in a repeat run of the same file only those the first run did not already show.
class OnceReporter : public common::Reporter {
public:
    explicit OnceReporter(common::Reporter& inner) : m_inner(inner) {}
    void show(const common::Message& message) override
    {
        if (m_repeat && std::find(m_shown.begin(), m_shown.end(), message) != m_shown.end())
            return;
        if (!m_repeat)
            m_shown.push_back(message);
        m_inner.show(message);
    }
    bool askYesNo(const common::Message& question) override { return m_inner.askYesNo(question); }
    void startRepeat() { m_repeat = true; }

private:
    common::Reporter& m_inner;
    std::vector<common::Message> m_shown;
    bool m_repeat = false;
};

} // namespace

int runBitmap(Arguments arguments)
{
    const BitmapOptions options = parseOptions(arguments);
    bitmap::PictureModel model;
    StderrReporter stderrMessages;
    OnceReporter messages(stderrMessages);
    const bool keepPixels = options.pngFile.has_value();
    const bool redraw = options.reveal || options.twinsOnly;
    ImageSink sink(options.inputs, messages, keepPixels && !redraw);
    // The colour table window and the focus have no counterpart here: --palette prints the table.
    bitmap::RunEnd end = bitmap::ZeichneBitmap(bitmap::DrawMode::FullLoad, model, sink).end;
    ImageSink revealed(options.inputs, messages, keepPixels);
    if (redraw && end == bitmap::RunEnd::Drawn) {
        if (options.reveal)
            bitmap::recolourTwins(model);
        if (options.twinsOnly)
            bitmap::showTwinsOnly(model);
        messages.startRepeat();   // a damaged file is reported once, by the full load
        end = bitmap::ZeichneBitmap(bitmap::DrawMode::Redraw, model, revealed).end;
    }

    std::cout << common::toUtf8(sink.info()) << '\n';
    if (options.twins && end == bitmap::RunEnd::Drawn) {
        for (const bitmap::TwinGroup& group : bitmap::twinGroups(model)) {
            for (std::size_t i = 0; i < group.indices.size(); ++i)
                std::cout << (i ? " " : "") << group.indices[i];
            std::cout << ": " << (group.colour >> 16 & 0xFF) << ' ' << (group.colour >> 8 & 0xFF) << ' '
                      << (group.colour & 0xFF) << '\n';
        }
    }
    if (options.palette) {
        for (std::size_t i = 0; i < model.FarbTabelle.size(); ++i) {
            const bitmap::FarbEintrag& entry = model.FarbTabelle[i];
            std::cout << i << ' ' << entry.Rot << ' ' << entry.Gruen << ' ' << entry.Blau << ' ' << entry.Anzahl << '\n';
        }
    }
    std::cout.flush();
    if (end != bitmap::RunEnd::Drawn)
        return exitFailed;
    if (options.pngFile && !writePng(redraw ? revealed.picture() : sink.picture(), model, *options.pngFile))
        return exitFailed;
    return exitOk;
}

} // namespace quirlwerk::cli
