// The coordinate line's wiring: which finds it lists, what its menus copy and open, where the main window
// puts it. What is found, and the forms' texts, belong to the core's tests.
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "coordinates/formats.h"
#include "ui/coordinate_line.h"
#include "ui/frmMain.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace quirlwerk::ui {
namespace {

using testing::control;

struct RecordingOpener : LinkOpener {
    void open(const QUrl& url) override { opened.push_back(url.toString().toStdString()); }
    std::vector<std::string> opened;
};

TEST(CoordinateLine, lists_the_first_finds_and_copies_or_opens_each_in_every_form)
{
    CoordinateLine line;
    RecordingOpener opener;
    line.setLinkOpener(opener);
    Text text;
    for (int minutes = 10; minutes < 20; ++minutes)
        text += u"Station N 52° " + decimal(minutes) + u".500 E 013° 24.456\r\n";
    line.showFinds(text);
    EXPECT_FALSE(line.isHidden());
    ASSERT_EQ(line.finds().size(), 10u);
    EXPECT_EQ(line.findChildren<QToolButton*>().size(), 8);
    EXPECT_EQ(control<QLabel>(line, "lblWeitere").text().toStdString(), "und 2 weitere");
    const QToolButton& second = control<QToolButton>(line, "cmdKoordinate2");
    const coordinates::Coordinate position = line.finds()[1].position;
    EXPECT_EQ(toText(second.text()), coordinates::standardForm(position));
    EXPECT_TRUE(second.focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(const_cast<QToolButton*>(&second))->text(QAccessible::Name),
              QStringLiteral("Koordinate 2: ") + second.text());
    const QList<QAction*> actions = second.menu()->actions();
    ASSERT_EQ(actions.size(), static_cast<int>(coordinates::formatTable.size()) + 2);   // a separator, the map
    for (std::size_t i = 0; i < coordinates::formatTable.size(); ++i) {
        actions[static_cast<int>(i)]->trigger();
        EXPECT_EQ(toText(QGuiApplication::clipboard()->text()), coordinates::formatted(position, coordinates::formatTable[i].format));
    }
    EXPECT_TRUE(opener.opened.empty());   // nothing leaves the machine before the user asks
    actions.back()->trigger();
    EXPECT_EQ(opener.opened, std::vector<std::string>{coordinates::mapLink(position)});

    line.showFinds(u"6, 12, 16, 29 S1 N2");
    EXPECT_TRUE(line.isHidden());
    EXPECT_TRUE(line.findChildren<QToolButton*>().empty());
}

TEST(CoordinateLine, follows_the_output_below_the_fields_and_leaves_the_layout_when_empty)
{
    testing::clearSettings();
    GlobData glob;
    testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    testing::showActive(window);
    auto& txtIn = control<TextField>(window, "txtIn");
    const auto& txtOut = control<TextField>(window, "txtOut");
    const auto& line = control<CoordinateLine>(window, "lineKoordinaten");
    const QRect designOut = txtOut.geometry();

    txtIn.setText(u"Dose: A 52° 31.123 R 013° 24.456");   // GeoCode turns A into N and R into E
    control<QPushButton>(window, "cmdDecrypt").click();
    ASSERT_TRUE(line.isVisibleTo(&window));
    EXPECT_EQ(line.finds().size(), 1u);
    EXPECT_LE(txtOut.mapTo(&window, txtOut.rect().bottomLeft()).y(), line.mapTo(&window, QPoint(0, 0)).y());
    control<QWidget>(window, "txtOut").setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), "cmdKoordinate1");

    txtIn.setText(u"Keine Koordinaten, nur 48.816 34.147");
    control<QPushButton>(window, "cmdDecrypt").click();
    EXPECT_FALSE(line.isVisibleTo(&window));
    EXPECT_EQ(txtOut.geometry(), designOut);

    txtIn.setText(u"A 52° 31.123 R 013° 24.456");
    control<QPushButton>(window, "cmdDecrypt").click();
    control<QAction>(window, "mnuHexDatei").trigger();   // the hex frame shows no coordinates yet
    EXPECT_FALSE(line.isVisibleTo(&window));
}

} // namespace
} // namespace quirlwerk::ui
