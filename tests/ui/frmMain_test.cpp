// The main window driven as a user would: start-up, menus and modes, direction buttons, position, closing.
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/frmHilfe.h"
#include "ui/frmMain.h"
#include "ui/frmMatrixProj.h"
#include "ui/text_field.h"
#include "ui/window_position.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <memory>

namespace quirlwerk::ui {
namespace {

using testing::control;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { testing::clearSettings(); }

    void TearDown() override
    {
        if (window)
            delete window->helpWindow();   // it has no owner, as for the user
    }

    frmMain& open()
    {
        window = std::make_unique<frmMain>(glob, dialogs);
        window->setTerminate([this] { ++terminated; });
        return *window;
    }

    void menu(const char* item) { control<QAction>(*window, item).trigger(); }
    TextField& field(const char* name) { return control<TextField>(*window, name); }
    QPushButton& button(const char* name) { return control<QPushButton>(*window, name); }
    QWidget& widget(const char* name) { return control<QWidget>(*window, name); }
    QString heading() { return control<QLabel>(*window, "lblHeader").text(); }

    GlobData glob;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<frmMain> window;
    int terminated = 0;
};

TEST_F(MainWindow, starts_in_mode_1_with_the_text_frame)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quirlwerk   Version 1.2.2"));
    EXPECT_EQ(heading(), QStringLiteral("Konvertierung: GeoCode-Umwandlung"));
    EXPECT_EQ(glob.ConversionMode, 1);
    EXPECT_TRUE(widget("frameConv").isVisibleTo(window.get()));
    EXPECT_FALSE(widget("frameDatei").isVisibleTo(window.get()));
    EXPECT_FALSE(widget("frameBild").isVisibleTo(window.get()));
    EXPECT_EQ(button("cmdDecrypt").text(), QStringLiteral("Ver- / Entschlüsseln"));
    EXPECT_FALSE(button("cmdCrypt").isVisibleTo(window.get()));
    EXPECT_EQ(window->existingMatrixWindow(), nullptr);
    EXPECT_EQ(window->helpWindow(), nullptr);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindow, menus_have_their_items_in_order_with_access_keys_and_no_shortcuts)
{
    open();
    const QStringList expected = {
        QStringLiteral("&Datei: E&xit"),
        QStringLiteral("&Konvertierungen: &GeoCode|&ASCII <-> Text|&Ook! --> Text|&Brainfuck --> Text|Bu&chstaben zählen|"
                       "Buchstaben <--> &Zahlen (BWW, Scrabble)|B&inär 01 --> HEX|Matri&x <-> Text|&Morsen <-> Text"),
        QStringLiteral("&Sonstiges: &Hex-Datei speichern|&Bild konvertieren"),
        QStringLiteral("Hilfe: Allgemeines|Hilfe zur Konvertierung"),
    };
    QStringList actual;
    for (QAction* menu : window->menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions()) {
            items << item->text();
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
            EXPECT_FALSE(item->isCheckable() || item->isSeparator()) << item->text().toStdString();
        }
        actual << menu->text() + QStringLiteral(": ") + items.join(QLatin1Char('|'));
    }
    EXPECT_EQ(actual, expected);
}

struct ModeRow {
    const char* menuItem;
    int mode;
    const char16_t* heading;
    const char* frame;
    const char16_t* decrypt;   // nullptr: the captions stay as mode 2 left them
    const char16_t* crypt;     // nullptr: hidden
};

constexpr ModeRow modes[] = {
    {"mnuGeoCode", 1, u"Konvertierung: GeoCode-Umwandlung", "frameConv", u"Ver- / Entschlüsseln", nullptr},
    {"mnuAscText", 2, u"Konvertierung: Umwandlung ASCII-Zahlen in Text / Text in ASCII-Zahlen", "frameConv",
     u"ASCII --> Text umwandeln", u"Text --> ASCII umwandeln"},
    {"mnuOok", 3, u"Konvertierung: OOK! OOK? entschlüsseln", "frameConv", u"OOK!? --> Text entschlüsseln", nullptr},
    {"mnuBrainfuck", 4, u"Konvertierung: Brainfuck entschlüsseln", "frameConv", u"Brainfuck --> Text entschlüsseln", nullptr},
    {"mnuHexDatei", 5, u"Sonstiges: Datei mit HEX-Zeichen in Binärdatei umwandeln", "frameDatei", nullptr, nullptr},
    {"mnuBuchstabe", 6, u"Buchstaben der Wörter zählen und Zahlen in 0/1 umwandeln", "frameConv", u"Buchstaben zählen", nullptr},
    {"mnuBinaer", 7, u"01-Folge in 8ter Gruppen aufteilen und in HEX-Zahlen umwandeln", "frameConv", u"01-Folge --> HEX / Text", nullptr},
    {"mnuMatrixText", 8, u"Konvertierung: Umwandlung Matrixzahlen in Text / Text in Matrixzahlen", "frameConv",
     u"Matrixzahlen --> Text", u"Text --> Matrixzahlen"},
    {"mnuMorsen", 9, u"Konvertierung: Morsezeichen entschlüssen / Text in Morsezeichen umwandeln", "frameConv",
     u"Morsezeichen --> Text", u"Text --> Morsezeichen"},
    {"mnuBuchstZahl", 10, u"Buchstaben pro Zeile in Zahl im Alphabet umwandeln und summieren (BWW und Scrabble)", "frameConv",
     u"Buchstabe --> Zahl", u"Zahl --> Buchstabe"},
    {"mnuBildKonvert", 11, u"Sonstiges: BMP-Datei mit 256 Farben konvertieren", "frameBild", nullptr, nullptr},
};

TEST_F(MainWindow, each_mode_command_sets_heading_frame_and_buttons)
{
    open();
    for (const ModeRow& row : modes) {
        SCOPED_TRACE(row.menuItem);
        menu("mnuAscText");   // a known state before: both buttons shown
        menu(row.menuItem);
        EXPECT_EQ(glob.ConversionMode, row.mode);
        EXPECT_EQ(heading(), QString::fromUtf16(row.heading));
        for (const char* frame : {"frameConv", "frameDatei", "frameBild"})
            EXPECT_EQ(widget(frame).isVisibleTo(window.get()), std::string_view(frame) == row.frame) << frame;
        if (!row.decrypt) {
            EXPECT_EQ(button("cmdDecrypt").text(), QStringLiteral("ASCII --> Text umwandeln"));
            EXPECT_EQ(button("cmdCrypt").text(), QStringLiteral("Text --> ASCII umwandeln"));
            continue;
        }
        EXPECT_EQ(button("cmdDecrypt").text(), QString::fromUtf16(row.decrypt));
        EXPECT_EQ(button("cmdCrypt").isVisibleTo(window.get()), row.crypt != nullptr);
        if (row.crypt) {
            EXPECT_EQ(button("cmdCrypt").text(), QString::fromUtf16(row.crypt));
        }
    }
}

TEST_F(MainWindow, matrix_window_shows_in_mode_8_only_and_keeps_its_definition_while_hidden)
{
    open();
    menu("mnuMorsen");
    frmMatrixProj* matrix = window->existingMatrixWindow();
    ASSERT_NE(matrix, nullptr);   // hiding it created it
    EXPECT_FALSE(matrix->isVisible());

    menu("mnuMatrixText");
    EXPECT_TRUE(matrix->isVisible());
    control<QLineEdit>(*matrix, "txtZeilen").setText(QStringLiteral("7"));

    menu("mnuGeoCode");
    EXPECT_EQ(window->existingMatrixWindow(), matrix);
    EXPECT_FALSE(matrix->isVisible());
    EXPECT_EQ(matrix->definition().rowsText, u"7");
    menu("mnuMatrixText");
    EXPECT_TRUE(matrix->isVisible());
    EXPECT_EQ(control<QLineEdit>(*matrix, "txtZeilen").text(), QStringLiteral("7"));
}

TEST_F(MainWindow, a_mode_with_its_own_frame_empties_the_hex_file_message)
{
    open();
    auto* message = &control<QLabel>(*window, "lblDateiMeldung");
    for (const char* item : {"mnuHexDatei", "mnuBildKonvert"}) {
        SCOPED_TRACE(item);
        message->setText(QStringLiteral("Fertig."));
        menu(item);
        EXPECT_TRUE(message->text().isEmpty());
    }
}

struct PositionRow {
    const char* name;
    const char* stored;
    enum { Zero, ScreenEdge, Default } expected;
};

constexpr PositionRow storedPositions[] = {
    {"absent", nullptr, PositionRow::Default},
    {"negative", "-500", PositionRow::Zero},
    {"beyond the screen", "999999", PositionRow::ScreenEdge},
    {"blanks and hexadecimal", " &H3E8 ", PositionRow::Default},
};

TEST_F(MainWindow, opens_at_the_stored_position_kept_on_the_screen)
{
    for (const PositionRow& row : storedPositions) {
        SCOPED_TRACE(row.name);
        testing::clearSettings();
        if (row.stored) {
            testing::storeSetting("MainLeft", QString::fromLatin1(row.stored));
            testing::storeSetting("MainTop", QString::fromLatin1(row.stored));
        }
        open();
        const QSize room = screenSizeTwips(*window) - outerSizeTwips(*window);
        // The default 1000 comes nearer the top left corner where the window would reach past the screen.
        const QPoint expected = row.expected == PositionRow::Zero         ? QPoint(0, 0)
                              : row.expected == PositionRow::ScreenEdge ? QPoint(room.width(), room.height())
                                                                        : QPoint(std::min(1000, room.width()), std::min(1000, room.height()));
        EXPECT_EQ(window->pos(), expected / twipsPerPixel);
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(MainWindow, a_stored_position_that_is_no_number_is_reported_and_start_up_finishes)
{
    testing::storeSetting("MainLeft", QStringLiteral("links"));
    testing::storeSetting("MainTop", QStringLiteral("60"));
    open();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const common::Message& message = dialogs.messages.front().message;
    EXPECT_EQ(message.text, u"Fehler: Typen unverträglich");
    EXPECT_EQ(message.icon, common::Icon::Exclamation);
    EXPECT_EQ(message.title, u"Quirlwerk");
    const int room = screenSizeTwips(*window).width() - outerSizeTwips(*window).width();
    EXPECT_EQ(window->pos(), QPoint(std::min(1000, room), 60) / twipsPerPixel);
    EXPECT_EQ(glob.ConversionMode, 1);
    EXPECT_FALSE(widget("frameDatei").isVisibleTo(window.get()));
    EXPECT_FALSE(widget("frameBild").isVisibleTo(window.get()));
}

TEST_F(MainWindow, closing_saves_the_position_and_closes_the_matrix_window)
{
    open();
    menu("mnuMatrixText");
    window->move(30, 40);
    window->close();
    EXPECT_EQ(testing::storedSetting("MainLeft"), QStringLiteral("450"));
    EXPECT_EQ(testing::storedSetting("MainTop"), QStringLiteral("600"));
    EXPECT_EQ(window->existingMatrixWindow(), nullptr);
    EXPECT_FALSE(testing::storedSetting("MatrixProjLeft").isEmpty());
}

TEST_F(MainWindow, exit_ends_without_any_closing_step)
{
    open();
    menu("mnuMatrixText");
    window->move(30, 40);
    menu("mnuExit");
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(testing::settingsStore().contains(QStringLiteral("Settings/MainLeft")));
    EXPECT_FALSE(testing::settingsStore().contains(QStringLiteral("Settings/MatrixProjLeft")));
    EXPECT_NE(window->existingMatrixWindow(), nullptr);
}

TEST_F(MainWindow, closing_leaves_the_help_window_open)
{
    open();
    testing::showActive(*window);
    menu("mnuHilfeAllg");
    frmHilfe* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    window->close();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->parent(), nullptr);
}

TEST_F(MainWindow, direction_button_converts_every_line_and_leaves_the_input_as_it_was)
{
    open();
    testing::showActive(*window);
    TextField& in = field("txtIn");
    in.setFocus();
    QTest::keyClicks(&in, QStringLiteral("Uryyb"));
    QTest::keyClick(&in, Qt::Key_Return);
    QTest::keyClicks(&in, QStringLiteral("Jryg!"));
    QTest::mouseClick(&button("cmdDecrypt"), Qt::LeftButton);
    EXPECT_EQ(field("txtOut").text(), u"Hello\r\nWelt!");
    EXPECT_EQ(field("txtOut").blockCount(), 2);
    EXPECT_EQ(in.text(), u"Uryyb\r\nJryg!");

    // Each click replaces the output.
    QTest::mouseClick(&button("cmdDecrypt"), Qt::LeftButton);
    EXPECT_EQ(field("txtOut").text(), u"Hello\r\nWelt!");
}

// Notes what the output field shows while a message box is up.
class ProbeDialogs final : public Dialogs {
public:
    std::vector<common::Message> messages;
    std::vector<Text> outputAtMessage;
    const TextField* output = nullptr;

    QMessageBox::StandardButton showMessage(QWidget*, const common::Message& message, QMessageBox::StandardButtons) override
    {
        messages.push_back(message);
        outputAtMessage.push_back(output->text());
        return QMessageBox::Ok;
    }
    QString chooseOpenFile(QWidget*, const QString&, const QString&, const QStringList&) override { return {}; }
};

TEST(MainWindowFailures, routine_failure_shows_its_box_before_the_status_and_output)
{
    testing::clearSettings();
    GlobData glob;
    ProbeDialogs dialogs;
    frmMain window(glob, dialogs);
    dialogs.output = &control<TextField>(window, "txtOut");
    control<QAction>(window, "mnuBrainfuck").trigger();
    control<TextField>(window, "txtOut").setText(u"vorher");
    control<TextField>(window, "txtIn").setText(Text(500, u'<') + u"+");   // a cell left of the tape
    control<QPushButton>(window, "cmdDecrypt").click();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    const common::Message& box = dialogs.messages.front();
    EXPECT_EQ(box.icon, common::Icon::Critical);
    EXPECT_TRUE(box.text.starts_with(u"InterpretBrainfuck() - Error ")) << toQString(box.text).toStdString();
    EXPECT_EQ(dialogs.outputAtMessage.front(), u"vorher");
    const Text description = box.text.substr(std::u16string_view(u"InterpretBrainfuck() - Error ").size());
    EXPECT_EQ(dialogs.output->text(), u"Fehler aufgetreten: " + description + u"\r\n" + description);
}

TEST_F(MainWindow, two_input_lines_give_two_value_lines_per_section)
{
    open();
    menu("mnuBuchstZahl");
    field("txtIn").setPlainText(QStringLiteral("AB\nC"));   // the field's own line break
    button("cmdDecrypt").click();
    const QString shown = field("txtOut").toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("(BWW: 3): 1 2 \n(BWW: 3): 3 \n")));
    EXPECT_TRUE(shown.contains(QStringLiteral("(Scrabble: 4): 1 3 \n(Scrabble: 4): 4")));
}

TEST_F(MainWindow, help_shows_the_page_of_the_mode_and_stays_on_it_across_mode_changes)
{
    open();
    menu("mnuHilfeKonvert");
    frmHilfe* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    auto& title = control<QLabel>(*help, "lblHeader");
    EXPECT_EQ(title.text(), QStringLiteral("Hilfe zu Quirlwerk - GeoCode-Umwandlung"));
    EXPECT_EQ(glob.HilfeThema, 1);

    menu("mnuMorsen");
    menu("mnuHilfeKonvert");
    menu("mnuBrainfuck");
    EXPECT_EQ(title.text(), QStringLiteral("Hilfe zu Quirlwerk - Morsezeichen entschlüssen / Text in Morsezeichen umwandeln"));
    menu("mnuHilfeKonvert");
    EXPECT_EQ(window->helpWindow(), help);
    EXPECT_EQ(title.text(), QStringLiteral("Hilfe zu Quirlwerk - Brainfuck entschlüsseln"));
    menu("mnuHilfeAllg");
    EXPECT_EQ(glob.HilfeThema, 0);
    EXPECT_EQ(title.text(), QStringLiteral("Hilfe zu Quirlwerk - Allgemeine Informationen"));
    EXPECT_TRUE(control<TextField>(*help, "txtHilfe").text().starts_with(u"Wählen Sie über die Menüzeile"));
}

TEST_F(MainWindow, a_closed_help_window_opens_again)
{
    open();
    menu("mnuHilfeAllg");
    frmHilfe* first = window->helpWindow();
    first->close();
    EXPECT_EQ(window->helpWindow(), nullptr);
    menu("mnuHilfeKonvert");
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_TRUE(window->helpWindow()->isVisible());
}

TEST_F(MainWindow, tab_visits_the_text_frame_in_order_and_fields_have_names)
{
    open();
    menu("mnuAscText");
    testing::showActive(*window);
    field("txtIn").setFocus();
    const char* order[] = {"cmdDecrypt", "cmdCrypt", "txtOut"};
    for (const char* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), next);
    }
    for (const auto& [name, label] : {std::pair{"txtIn", "Text Eingabe"}, std::pair{"txtOut", "Text Ausgabe"}}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget(name));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), label);
    }
}

TEST_F(MainWindow, keeps_its_minimum_size_and_lays_out_on_resize)
{
    open();
    testing::showActive(*window);
    window->resize(100, 100);
    EXPECT_EQ(window->frameGeometry().size(), QSize(340, 260));   // 5100 x 3900 twips, frame included

    window->resize(900, 600);
    QTest::qWait(0);
    const QWidget& conv = widget("frameConv");
    EXPECT_EQ(widget("txtIn").width(), conv.width());
    EXPECT_EQ(widget("txtOut").width(), conv.width());
    // The button pair is centred by the client width, measured within the text frame.
    const int pairCentre = (button("cmdDecrypt").x() + button("cmdCrypt").geometry().right()) / 2;
    EXPECT_NEAR(pairCentre, window->centralWidget()->width() / 2, 1);
}

} // namespace
} // namespace quirlwerk::ui
