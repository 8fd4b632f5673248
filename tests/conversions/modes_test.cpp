// The mode table's invariants, the menus' order as the user sees it, and every direction of every mode run once.
#include "conversions/modes.h"

#include "common/letter_case.h"
#include "conversions/conversion_testing.h"

#include <set>
#include <vector>

using namespace quirlwerk::conversions::testing;

TEST(ModeTable, rows_follow_the_mode_numbers_and_agree_with_their_frames_and_menus)
{
    const std::vector<std::string_view> menus[] = {
        {"mnuGeoCode", "mnuAscText", "mnuOok", "mnuBrainfuck", "mnuBuchstabe", "mnuBuchstZahl", "mnuBinaer", "mnuMatrixText", "mnuMorsen"},
        {"mnuHexDatei", "mnuBildKonvert"},
    };
    std::vector<std::string_view> listed[2] = {std::vector<std::string_view>(9), std::vector<std::string_view>(2)};
    std::set<std::string_view> names;
    std::set<Text> headingsAndKeys;
    for (std::size_t i = 0; i < modeTable.size(); ++i) {
        const ModeRow& row = modeTable[i];
        SCOPED_TRACE(row.menuItem);
        EXPECT_TRUE(modeNumber(row.mode) == static_cast<int>(i) + 1 && &modeRow(row.mode) == &row && row.helpTopic == modeNumber(row.mode));
        // A caption is shown exactly where a button runs something; only the text frame runs anything.
        EXPECT_EQ(row.decrypt != nullptr, !row.decryptCaption.empty());
        EXPECT_EQ(row.crypt != nullptr, !row.cryptCaption.empty());
        EXPECT_EQ(row.decrypt != nullptr, row.frame == ModeFrame::Text);
        EXPECT_EQ(row.cliName.empty() + 2 * (row.menu == ModeMenu::Other), 3 * (row.frame != ModeFrame::Text));
        EXPECT_TRUE((row.cliName.empty() || names.insert(row.cliName).second) && names.insert(row.menuItem).second);
        EXPECT_TRUE(!row.heading.empty() && headingsAndKeys.insert(Text(row.heading)).second);
        // One access key in each caption, none twice in a menu.
        const std::size_t key = row.menuCaption.find(u'&');
        ASSERT_TRUE(key != TextView::npos && row.menuCaption.find(u'&', key + 1) == TextView::npos);
        EXPECT_TRUE(headingsAndKeys.insert(Text(1, common::toLower(row.menuCaption[key + 1])) + u"&" + decimal(int(row.menu))).second);
        listed[row.menu == ModeMenu::Other].at(row.menuPosition) = row.menuItem;
    }
    EXPECT_TRUE(listed[0] == menus[0] && listed[1] == menus[1]);
    EXPECT_TRUE(findMode(Mode::None) == nullptr && findMode(static_cast<Mode>(modeTable.size() + 1)) == nullptr);
    EXPECT_THROW(modeRow(Mode::None), std::out_of_range);
}

// Each sample's output starts in a way only that mode's routine gives: the table points every button at its own.
TEST(ModeTable, every_button_runs_its_own_routine)
{
    const std::tuple<Mode, bool, TextView, TextView> samples[] = {   // mode, crypt, input, start of the output
        {Mode::GeoCode, false, u"Hallo", u"Unyyb"}, {Mode::AsciiText, false, u"48 65", u"He"}, {Mode::AsciiText, true, u"He", u"48 65 "},
        {Mode::Ook, false, u"Ook. Ook. Ook! Ook.", u"Ausgabe als Dezimalzahlen: \r\n1\r\n"},
        {Mode::Brainfuck, false, u"+.", u"Ausgabe als Dezimalzahlen: \r\n1\r\n"},
        {Mode::WordLengths, false, u"ab c", u"2 1\r\n\r\nGerade Zahlen = 0"},
        {Mode::BitString, false, u"01000001", u"01000001\r\n\r\nUmwandlung in HEX-Zahlen:\r\n41\r\n"},
        {Mode::MatrixText, false, u"11", u"A"}, {Mode::MatrixText, true, u"A", u"11 "},
        {Mode::Morse, false, u"... --- ...", u"SOS"}, {Mode::Morse, true, u"SOS", u"... --- ... "},
        {Mode::LetterValues, false, u"AB", u"BWW: Buchstabenwortwerte"}, {Mode::LetterValues, true, u"8 1", u"HA"},
    };
    std::size_t buttons = 0;
    for (const ModeRow& row : modeTable)
        buttons += (row.decrypt != nullptr) + (row.crypt != nullptr);
    EXPECT_EQ(std::size(samples), buttons);
    for (const auto& [mode, crypt, input, start] : samples) {
        const Shown shown = (crypt ? runCrypt : runDecrypt)(mode, Text(input), {});
        EXPECT_TRUE(shown.text.starts_with(start) && shown.ok() && !shown.failure) << modeRow(mode).cliName << (crypt ? " crypt" : "");
    }
    // A button the mode lacks, no mode yet or an unknown mode: nothing is converted.
    for (const int mode : {0, 1, 5, 11, 12, -1})
        EXPECT_TRUE(runCrypt(Mode(mode), u"abc", {}).text.empty() && !runCrypt(Mode(mode), u"abc", {}).keepOutput) << mode;
    for (const int mode : {0, 5, 11, 12})
        EXPECT_TRUE(runDecrypt(Mode(mode), u"abc", {}).text.empty()) << mode;
}
