// The matrix definition window: rebuilding on every edit, the range messages, and its position.
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/frmMatrixProj.h"
#include "ui/window_position.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

namespace quirlwerk::ui {
namespace {

using testing::control;

class MatrixWindow : public ::testing::Test {
protected:
    MatrixWindow() { testing::clearSettings(); }

    void open()
    {
        window = std::make_unique<frmMatrixProj>(dialogs);
        window->setAttribute(Qt::WA_DeleteOnClose, false);   // a test may close it
    }
    // Opens the window as the active one with the focus in a box, as a user typing there.
    QLineEdit& typingIn(const char* name)
    {
        open();
        testing::showActive(*window);
        box(name).setFocus();
        return box(name);
    }

    QLineEdit& box(const char* name) { return control<QLineEdit>(*window, name); }
    QTableWidget& grid() { return control<QTableWidget>(*window, "grdData"); }
    QSize size() { return {grid().columnCount(), grid().rowCount()}; }
    QString cell(int row, int column) { return grid().item(row - 1, column - 1)->text(); }

    testing::RecordingDialogs dialogs;
    std::unique_ptr<frmMatrixProj> window;
};

TEST_F(MatrixWindow, opens_with_the_initial_definition_and_its_5_by_8_matrix)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Projektierung der Matrixverschlüsselung"));
    EXPECT_EQ(box("txtZeichenfolge").text(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"));
    EXPECT_EQ(box("txtZeilen").text(), QStringLiteral("5"));
    EXPECT_EQ(box("txtSpalten").text(), QStringLiteral("8"));
    EXPECT_TRUE(control<QRadioButton>(*window, "optFolge0").isChecked());
    ASSERT_EQ(size(), QSize(8, 5));
    EXPECT_EQ(grid().horizontalHeaderItem(7)->text(), "8");
    EXPECT_EQ(grid().verticalHeaderItem(4)->text(), "5");
    EXPECT_EQ((QStringList{cell(1, 1), cell(2, 5), cell(5, 4), cell(5, 5)}), (QStringList{"A", "M", "9", " "}));
    EXPECT_EQ(grid().editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(dialogs.messages.empty());
}

struct CountRow {
    const char* name;
    const char* rows;
    const char* columns;
    QSize built;   // columns x rows
};

// How a count is read is the definition's own rule, tested there; here the window follows the boxes.
const CountRow acceptedCounts[] = {
    {"largest", "99", "99", {99, 99}},
    {"smallest", "1", "1", {1, 1}},
};

TEST_F(MatrixWindow, rebuilds_the_matrix_as_the_counts_are_typed)
{
    open();
    for (const CountRow& row : acceptedCounts) {
        SCOPED_TRACE(row.name);
        box("txtZeilen").setText(QString::fromLatin1(row.rows));
        box("txtSpalten").setText(QString::fromLatin1(row.columns));
        EXPECT_EQ(size(), row.built);
        EXPECT_EQ(grid().columnWidth(row.built.width() - 1), 20);   // 300 twips
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
    {"hexadecimal prefix without digits", "txtSpalten", "&H", u"Die Anzahl der Spalten muss zwischen 1 und 99 liegen."},
};

TEST_F(MatrixWindow, a_count_out_of_range_is_refused_with_the_focus_on_its_box)
{
    for (const RefusedRow& row : refusedCounts) {
        SCOPED_TRACE(row.name);
        typingIn("txtZeichenfolge");
        box(row.box).setText(QString::fromLatin1(row.typed));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const testing::RecordedMessage& shown = dialogs.messages.front();
        EXPECT_EQ(shown.message.text, row.message);
        EXPECT_EQ(shown.message.title, u"Fehler bei Matrixprojektierung");
        EXPECT_EQ(shown.message.icon, common::Icon::Exclamation);
        EXPECT_EQ(shown.focusAtShow.toStdString(), row.box);
        EXPECT_EQ(box(row.box).text(), QString::fromLatin1(row.typed));   // the text stays as typed
        EXPECT_EQ(size(), QSize(8, 5));
        dialogs.messages.clear();
    }
}

TEST_F(MatrixWindow, a_count_takes_two_digits_and_an_emptied_one_is_refused_only_on_leaving_its_box)
{
    QLineEdit& typed = typingIn("txtZeilen");
    typed.selectAll();
    QTest::keyClicks(&typed, QStringLiteral("123"));
    EXPECT_EQ(typed.text(), QStringLiteral("12"));
    EXPECT_EQ(size(), QSize(8, 12));
    typed.clear();
    EXPECT_TRUE(dialogs.messages.empty());
    QTest::keyClick(&typed, Qt::Key_Tab);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().focusAtShow, QStringLiteral("txtZeilen"));
    EXPECT_TRUE(typed.hasFocus());
    EXPECT_EQ(size(), QSize(8, 12));
}

TEST_F(MatrixWindow, an_emptied_sequence_blanks_the_matrix_on_leaving_its_box)
{
    QLineEdit& typed = typingIn("txtZeichenfolge");
    typed.clear();
    EXPECT_EQ(cell(1, 1), QStringLiteral("A"));
    QTest::keyClick(&typed, Qt::Key_Tab);
    EXPECT_EQ(cell(1, 1), QStringLiteral(" "));
    EXPECT_EQ(cell(5, 8), QStringLiteral(" "));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MatrixWindow, opens_at_its_stored_position_kept_on_the_screen_and_saves_it_on_close)
{
    testing::storeSetting("MatrixProjLeft", QStringLiteral("oben"));   // no number: 0, without a message
    testing::storeSetting("MatrixProjTop", QStringLiteral("500000"));
    open();
    const int bottom = (screenSizeTwips(*window) - outerSizeTwips(*window)).height();
    EXPECT_EQ(window->pos(), QPoint(0, bottom) / twipsPerPixel);
    EXPECT_TRUE(dialogs.messages.empty());
    window->move(20, 30);
    window->close();
    EXPECT_EQ(testing::storedSetting("MatrixProjLeft"), QStringLiteral("300"));
    EXPECT_EQ(testing::storedSetting("MatrixProjTop"), QStringLiteral("450"));
}

struct LeaveRow {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* focus;
};

constexpr LeaveRow leavingTheGrid[] = {
    {"Tab", Qt::Key_Tab, Qt::NoModifier, "txtZeichenfolge"},
    {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, "optFolge1"},
    {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, "txtZeichenfolge"},
    {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "optFolge1"},
};

TEST_F(MatrixWindow, the_grid_lets_the_tab_keys_leave_in_both_directions)
{
    for (const LeaveRow& row : leavingTheGrid) {
        SCOPED_TRACE(row.name);
        open();
        testing::showActive(*window);
        grid().setFocus();
        QTest::keyClick(&grid(), row.key, row.modifiers);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), row.focus);
    }
}

} // namespace
} // namespace quirlwerk::ui
