// Not a check: writes a picture of the main window for the README when QUIRLWERK_SCREENSHOT names a file.
// scripts/screenshot.sh runs it under xvfb-run.
#include "recording_dialogs.h"
#include "ui/frmMain.h"
#include "window_test_support.h"

#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quirlwerk::ui {
namespace {

TEST(Screenshot, main_window_in_a_text_mode)
{
    const QString file = qEnvironmentVariable("QUIRLWERK_SCREENSHOT");
    if (file.isEmpty())
        GTEST_SKIP() << "QUIRLWERK_SCREENSHOT is not set";
    GlobData glob;
    testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    window.chooseMode(1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    testing::control<QPlainTextEdit>(window, "txtIn").setPlainText(QStringLiteral("Uryyb Jryg!\nQvr Qbfr yvrtg hagre qrz Fgrva."));
    testing::control<QPushButton>(window, "cmdDecrypt").click();
    QTest::qWait(200);
    ASSERT_TRUE(window.grab().save(file));
}

} // namespace
} // namespace quirlwerk::ui
