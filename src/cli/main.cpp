// quirlwerk-cli: the conversions, the hex file writer and the bitmap reader for scripts and checks.
#include "cli/cli.h"

#include "conversions/modes.h"
#include "version.h"

#include <csignal>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The modes with text conversions, "1 geocode, 2 ascii, ...", wrapped before column 88.
std::string modeList()
{
    using namespace quirlwerk::conversions;
    std::vector<std::string> items;
    for (const ModeRow& row : modeTable) {
        if (!row.cliName.empty())
            items.push_back(std::to_string(modeNumber(row.mode)) + ' ' + std::string(row.cliName));
    }
    std::string list = "      MODE:";
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
        if (list.size() - lineStart + 1 + item.size() > 88) {
            lineStart = list.size() + 1;
            list += "\n           ";
        }
        list += ' ' + item;
    }
    return list + '\n';
}

std::string usage()
{
    return "Aufruf:\n"
           "  quirlwerk-cli convert MODE RICHTUNG [--rows TEXT] [--cols TEXT] [--sequence TEXT]\n"
           "                        [--order row|col] [--max-steps N]\n"
        + modeList()
        + "      RICHTUNG: decrypt (erste Richtungstaste) oder crypt (zweite Richtungstaste)\n"
          "      Eingabe: UTF-8 auf stdin; Ausgabe: der Text des Ausgabefelds auf stdout\n"
          "  quirlwerk-cli all [--rows TEXT] [--cols TEXT] [--sequence TEXT] [--order row|col]\n"
          "      jede Umwandlung und Richtung auf stdin, die wahrscheinlichste zuerst; je Zeile\n"
          "      MODE RICHTUNG, Tab, Bewertung, Tab, Ausgabe (Zeilenumbruch als \"⏎\", höchstens 200 Zeichen)\n"
          "  quirlwerk-cli hexfile EINGABE AUSGABE [--yes]\n"
          "  quirlwerk-cli bitmap DATEI [--modulo TEXT] [--modulo-on index|colours]\n"
          "                       [--threshold TEXT] [--threshold-on index|colours] [--png AUS] [--palette]\n"
          "                       [--twins] [--reveal] [--twins-only]\n"
          "      DATEI: BMP mit 8 Bit, GIF oder PNG mit Farbtabelle\n"
          "      --twins: je Gruppe gleicher Farben in Gebrauch eine Zeile \"INDEX INDEX ...: R G B\"\n"
          "      --reveal: Zwillinge einfärben und neu zeichnen, vor --png und --palette\n"
          "      --twins-only: versteckte Zwillinge weiß, alles andere schwarz, vor --png und --palette\n"
          "  quirlwerk-cli coords [--format dmm|dd|dms|utm]\n"
          "      Eingabe: UTF-8 auf stdin; je gefundene Koordinate eine Zeile\n"
          "      \"BREITE LÄNGE<Tab>FORM<Tab>GEFUNDENER TEXT\" (Dezimalgrad, Süd und West negativ);\n"
          "      Exit-Status 1, wenn keine gefunden wurde\n"
          "Exit-Status: 0 OK, 1 Meldung oder Fehler, 2 falscher Aufruf.\n";
}

int runCommand(int argc, char** argv)
{
    using namespace quirlwerk::cli;
    std::signal(SIGXFSZ, SIG_IGN);   // past a file-size limit a write fails ("Datenträger voll") instead of killing us
    std::vector<std::string_view> arguments(argv + 1, argv + argc);
    try {
        if (arguments.empty())
            throw UsageError("Unterbefehl fehlt");
        const std::string_view command = arguments.front();
        const Arguments rest(arguments.begin() + 1, arguments.end());
        if (command == "--help" || command == "-h") {
            std::cout << usage();
            return exitOk;
        }
        if (command == "--version") {
            std::cout << "quirlwerk-cli " << quirlwerk::versionMajor << '.' << quirlwerk::versionMinor << '.'
                      << quirlwerk::versionRevision << '\n';
            return exitOk;
        }
        if (command == "convert")
            return runConvert(rest);
        if (command == "all")
            return runAll(rest);
        if (command == "hexfile")
            return runHexfile(rest);
        if (command == "bitmap")
            return runBitmap(rest);
        if (command == "coords")
            return runCoords(rest);
        throw UsageError("unbekannter Unterbefehl '" + std::string(command) + "'");
    } catch (const UsageError& error) {
        std::cerr << "quirlwerk-cli: " << error.what() << "\n\n" << usage();
        return exitUsage;
    }
}

} // namespace

int main(int argc, char** argv)
{
    quirlwerk::cli::ConsoleStreams console;
    return console.finish(runCommand(argc, argv));
}
