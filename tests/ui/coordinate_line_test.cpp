// The coordinate line's wiring: which finds it lists, what its menus copy and open, where the main window
// puts it. What is found, and the forms' texts, belong to the core's tests.
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "coordinates/formats.h"
#include "ui/coordinate_line.h"
#include "ui/frmMain.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"

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
    ASSERT_EQ(line.finds().size(), 10u);
    EXPECT_FALSE(line.isHidden());
    EXPECT_EQ(line.findChildren<QToolButton*>().size(), 8);
    EXPECT_EQ(control<QLabel>(line, "lblWeitere").text().toStdString(), "und 2 weitere");
    const auto& second = control<QToolButton>(line, "cmdKoordinate2");
    const coordinates::Coordinate position = line.finds()[1].position;
    EXPECT_EQ(toText(second.accessibleName()), u"Koordinate 2: " + coordinates::standardForm(position));
    EXPECT_TRUE(second.focusPolicy() & Qt::TabFocus);
    const QList<QAction*> actions = second.menu()->actions();   // each form, a separator, the map
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
    GlobData glob;
    testing::RecordingDialogs dialogs;
    frmMain window(glob, dialogs);
    testing::showActive(window);
    const auto& txtOut = control<TextField>(window, "txtOut");
    const auto& line = control<CoordinateLine>(window, "lineKoordinaten");
    const QRect designOut = txtOut.geometry();
    for (const char16_t* input : {u"Dose: A 52° 31.123 R 013° 24.456", u"nur 48.816 34.147"}) {   // GeoCode: A is N, R is E
        control<TextField>(window, "txtIn").setText(input);
        control<QPushButton>(window, "cmdDecrypt").click();
        EXPECT_EQ(line.isVisibleTo(&window), line.finds().size() == 1);
        EXPECT_LE(txtOut.mapTo(&window, txtOut.rect().bottomLeft()).y(), line.isHidden() ? window.height() : line.mapTo(&window, QPoint()).y());
    }
    EXPECT_EQ(txtOut.geometry(), designOut);
}

} // namespace
} // namespace quirlwerk::ui
