// The conversion modes: one row per mode with everything the window, the CLI and the help need.
#pragma once

#include "conversions/dispatch.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace quirlwerk::conversions {

enum class Mode : std::int32_t {
    None = 0,   // until the main window has started
    GeoCode = 1,
    AsciiText = 2,
    Ook = 3,
    Brainfuck = 4,
    HexFile = 5,
    WordLengths = 6,
    BitString = 7,
    MatrixText = 8,
    Morse = 9,
    LetterValues = 10,
    Picture = 11,
};

enum class ModeMenu { Conversions, Other };   // "&Konvertierungen", "&Sonstiges"
enum class ModeFrame { Text, HexFile, Picture };

// One direction button of a mode: the input with CR LF line breaks in, the output field's new text out.
using Direction = Shown (*)(Text input, const DispatchContext& context);

// The directions of the table; each calls its routine and composes what the output field shows.
namespace directions {
Shown geoCode(Text input, const DispatchContext& context);
Shown codesToText(Text input, const DispatchContext& context);
Shown textToCodes(Text input, const DispatchContext& context);
Shown ook(Text input, const DispatchContext& context);
Shown brainfuck(Text input, const DispatchContext& context);
Shown wordLengths(Text input, const DispatchContext& context);
Shown bitString(Text input, const DispatchContext& context);
Shown matrixText(Text input, const DispatchContext& context);
Shown textMatrix(Text input, const DispatchContext& context);
Shown morseText(Text input, const DispatchContext& context);
Shown textMorse(Text input, const DispatchContext& context);
Shown lettersToNumbers(Text input, const DispatchContext& context);
Shown numbersToLetters(Text input, const DispatchContext& context);
} // namespace directions

struct ModeRow {
    Mode mode;
    std::string_view cliName;    // empty: no text conversion, so no name on the command line
    TextView heading;            // lblHeader
    TextView decryptCaption;     // cmdDecrypt; empty in the modes with their own frame (the buttons stay)
    TextView cryptCaption;       // cmdCrypt; empty: hidden
    Direction decrypt;           // nullptr where the mode has no such button
    Direction crypt;
    int helpTopic;               // the help page "Hilfe zur Konvertierung" shows
    ModeFrame frame;
    ModeMenu menu;
    int menuPosition;            // from 0; the menus do not list the modes in mode order
    TextView menuCaption;        // with its access key
    std::string_view menuItem;   // the menu item's object name
};

// In mode order, mode 1 first.
inline constexpr std::array<ModeRow, 11> modeTable = {{
    {Mode::GeoCode, "geocode", u"Konvertierung: GeoCode-Umwandlung", u"Ver- / Entschlüsseln", u"",
     &directions::geoCode, nullptr, 1, ModeFrame::Text, ModeMenu::Conversions, 0, u"&GeoCode", "mnuGeoCode"},
    {Mode::AsciiText, "ascii", u"Konvertierung: Umwandlung ASCII-Zahlen in Text / Text in ASCII-Zahlen",
     u"ASCII --> Text umwandeln", u"Text --> ASCII umwandeln", &directions::codesToText, &directions::textToCodes, 2,
     ModeFrame::Text, ModeMenu::Conversions, 1, u"&ASCII <-> Text", "mnuAscText"},
    {Mode::Ook, "ook", u"Konvertierung: OOK! OOK? entschlüsseln", u"OOK!? --> Text entschlüsseln", u"",
     &directions::ook, nullptr, 3, ModeFrame::Text, ModeMenu::Conversions, 2, u"&Ook! --> Text", "mnuOok"},
    {Mode::Brainfuck, "brainfuck", u"Konvertierung: Brainfuck entschlüsseln", u"Brainfuck --> Text entschlüsseln", u"",
     &directions::brainfuck, nullptr, 4, ModeFrame::Text, ModeMenu::Conversions, 3, u"&Brainfuck --> Text",
     "mnuBrainfuck"},
    {Mode::HexFile, "", u"Sonstiges: Datei mit HEX-Zeichen in Binärdatei umwandeln", u"", u"", nullptr, nullptr, 5,
     ModeFrame::HexFile, ModeMenu::Other, 0, u"&Hex-Datei speichern", "mnuHexDatei"},
    {Mode::WordLengths, "wordlengths", u"Buchstaben der Wörter zählen und Zahlen in 0/1 umwandeln", u"Buchstaben zählen",
     u"", &directions::wordLengths, nullptr, 6, ModeFrame::Text, ModeMenu::Conversions, 4, u"Bu&chstaben zählen",
     "mnuBuchstabe"},
    {Mode::BitString, "bits", u"01-Folge in 8ter Gruppen aufteilen und in HEX-Zahlen umwandeln",
     u"01-Folge --> HEX / Text", u"", &directions::bitString, nullptr, 7, ModeFrame::Text, ModeMenu::Conversions, 6,
     u"B&inär 01 --> HEX", "mnuBinaer"},
    {Mode::MatrixText, "matrix", u"Konvertierung: Umwandlung Matrixzahlen in Text / Text in Matrixzahlen",
     u"Matrixzahlen --> Text", u"Text --> Matrixzahlen", &directions::matrixText, &directions::textMatrix, 8,
     ModeFrame::Text, ModeMenu::Conversions, 7, u"Matri&x <-> Text", "mnuMatrixText"},
    {Mode::Morse, "morse", u"Konvertierung: Morsezeichen entschlüssen / Text in Morsezeichen umwandeln",
     u"Morsezeichen --> Text", u"Text --> Morsezeichen", &directions::morseText, &directions::textMorse, 9,
     ModeFrame::Text, ModeMenu::Conversions, 8, u"&Morsen <-> Text", "mnuMorsen"},
    {Mode::LetterValues, "letters",
     u"Buchstaben pro Zeile in Zahl im Alphabet umwandeln und summieren (BWW und Scrabble)", u"Buchstabe --> Zahl",
     u"Zahl --> Buchstabe", &directions::lettersToNumbers, &directions::numbersToLetters, 10, ModeFrame::Text,
     ModeMenu::Conversions, 5, u"Buchstaben <--> &Zahlen (BWW, Scrabble)", "mnuBuchstZahl"},
    {Mode::Picture, "", u"Sonstiges: Bild (BMP, GIF, PNG) mit Farbtabelle konvertieren", u"", u"", nullptr, nullptr, 11,
     ModeFrame::Picture, ModeMenu::Other, 1, u"&Bild konvertieren", "mnuBildKonvert"},
}};

// The row of a mode; nullptr for Mode::None and values outside the table.
constexpr const ModeRow* findMode(Mode mode)
{
    for (const ModeRow& row : modeTable) {
        if (row.mode == mode)
            return &row;
    }
    return nullptr;
}

constexpr const ModeRow& modeRow(Mode mode)
{
    if (const ModeRow* row = findMode(mode))
        return *row;
    throw std::out_of_range("no such mode");
}

constexpr int modeNumber(Mode mode)
{
    return static_cast<int>(mode);
}

} // namespace quirlwerk::conversions
