// The colour table window on its own: filling, the colour cell rule, in-place editing, the arrow keys,
// clicks on other columns, the redraw button and the stored position.
#include "ui/frmFarbTabelle.h"

#include "recording_dialogs.h"
#include "ui/GlobData.h"
#include "ui/window_position.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

using namespace quirlwerk;
using namespace quirlwerk::ui;
using quirlwerk::ui::testing::RecordingDialogs;

namespace {

class FarbTabelleTest : public ::testing::Test {
protected:
    GlobData glob;
    RecordingDialogs dialogs;
    int redraws = 0;
    std::unique_ptr<frmFarbTabelle> window;
    QTableWidget* grid = nullptr;

    FarbTabelleTest()
    {
        for (int i = 0; i < 256; ++i)
            glob.picture.FarbTabelle[i] = {std::int16_t(i), std::int16_t(255 - i), std::int16_t(i / 2), i * 10};
        glob.picture.FarbTabelle[7] = {0, 0, 0, 3};
        window = std::make_unique<frmFarbTabelle>(glob, dialogs, [this] { ++redraws; });
        grid = window->findChild<QTableWidget*>("gridFarben");
        window->show();
        QApplication::setActiveWindow(window.get());
        window->FillColorGrid();
    }

    std::pair<int, int> current() const { return {grid->currentRow(), grid->currentColumn()}; }
    QColor colourCell(int row) const { return grid->item(row, 4)->background().color(); }
    void press(Qt::Key key) { QTest::keyClick(window->txtChange(), key); }
};

} // namespace

TEST_F(FarbTabelleTest, fill_shows_every_entry_with_its_colour_and_count)
{
    EXPECT_EQ(window->windowTitle(), "Farbtabelle");
    EXPECT_EQ(grid->rowCount(), 257);
    EXPECT_EQ(grid->columnCount(), 6);
    const QStringList headers{"Index", "Rot", "Grün", "Blau", "Farbe", "Anzahl Pixel"};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), headers[c]);
        EXPECT_EQ(grid->item(0, c)->text(), headers[c]);
    }
    const QStringList row201{"200", "200", "55", "100", " ", "2000"};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(grid->item(201, c)->text(), row201[c]);
    EXPECT_EQ(colourCell(201), QColor(200, 55, 100));
    EXPECT_EQ(colourCell(8), QColor(1, 0, 0));   // all zero is painted as value 1
    EXPECT_EQ(current(), std::pair(1, 1));
    ASSERT_NE(window->txtChange(), nullptr);
    EXPECT_EQ(window->txtChange()->objectName(), "txtChange");
    EXPECT_EQ(window->txtChange()->text(), "0");
    EXPECT_EQ(window->txtChange()->maxLength(), 3);
}

TEST_F(FarbTabelleTest, typing_edits_the_entry_and_repaints_only_its_cell)
{
    struct Step {
        const char* keys;
        const char* field;
        const char* cell;
        int rot;
    };
    const Step steps[] = {
        {"3", "3", "3", 3}, {"0", "30", "30", 30}, {"0", "255", "255", 255}, {"9", "255", "255", 255},
    };
    window->txtChange()->clear();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.keys);
        QTest::keyClicks(window->txtChange(), step.keys);
        EXPECT_EQ(window->txtChange()->text(), step.field);
        EXPECT_EQ(grid->item(1, 1)->text(), step.cell);
        EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, step.rot);
    }
    EXPECT_EQ(colourCell(1), QColor(255, 255, 0));
    EXPECT_EQ(glob.picture.FarbTabelle[0].Anzahl, 0);
    EXPECT_EQ(redraws, 0);   // an edit does not redraw

    window->txtChange()->setText("256");   // pasted
    EXPECT_EQ(window->txtChange()->text(), "255");
    window->txtChange()->clear();
    EXPECT_EQ(grid->item(1, 1)->text(), "0");
    EXPECT_EQ(window->txtChange()->text(), "");
    EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FarbTabelleTest, an_all_zero_entry_edited_gets_its_new_colour)
{
    grid->setCurrentCell(8, 3);
    window->txtChange()->setText("9");
    EXPECT_EQ(colourCell(8), QColor(0, 0, 9));
    EXPECT_EQ(glob.picture.FarbTabelle[7].Blau, 9);
}

TEST_F(FarbTabelleTest, a_click_on_another_column_edits_the_nearest_colour_column)
{
    struct Row {
        const char* name;
        int column;
        int expected;
    };
    const Row rows[] = {{"Index", 0, 1}, {"Grün", 2, 2}, {"Farbe", 4, 3}, {"Anzahl Pixel", 5, 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QRect cell = grid->visualItemRect(grid->item(4, row.column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(current(), std::pair(4, row.expected));
        EXPECT_EQ(window->txtChange()->text(), grid->item(4, row.expected)->text());
    }
}

TEST_F(FarbTabelleTest, arrow_keys_walk_without_wrapping)
{
    struct Step {
        const char* name;
        Qt::Key key;
        std::pair<int, int> after;
    };
    const Step steps[] = {
        {"left at Rot", Qt::Key_Left, {1, 1}},    {"up at row 1", Qt::Key_Up, {1, 1}},
        {"right", Qt::Key_Right, {1, 2}},         {"right again", Qt::Key_Right, {1, 3}},
        {"right at Blau", Qt::Key_Right, {1, 3}}, {"down", Qt::Key_Down, {2, 3}},
        {"left", Qt::Key_Left, {2, 2}},           {"up", Qt::Key_Up, {1, 2}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        press(step.key);
        EXPECT_EQ(current(), step.after);
        EXPECT_EQ(window->txtChange()->selectedText(), window->txtChange()->text());
    }
}

TEST_F(FarbTabelleTest, down_scrolls_row_by_row_and_stops_at_the_last_row)
{
    for (int i = 0; i < 300; ++i)
        press(Qt::Key_Down);
    EXPECT_EQ(current(), std::pair(256, 1));
    EXPECT_EQ(window->txtChange()->text(), "255");
    const QRect cell = grid->visualItemRect(grid->item(256, 1));
    EXPECT_TRUE(grid->viewport()->rect().contains(cell));
    press(Qt::Key_Up);
    EXPECT_EQ(current(), std::pair(255, 1));
}

TEST_F(FarbTabelleTest, redraw_button_redraws_and_refill_discards_the_grid_rows)
{
    window->txtChange()->setText("77");
    QTest::mouseClick(window->findChild<QPushButton*>("cmdRedraw"), Qt::LeftButton);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, 77);

    glob.picture.FarbTabelle[0].Rot = 12;   // a new full load
    window->FillColorGrid();
    EXPECT_EQ(grid->item(1, 1)->text(), "12");
    EXPECT_EQ(grid->rowCount(), 257);
    EXPECT_EQ(current(), std::pair(1, 1));
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
}

TEST_F(FarbTabelleTest, a_stored_position_that_is_no_number_is_reported)
{
    QSettings(QSettings::UserScope, "Quirlwerk", "Quirlwerk").setValue("Settings/FarbLeft", "links");
    frmFarbTabelle second(glob, dialogs, {});
    EXPECT_EQ(dialogs.lastText(), "Farbtabelle_Load() - Error Typen unverträglich");
    QSettings(QSettings::UserScope, "Quirlwerk", "Quirlwerk").remove("Settings/FarbLeft");
}
