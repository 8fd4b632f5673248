// The matrix definition window: rebuilding on every edit, the range messages, and its position.
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/frmMain.h"
#include "ui/frmMatrixProj.h"
#include "ui/text_field.h"
#include "ui/window_position.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace quirlwerk::ui {
namespace {

using testing::control;

class MatrixWindow : public ::testing::Test {
protected:
    void SetUp() override { testing::clearSettings(); }

    frmMatrixProj& open()
    {
        // Deleted with the fixture: a test may close it, which hands it to deleteLater.
        window = new frmMatrixProj(dialogs);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        owned.reset(window);
        return *window;
    }

    QLineEdit& box(const char* name) { return control<QLineEdit>(*window, name); }

    // Opens the window as the active one with the focus in a box, as a user typing there.
    QLineEdit& openTypingIn(const char* name)
    {
        open();
        testing::showActive(*window);
        box(name).setFocus();
        return box(name);
    }
    QTableWidget& grid() { return control<QTableWidget>(*window, "grdData"); }
    QString cell(int row, int column) { return grid().item(row - 1, column - 1)->text(); }

    testing::RecordingDialogs dialogs;
    frmMatrixProj* window = nullptr;
    std::unique_ptr<frmMatrixProj> owned;
};

TEST_F(MatrixWindow, opens_with_the_initial_definition_and_its_5_by_8_matrix)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Projektierung der Matrixverschlüsselung"));
    EXPECT_EQ(box("txtZeichenfolge").text(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"));
    EXPECT_EQ(box("txtZeilen").text(), QStringLiteral("5"));
    EXPECT_EQ(box("txtSpalten").text(), QStringLiteral("8"));
    EXPECT_TRUE(control<QRadioButton>(*window, "optFolge0").isChecked());
    ASSERT_EQ(grid().rowCount(), 5);
    ASSERT_EQ(grid().columnCount(), 8);
    EXPECT_EQ(grid().horizontalHeaderItem(7)->text(), QStringLiteral("8"));
    EXPECT_EQ(grid().verticalHeaderItem(4)->text(), QStringLiteral("5"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("A"));
    EXPECT_EQ(cell(2, 5), QStringLiteral("M"));
    EXPECT_EQ(cell(5, 4), QStringLiteral("9"));
    EXPECT_EQ(cell(5, 5), QStringLiteral(" "));
    EXPECT_EQ(grid().item(0, 0)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(grid().editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(dialogs.messages.empty());
}

struct CountRow {
    const char* name;
    const char* rows;
    const char* columns;
    int builtRows;
    int builtColumns;
};

constexpr CountRow acceptedCounts[] = {
    {"blank before", " 7", "8", 7, 8},
    {"blank after", "7 ", "8", 7, 8},
    {"leading number counts", "5x", "8", 5, 8},
    {"largest", "99", "99", 99, 99},
    {"smallest", "1", "1", 1, 1},
};

TEST_F(MatrixWindow, rebuilds_the_matrix_as_the_counts_are_typed)
{
    open();
    for (const CountRow& row : acceptedCounts) {
        SCOPED_TRACE(row.name);
        box("txtZeilen").setText(QString::fromLatin1(row.rows));
        box("txtSpalten").setText(QString::fromLatin1(row.columns));
        EXPECT_EQ(grid().rowCount(), row.builtRows);
        EXPECT_EQ(grid().columnCount(), row.builtColumns);
        EXPECT_EQ(grid().columnWidth(row.builtColumns - 1), 20);   // 300 twips
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

struct RefusedRow {
    const char* name;
    const char* box;
    const char* typed;
    const char16_t* message;
};

constexpr RefusedRow refusedCounts[] = {
    {"no rows", "txtZeilen", "0", u"Die Anzahl der Zeilen muss zwischen 1 und 99 liegen."},
    {"negative rows", "txtZeilen", "-1", u"Die Anzahl der Zeilen muss zwischen 1 und 99 liegen."},
    {"letters for rows", "txtZeilen", "ab", u"Die Anzahl der Zeilen muss zwischen 1 und 99 liegen."},
    {"no columns", "txtSpalten", "0", u"Die Anzahl der Spalten muss zwischen 1 und 99 liegen."},
    {"hexadecimal prefix without digits", "txtSpalten", "&H", u"Die Anzahl der Spalten muss zwischen 1 und 99 liegen."},
};

TEST_F(MatrixWindow, a_count_out_of_range_is_refused_with_the_focus_on_its_box)
{
    for (const RefusedRow& row : refusedCounts) {
        SCOPED_TRACE(row.name);
        openTypingIn("txtZeichenfolge");
        box(row.box).setText(QString::fromLatin1(row.typed));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const testing::RecordedMessage& shown = dialogs.messages.front();
        EXPECT_EQ(shown.message.text, row.message);
        EXPECT_EQ(shown.message.title, u"Fehler bei Matrixprojektierung");
        EXPECT_EQ(shown.message.icon, common::Icon::Exclamation);
        EXPECT_EQ(shown.focusAtShow.toStdString(), row.box);
        EXPECT_EQ(box(row.box).text(), QString::fromLatin1(row.typed));   // the text stays as typed
        EXPECT_EQ(grid().rowCount(), 5);
        EXPECT_EQ(grid().columnCount(), 8);
        dialogs.messages.clear();
    }
}

TEST_F(MatrixWindow, both_counts_invalid_give_only_the_rows_message)
{
    open();
    box("txtSpalten").setText(QStringLiteral("0"));
    dialogs.messages.clear();
    box("txtZeilen").setText(QStringLiteral("0"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().message.text, u"Die Anzahl der Zeilen muss zwischen 1 und 99 liegen.");
}

TEST_F(MatrixWindow, an_emptied_count_is_refused_only_on_leaving_its_box)
{
    QLineEdit& typed = openTypingIn("txtZeilen");
    typed.clear();
    EXPECT_TRUE(dialogs.messages.empty());
    QTest::keyClick(&typed, Qt::Key_Tab);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().focusAtShow, QStringLiteral("txtZeilen"));
    EXPECT_TRUE(typed.hasFocus());
    EXPECT_EQ(grid().rowCount(), 5);
}

TEST_F(MatrixWindow, a_third_digit_cannot_be_typed_into_a_count)
{
    QLineEdit& typed = openTypingIn("txtZeilen");
    typed.selectAll();
    QTest::keyClicks(&typed, QStringLiteral("123"));
    EXPECT_EQ(typed.text(), QStringLiteral("12"));
    EXPECT_EQ(grid().rowCount(), 12);
}

TEST_F(MatrixWindow, an_emptied_sequence_blanks_the_matrix_on_leaving_its_box)
{
    QLineEdit& typed = openTypingIn("txtZeichenfolge");
    typed.clear();
    EXPECT_EQ(cell(1, 1), QStringLiteral("A"));
    QTest::keyClick(&typed, Qt::Key_Tab);
    EXPECT_EQ(cell(1, 1), QStringLiteral(" "));
    EXPECT_EQ(cell(5, 8), QStringLiteral(" "));
    EXPECT_TRUE(dialogs.messages.empty());
}

struct StoredRow {
    const char* name;
    const char* stored;
    enum { Zero, ScreenEdge } expected;
};

constexpr StoredRow storedPositions[] = {
    {"negative", "-300", StoredRow::Zero},
    {"no number", "oben", StoredRow::Zero},
    {"beyond the screen", "500000", StoredRow::ScreenEdge},
};

TEST_F(MatrixWindow, opens_at_its_stored_position_kept_on_the_screen_and_saves_it_on_close)
{
    for (const StoredRow& row : storedPositions) {
        SCOPED_TRACE(row.name);
        testing::storeSetting("MatrixProjLeft", QString::fromLatin1(row.stored));
        testing::storeSetting("MatrixProjTop", QString::fromLatin1(row.stored));
        open();
        const QSize room = screenSizeTwips(*window) - outerSizeTwips(*window);
        const QPoint expected = row.expected == StoredRow::Zero ? QPoint(0, 0) : QPoint(room.width(), room.height());
        EXPECT_EQ(window->pos(), expected / twipsPerPixel);
        EXPECT_TRUE(dialogs.messages.empty());
    }
    window->move(20, 30);
    window->close();
    EXPECT_EQ(testing::storedSetting("MatrixProjLeft"), QStringLiteral("300"));
    EXPECT_EQ(testing::storedSetting("MatrixProjTop"), QStringLiteral("450"));
}

TEST(MatrixWindowWithMain, a_closed_window_comes_back_with_the_initial_definition_when_a_conversion_needs_it)
{
    testing::clearSettings();
    GlobData glob;
    testing::RecordingDialogs dialogs;
    frmMain main(glob, dialogs);
    control<QAction>(main, "mnuMatrixText").trigger();
    frmMatrixProj* first = main.existingMatrixWindow();
    ASSERT_NE(first, nullptr);
    control<QLineEdit>(*first, "txtZeilen").setText(QStringLiteral("7"));
    first->close();
    EXPECT_EQ(main.existingMatrixWindow(), nullptr);

    control<TextField>(main, "txtIn").setText(u"11");
    control<QPushButton>(main, "cmdDecrypt").click();
    frmMatrixProj* again = main.existingMatrixWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->isVisible());   // created for the conversion, not shown
    EXPECT_EQ(control<QLineEdit>(*again, "txtZeilen").text(), QStringLiteral("5"));
    EXPECT_EQ(again->definition().rowsText, u"5");
    EXPECT_EQ(control<TextField>(main, "txtOut").text(), u"A");
}

TEST(MatrixWindowWithMain, the_conversions_read_the_definition_as_the_window_shows_it)
{
    testing::clearSettings();
    GlobData glob;
    testing::RecordingDialogs dialogs;
    frmMain main(glob, dialogs);
    control<QAction>(main, "mnuMatrixText").trigger();
    frmMatrixProj& matrix = *main.existingMatrixWindow();
    control<QLineEdit>(matrix, "txtZeichenfolge").setText(QStringLiteral("QRSTUVWXYZ"));
    control<QRadioButton>(matrix, "optFolge1").setChecked(true);

    control<TextField>(main, "txtIn").setText(u"11 21");
    control<QPushButton>(main, "cmdDecrypt").click();
    EXPECT_EQ(control<TextField>(main, "txtOut").text(), u"QR");
    control<TextField>(main, "txtIn").setText(u"R");
    control<QPushButton>(main, "cmdCrypt").click();
    EXPECT_EQ(control<TextField>(main, "txtOut").text(), u"21 ");
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace quirlwerk::ui
