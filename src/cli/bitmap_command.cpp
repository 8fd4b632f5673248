// quirlwerk-cli bitmap: one full load of a bitmap file, with the information line, the palette and a PNG.
#include "cli/cli.h"

#include "bitmap/zeichne_bitmap.h"
#include "cli/image_sink.h"
#include "common/failure.h"
#include "common/replacing_file.h"
#include "common/utf8.h"

#include <QIODevice>

#include <iostream>
#include <optional>

namespace quirlwerk::cli {
namespace {

struct BitmapOptions {
    bitmap::BitmapInputs inputs{Text(), u"0", u"0", true, true};   // the frame's start values
    std::optional<std::string> pngFile;
    bool palette = false;
};

// A value field takes at most three characters, like the frame's.
Text valueText(std::string_view argument, std::string_view option)
{
    Text text = argumentText(argument, option);
    if (text.size() > 3)
        throw UsageError(std::string(option) + ": höchstens 3 Zeichen");
    return text;
}

bool onIndex(std::string_view value, std::string_view option)
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
        if (option == "--palette") {
            options.palette = true;
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
            options.inputs.moduloOnIndex = onIndex(value, option);
        else if (option == "--threshold-on")
            options.inputs.thresholdOnIndex = onIndex(value, option);
        else if (option == "--png")
            options.pngFile = std::string(value);
        else
            throw UsageError("unbekannte Option '" + std::string(option) + "'");
    }
    return options;
}

// Hands the encoder's bytes to the writer piece by piece, so the encoded picture never sits in memory whole.
// Qt's code must not see an exception: the first failure is kept and thrown after the encoder returns. Later
// bytes are taken without being written, so the encoder ends quietly instead of printing its own complaint.
class WriterDevice final : public QIODevice {
public:
    explicit WriterDevice(common::ReplacingFile& file) : m_file(file) { open(QIODevice::WriteOnly); }

    void throwFailure() const
    {
        if (m_failure)
            throw *m_failure;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        try {
            if (!m_failure)
                m_file.write(std::span(reinterpret_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)));
        } catch (const std::exception& failure) {
            m_failure = common::Failure(common::describe(failure));
        }
        return size;
    }

private:
    common::ReplacingFile& m_file;
    std::optional<common::Failure> m_failure;
};

// Through the common writer, so that a failure leaves no half-written file.
bool writePng(const QImage& image, const std::string& fileName)
{
    const Text name = common::fromUtf8(fileName).value_or(Text());
    if (image.isNull()) {
        printMessage({common::Icon::Exclamation, u"Das Bild hat keine Pixel; es wurde keine PNG-Datei geschrieben."});
        return false;
    }
    if (common::isSpecialFile(fileName)) {
        printMessage({common::Icon::Exclamation, u"Die PNG-Datei ''" + name + u"''" + Text(common::notRegularFile)});
        return false;
    }
    try {
        common::ReplacingFile file(fileName);
        WriterDevice device(file);
        const bool encoded = image.save(&device, "PNG");
        device.throwFailure();
        if (!encoded)
            throw common::Failure(u"Das Bild ließ sich nicht als PNG kodieren");
        file.commit();
        return true;
    } catch (const std::exception& failure) {
        printMessage({common::Icon::Critical, u"Die PNG-Datei ''" + name + u"'' konnte nicht geschrieben werden: " +
                                                  common::describe(failure)});
        return false;
    }
}

} // namespace

int runBitmap(Arguments arguments)
{
    const BitmapOptions options = parseOptions(arguments);
    bitmap::PictureModel model;
    StderrReporter messages;
    ImageSink sink(options.inputs, messages, options.pngFile.has_value());
    const bitmap::RunEnd end = bitmap::ZeichneBitmap(0, model, sink);

    std::cout << common::toUtf8(sink.info()) << '\n';
    if (options.palette) {
        for (std::size_t i = 0; i < model.FarbTabelle.size(); ++i) {
            const bitmap::FarbEintrag& entry = model.FarbTabelle[i];
            std::cout << i << ' ' << entry.Rot << ' ' << entry.Gruen << ' ' << entry.Blau << ' ' << entry.Anzahl << '\n';
        }
    }
    std::cout.flush();
    if (end != bitmap::RunEnd::Drawn)
        return exitFailed;
    if (options.pngFile && !writePng(sink.image(), *options.pngFile))
        return exitFailed;
    return exitOk;
}

} // namespace quirlwerk::cli
