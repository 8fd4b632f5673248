// The colour table window on its own: filling, the colour cell rule, in-place editing, the arrow keys,
// clicks on other columns, the redraw button and the stored position.
#include "ui/frmFarbTabelle.h"

#include "recording_dialogs.h"
#include "ui/GlobData.h"
#include "ui/window_position.h"
#include "window_test_support.h"

#include <QTableWidget>

namespace quirlwerk::ui {
namespace {

using Cell = std::pair<int, int>;

class FarbTabelleTest : public ::testing::Test {
protected:
    FarbTabelleTest()
    {
        for (int i = 0; i < 256; ++i)
            glob.picture.FarbTabelle[i] = {std::int16_t(i), std::int16_t(255 - i), std::int16_t(i / 2), i * 10};
        glob.picture.FarbTabelle[7] = {0, 0, 0, 3};
        window->show();
        QApplication::setActiveWindow(window.get());
        window->FillColorGrid();
    }

    Cell current() const { return {grid.currentRow(), grid.currentColumn()}; }
    QStringList row(int row) const
    {
        QStringList texts;
        for (int column = 0; column < grid.columnCount(); ++column)
            texts << grid.item(row, column)->text();
        return texts;
    }
    QColor colourCell(int row) const { return grid.item(row, 4)->background().color(); }
    QLineEdit& change() const { return *window->txtChange(); }
    void press(Qt::Key key) { QTest::keyClick(&change(), key); }

    GlobData glob;
    testing::RecordingDialogs dialogs;
    int redraws = 0;
    std::unique_ptr<frmFarbTabelle> window = std::make_unique<frmFarbTabelle>(glob, dialogs, [this] { ++redraws; });
    QTableWidget& grid = testing::control<QTableWidget>(*window, "gridFarben");
};

TEST_F(FarbTabelleTest, fill_shows_every_entry_with_its_colour_and_count)
{
    EXPECT_EQ(window->windowTitle(), "Farbtabelle");
    const QStringList headers{"Index", "Rot", "Grün", "Blau", "Farbe", "Anzahl Pixel", "Zwilling von"};
    ASSERT_EQ(grid.rowCount(), 257);
    ASSERT_EQ(row(0), headers);
    EXPECT_EQ(grid.horizontalHeaderItem(5)->text(), headers[5]);
    EXPECT_EQ(row(201), (QStringList{"200", "200", "55", "100", " ", "2000", ""}));
    EXPECT_EQ(colourCell(201), QColor(200, 55, 100));
    EXPECT_EQ(current(), Cell(1, 1));
    EXPECT_EQ(change().text(), "0");
}

TEST_F(FarbTabelleTest, typing_edits_the_entry_and_repaints_only_its_cell)
{
    const std::tuple<const char*, const char*, int> steps[] = {{"3", "3", 3}, {"0", "30", 30}, {"0", "255", 255}, {"9", "255", 255}};
    change().clear();
    for (const auto& [keys, shown, rot] : steps) {
        SCOPED_TRACE(keys);
        QTest::keyClicks(&change(), keys);
        EXPECT_EQ(change().text(), shown);
        EXPECT_EQ(grid.item(1, 1)->text(), shown);
        EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, rot);
    }
    EXPECT_EQ(colourCell(1), QColor(255, 255, 0));
    EXPECT_EQ(glob.picture.FarbTabelle[0].Anzahl, 0);
    EXPECT_EQ(redraws, 0);   // an edit does not redraw

    change().setText("256");   // pasted
    EXPECT_EQ(change().text(), "255");
    change().clear();
    EXPECT_EQ(grid.item(1, 1)->text(), "0");
    EXPECT_EQ(change().text(), "");
    EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, 0);
    EXPECT_TRUE(dialogs.messages.empty());

    grid.setCurrentCell(8, 3);   // an all-zero entry gets its new colour
    change().setText("9");
    EXPECT_EQ(colourCell(8), QColor(0, 0, 9));
    EXPECT_EQ(glob.picture.FarbTabelle[7].Blau, 9);
}

TEST_F(FarbTabelleTest, a_click_on_another_column_edits_the_nearest_colour_column)
{
    const std::tuple<const char*, int, int> clicks[] = {{"Index", 0, 1}, {"Grün", 2, 2}, {"Farbe", 4, 3}, {"Anzahl Pixel", 5, 3}};
    for (const auto& [name, column, edited] : clicks) {
        SCOPED_TRACE(name);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualItemRect(grid.item(4, column)).center());
        EXPECT_EQ(current(), Cell(4, edited));
        EXPECT_EQ(change().text(), grid.item(4, edited)->text());
    }
}

TEST_F(FarbTabelleTest, arrow_keys_walk_without_wrapping_and_stop_at_the_last_row)
{
    const std::tuple<const char*, Qt::Key, Cell> steps[] = {
        {"left at Rot", Qt::Key_Left, {1, 1}},    {"up at row 1", Qt::Key_Up, {1, 1}},
        {"right", Qt::Key_Right, {1, 2}},         {"right again", Qt::Key_Right, {1, 3}},
        {"right at Blau", Qt::Key_Right, {1, 3}}, {"down", Qt::Key_Down, {2, 3}},
        {"left", Qt::Key_Left, {2, 2}},           {"up", Qt::Key_Up, {1, 2}},
    };
    for (const auto& [name, key, after] : steps) {
        SCOPED_TRACE(name);
        press(key);
        EXPECT_EQ(current(), after);
        EXPECT_EQ(change().selectedText(), change().text());
    }
    press(Qt::Key_Left);
    for (int i = 0; i < 300; ++i)   // scrolls row by row
        press(Qt::Key_Down);
    EXPECT_EQ(current(), Cell(256, 1));
    EXPECT_EQ(change().text(), "255");
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.visualItemRect(grid.item(256, 1))));
    press(Qt::Key_Up);
    EXPECT_EQ(current(), Cell(255, 1));
}

TEST_F(FarbTabelleTest, redraw_button_redraws_and_refill_discards_the_grid_rows)
{
    change().setText("77");
    testing::click(*window, "cmdRedraw");
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, 77);

    glob.picture.FarbTabelle[0].Rot = 12;   // a new full load
    window->FillColorGrid();
    EXPECT_EQ(grid.item(1, 1)->text(), "12");
    EXPECT_EQ(grid.rowCount(), 257);
    EXPECT_EQ(current(), Cell(1, 1));
}

TEST_F(FarbTabelleTest, twins_show_their_group_and_the_button_colours_them_and_redraws)
{
    EXPECT_FALSE(testing::control<QWidget>(*window, "cmdZwillinge").isEnabled());   // no twins yet
    glob.picture.twins[20] = glob.picture.twins[30] = glob.picture.twins[40] = 20;
    window->FillColorGrid();
    EXPECT_EQ(grid.item(31, 6)->text(), "20");
    EXPECT_EQ(grid.item(21, 6)->text(), "20");
    EXPECT_EQ(grid.item(22, 6)->text(), "");
    EXPECT_EQ(grid.item(31, 6)->data(Qt::AccessibleTextRole).toString(), "Zwilling von 20");

    const bitmap::FarbEintrag lowest = glob.picture.FarbTabelle[20];
    testing::click(*window, "cmdZwillinge");
    EXPECT_EQ(redraws, 1);
    const bitmap::FarbEintrag& recoloured = glob.picture.FarbTabelle[30];
    EXPECT_EQ(row(31).mid(1, 3), (QStringList{QString::number(recoloured.Rot), QString::number(recoloured.Gruen),
                                               QString::number(recoloured.Blau)}));
    EXPECT_EQ(colourCell(31), QColor(recoloured.Rot, recoloured.Gruen, recoloured.Blau));
    EXPECT_NE(colourCell(31), colourCell(41));
    EXPECT_EQ(glob.picture.FarbTabelle[20].Rot, lowest.Rot);   // the lowest of the group keeps its colour
    EXPECT_EQ(glob.picture.FarbTabelle[30].Anzahl, 300);

    window->setRedrawEnabled(false);   // a run is under way
    EXPECT_FALSE(testing::control<QWidget>(*window, "cmdZwillinge").isEnabled());
}

TEST_F(FarbTabelleTest, position_is_read_clamped_and_written_back)
{
    writeStoredTwips("FarbLeft", -500);
    writeStoredTwips("FarbTop", 1500);
    frmFarbTabelle second(glob, dialogs, {});
    EXPECT_EQ(positionTwips(second), QPoint(0, 1500));
    second.move(40, 60);
    second.close();
    EXPECT_EQ(readStoredTwips("FarbLeft"), 600);
    EXPECT_EQ(readStoredTwips("FarbTop"), 900);

    testing::storeSetting("FarbLeft", "links");
    frmFarbTabelle third(glob, dialogs, {});
    EXPECT_EQ(dialogs.lastText(), "Farbtabelle_Load() - Error Typen unverträglich");
    EXPECT_NEAR(positionTwips(third).x(), 1000, twipsPerPixel);   // the default, and the window still fills
    third.FillColorGrid();
    EXPECT_EQ(testing::control<QTableWidget>(third, "gridFarben").item(256, 5)->text(), "2550");
    testing::clearSettings();
}

struct TabRow {
    const char* name;
    QKeyCombination fromBox;
    QKeyCombination fromButton;
};

const TabRow tabKeys[] = {
    {"Tab", Qt::Key_Tab, Qt::Key_Tab},
    {"Shift+Tab", Qt::ShiftModifier | Qt::Key_Backtab, Qt::ShiftModifier | Qt::Key_Backtab},
    {"Ctrl+Tab from the box", Qt::ControlModifier | Qt::Key_Tab, Qt::Key_Tab},
};

TEST_F(FarbTabelleTest, tab_keys_go_between_the_edit_box_and_the_redraw_button)
{
    testing::showActive(*window);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    for (const TabRow& row : tabKeys) {
        SCOPED_TRACE(row.name);
        change().setFocus();
        QTest::keyClick(&change(), row.fromBox.key(), row.fromBox.keyboardModifiers());
        EXPECT_EQ(QApplication::focusWidget(), &testing::control<QWidget>(*window, "cmdRedraw"));
        QTest::keyClick(QApplication::focusWidget(), row.fromButton.key(), row.fromButton.keyboardModifiers());
        EXPECT_EQ(QApplication::focusWidget(), &change());
        EXPECT_EQ(current(), Cell(2, 2));   // the cell stays as it was
    }
}

TEST_F(FarbTabelleTest, escape_leaves_the_edit_box_active)
{
    testing::showActive(*window);
    change().setFocus();
    QTest::keyClick(&change(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), &change());
    change().selectAll();
    QTest::keyClicks(&change(), "42");
    EXPECT_EQ(grid.item(1, 1)->text(), "42");
    EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, 42);
}

} // namespace
} // namespace quirlwerk::ui
