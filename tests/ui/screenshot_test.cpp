// Not a check: writes the README's pictures of the windows when QUIRLWERK_SCREENSHOTS names a folder.
// scripts/screenshot.sh runs it under xvfb-run.
#include "bitmap/bmp_writer.h"
#include "recording_dialogs.h"
#include "ui/frmFarbTabelle.h"
#include "ui/frmMain.h"
#include "ui/image_frame.h"
#include "window_test_support.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace quirlwerk::ui {
namespace {

QString screenshotFolder()
{
    return qEnvironmentVariable("QUIRLWERK_SCREENSHOTS");
}

// A picture with coordinates hidden in its colour table: entries 128 to 255 repeat entries 0 to 127, so the
// text (indices from 128 up) cannot be told from the background until a threshold on the index shows it.
std::vector<std::uint8_t> hiddenTextBitmap()
{
    const int width = 330, height = 120;
    QImage mask(width, height, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter painter(&mask);
    QFont font = painter.font();
    font.setPixelSize(34);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(mask.rect(), Qt::AlignCenter, QStringLiteral("N 52° 31.337"));
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

TEST(Screenshot, main_window_in_a_text_mode)
{
    if (screenshotFolder().isEmpty())
        GTEST_SKIP() << "QUIRLWERK_SCREENSHOTS is not set";
    GlobData glob;
    testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    window.chooseMode(conversions::Mode::GeoCode);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    testing::control<QPlainTextEdit>(window, "txtIn").setPlainText(QStringLiteral("Uryyb Jryg!\nQvr Qbfr yvrtg hagre qrz Fgrva."));
    testing::control<QPushButton>(window, "cmdDecrypt").click();
    QTest::qWait(200);
    ASSERT_TRUE(window.grab().save(screenshotFolder() + QStringLiteral("/main-window.png")));
}

TEST(Screenshot, picture_mode_with_the_colour_table)
{
    if (screenshotFolder().isEmpty())
        GTEST_SKIP() << "QUIRLWERK_SCREENSHOTS is not set";
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("versteck.bmp"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    const std::vector<std::uint8_t> bytes = hiddenTextBitmap();
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    out.close();

    GlobData glob;
    testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.chooseMode(conversions::Mode::Picture);
    testing::control<QLineEdit>(window, "txtBildDatei").setText(file);
    testing::control<QLineEdit>(window, "txtBildSchwellwert").setText(QStringLiteral("128"));
    testing::control<QRadioButton>(window, "optSchwelle0").setChecked(true);
    testing::control<QPushButton>(window, "cmdBildKonv").click();
    QTest::qWait(300);

    frmFarbTabelle* table = testing::control<ImageFrame>(window, "frameBild").colourTableWindow();
    ASSERT_NE(table, nullptr);
    const QPixmap main = window.grab();
    const QPixmap colours = table->grab();
    QPixmap both(main.width() + 12 + colours.width(), std::max(main.height(), colours.height()));
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, main);
    painter.drawPixmap(main.width() + 12, 0, colours);
    painter.end();
    ASSERT_TRUE(both.save(screenshotFolder() + QStringLiteral("/picture-mode.png")));
    table->close();
}

} // namespace
} // namespace quirlwerk::ui
