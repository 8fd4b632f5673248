// The mode table against the modes as the program presents them, and every direction of every mode run once.
#include "conversions/modes.h"

#include <gtest/gtest.h>

#include <string>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

namespace {

// One direction button: an input and the start of what the output field shows (empty: no such button).
struct Sample {
    TextView input;
    TextView shownStart;
};

struct ExpectedMode {
    int number;
    std::string_view cliName;
    std::string_view menuItem;
    TextView menuCaption;
    ModeMenu menu;
    int menuPosition;
    TextView heading;
    ModeFrame frame;
    TextView decryptCaption;
    TextView cryptCaption;
    Sample decrypt;
    Sample crypt;
};

constexpr ExpectedMode expectedModes[] = {
    {1, "geocode", "mnuGeoCode", u"&GeoCode", ModeMenu::Conversions, 0, u"Konvertierung: GeoCode-Umwandlung",
     ModeFrame::Text, u"Ver- / Entschlüsseln", u"", {u"Hallo", u"Unyyb"}, {}},
    {2, "ascii", "mnuAscText", u"&ASCII <-> Text", ModeMenu::Conversions, 1,
     u"Konvertierung: Umwandlung ASCII-Zahlen in Text / Text in ASCII-Zahlen", ModeFrame::Text,
     u"ASCII --> Text umwandeln", u"Text --> ASCII umwandeln", {u"48 65", u"He"}, {u"He", u"48 65 "}},
    {3, "ook", "mnuOok", u"&Ook! --> Text", ModeMenu::Conversions, 2, u"Konvertierung: OOK! OOK? entschlüsseln",
     ModeFrame::Text, u"OOK!? --> Text entschlüsseln", u"",
     {u"Ook. Ook. Ook! Ook.", u"Ausgabe als Dezimalzahlen: \r\n1\r\n\r\nAusgabe als Text: \r\n\r\n\r\nBrainfuck-Syntax:\r\n+."},
     {}},
    {4, "brainfuck", "mnuBrainfuck", u"&Brainfuck --> Text", ModeMenu::Conversions, 3,
     u"Konvertierung: Brainfuck entschlüsseln", ModeFrame::Text, u"Brainfuck --> Text entschlüsseln", u"",
     {u"+.", u"Ausgabe als Dezimalzahlen: \r\n1\r\n"}, {}},
    {5, "", "mnuHexDatei", u"&Hex-Datei speichern", ModeMenu::Other, 0,
     u"Sonstiges: Datei mit HEX-Zeichen in Binärdatei umwandeln", ModeFrame::HexFile, u"", u"", {}, {}},
    {6, "wordlengths", "mnuBuchstabe", u"Bu&chstaben zählen", ModeMenu::Conversions, 4,
     u"Buchstaben der Wörter zählen und Zahlen in 0/1 umwandeln", ModeFrame::Text, u"Buchstaben zählen", u"",
     {u"ab c", u"2 1\r\n\r\nGerade Zahlen = 0"}, {}},
    {7, "bits", "mnuBinaer", u"B&inär 01 --> HEX", ModeMenu::Conversions, 6,
     u"01-Folge in 8ter Gruppen aufteilen und in HEX-Zahlen umwandeln", ModeFrame::Text, u"01-Folge --> HEX / Text",
     u"", {u"01000001", u"01000001\r\n\r\nUmwandlung in HEX-Zahlen:\r\n41\r\n"}, {}},
    {8, "matrix", "mnuMatrixText", u"Matri&x <-> Text", ModeMenu::Conversions, 7,
     u"Konvertierung: Umwandlung Matrixzahlen in Text / Text in Matrixzahlen", ModeFrame::Text,
     u"Matrixzahlen --> Text", u"Text --> Matrixzahlen", {u"11", u"A"}, {u"A", u"11 "}},
    {9, "morse", "mnuMorsen", u"&Morsen <-> Text", ModeMenu::Conversions, 8,
     u"Konvertierung: Morsezeichen entschlüssen / Text in Morsezeichen umwandeln", ModeFrame::Text,
     u"Morsezeichen --> Text", u"Text --> Morsezeichen", {u"... --- ...", u"SOS"}, {u"SOS", u"... --- ... "}},
    {10, "letters", "mnuBuchstZahl", u"Buchstaben <--> &Zahlen (BWW, Scrabble)", ModeMenu::Conversions, 5,
     u"Buchstaben pro Zeile in Zahl im Alphabet umwandeln und summieren (BWW und Scrabble)", ModeFrame::Text,
     u"Buchstabe --> Zahl", u"Zahl --> Buchstabe", {u"AB", u"BWW: Buchstabenwortwerte"}, {u"8 1", u"HA"}},
    {11, "", "mnuBildKonvert", u"&Bild konvertieren", ModeMenu::Other, 1,
     u"Sonstiges: Bild (BMP, GIF, PNG) mit Farbtabelle konvertieren", ModeFrame::Picture, u"", u"", {}, {}},
};

void expectDirection(Direction direction, Shown (*run)(Mode, Text, const DispatchContext&), Mode mode,
                     const Sample& sample)
{
    const Shown shown = run(mode, Text(sample.input), {});
    EXPECT_EQ(direction != nullptr, !sample.shownStart.empty());
    if (sample.shownStart.empty()) {
        EXPECT_EQ(shown.text, u"");   // a button the mode lacks converts nothing
        return;
    }
    EXPECT_TRUE(shown.text.starts_with(sample.shownStart)) << std::string(shown.text.begin(), shown.text.end());
    EXPECT_TRUE(shown.ok());
    EXPECT_FALSE(shown.failure);
}

} // namespace

TEST(ModeTable, has_every_mode_in_order_as_the_program_presents_it)
{
    ASSERT_EQ(modeTable.size(), std::size(expectedModes));
    for (std::size_t i = 0; i < modeTable.size(); ++i) {
        const ModeRow& row = modeTable[i];
        const ExpectedMode& expected = expectedModes[i];
        SCOPED_TRACE(expected.menuItem);
        EXPECT_EQ(modeNumber(row.mode), expected.number);
        EXPECT_EQ(&modeRow(row.mode), &row);
        EXPECT_EQ(row.cliName, expected.cliName);
        EXPECT_EQ(row.menuItem, expected.menuItem);
        EXPECT_EQ(row.menuCaption, expected.menuCaption);
        EXPECT_EQ(row.menu, expected.menu);
        EXPECT_EQ(row.menuPosition, expected.menuPosition);
        EXPECT_EQ(row.heading, expected.heading);
        EXPECT_EQ(row.frame, expected.frame);
        EXPECT_EQ(row.decryptCaption, expected.decryptCaption);
        EXPECT_EQ(row.cryptCaption, expected.cryptCaption);
        EXPECT_EQ(row.helpTopic, expected.number);
        // A caption is shown exactly where a button runs something.
        EXPECT_EQ(row.decrypt != nullptr, !row.decryptCaption.empty());
        EXPECT_EQ(row.crypt != nullptr, !row.cryptCaption.empty());
        {
            SCOPED_TRACE("decrypt");
            expectDirection(row.decrypt, &runDecrypt, row.mode, expected.decrypt);
        }
        {
            SCOPED_TRACE("crypt");
            expectDirection(row.crypt, &runCrypt, row.mode, expected.crypt);
        }
    }
    EXPECT_EQ(findMode(Mode::None), nullptr);
    EXPECT_EQ(findMode(static_cast<Mode>(12)), nullptr);
}
