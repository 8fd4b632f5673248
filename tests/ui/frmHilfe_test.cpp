// The help window on its own: filling by topic and following its size.
#include "window_test_support.h"

#include "ui/GlobData.h"
#include "ui/frmHilfe.h"
#include "ui/text_field.h"

namespace quirlwerk::ui {
namespace {

using testing::control;

class HelpWindow : public ::testing::Test {
protected:
    HelpWindow() { help.setAttribute(Qt::WA_DeleteOnClose, false); }

    GlobData glob;
    frmHilfe help{glob};
};

TEST_F(HelpWindow, an_unknown_topic_empties_the_text_and_keeps_the_heading)
{
    glob.HilfeThema = 9;
    help.SetHilfeText();
    glob.HilfeThema = 12;
    help.SetHilfeText();
    EXPECT_EQ(testing::textOf(help, "lblHeader"),
              QStringLiteral("Hilfe zu Quirlwerk - Morsezeichen entschlüssen / Text in Morsezeichen umwandeln"));
    EXPECT_TRUE(control<TextField>(help, "txtHilfe").text().empty());
}

TEST_F(HelpWindow, text_box_follows_the_window_with_its_margins)
{
    const std::tuple<const char*, QSize, QSize> sizes[] = {
        {"design size", {616, 440}, {608, 406}},
        {"larger", {800, 600}, {792, 566}},
        {"too small keeps 1200 twips", {50, 40}, {80, 80}},
    };
    help.show();
    for (const auto& [name, window, text] : sizes) {
        SCOPED_TRACE(name);
        help.resize(window);
        EXPECT_EQ(control<QWidget>(help, "txtHilfe").geometry(), QRect(QPoint(4, 28), text));
        EXPECT_EQ(control<QWidget>(help, "lblHeader").width(), text.width());
    }
}

} // namespace
} // namespace quirlwerk::ui
