// The help window on its own: filling by topic and following its size.
#include "window_test_support.h"

#include "ui/frmHilfe.h"
#include "ui/text_field.h"
#include "ui/twips.h"

namespace quirlwerk::ui {
namespace {

using testing::control;

TEST(HelpWindow, an_unknown_topic_empties_the_text_and_the_text_box_follows_the_window)
{
    GlobData glob;
    frmHilfe help(glob);
    help.setAttribute(Qt::WA_DeleteOnClose, false);
    glob.HilfeThema = 9;
    help.SetHilfeText();
    glob.HilfeThema = 12;
    help.SetHilfeText();
    EXPECT_TRUE(testing::textOf(help, "lblHeader").startsWith(QStringLiteral("Hilfe zu Quirlwerk - Morsezeichen")));
    EXPECT_TRUE(control<TextField>(help, "txtHilfe").text().empty());

    help.show();
    EXPECT_EQ(help.size(), QSize(9240, 6600) / twipsPerPixel);
    // The text box keeps its margins, and 1200 twips when the window is smaller.
    for (const QSize window : {QSize(616, 440), QSize(800, 600), QSize(50, 40)}) {
        help.resize(window);
        const QRect text = control<QWidget>(help, "txtHilfe").geometry();
        EXPECT_EQ(text, QRect(4, 28, std::max(80, window.width() - 8), std::max(80, window.height() - 34)));
        EXPECT_EQ(control<QWidget>(help, "lblHeader").width(), text.width());
    }
}

} // namespace
} // namespace quirlwerk::ui
