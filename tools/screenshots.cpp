// Writes the README's pictures of the windows into a folder: screenshots FOLDER GIF (the twin colour example).
// scripts/screenshot.sh runs it on a virtual screen.
#include "bitmap/bmp_writer.h"
#include "ui/find_control.h"
#include "ui/recording_dialogs.h"
#include "ui/dialogs.h"
#include "ui/frmFarbTabelle.h"
#include "ui/frmMain.h"
#include "ui/image_frame.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace quirlwerk;
using namespace quirlwerk::ui;

namespace {

using ui::testing::control;

void exposed(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        throw std::runtime_error("the window was not shown");
}

void save(const QPixmap& picture, const QString& file)
{
    if (!picture.save(file))
        throw std::runtime_error("cannot write " + file.toStdString());
    std::printf("%s\n", qPrintable(file));
}

// A picture with coordinates hidden in its colour table: entries 128 to 255 repeat entries 0 to 127, so the
// text (indices from 128 up) cannot be told from the background until a threshold on the index shows it.
// Large enough that the information line is longer than the window is wide.
std::vector<std::uint8_t> hiddenTextBitmap()
{
    const int width = 1200, height = 1000;
    QImage mask(width, height, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter painter(&mask);
    QFont font = painter.font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 420, 130), Qt::AlignCenter, QStringLiteral("N 52° 31.337"));
    painter.end();

    bitmap::testing::BmpLayout layout;
    layout.width = width;
    layout.height = -height;   // top-down
    for (int i = 0; i < 256; ++i) {
        const int k = i % 128;
        layout.palette.push_back({60 + k, 120 + k / 2, 230 - k});
    }
    for (int y = 0; y < height; ++y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < width; ++x) {
            const int background = (x / 3 + y / 2) % 128;
            row.push_back(static_cast<std::uint8_t>(background + (qGray(mask.pixel(x, y)) > 127 ? 128 : 0)));
        }
        layout.rows.push_back(std::move(row));
    }
    return bitmap::testing::bmpBytes(layout);
}

// The main window with the colour table window beside it, as the user sees them after a full load. The name
// field shows a user's folder instead of the temporary one the picture was loaded from.
QPixmap withColourTable(frmMain& window, const QString& shownName)
{
    QLineEdit& name = control<QLineEdit>(window, "txtBildDatei");
    const QString loadedFrom = name.text();
    name.setText(shownName);
    QTest::qWait(50);
    frmFarbTabelle* table = control<ImageFrame>(window, "frameBild").colourTableWindow();
    if (!table)
        throw std::runtime_error("no colour table window");
    const QPixmap main = window.grab();
    const QPixmap colours = table->grab();
    QPixmap both(main.width() + 12 + colours.width(), std::max(main.height(), colours.height()));
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, main);
    painter.drawPixmap(main.width() + 12, 0, colours);
    painter.end();
    name.setText(loadedFrom);
    return both;
}

void mainWindowInATextMode(const QString& folder)
{
    GlobData glob;
    ui::testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    window.chooseMode(conversions::Mode::GeoCode);
    exposed(window);
    control<QPlainTextEdit>(window, "txtIn").setPlainText(QStringLiteral("Uryyb Jryg!\nQvr Qbfr yvrtg hagre qrz Fgrva."));
    control<QPushButton>(window, "cmdDecrypt").click();
    QTest::qWait(200);
    save(window.grab(), folder + QStringLiteral("/main-window.png"));
}

void hexFileFrame(const QString& folder)
{
    GlobData glob;
    ui::testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    exposed(window);
    window.chooseMode(conversions::Mode::HexFile);
    control<QLineEdit>(window, "txtDateiIn").setText(QStringLiteral("/home/anna/cache/hinweis.txt"));
    control<QLineEdit>(window, "txtDateiOut").setText(QStringLiteral("/home/anna/cache/hinweis.bin"));
    QTest::qWait(200);
    save(window.grab(), folder + QStringLiteral("/hexfile-frame.png"));
}

void pictureModeWithTheColourTable(const QString& folder)
{
    QTemporaryDir files;
    const QString file = files.filePath(QStringLiteral("versteck.bmp"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the picture");
    const std::vector<std::uint8_t> bytes = hiddenTextBitmap();
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    out.close();

    GlobData glob;
    ui::testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    exposed(window);
    window.chooseMode(conversions::Mode::Picture);
    control<QLineEdit>(window, "txtBildDatei").setText(file);
    control<QLineEdit>(window, "txtBildSchwellwert").setText(QStringLiteral("128"));
    control<QRadioButton>(window, "optSchwelle0").setChecked(true);
    control<QPushButton>(window, "cmdBildKonv").click();
    QTest::qWait(300);

    save(withColourTable(window, QStringLiteral("/home/anna/cache/versteck.bmp")), folder + QStringLiteral("/picture-mode.png"));
}

// The GIF in docs/ hides coordinates in twin colours: before and after "Zwillinge einfärben".
void twinColours(const QString& folder, const QString& gif)
{
    QTemporaryDir files;
    const QString file = files.filePath(QStringLiteral("raetsel.gif"));
    if (!QFile::copy(gif, file))
        throw std::runtime_error("cannot copy " + gif.toStdString());

    GlobData glob;
    ui::testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    exposed(window);
    window.chooseMode(conversions::Mode::Picture);
    control<QLineEdit>(window, "txtBildDatei").setText(file);
    control<QPushButton>(window, "cmdBildKonv").click();
    QTest::qWait(300);
    save(withColourTable(window, QStringLiteral("/home/anna/cache/raetsel.gif")), folder + QStringLiteral("/twins-before.png"));
    control<QPushButton>(*control<ImageFrame>(window, "frameBild").colourTableWindow(), "cmdZwillinge").click();
    QTest::qWait(300);
    save(withColourTable(window, QStringLiteral("/home/anna/cache/raetsel.gif")), folder + QStringLiteral("/twins-after.png"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: screenshots ORDNER GIF-DATEI\n");
        return 2;
    }
    QApplication::setOrganizationName(QStringLiteral("Quirlwerk"));
    QApplication::setApplicationName(QStringLiteral("Quirlwerk"));
    installGermanQtTexts();
    // Default window positions, whatever the user's own settings say.
    QTemporaryDir settingsFolder;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());

    const QString folder = QString::fromLocal8Bit(argv[1]);
    try {
        mainWindowInATextMode(folder);
        hexFileFrame(folder);
        pictureModeWithTheColourTable(folder);
        twinColours(folder, QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "screenshots: %s\n", failure.what());
        return 1;
    }
    return 0;
}
