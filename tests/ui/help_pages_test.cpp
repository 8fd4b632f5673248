// The help pages: one per topic, lines joined by CR LF, and the lines built at run time.
#include "ui/help_pages.h"

#include "conversions/ook.h"
#include "version.h"

#include <gtest/gtest.h>


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

// Lines kept as written, the version named, and the Ook! example spelling the Brainfuck program below it.
TEST(helpPage, keeps_trailing_blanks_and_doubled_apostrophes_names_the_version_and_spells_the_ook_example)
{
    EXPECT_EQ(helpPage(3)->lines[8], u"Beispiel: ");
    EXPECT_NE(helpPage(9)->lines[6].find(u" ''?(.-.-.)'' "), Text::npos);
    const Text version = u"Version " + decimal(versionMajor) + u"." + decimal(versionMinor) + u"." + decimal(versionRevision);
    EXPECT_NE(helpPage(0)->text().find(version), Text::npos);
    EXPECT_EQ(helpPage(3)->lines[9], conversions::BrainfuckToOok(helpPage(3)->lines[12]));
}

// The picture page opens with every format the mode reads.
TEST(helpPage, the_picture_page_opens_with_bmp_gif_and_png)
{
    const Text& opening = helpPage(11)->lines[1];
    for (const char16_t* format : {u"BMP", u"GIF", u"PNG", u"Farbtabelle"})
        EXPECT_NE(opening.find(format), Text::npos);
    EXPECT_EQ(opening.find(u"nicht unterstützt"), Text::npos);
}

} // namespace
} // namespace quirlwerk::ui
