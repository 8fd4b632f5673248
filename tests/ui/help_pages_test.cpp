// The help pages (one per topic, lines joined by CR LF, and the lines built at run time) and the help window
// on its own: filling by topic and following its size.
#include "window_test_support.h"

#include "conversions/ook.h"
#include "ui/frmHilfe.h"
#include "ui/help_pages.h"
#include "ui/text_field.h"
#include "ui/twips.h"
#include "version.h"

namespace quirlwerk::ui {
namespace {

// Every mode's page, the general page, and nothing just outside them.
TEST(helpPage, every_topic_has_a_titled_page_whose_lines_hold_no_break_of_their_own)
{
    for (int topic = 0; topic < helpTopicCount; ++topic) {
        SCOPED_TRACE(topic);
        const std::optional<HelpPage> page = helpPage(topic);
        ASSERT_TRUE(page);
        EXPECT_TRUE(page->title.starts_with(u"Hilfe zu Quirlwerk - "));
        Text joined = page->lines.front();
        for (std::size_t line = 1; line < page->lines.size(); ++line)
            joined += u"\r\n" + page->lines[line];
        EXPECT_EQ(page->text(), joined);
        for (const Text& line : page->lines)
            EXPECT_EQ(line.find_first_of(u"\r\n"), Text::npos);
    }
    EXPECT_FALSE(helpPage(-1));
    EXPECT_FALSE(helpPage(helpTopicCount));
}

// The lines built at run time: the version named, the Ook! example spelling the Brainfuck program below it; and
// the picture page naming every format.
TEST(helpPage, names_the_version_spells_the_ook_example_and_the_formats)
{
    const Text version = u"Version " + decimal(versionMajor) + u"." + decimal(versionMinor) + u"." + decimal(versionRevision);
    EXPECT_NE(helpPage(0)->text().find(version), Text::npos);
    EXPECT_EQ(helpPage(3)->lines[9], conversions::BrainfuckToOok(helpPage(3)->lines[12]));
    // The picture page opens with every format the mode reads.
    const Text opening = helpPage(11)->lines[1];
    for (const char16_t* format : {u"BMP", u"GIF", u"PNG", u"Farbtabelle"})
        EXPECT_NE(opening.find(format), Text::npos);
    EXPECT_EQ(opening.find(u"nicht unterstützt"), Text::npos);
}

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
    EXPECT_TRUE(testing::control<TextField>(help, "txtHilfe").text().empty());

    help.show();
    EXPECT_EQ(help.size(), QSize(9240, 6600) / twipsPerPixel);
    // The text box keeps its margins, and 1200 twips when the window is smaller.
    for (const QSize window : {QSize(616, 440), QSize(800, 600), QSize(50, 40)}) {
        help.resize(window);
        const QRect text = testing::control<QWidget>(help, "txtHilfe").geometry();
        EXPECT_EQ(text, QRect(4, 28, std::max(80, window.width() - 8), std::max(80, window.height() - 34)));
        EXPECT_EQ(testing::control<QWidget>(help, "lblHeader").width(), text.width());
    }
}

} // namespace
} // namespace quirlwerk::ui
