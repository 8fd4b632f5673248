// The readings window: its wiring to the main window, and an event loop that never waits for the readings.
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "conversions/modes.h"
#include "ui/frmAlle.h"
#include "ui/frmMain.h"
#include "ui/text_field.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>

namespace quirlwerk::ui {
namespace {

using testing::control;

class ReadingsWindow : public ::testing::Test {
protected:
    frmAlle& open(const QString& input)
    {
        testing::clearSettings();
        testing::showActive(*main);
        control<TextField>(*main, "txtIn").setPlainText(input);
        control<QAction>(*main, "mnuAlle").trigger();
        return *main->readingsWindow();
    }

    GlobData glob;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<frmMain> main = std::make_unique<frmMain>(glob, dialogs);
};

TEST_F(ReadingsWindow, never_blocks_the_event_loop_for_100_ms_while_an_endless_program_runs)
{
    // 10 kB that print without end: a million values, then the bound.
    frmAlle& window = open(QStringLiteral("+[.") + QStringLiteral("Endlos drucken\n").repeated(700) + u']');
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);

        last = clock.elapsed();
    });
    clock.start();
    tick.start(5);
    QSignalSpy shown(&window, &frmAlle::readingsShown);
    control<TextField>(*main, "txtIn").moveCursor(QTextCursor::End);
    for (const char* typed : {"+", "[", "]", " endlos"}) {
        QTest::keyClicks(&control<TextField>(*main, "txtIn"), QString::fromLatin1(typed));
        QTest::qWait(20);
    }
    while (shown.isEmpty() || window.shown().empty())
        ASSERT_TRUE(shown.wait(20000));
    EXPECT_LT(longest, 100);
    const auto endless = std::ranges::find(window.shown(), conversions::Mode::Brainfuck, &readings::Reading::mode);
    ASSERT_NE(endless, window.shown().end());
    EXPECT_TRUE(endless->partial);
}

TEST_F(ReadingsWindow, lists_the_readings_shows_the_chosen_one_and_takes_it_over_on_enter_or_the_button)
{
    frmAlle& window = open(QStringLiteral("44 69 65 20 44 6F 73 65 20 6C 69 65 67 74 20 69 6D 20 42 61 75 6D"));
    QSignalSpy shown(&window, &frmAlle::readingsShown);
    ASSERT_TRUE(shown.wait(20000));
    auto& list = control<QTreeWidget>(window, "lstLesarten");
    ASSERT_EQ(static_cast<std::size_t>(list.topLevelItemCount()), window.shown().size());
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("ASCII <-> Text: ASCII --> Text umwandeln"));
    EXPECT_EQ(control<TextField>(window, "txtAusgabe").text(), window.shown()[0].text);

    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(glob.ConversionMode, conversions::Mode::AsciiText);
    EXPECT_EQ(control<TextField>(*main, "txtOut").text(), window.shown()[0].text);

    list.setCurrentItem(list.topLevelItem(1));
    control<QPushButton>(window, "cmdUebernehmen").click();
    EXPECT_EQ(glob.ConversionMode, window.shown()[1].mode);
    EXPECT_EQ(control<TextField>(window, "txtAusgabe").text(), window.shown()[1].text);

    control<QLineEdit>(window, "txtTabelle").setText(QStringLiteral("a b c"));
    EXPECT_TRUE(control<QLabel>(window, "lblStatus").text().contains(QStringLiteral("8 verschiedene")));
}

} // namespace
} // namespace quirlwerk::ui
