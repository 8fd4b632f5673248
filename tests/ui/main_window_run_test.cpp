// The main window around a picture run: closing it while the picture is drawn ends the run safely.
#include "bitmap/bmp_writer.h"
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/frmMain.h"
#include "ui/image_frame.h"
#include "ui/twips.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace quirlwerk::ui {
namespace {

using namespace bitmap::testing;

QString writeBitmap(const QTemporaryDir& folder, const BmpLayout& layout)
{
    const std::vector<std::uint8_t> bytes = bmpBytes(layout);
    const QString file = folder.filePath(QStringLiteral("bild.bmp"));
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return file;
}

TEST(MainWindowRun, closing_while_a_picture_is_drawn_ends_the_run_and_frees_the_window)
{
    testing::clearSettings();
    QTemporaryDir folder;
    // Enough rows for the close to land in the middle of the run.
    const QString file = writeBitmap(folder, greyPicture(64, 400, countingRows(64, 400)));

    GlobData glob;
    testing::RecordingDialogs dialogs;
    auto* window = new frmMain(glob, dialogs);
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<frmMain> alive(window);
    testing::showActive(*window);
    testing::control<QAction>(*window, "mnuBildKonvert").trigger();
    testing::control<QLineEdit>(*window, "txtBildDatei").setText(file);

    int rowsSeenAtClose = -1;
    QTimer::singleShot(0, window, [&] {
        rowsSeenAtClose = glob.picture.FarbTabelle[0].Anzahl;
        window->close();
    });
    testing::control<QPushButton>(*window, "cmdBildKonv").click();

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_NE(rowsSeenAtClose, -1);
    EXPECT_TRUE(alive.isNull());
    EXPECT_TRUE(testing::storedSetting("MainLeft").size() > 0);   // a real close, with its steps
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(MainWindowRun, a_long_information_line_is_elided_in_the_middle_and_whole_in_its_tooltip)
{
    testing::clearSettings();
    QTemporaryDir folder;
    const QString file = writeBitmap(folder, greyPicture(1000, 1000, countingRows(1000, 1000)));
    GlobData glob;
    testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    testing::showActive(window);
    testing::control<QAction>(window, "mnuBildKonvert").trigger();
    testing::control<QLineEdit>(window, "txtBildDatei").setText(file);
    testing::control<QPushButton>(window, "cmdBildKonv").click();
    testing::control<ImageFrame>(window, "frameBild").closeWindows();

    const auto& info = testing::control<QLabel>(window, "lblBildInfoWert");
    const QString whole = QStringLiteral("Offset Data: 1078 Bytes    B*H: 1000*1000 Pixel BottumUp    Farbtiefe: 8bit    "
                                         "Komprimierung: 0-keine    Anzahl Farben: 256/256");
    EXPECT_EQ(info.toolTip(), whole);
    EXPECT_EQ(info.accessibleDescription(), whole);
    EXPECT_TRUE(info.text().startsWith(QStringLiteral("Offset Data"))) << info.text().toStdString();
    EXPECT_TRUE(info.text().endsWith(QStringLiteral("256/256"))) << info.text().toStdString();
    EXPECT_TRUE(info.text().contains(QChar(0x2026)));
    EXPECT_LE(info.sizeHint().width(), info.width());
    EXPECT_EQ(info.height(), 300 / twipsPerPixel);

    window.resize(2000, window.height());   // room for the whole line
    QApplication::processEvents();
    EXPECT_EQ(info.text(), whole);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace quirlwerk::ui
