// The main window around a picture run: closing it while the picture is drawn ends the run safely.
#include "bitmap/bmp_writer.h"
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/frmMain.h"
#include "ui/image_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace quirlwerk::ui {
namespace {

using namespace bitmap::testing;

TEST(MainWindowRun, closing_while_a_picture_is_drawn_ends_the_run_and_frees_the_window)
{
    testing::clearSettings();
    QTemporaryDir folder;
    // Enough rows for the close to land in the middle of the run.
    const std::vector<std::uint8_t> bytes = bmpBytes(greyPicture(64, 400, countingRows(64, 400)));
    const QString file = folder.filePath(QStringLiteral("bild.bmp"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    out.close();

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

} // namespace
} // namespace quirlwerk::ui
