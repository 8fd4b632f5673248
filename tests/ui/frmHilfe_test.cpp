// The help window on its own: filling by topic and following its size.
#include "window_test_support.h"

#include "ui/GlobData.h"
#include "ui/frmHilfe.h"
#include "ui/text_field.h"

#include <gtest/gtest.h>

#include <QLabel>

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
    EXPECT_EQ(control<QLabel>(help, "lblHeader").text(),
              QStringLiteral("Hilfe zu Quirlwerk - Morsezeichen entschlüssen / Text in Morsezeichen umwandeln"));
    EXPECT_TRUE(control<TextField>(help, "txtHilfe").text().empty());
}

struct SizeRow {
    const char* name;
    QSize window;
    QSize text;
};

const SizeRow sizes[] = {
    {"design size", {616, 440}, {608, 406}},
    {"larger", {800, 600}, {792, 566}},
    {"too small keeps 1200 twips", {50, 40}, {80, 80}},
};

TEST_F(HelpWindow, text_box_follows_the_window_with_its_margins)
{
    help.show();
    for (const SizeRow& row : sizes) {
        SCOPED_TRACE(row.name);
        help.resize(row.window);
        const QWidget& text = control<QWidget>(help, "txtHilfe");
        EXPECT_EQ(text.pos(), QPoint(4, 28));
        EXPECT_EQ(text.size(), row.text);
        EXPECT_EQ(control<QLabel>(help, "lblHeader").width(), row.text.width());
    }
}

} // namespace
} // namespace quirlwerk::ui
