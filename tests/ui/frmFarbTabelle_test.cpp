// The colour table window: filling, in-place editing, the arrow and Tab keys, the buttons; where it and the
// matrix window open.
// The colour rules and the twins are the core's tests; here the window shows and edits what they give.
#include "ui/frmFarbTabelle.h"
#include "ui/frmMatrixProj.h"

#include "ui/window_position.h"
#include "window_test_support.h"

namespace quirlwerk::ui {
namespace {

using Cell = std::pair<int, int>;

class FarbTabelleTest : public ::testing::Test {
protected:
    FarbTabelleTest()
    {
        for (int i = 0; i < 256; ++i)
            glob.picture.FarbTabelle[i] = {std::int16_t(i), std::int16_t(255 - i), std::int16_t(i / 2), i * 10};
        window->show();
        QApplication::setActiveWindow(window.get());
        window->FillColorGrid();
    }

    Cell current() const { return {grid.currentRow(), grid.currentColumn()}; }
    QColor colourCell(int row) const { return grid.item(row, 4)->background().color(); }
    QLineEdit& change() const { return *window->txtChange(); }
    void press(Qt::Key key) { QTest::keyClick(&change(), key); }
    void twins(std::initializer_list<int> group)
    {
        glob.picture.twins = bitmap::noTwins();
        for (const int entry : group)
            glob.picture.twins[std::size_t(entry)] = std::int16_t(*group.begin());
        window->FillColorGrid();
    }

    GlobData glob;
    testing::RecordingDialogs dialogs;
    int redraws = 0;
    std::unique_ptr<frmFarbTabelle> window = std::make_unique<frmFarbTabelle>(glob, dialogs, [this] { ++redraws; });
    QTableWidget& grid = testing::control<QTableWidget>(*window, "gridFarben");
};

TEST_F(FarbTabelleTest, fill_shows_every_entry_and_typing_or_a_click_edits_it_in_place)
{
    ASSERT_EQ(grid.rowCount(), 257);
    EXPECT_EQ(grid.horizontalHeaderItem(5)->text(), "Anzahl Pixel");
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(grid.item(201, column)->text(), (QStringList{"200", "200", "55", "100", " ", "2000"})[column]);
    EXPECT_EQ(colourCell(201), QColor(200, 55, 100));
    EXPECT_EQ(current(), Cell(1, 1));

    const std::tuple<const char*, const char*, int> steps[] = {{"3", "3", 3}, {"0", "30", 30}, {"0", "255", 255}};
    change().clear();
    for (const auto& [keys, shown, red] : steps) {
        QTest::keyClicks(&change(), keys);
        EXPECT_EQ(grid.item(1, 1)->text(), shown);
        EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, red);
    }
    EXPECT_EQ(colourCell(1), QColor(255, 255, 0));
    EXPECT_EQ(redraws, 0);   // an edit does not redraw
    EXPECT_TRUE(dialogs.messages.empty());
    // A click on another column edits the nearest colour column.
    for (const auto& [column, edited] : {std::pair{0, 1}, std::pair{2, 2}, std::pair{4, 3}, std::pair{5, 3}}) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualItemRect(grid.item(4, column)).center());
        EXPECT_EQ(current(), Cell(4, edited));
        EXPECT_EQ(change().text(), grid.item(4, edited)->text());
    }
}

TEST_F(FarbTabelleTest, arrow_keys_walk_without_wrapping_and_stop_at_the_last_row)
{
    const std::pair<Qt::Key, Cell> steps[] = {
        {Qt::Key_Left, {1, 1}},  {Qt::Key_Up, {1, 1}},   {Qt::Key_Right, {1, 2}}, {Qt::Key_Right, {1, 3}},
        {Qt::Key_Right, {1, 3}}, {Qt::Key_Down, {2, 3}}, {Qt::Key_Left, {2, 2}},  {Qt::Key_Up, {1, 2}},
    };
    for (const auto& [key, after] : steps) {
        press(key);
        EXPECT_EQ(current(), after);
        EXPECT_EQ(change().selectedText(), change().text());
    }
    for (int i = 0; i < 300; ++i)   // scrolls row by row
        press(Qt::Key_Down);
    EXPECT_EQ(current(), Cell(256, 2));
    EXPECT_EQ(change().text(), "0");
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.visualItemRect(grid.item(256, 2))));
    press(Qt::Key_Up);
    EXPECT_EQ(current(), Cell(255, 2));
}

TEST_F(FarbTabelleTest, the_buttons_redraw_with_the_table_as_edited_recoloured_or_twins_only)
{
    auto& recolour = testing::control<QWidget>(*window, "cmdZwillinge");
    auto& only = testing::control<QWidget>(*window, "cmdNurZwillinge");
    EXPECT_FALSE(recolour.isEnabled() || only.isEnabled());   // no twins yet
    change().setText("77");
    testing::click(*window, "cmdRedraw");
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(glob.picture.FarbTabelle[0].Rot, 77);

    twins({20, 30, 40});
    EXPECT_EQ(grid.item(31, 6)->text(), "20");
    EXPECT_EQ(grid.item(22, 6)->text(), "");
    testing::click(*window, "cmdZwillinge");
    EXPECT_EQ(redraws, 2);
    const bitmap::FarbEintrag& recoloured = glob.picture.FarbTabelle[30];
    EXPECT_EQ(grid.item(31, 1)->text(), QString::number(recoloured.Rot));
    EXPECT_EQ(colourCell(31), QColor(recoloured.Rot, recoloured.Gruen, recoloured.Blau));

    testing::click(*window, "cmdNurZwillinge");   // 20 and 30 are used less than 40
    EXPECT_EQ(redraws, 3);
    EXPECT_EQ(colourCell(21), QColor(Qt::white));   // which entries turn white is the core's test
    EXPECT_NE(colourCell(41), QColor(Qt::white));
    window->setRedrawEnabled(false);   // a run is under way
    EXPECT_FALSE(recolour.isEnabled() || only.isEnabled());
}

// Both side windows: beside their owner without a stored position, else at the stored one kept on the screen
// (an edge that is not a number passed over as 0, without a message), and back in the store when closed.
TEST(SideWindows, open_beside_their_owner_unless_a_position_is_stored_and_write_it_back)
{
    GlobData glob;
    testing::RecordingDialogs dialogs;
    QWidget owner;
    owner.setGeometry(100, 100, 300, 200);
    using Open = std::function<std::unique_ptr<QWidget>()>;
    const std::tuple<std::string, Open, QStringList, QPoint, QPoint> rows[] = {
        {"Farb", [&] { return std::make_unique<frmFarbTabelle>(glob, dialogs, nullptr, &owner); }, {"-500", "1500"}, {-500, 1500}, {40, 60}},
        {"MatrixProj", [&] { return std::make_unique<frmMatrixProj>(dialogs, &owner); }, {"oben", "500000"}, {0, 500000}, {20, 30}},
    };
    for (const auto& [prefix, open, stored, read, moved] : rows) {
        SCOPED_TRACE(prefix);
        testing::clearSettings();
        const auto beside = open();
        const QRect ownerTwips(positionTwips(owner), outerSizeTwips(owner));
        EXPECT_EQ(positionTwips(*beside), besideWindow(ownerTwips, outerSizeTwips(*beside), screenSizeTwips(*beside)));
        testing::storeSetting((prefix + "Left").c_str(), stored[0]);
        testing::storeSetting((prefix + "Top").c_str(), stored[1]);
        const auto placed = open();
        EXPECT_EQ(positionTwips(*placed), clampToScreen(read, outerSizeTwips(*placed), screenSizeTwips(*placed)));
        placed->setAttribute(Qt::WA_DeleteOnClose, false);
        placed->move(moved);
        placed->close();
        EXPECT_EQ(QPoint(readStoredTwips(QString::fromStdString(prefix + "Left")), readStoredTwips(QString::fromStdString(prefix + "Top"))), moved * twipsPerPixel);
    }
    EXPECT_TRUE(dialogs.messages.empty());
    testing::clearSettings();
}

// Tab and Shift+Tab go round the edit box and the enabled buttons, Ctrl+Tab from the box as Tab, and
// Escape leaves the box active; the cell stays.
TEST_F(FarbTabelleTest, tab_keys_go_round_the_edit_box_and_the_enabled_buttons_both_ways)
{
    testing::showActive(*window);
    const std::tuple<QKeyCombination, bool, bool, std::vector<const char*>> rows[] = {
        {Qt::ControlModifier | Qt::Key_Tab, true, true, {"cmdRedraw", "cmdZwillinge", "cmdNurZwillinge", "txtChange"}},
        {Qt::ShiftModifier | Qt::Key_Backtab, true, true, {"cmdNurZwillinge", "cmdZwillinge", "cmdRedraw", "txtChange"}},
        {Qt::Key_Tab, false, true, {"cmdRedraw", "txtChange"}},
        {Qt::ShiftModifier | Qt::Key_Backtab, false, true, {"cmdRedraw", "txtChange"}},
        {Qt::Key_Tab, true, false, {"txtChange"}},
        {Qt::Key_Escape, true, true, {"txtChange"}},
    };
    for (const auto& [first, withTwins, runs, chain] : rows) {
        SCOPED_TRACE(QKeySequence(first).toString().toStdString() + (withTwins ? " twins" : "") + (runs ? " runs" : ""));
        twins(withTwins ? std::initializer_list<int>{0, 7} : std::initializer_list<int>{});
        window->setRedrawEnabled(runs);
        press(Qt::Key_Down);
        press(Qt::Key_Right);
        change().setFocus();
        QKeyCombination key = first;
        for (const char* expected : chain) {
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            key = QKeyCombination(key.keyboardModifiers() & ~Qt::ControlModifier, key.key());
            EXPECT_EQ(QApplication::focusWidget()->objectName(), expected);
        }
        EXPECT_EQ(current(), Cell(2, 2));
    }
}

} // namespace
} // namespace quirlwerk::ui
