// The matrix definition window's wiring: rebuilding on every edit, the refusals, the Tab keys and its position.
// How counts are read and what the messages say is the definition's own test.
#include "window_test_support.h"

#include "ui/frmMatrixProj.h"
#include "ui/window_position.h"

namespace quirlwerk::ui {
namespace {

using testing::control;

class MatrixWindow : public ::testing::Test {
protected:
    MatrixWindow()
    {
        testing::clearSettings();
        window->setAttribute(Qt::WA_DeleteOnClose, false);   // a test may close it
        testing::showActive(*window);
    }

    QLineEdit& box(const char* name) { return control<QLineEdit>(*window, name); }
    QTableWidget& grid() { return control<QTableWidget>(*window, "grdData"); }
    QSize size() { return {grid().columnCount(), grid().rowCount()}; }
    QString cell(int row, int column) { return grid().item(row - 1, column - 1)->text(); }

    testing::RecordingDialogs dialogs;
    std::unique_ptr<frmMatrixProj> window = std::make_unique<frmMatrixProj>(dialogs);
};

TEST_F(MatrixWindow, opens_with_the_initial_matrix_and_rebuilds_it_as_the_boxes_are_typed)
{
    EXPECT_EQ(window->size(), QSize(8910, 5655) / twipsPerPixel);
    EXPECT_TRUE(control<QRadioButton>(*window, "optFolge0").isChecked());
    ASSERT_EQ(size(), QSize(8, 5));
    EXPECT_EQ(grid().horizontalHeaderItem(7)->text(), "8");
    EXPECT_EQ((QStringList{cell(1, 1), cell(2, 5), cell(5, 4), cell(5, 5)}), (QStringList{"A", "M", "9", " "}));
    box("txtZeilen").setFocus();
    box("txtZeilen").selectAll();
    QTest::keyClicks(&box("txtZeilen"), QStringLiteral("123"));   // two digits at most
    EXPECT_EQ(size(), QSize(8, 12));
    box("txtSpalten").setText(QStringLiteral("99"));
    EXPECT_EQ(size(), QSize(99, 12));
    EXPECT_EQ(grid().columnWidth(98), 20);   // 300 twips
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MatrixWindow, a_refused_count_keeps_the_matrix_and_the_focus_on_its_box_also_when_emptied)
{
    for (const char* name : {"txtZeilen", "txtSpalten"}) {
        box("txtZeichenfolge").setFocus();
        box(name).setText(QStringLiteral("0"));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages.front().focusAtShow.toStdString(), name);
        EXPECT_EQ(box(name).text(), QStringLiteral("0"));   // the text stays as typed
        EXPECT_EQ(size(), QSize(8, 5));
        box(name).setText(QStringLiteral("5"));
        dialogs.messages.clear();
    }
    box("txtZeilen").clear();   // refused only on leaving the box
    EXPECT_TRUE(dialogs.messages.empty());
    QTest::keyClick(&box("txtZeilen"), Qt::Key_Tab);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(box("txtZeilen").hasFocus());
    box("txtZeilen").setText(QStringLiteral("5"));
    box("txtZeichenfolge").clear();   // an emptied sequence blanks the matrix on leaving its box
    QTest::keyClick(&box("txtZeichenfolge"), Qt::Key_Tab);
    EXPECT_EQ(cell(1, 1), QStringLiteral(" "));
}

// Every Tab key leaves the grid in its direction; with the focus the grid marks its current cell.
TEST_F(MatrixWindow, the_grid_shows_its_focus_and_lets_every_tab_key_leave)
{
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Tab), Qt::ShiftModifier | Qt::Key_Backtab,
                                      Qt::ControlModifier | Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Backtab}) {
        grid().setFocus();
        EXPECT_TRUE(grid().currentIndex().isValid());
        QTest::keyClick(&grid(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), key.key() == Qt::Key_Tab ? "txtZeichenfolge" : "optFolge1");
    }
}

TEST_F(MatrixWindow, opens_at_its_stored_position_kept_on_the_screen_and_saves_it_on_close)
{
    testing::storeSetting("MatrixProjLeft", QStringLiteral("oben"));   // no number: 0, without a message
    testing::storeSetting("MatrixProjTop", QStringLiteral("500000"));
    frmMatrixProj stored(dialogs);
    const int bottom = (screenSizeTwips(stored) - outerSizeTwips(stored)).height();
    EXPECT_EQ(stored.pos(), QPoint(0, bottom) / twipsPerPixel);
    EXPECT_TRUE(dialogs.messages.empty());
    window->move(20, 30);
    window->close();
    EXPECT_EQ(testing::storedSetting("MatrixProjLeft"), QStringLiteral("300"));
    EXPECT_EQ(testing::storedSetting("MatrixProjTop"), QStringLiteral("450"));
    testing::clearSettings();   // without a stored position it opens beside its owner
    QWidget owner;
    owner.setGeometry(100, 100, 300, 200);
    frmMatrixProj beside(dialogs, &owner);
    const QRect ownerTwips(positionTwips(owner), outerSizeTwips(owner));
    EXPECT_EQ(positionTwips(beside), besideWindow(ownerTwips, outerSizeTwips(beside), screenSizeTwips(beside)));
}

} // namespace
} // namespace quirlwerk::ui
