// The help pages: titles, line counts, and the two lines built at run time.
#include "ui/help_pages.h"

#include "conversions/ook.h"
#include "version.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quirlwerk::ui {
namespace {

struct PageRow {
    std::u16string_view title;
    std::size_t lines;
};

// By topic: 0 is the general page, then one per mode.
constexpr PageRow pages[] = {
    {u"Hilfe zu Quirlwerk - Allgemeine Informationen", 14},
    {u"Hilfe zu Quirlwerk - GeoCode-Umwandlung", 6},
    {u"Hilfe zu Quirlwerk - Umwandlung ASCII <--> Text", 17},
    {u"Hilfe zu Quirlwerk - Ook! Ook? entschlüsseln", 13},
    {u"Hilfe zu Quirlwerk - Brainfuck entschlüsseln", 16},
    {u"Hilfe zu Quirlwerk - Datei mit HEX-Zeichen in Binärdatei umwandeln", 17},
    {u"Hilfe zu Quirlwerk - Buchstaben der Wörter zählen und Zahlen in 0/1 umwandeln", 12},
    {u"Hilfe zu Quirlwerk - 01-Folge in 8ter Gruppen aufteilen und in HEX-Zahlen umwandeln", 12},
    {u"Hilfe zu Quirlwerk - Zahlen als Zeile/Spalte interpretieren und über Matrix in Klartext umwandeln", 40},
    {u"Hilfe zu Quirlwerk - Morsezeichen entschlüssen / Text in Morsezeichen umwandeln", 27},
    {u"Hilfe zu Quirlwerk - Buchstaben pro Zeile in Zahl im Alphabet umwandeln und summieren", 18},
    {u"Hilfe zu Quirlwerk - Bild konvertieren", 62},
};

TEST(helpPage, has_its_title_and_lines_joined_by_crlf_without_a_final_break)
{
    for (int topic = 0; topic < 12; ++topic) {
        SCOPED_TRACE(topic);
        const std::optional<HelpPage> page = helpPage(topic);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->title, pages[topic].title);
        ASSERT_EQ(page->lines.size(), pages[topic].lines);
        Text joined = page->lines.front();
        for (std::size_t line = 1; line < page->lines.size(); ++line)
            joined += u"\r\n" + page->lines[line];
        const Text text = page->text();
        EXPECT_EQ(text, joined);
        // No line holds a break of its own.
        const auto breaks = static_cast<long>(page->lines.size() - 1);
        EXPECT_EQ(std::count(text.begin(), text.end(), u'\n') + std::count(text.begin(), text.end(), u'\r'), 2 * breaks);
    }
    EXPECT_FALSE(helpPage(-1));
    EXPECT_FALSE(helpPage(12));
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
    const std::size_t notice = page.lines.size() - 5;
    EXPECT_EQ(page.lines[notice - 1] + page.lines[notice + 1] + page.lines[notice + 3], u"");
    const Text version = u"Version " + decimal(versionMajor) + u"." + decimal(versionMinor) + u"." + decimal(versionRevision);
    EXPECT_NE(page.lines[notice + 2].find(version), Text::npos);
    EXPECT_NE(page.lines[notice + 4].find(u"Internetverbindung"), Text::npos);
}

TEST(helpPage, ook_example_spells_the_brainfuck_program_below_it)
{
    const HelpPage page = *helpPage(3);
    const Text& ook = page.lines[9];
    EXPECT_EQ(ook.size(), 1409u);
    EXPECT_TRUE(ook.starts_with(u"Ook. Ook? Ook. Ook. Ook. Ook.") && ook.ends_with(u"Ook. Ook! Ook."));
    EXPECT_EQ(ook, conversions::BrainfuckToOok(page.lines[12]));
}

} // namespace
} // namespace quirlwerk::ui
