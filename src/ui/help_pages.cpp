// The help pages, word for word, and the two lines built at run time (the Ook! example, the notice).
#include "ui/help_pages.h"

#include "conversions/ook.h"
#include "version.h"

#include <algorithm>
#include <array>
#include <span>

namespace quirlwerk::ui {
namespace {

struct PageSource {
    TextView title;
    std::span<const TextView> lines;
};

const PageSource& pageSource(int topic);   // the table at the end of this file

// The Ook! example of page 3 is the Brainfuck program two lines further down, spelt in Ook! words.
constexpr std::size_t ookExampleLine = 9;
constexpr std::size_t ookProgramLine = 12;

// The general page ends with a short notice of three lines, empty lines between them.
std::vector<Text> closingNotice()
{
    return {
        u"Quirlwerk ist eine Werkzeugsammlung für die Verschlüsselungen und Rätsel beim Geocaching.",
        u"",
        u"Version " + decimal(versionMajor) + u"." + decimal(versionMinor) + u"." + decimal(versionRevision),
        u"",
        u"Das Programm arbeitet ohne Internetverbindung: Ihre Texte und Dateien verlassen den Rechner nicht. "
        u"Eine Umwandlung nimmt bis zu 16.777.216 Zeichen Eingabe und gibt bis zu 268.435.456 Zeichen aus; "
        u"längere Texte werden mit einer Meldung abgelehnt.",
    };
}

// What the coordinate line below the frames finds and refuses: on the general page in full, on the text
// modes' pages as a pointer to it.
std::vector<Text> coordinateHelp(int topic)
{
    if (topic == 0) {
        return {
            u"",
            u"Koordinaten: Enthält die Ausgabe (oder die Meldung der Hex-Datei, die Bildinformation) Koordinaten, "
            u"erscheint unter den Feldern eine Zeile mit jeder gefundenen Koordinate. Ihr Menü kopiert sie in "
            u"Grad und Minuten (N 52° 31.123 E 013° 24.456), Dezimalgrad, Grad/Minuten/Sekunden oder UTM oder "
            u"öffnet sie in OpenStreetMap; erst dieser Befehl schickt die Koordinate ins Internet.",
            u"Erkannt werden Grad und Dezimalminuten (auch ohne Gradzeichen, mit Dezimalkomma, Minutenzeichen, "
            u"''Grad'', der Himmelsrichtung hinter der Zahl, die Hälften durch Komma, Schrägstrich, Leerzeichen "
            u"oder Zeilenumbruch getrennt), Grad/Minuten/Sekunden, Dezimalgrad mit Himmelsrichtung oder mit "
            u"Gradzeichen und Vorzeichen, die Himmelsrichtungen N, S, E, O, W, Nord, Süd, Ost, West, North, "
            u"South, East sowie deutsche Zahlwörter, wie Buchstabenwerte und Morsen sie ergeben "
            u"(NORD ZWEIUNDFÜNFZIG GRAD EINUNDDREISSIG PUNKT EINS ZWEI DREI MINUTEN ...; das ''/ '' zwischen "
            u"entschlüsselten Morsewörtern zählt als Leerzeichen).",
            u"Nicht als Koordinaten gelten Zahlenlisten ohne Gradzeichen und Himmelsrichtung, Stationsnamen wie "
            u"S1 oder N2, Minuten und Sekunden ab 60, Breiten über 90 und Längen über 180 Grad, Datum, Uhrzeit "
            u"und Telefonnummern.",
        };
    }
    const conversions::ModeRow* mode = conversions::findMode(static_cast<conversions::Mode>(topic));
    if (!mode || mode->frame != conversions::ModeFrame::Text)
        return {};
    return {u"", u"Koordinaten in der Ausgabe erscheinen in der Zeile unter den Feldern (siehe Hilfe --> Allgemeines)."};
}

} // namespace

Text HelpPage::text() const
{
    Text joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += crlf;
        joined += lines[i];
    }
    return joined;
}

std::optional<HelpPage> helpPage(int topic)
{
    if (topic < 0 || topic >= helpTopicCount)
        return std::nullopt;
    const PageSource& source = pageSource(topic);
    HelpPage page{Text(source.title), {source.lines.begin(), source.lines.end()}};
    if (topic == 0) {
        std::vector<Text> notice = closingNotice();
        page.lines.insert(page.lines.end(), notice.begin(), notice.end());
    } else if (topic == 3) {
        page.lines[ookExampleLine] = conversions::BrainfuckToOok(page.lines[ookProgramLine]);
    }
    std::vector<Text> coordinates = coordinateHelp(topic);
    page.lines.insert(page.lines.end(), coordinates.begin(), coordinates.end());
    return page;
}

namespace {

// Page 0 ends before its notice; line 10 of page 3 is filled in by helpPage.
constexpr TextView page0[] = {
    u"Wählen Sie über die Menüzeile unter ''Konvertierungen'' oder ''Sonstiges'' die gewünschte Umwandlung aus. Informationen zu der jeweils ausgewählten Konvertierung erhalten Sie unter Hilfe --> Hilfe zur Konvertierung. ",
    u"",
    u"Alle Umwandlungen:",
    u"--------------------------------",
    u"Sonstiges --> Alle Umwandlungen … öffnet ein Fenster, das den Text des oberen Eingabefelds mit jeder Umwandlung in jeder Richtung liest (die Matrix mit der Definition des Matrixfensters) und jede Lesart in einer Liste zeigt, die wahrscheinlichste zuerst: Umwandlung und Richtung, Bewertung, erste Zeile der Ausgabe und die darin gefundenen Koordinaten. Die Liste folgt dem Eingabefeld, während Sie tippen; das Fenster bleibt dabei bedienbar. Die gewählte Zeile zeigt darunter die ganze Ausgabe (bei sehr langen Ausgaben die ersten 20.000 Zeichen). Enter oder ''Übernehmen'' stellt das Hauptfenster auf diese Umwandlung und führt die Richtung dort aus.",
    u"Lesarten, die fehlschlagen, nichts ergeben oder nur die Buchstaben der Eingabe zurückgeben, fehlen. Brainfuck und Ook! halten hier nach 10.000.000 Schritten an; ihre Zeile ist dann als ''(abgebrochen)'' markiert und zeigt, was bis dahin ausgegeben wurde.",
    u"Die Bewertung: Lesarten mit Koordinaten, die nicht schon in der Eingabe stehen, erhalten 100 Punkte vorab. Dazu kommen bis zu 100 Punkte dafür, wie sehr die Ausgabe nach deutschem oder englischem Text aussieht: Häufigkeit der Buchstaben und der Buchstabenpaare, Anteil der Wörter aus einer kleinen eingebauten Liste und Anteil druckbarer Zeichen. Wenige Buchstaben zählen weniger, Gruppen aus Buchstaben und Ziffern (Codes) ebenfalls.",
    u"Brainfuck in anderer Schreibweise: Das Fenster erkennt die Dialekte Blub (''Blub. Blub?'' wie Ook!), Pikalang (pi, ka, pipi, pichu, pika, chu, pikachu, pikapi) und Alphuck (a, c, e, i, j, o, p, s), wenn ihre Wörter mindestens neun Zehntel des Textes ausmachen, übersetzt sie in Brainfuck und führt es aus. Eine eigene Tabelle geben Sie als acht verschiedene Wörter für > < + - . , [ ] in das Feld ''Eigene Brainfuck-Tabelle'' ein.",
    u"",
};

constexpr TextView page1[] = {
    u"Die GeoCode-Umwandlung wandelt sowohl verschlüsselte GeoCode-Texte in Klartext als auch Klartext in GeoCode-Text um.",
    u"",
    u"Geben Sie den Text in das obere Eingabefeld ein, am einfachsten mit Kopieren und Einfügen. Drücken Sie dann die Schaltfläche ''Ver-/Entschlüsseln'' und Sie sehen im unteren Feld den ent- bzw. verschlüsselten Text.",
    u"",
    u"Die Verschlüsselungsmethode ist ein einfacher Ersetzungscode:",
    u"A-N, B-O, C-P, D-Q, E-R, F-S, G-T, H-U, I-V, J-W, K-X, L-Y, M-Z",
};

constexpr TextView page2[] = {
    u"Umwandlung ASCII --> Text:",
    u"--------------------------------------------",
    u"Geben Sie in das obere Eingabefeld die ASCII-Zahlen ein, am einfachsten mit Kopieren und Einfügen. Die ASCII-Zahlen können Sie als zweistellige HEX-Zahl mit oder ohne führendes ''0x'' eingeben. Groß-/Kleinschreibung spielt keine Rolle.",
    u"",
    u"Beispiel: 48 65 6C 6C 6f 20 57 6F 72 6C 64  oder  0x48 0x65 0x6C 0x6C 0x6F 0x20 0x57 0x6F 0x72 0x6C 0x64 ",
    u"",
    u"Drücken Sie dann die Schaltfläche ''ASCII --> Text umwandeln'' und Sie sehen im unteren Feld den Klartext.",
    u"",
    u"Zeichen, die nicht als zweistellige HEX-Zahl interpretiert werden können, werden überlesen.",
    u"",
    u"Umwandlung Text --> ASCII:",
    u"--------------------------------------------",
    u"Geben Sie in das obere Eingabefeld den Klartext ein.",
    u"",
    u"Drücken Sie dann die Schaltfläche ''Text --> ASCII umwandeln''.",
    u"",
    u"Im unteren Feld wird der Text in ASCII-Zahlen (zweistellige HEX-Zahlen) ausgegeben.",
};

constexpr TextView page3[] = {
    u"''Ook!'' ist eine Variante der Programmiersprache ''Brainfuck''. Genaue Erläuterungen zu Ook und Brainfuck findet man bei Wikipedia.",
    u"",
    u"Geben Sie in das obere Eingabefeld den Ook!-Text ein. Anstatt den Zeichen ''Ook'' können auch drei beliebige andere Zeichen wie ''ABC'', ''Ugh'', ''Bla'', ...stehen. Es kommt nur auf die vierten Zeichen ''?!.,'' an.",
    u"",
    u"Drücken Sie dann die Schaltfläche ''OOK!? --> Text entschlüsseln''.",
    u"",
    u"Im unteren Feld wird die Ausgabe des Programms sowie die Syntax des Programms in der Programmiersprache ''Brainfuck'' ausgegeben.",
    u"",
    u"Beispiel: ",
    u"",   // the Ook! example
    u"",
    u"Ergibt die Ausgabe ''Hello World'' und die Brainfuck-Syntax ",
    u">+++++++++[<++++++++>-]<.>+++++++[<++++>-]<+.+++++++..+++.>>>++++++++[<++++>-]<.>>>++++++++++[<+++++++++>-]<---.<<<<.+++.------.--------.>>+.",
};

constexpr TextView page4[] = {
    u"Die minimalistische Programmiersprache ''Brainfuck'' wird manchmal zum Verschlüsseln von Texten verwendet. Genaue Erläuterungen zu Brainfuck findet man bei Wikipedia.",
    u"",
    u"Geben Sie in das obere Eingabefeld den Brainfuck-Text ein. Alle Zeichen außer ''+-<>[],.'' werden dabei ignoriert. ",
    u"",
    u"Drücken Sie dann die Schaltfläche ''Brainfuck --> Text entschlüsseln''.",
    u"",
    u"Im unteren Feld wird die Ausgabe des Programms ausgegeben.",
    u"",
    u"Um auch die Ausgaben von Brainfuck-Programmen, die keinen ASCII-Text erzeugen, darstellen zu können, erfolgt die Ausgabe zuerst als Dezimalzahlen. Darunter werden alle Zahlen, die im Bereich 32 bis 255 liegen, als Klartext ausgegeben.",
    u"",
    u"Beispiel: ",
    u">+++++++++[<++++++++>-]<.>+++++++[<++++>-]<+.+++++++..+++.>>>++++++++[<++++>-]<.>>>++++++++++[<+++++++++>-]<---.<<<<.+++.------.--------.>>+.",
    u"",
    u"Ergibt die Ausgabe:",
    u"   72 101 108 108 111 32 87 111 114 108 100 33",
    u"   Hello World",
};

constexpr TextView page5[] = {
    u"Geben Sie in das obere Eingabefeld den Namen der Textdatei ein, in der die HEX-Zeichen stehen. Beispiel: ''HexDatei.txt''",
    u"Liegt die Datei nicht im gleichen Verzeichnis wie dieses Programm, müssen Sie den Dateinamen mit dem Pfad eingeben. ",
    u"Sie können die Datei auch auswählen. Öffnen Sie hierzu die Dialogbox für die Dateiauswahl mit der Schaltfläche hinter dem Eingabefeld.",
    u"",
    u"Die HEX-Zeichen können in der Datei als zweistellige HEX-Zahl mit oder ohne führendes ''0x'' stehen. Groß-/Kleinschreibung spielt keine Rolle.",
    u"Beispiele: 1F 08 43 44  oder 0x1F 0x08 0x43 0x44  oder  1F084344",
    u"",
    u"Geben Sie in das untere Eingabefeld den Namen der Binärdatei ein. Beispiel: ''HexDatei.dat''",
    u"",
    u"Drücken Sie dann die Schaltfläche ''Binärdatei schreiben''.",
    u"",
    u"Das Programm liest die Textdatei und schreibt die HEX-Zeichen in eine Binärdatei. ",
    u"",
    u"Beispiel: 0x1F 0x08 0x43 0x44",
    u"ergibt eine Binärdatei mit 4 Byte Länge.",
    u"",
    u"Die Binärdatei ersetzt eine vorhandene Datei erst, wenn sie vollständig geschrieben ist: Bei einem Fehler oder Abbruch bleibt die alte Datei unverändert. Geräte, Pipes und Sockets werden als Binärdatei abgelehnt.",
};

constexpr TextView page6[] = {
    u"Geben Sie in das obere Eingabefeld den Text ein.",
    u"",
    u"Drücken Sie dann die Schaltfläche ''Buchstaben zählen''.",
    u"",
    u"Zuerst wird die Anzahl der Buchstaben der Wörter gezählt. Hierbei werden nur die Zeichen 'a' - 'z', 'A' - 'Z', '0' - '9' und 'ßÄÖÜäöü' berücksichtigt. Kommt ein anderes Zeichen, wird dies als Trennzeichen zum nächsten Wort genommen.",
    u"",
    u"Darunter wird die Binärfolge ausgegeben, wenn gerade Zahlen als '0' und ungerade Zahlen als '1' interpretiert werden.",
    u"",
    u"Darunter wird die Binärfolge ausgegeben, wenn gerade Zahlen als '1' und ungerade Zahlen als '0' interpretiert werden.",
    u"",
    u"Probieren Sie es mit dem folgenden Text und wandeln Sie die 01-Folge mit der Verschlüsselung ''Binär 01 --> Hex'' nochmal um:",
    u"Es braucht ganz schoen viele Buchstaben, um hier auch nur einen kurzen Text verschluesseln zu koennen. Um das Prinzip zu zeign, genuegt es diesen Text mit der Maus ins Eingabefeld zu kopieren. Danach die Ausgabe noch mal entschlüsslen und sieheda.",
};

constexpr TextView page7[] = {
    u"Geben Sie in das obere Eingabefeld die Zeichenfolge ''0'' und ''1'' ein. Dies kann zum Beispiel die Ausgabe von der Umwandlung ''Buchstaben zählen'' sein.",
    u"",
    u"Drücken Sie dann die Schaltfläche ''01-Folge --> HEX / Text''.",
    u"",
    u"Zuerst wird die Folge der 0/1 in 8ter Gruppen aufgeteilt. Alle Zeichen, die nicht ''0'' oder ''1'' sind, werden dabei ignoriert.",
    u"",
    u"Darunter wird jede 8ter Gruppe als HEX-Zahl ausgegeben.",
    u"",
    u"Darunter wird die HEX-Zahl in ein ASCII-Zeichen (Text) umgewandelt und ausgegeben.Wenn Sie Glück haben, sehen Sie nun einen sinnvollen Text.",
    u"",
    u"Probieren Sie es zum Beispiel mit der folgenden Eingabe aus:",
    u"0100100001100001011011000110110001101111",
};

constexpr TextView page8[] = {
    u"Projektierung der Matrix:",
    u"-------------------------------------",
    u"Im Projektierungsfenster legen Sie fest, wieviel Spalten und Zeilen die Matrix hat, welche Zeichen und Buchstaben in der Matrix stehen und ob die Zahlen als Zeile / Spalte oder Spalte / Zeile interpretiert werden.",
    u"Für die Ermittlung der Zeilenzahl und Spaltenzahl sollten die Zahlen im Text angesehen werden. Wenn z.B. die 18 und die 53 vorkommen, muss die Matrix mindestens 8 Spalten und 5 Zeilen haben.",
    u"",
    u"Bei den Buchstabenfolge müssen Sie eventuell variieren. Beispiele sind:",
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789  oder ",
    u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ  oder ",
    u"1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz  etc.",
    u"",
    u"Matrixzahlen entschlüsseln:",
    u"------------------------------------------",
    u"Geben Sie im oberen Eingabefeld des Hauptfensters die Zahlen ein oder kopieren Sie die Zahlen mit Copy/Paste. ",
    u"",
    u"Drücken Sie dann die Schaltfläche ''Matrixzahlen --> Text''.",
    u"",
    u"Die Zahlen werden gemäß der Matrix umgesetzt:",
    u"Beispiel: 25 wird durch den Buchstaben oder die Zahl in der Matrix ersetzt, die in der 2. Zeile, 5. Spalte steht.",
    u"",
    u"Zahlen, die nicht zur Matrix passen, da die Zeilenzahl oder Spaltenzahl zu groß ist, werden als '<xx>' in den Klartext übernommen.",
    u"",
    u"Wenn Sie mehr als 10 Zeilen oder mehr als 10 Spalten haben, dann müssen die Zahlen auch 3 oder 4 Stellen haben.",
    u"Beispiel: 5 Zeilen, 15 Spalten --> 214 wird als 2. Zeile, 14. Spalte interpretiert.",
    u"",
    u"Zeichen in Matrixzahlen verschlüsseln:",
    u"------------------------------------------------------------",
    u"Geben Sie im oberen Eingabefeld des Hauptfensters den Klartext ein oder kopieren Sie den Text mit Copy/Paste. ",
    u"",
    u"Drücken Sie dann die Schaltfläche ''Text --> Matrixzahlen''.",
    u"",
    u"Die Ziffern und Buchstaben werden gemäß der Matrix umgesetzt:",
    u"Beispiel: Wenn der Buchstabe 'F' in der 2. Zeile, 5. Spalte steht, wird er in die Zahl '25' verschlüsselt.",
    u"",
    u"Enthält die Matrix nur Großbuchstaben, werden Kleinbuchstaben automatisch in Großbuchstaben verschlüsselt.",
    u"Enthält die Matrix nur Kleinbuchstaben, werden Großbuchstaben automatisch in Kleinbuchstaben verschlüsselt.",
    u"Sonderzeichen, die nicht in der Matrix enthalten sind, werden direkt übernommen.",
    u"",
    u"Tastatur:",
    u"-------------",
    u"Die Matrix im Projektierungsfenster dient nur der Anzeige. Mit den Pfeiltasten lesen Sie darin die Zellen; Tab und Strg+Tab gehen zum nächsten Eingabefeld, Umschalt+Tab und Strg+Umschalt+Tab zum vorigen.",
};

constexpr TextView page9[] = {
    u"Morsezeichen entschlüsseln:",
    u"---------------------------------------------",
    u"Geben Sie im oberen Eingabefeld die Morsezeichen ein oder kopieren Sie die Morsezeichen mit Copy/Paste.",
    u"",
    u"Drücken Sie dann die Schaltfläche ''Morsezeichen --> Text''.",
    u"",
    u"Es wird der Klartext angezeigt. Sind unbekannte Morsezeichen dabei werden diese als ''?(.-.-.)'' übernommen.",
    u"Signale werden als Kleinbuchstaben in spitzen Klammern ausgegeben, siehe unten.",
    u"",
    u"Text in Morsezeichen umwandeln:",
    u"-----------------------------------------------------",
    u"Geben Sie im oberen Eingabefeld den Text ein oder kopieren Sie den Text mit Copy/Paste.",
    u"",
    u"Drücken Sie dann die Schaltfläche ''Text --> Morsezeichen''.",
    u"",
    u"Der Text wird in Morsezeichen umgewandelt. Das Programm kennt auch die Morsezeichen für Zahlen, Sonder- und Satzzeichen und Signale.",
    u"",
    u"Die Signale müssen in spitzen Klammern ''<xx>'' im Text stehen: ",
    u"<ka> - Spruchanfang",
    u"<ve> - Verstanden",
    u"<sk> - Verkehrsende",
    u"<SOS> - ...---...",
    u"<hh> - Fehler, Irrung",
    u"",
    u"Kleinbuchstaben werden automatisch in Großbuchstaben umgewandelt.",
    u"Zeichen, die nicht umgesetzt werden können, werden direkt übernommen.",
    u"Als Trennzeichen zwischen den Worten wird das Zeichen ''/'' eingefügt.",
};

constexpr TextView page10[] = {
    u"Geben Sie in das obere Eingabefeld den Text oder die Zahlenfolge ein.",
    u"",
    u"Buchstaben in Zahlen umwandeln:",
    u"-------------------------------------------------------",
    u"BWW: Jeder Buchstabe wird in die Zahl im Alphabet umgewandelt: A=1, B=2, ... Z=26, Ä=27, Ö=28, Ü=29, ß=30. ",
    u"Ziffer werden in ihren Wert gewandelt: 1=1, 2=2, ... 9=9. ",
    u"Pro Zeile wird vorne die Summe der Zahlen ausgegeben.",
    u"",
    u"Scrabble: Darunter wird der Text nochmal in Scrabble-Werte und mit Summenwert pro Zeile ausgegeben.",
    u"  1 Punkt: A,D,E,I,N,R,S,T,U   2 Punkte: G,H,L,O   3 Punkte: B,M,W,Z",
    u"  4 Punkte: C,F,K,P   6 Punkte: J,V,Ä,Ü   8 Punkte: X,Ö   10 Punkte: Q,Y ",
    u"",
    u"Zahlen in Buchstaben umwandeln:",
    u"-------------------------------------------------------",
    u"Jede Zahl von 1 bis 30 wird gemäß der obigen Liste BWW in den entsprechenden Buchstaben gewandelt. ",
    u"Dabei werden ausschließlich Großbuchstaben verwendet.",
    u"Da zwischen 1=A und 1=1 nicht unterschieden werden kann, können beim Umwandeln von Zahlen in Buchstaben keine Ziffern ausgegeben werden.",
    u"Alle Zahlen >30 bleiben als Zahl unverändert, da sie nicht gewandelt werden können.",
};

constexpr TextView page11[] = {
    u"Unterstützte Bildformate:",
    u"Die Datei muss eine BMP-Datei mit 256 Farben (8-Bit), eine GIF-Datei oder eine PNG-Datei mit Farbtabelle sein. Andere Bildformate werden mit einer Meldung abgewiesen.",
    u"",
    u"Geben Sie den Dateinamen ein oder wählen Sie die Datei über den Dateidialog aus.",
    u"Mit der Schaltfläche ''Bild anzeigen'' wird die Bitmapdatei eingelesen und das Format geprüft. Wenn die Bitmapdatei nicht das passende Format hat, erhalten Sie eine Fehlermeldung. In der Infozeile werden die Datei der Bitmapdatei angezeigt.",
    u"",
    u"Hat die Bitmapdatei das passende Format, wird sie im Fenster angezeigt und ein Zusatzfenster mit der Farbtabelle wird aufgeblendet.",
    u"",
    u"Sie können die folgenden Konvertierungen vornehmen:",
    u"",
    u"1) Farben in der Farbtabelle ändern: ",
    u"--------------------------------------------------------",
    u"In der Farbtabelle können die einzelnen Einträge manuell geändert werden. Drücken Sie dann die Schaltfläche ''Bild mit geänderter Farbtabelle anzeigen''. ",
    u"ACHTUNG: Wenn Sie die Schaltfläche ''Bild anzeigen'' drücken, wird die Farbtabelle immer neu aus der Datei gelesen und Ihre Eingaben in der Farbtabelle gehen verloren!",
    u"",
    u"2) Modulo-Funktion: ",
    u"-------------------------------",
    u"Geben Sie im Feld ''Modulo'' einen Wert zwischen 2 und 255 ein. Bei den Werten ''0'' und ''1'' wird die Modulo-Funktion nicht ausgeführt.",
    u"- Bei der Option ''auf Index'' wird die Modulo-Funktion auf den Index der Farbtabelle ausgeführt.",
    u"Beispiel: Modulo = 17 bedeutet, dass Pixel, die den Farbindex 18 haben, mit dem Farbindex 1 angezeigt werden, analog Farbindex 19->2, 20->3, ..., 34->17, 35->1, ... ",
    u"- Bei der Option ''auf Farbe'' wird die Modulo-Funktion auf die einzelnen Farben Rot, Grün und Blau der Farbtabelle ausgeführt.",
    u"Beispiel: Modulo = 17 bedeutet, dass die Farbe (16,37,65) in die Farbe (16,3,14) umgewandelt wird.",
    u"",
    u"2) Schwellwert-Funktion: ",
    u"---------------------------------------",
    u"Mit der Schwellwert-Funktion können Sie das Bild in ein schwarz/weiß-Bild umwandeln.",
    u"Geben Sie im Feld ''Schwellwert'' einen Wert zwischen 1 und 255 ein. Bei dem Wert ''0'' wird die Schwellwert-Funktion nicht ausgeführt.",
    u"- Bei der Option ''auf Index'' wird die Schwellwert-Funktion auf den Index der Farbtabelle ausgeführt.",
    u"Beispiel: Schwellwert = 100 bedeutet, dass Pixel, die einen Farbindex < 100 haben, in der Farbe ''schwarz'' und Pixel, die einen Farbindex >= 100 haben, in der Farbe ''weiß'' angezeigt werden.",
    u"- Bei der Option ''auf Farbe'' wird die Schwellwert-Funktion auf die einzelnen Farben Rot, Grün und Blau der Farbtabelle ausgeführt.",
    u"Beispiel: Schwellwert = 100 bedeutet, dass die Farbe (16,99,133) in die Farbe (0,0,255) umgewandelt wird.",
    u"",
    u"Hinweise: ",
    u"---------------",
    u"Die Modulo-Funktion und die Schwellwert-Funktion können zusammen verwendet werden. Es wird dann zuerst die Modulo-Funktion und danach die Schwellwert-Funktion angewandt. Dies macht aber nur Sinn, wenn der Modulo-Wert größer als der Schwellwert ist, ansonsten erhält man ein schwarzes Bild.",
    u"",
    u"Mit den Schaltflächen ''+'' hinter der Module/Schwellwert-Funktion können Sie mit einem Mausklick die jeweilige Funktion um den Wert ''1'' erhöhen und das Bild neu anzeigen lassen.",
    u"",
    u"Die Modulo-Funktion ''auf Farbe'' und die Schwellwert-Funktionen werden nur bei ''Bild anzeigen'' ausgeführt. Die sich ergebenden Änderungen werden in die Farbtabelle eingetragen.",
    u"",
    u"Die Modulo-Funktion ''auf Index'' wird jeweils beim Zeichnen des Bilder ausgeführt und wird damit sowohl bei ''Bild anzeigen'' als auch bei ''Bild mit geänderter Farbtabelle anzeigen'' ausgeführt. Die Einträge in der Farbtabelle werden hierbei nicht geändert.",
    u"",
    u"GIF- und PNG-Bilder mit Farbtabelle:",
    u"---------------------------------------------------",
    u"Außer Bitmapdateien können GIF-Dateien und PNG-Dateien mit Farbtabelle (1, 2, 4 oder 8 Bit je Pixel) angezeigt und konvertiert werden, mit denselben Funktionen. Von einer GIF-Datei mit mehreren Bildern wird das erste gezeigt; die Bildfläche außerhalb dieses Bildes bleibt leer. Transparenz wird nicht angewandt: ein transparenter Eintrag wird in seiner Farbe gezeigt.",
    u"Die Infozeile zeigt dann zum Beispiel: Format: GIF    B*H: 600*200 Pixel Interlaced    Farbtiefe: 8bit    Bilder: 3    Transparent: 0    Anzahl Farben: 256/242",
    u"Format: GIF oder PNG. B*H: Breite und Höhe in Pixel, ''Interlaced'' bei zeilenversetzt gespeicherten Bildern. Farbtiefe: Bit je Pixel der Farbtabelle. Bilder: Anzahl der Bilder in der Datei. Transparent: der als transparent markierte Index, nur wenn die Datei einen nennt. Anzahl Farben: Einträge der Farbtabelle / davon benutzte Einträge.",
    u"Ist eine Datei beschädigt oder unvollständig, werden die gelesenen Zeilen gezeigt, und eine Meldung sagt, dass die übrigen leer bleiben. Andere Dateien (z. B. JPEG oder PNG ohne Farbtabelle) werden mit einer Meldung abgewiesen. Gezeigt werden Bilder bis 65535 Pixel Breite und Höhe und höchstens 256 Megapixel. GIF-Dateien mit der LZW-Codegröße 1 bis 11 werden gelesen, andere Codegrößen mit einer Meldung abgewiesen; ein nicht definierter LZW-Code beendet das Bild mit einer Meldung. Benutzen Pixel einen Index jenseits der Farbtabelle der Datei, sagt eine Meldung, wie viele es sind. Text- und andere Zusatzblöcke einer PNG-Datei werden übersprungen.",
    u"",
    u"Zwillingsfarben:",
    u"------------------------",
    u"Ein beliebter Trick ist, ein Bild in zwei Einträgen der Farbtabelle mit derselben Farbe zu verstecken. Die Spalte ''Zwilling von'' der Farbtabelle zeigt bei jedem benutzten Eintrag, dessen Farbe in der Datei auch ein anderer benutzter Eintrag hat, den kleinsten Index dieser Gruppe. Die Schaltfläche ''Zwillinge einfärben'' gibt jedem dieser Einträge außer dem kleinsten seiner Gruppe eine eigene, gut unterscheidbare Farbe und zeigt das Bild neu an, bei jedem Aufruf mit denselben Farben.",
    u"",
    u"Bild kopieren und speichern, Dateien ziehen:",
    u"-------------------------------------------------------------",
    u"Das Kontextmenü des Bildes (rechte Maustaste) bietet ''Bild kopieren'' (in die Zwischenablage) und ''Bild speichern unter …'' (als PNG-Datei; vor dem Ersetzen einer vorhandenen Datei wird gefragt). Nicht gezeichnete Pixel bleiben dabei durchsichtig. Bilder über 64 Megapixel passen nicht in die Zwischenablage; sie lassen sich nur speichern.",
    u"Eine Bilddatei, die auf das Bild oder das Feld mit dem Dateinamen gezogen wird, wird wie mit ''Bild anzeigen'' geladen; solange ein Bild gezeichnet wird, wird sie nicht angenommen.",
    u"",
    u"Zoom:",
    u"-------",
    u"Strg+Plus vergrößert das Bild, Strg+Minus verkleinert es, in den Stufen 25 %, 50 %, 100 %, 200 %, 400 % und 800 %; Strg+0 zeigt es wieder in Originalgröße (100 %, so startet das Fenster). Strg+Mausrad zoomt um die Stelle unter dem Mauszeiger, die Tasten um die Mitte der Ansicht. Das Kontextmenü bietet dieselben Stufen und ''In das Fenster einpassen'', das das ganze Bild zeigt. Vergrößerte Pixel bleiben scharfe Quadrate. Die aktuelle Stufe steht rechts neben ''Bild anzeigen''; Kopieren und Speichern nehmen immer das Bild in Originalgröße.",
    u"",
    u"Tastatur und Infozeile:",
    u"---------------------------------",
    u"In der Farbtabelle wählen die Pfeiltasten die Zeile und den Wert Rot, Grün oder Blau. Tab und Strg+Tab gehen vom bearbeiteten Wert zur Schaltfläche ''Bild mit geänderter Farbtabelle anzeigen'', weiter zu ''Zwillinge einfärben'' und ''Nur Zwillinge zeigen'' und zurück zum Wert, Umschalt+Tab denselben Weg rückwärts; gesperrte Schaltflächen werden übersprungen, und sind alle gesperrt, bleibt der Wert gewählt. Die gewählte Zelle bleibt dabei dieselbe. Escape ändert nichts.",
    u"Ist die Infozeile zu lang für das Fenster, wird sie in der Mitte mit ''…'' gekürzt. Die ganze Zeile zeigt der Tooltip, wenn Sie mit der Maus darauf zeigen.",
    u"",
    u"Nur Zwillinge zeigen:",
    u"----------------------------",
    u"Die Schaltfläche ''Nur Zwillinge zeigen'' der Farbtabelle zeichnet jedes Pixel weiß, dessen Eintrag ein Zwilling ist, der seltener benutzt wird als der häufigste Eintrag seiner Gruppe, und alle anderen Pixel schwarz. So erscheint ein verstecktes Bild als klares Schwarz-Weiß-Bild. ''Bild anzeigen'' liest die Farben wieder aus der Datei.",
    u"",
    u"Tasten und Öffnen mit:",
    u"----------------------------------",
    u"Enter im Feld mit dem Dateinamen zeigt das Bild an. Die Tab-Taste erreicht auch das Bild; ein Rahmen zeigt, dass es gewählt ist. Dort öffnen die Menütaste und Umschalt+F10 das Kontextmenü; Strg+C kopiert das Bild und Strg+S speichert es. Nach dem Kopieren und Speichern erscheint für einige Sekunden eine Bestätigung über der Infozeile. Der Speicherdialog schlägt den Namen des Bildes mit der Endung .png vor.",
    u"F1 zeigt in jedem Fenster die Hilfe zur gewählten Konvertierung, Escape schließt das Hilfefenster. Nach jedem Wechsel der Konvertierung steht die Eingabe im ersten Feld der gezeigten Konvertierung.",
    u"Ohne gespeicherte Position öffnen die Farbtabelle und das Matrixfenster neben dem Hauptfenster, damit sie das Bild nicht verdecken.",
    u"''quirlwerk DATEI'' startet mit dieser Konvertierung und zeigt die Datei an; so bietet ein Dateimanager Quirlwerk unter ''Öffnen mit'' für BMP-, GIF- und PNG-Dateien an.",
};
constexpr std::array<PageSource, helpTopicCount> pages = {{
    {u"Hilfe zu Quirlwerk - Allgemeine Informationen", page0},
    {u"Hilfe zu Quirlwerk - GeoCode-Umwandlung", page1},
    {u"Hilfe zu Quirlwerk - Umwandlung ASCII <--> Text", page2},
    {u"Hilfe zu Quirlwerk - Ook! Ook? entschlüsseln", page3},
    {u"Hilfe zu Quirlwerk - Brainfuck entschlüsseln", page4},
    {u"Hilfe zu Quirlwerk - Datei mit HEX-Zeichen in Binärdatei umwandeln", page5},
    {u"Hilfe zu Quirlwerk - Buchstaben der Wörter zählen und Zahlen in 0/1 umwandeln", page6},
    {u"Hilfe zu Quirlwerk - 01-Folge in 8ter Gruppen aufteilen und in HEX-Zahlen umwandeln", page7},
    {u"Hilfe zu Quirlwerk - Zahlen als Zeile/Spalte interpretieren und über Matrix in Klartext umwandeln", page8},
    {u"Hilfe zu Quirlwerk - Morsezeichen entschlüssen / Text in Morsezeichen umwandeln", page9},
    {u"Hilfe zu Quirlwerk - Buchstaben pro Zeile in Zahl im Alphabet umwandeln und summieren", page10},
    {u"Hilfe zu Quirlwerk - Bild konvertieren", page11},
}};

static_assert(std::ranges::all_of(conversions::modeTable, [](const conversions::ModeRow& row) {
    return row.helpTopic > 0 && row.helpTopic < helpTopicCount;
}));

const PageSource& pageSource(int topic)
{
    return pages.at(static_cast<std::size_t>(topic));
}

} // namespace
} // namespace quirlwerk::ui
