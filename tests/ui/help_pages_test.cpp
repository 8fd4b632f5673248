// The help pages: titles, line counts, and the two lines built at run time.
#include "ui/help_pages.h"

#include "conversions/ook.h"
#include "version.h"

#include <gtest/gtest.h>

namespace quirlwerk::ui {
namespace {

struct PageRow {
    int topic;
    std::u16string_view title;
    std::size_t lines;
};

constexpr PageRow pages[] = {
    {0, u"Hilfe zu Quirlwerk - Allgemeine Informationen", 7},
    {1, u"Hilfe zu Quirlwerk - GeoCode-Umwandlung", 6},
    {2, u"Hilfe zu Quirlwerk - Umwandlung ASCII <--> Text", 17},
    {3, u"Hilfe zu Quirlwerk - Ook! Ook? entschlüsseln", 13},
    {4, u"Hilfe zu Quirlwerk - Brainfuck entschlüsseln", 16},
    {5, u"Hilfe zu Quirlwerk - Datei mit HEX-Zeichen in Binärdatei umwandeln", 15},
    {6, u"Hilfe zu Quirlwerk - Buchstaben der Wörter zählen und Zahlen in 0/1 umwandeln", 12},
    {7, u"Hilfe zu Quirlwerk - 01-Folge in 8ter Gruppen aufteilen und in HEX-Zahlen umwandeln", 12},
    {8, u"Hilfe zu Quirlwerk - Zahlen als Zeile/Spalte interpretieren und über Matrix in Klartext umwandeln", 36},
    {9, u"Hilfe zu Quirlwerk - Morsezeichen entschlüssen / Text in Morsezeichen umwandeln", 27},
    {10, u"Hilfe zu Quirlwerk - Buchstaben pro Zeile in Zahl im Alphabet umwandeln und summieren", 18},
    {11, u"Hilfe zu Quirlwerk - Bild konvertieren", 41},
};

TEST(helpPage, has_its_title_and_lines_joined_without_a_final_break)
{
    for (const PageRow& row : pages) {
        SCOPED_TRACE(row.topic);
        const std::optional<HelpPage> page = helpPage(row.topic);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->title, row.title);
        EXPECT_EQ(page->lines.size(), row.lines);
        const Text text = page->text();
        EXPECT_TRUE(text.starts_with(page->lines.front()));
        EXPECT_FALSE(text.ends_with(u"\r\n"));
        // Each line break is CR LF: no lone CR or LF inside the page.
        std::size_t breaks = 0;
        for (std::size_t at = text.find(u"\r\n"); at != Text::npos; at = text.find(u"\r\n", at + 2))
            ++breaks;
        EXPECT_EQ(breaks, row.lines - 1);
        EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), static_cast<long>(breaks));
    }
}

TEST(helpPage, keeps_trailing_blanks_and_doubled_apostrophes)
{
    EXPECT_EQ(helpPage(3)->lines[8], u"Beispiel: ");
    EXPECT_EQ(helpPage(9)->lines[6],
              u"Es wird der Klartext angezeigt. Sind unbekannte Morsezeichen dabei werden diese als ''?(.-.-.)'' übernommen.");
    EXPECT_EQ(helpPage(4)->lines[14], u"   72 101 108 108 111 32 87 111 114 108 100 33");
}

TEST(helpPage, general_page_ends_with_a_notice_naming_the_version)
{
    const HelpPage page = *helpPage(0);
    EXPECT_EQ(page.lines[1], u"");
    EXPECT_EQ(page.lines[3], u"");
    EXPECT_EQ(page.lines[5], u"");
    const Text version = u"Version " + decimal(versionMajor) + u"." + decimal(versionMinor) + u"." + decimal(versionRevision);
    EXPECT_NE(page.lines[4].find(version), Text::npos);
    EXPECT_NE(page.lines[6].find(u"Internetverbindung"), Text::npos);
}

TEST(helpPage, ook_example_spells_the_brainfuck_program_below_it)
{
    const HelpPage page = *helpPage(3);
    const Text& ook = page.lines[9];
    EXPECT_EQ(ook.size(), 1409u);
    EXPECT_TRUE(ook.starts_with(u"Ook. Ook? Ook. Ook. Ook. Ook."));
    EXPECT_TRUE(ook.ends_with(u"Ook. Ook! Ook."));
    EXPECT_EQ(ook, conversions::BrainfuckToOok(page.lines[12]));
}

TEST(helpPage, nothing_outside_the_topics)
{
    EXPECT_FALSE(helpPage(-1));
    EXPECT_FALSE(helpPage(12));
}

} // namespace
} // namespace quirlwerk::ui
