// The main window driven as a user would: start-up, modes, direction buttons, position, closing,
// and the matrix and help windows it opens.
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "conversions/modes.h"
#include "ui/frmHilfe.h"
#include "ui/frmMain.h"
#include "ui/frmMatrixProj.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"
#include "ui/window_position.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

namespace quirlwerk::ui {
namespace {

using testing::control;

class MainWindow : public ::testing::Test {
protected:
    MainWindow() { testing::clearSettings(); }
    ~MainWindow() override
    {
        if (window)
            delete window->helpWindow();   // it has no owner, as for the user
    }

    void open()
    {
        window = std::make_unique<frmMain>(glob, dialogs);
        window->setTerminate([this] { ++terminated; });
    }
    void menu(const char* item) { control<QAction>(*window, item).trigger(); }
    TextField& field(const char* name) { return control<TextField>(*window, name); }
    QPushButton& button(const char* name) { return control<QPushButton>(*window, name); }
    bool shown(const char* name) { return control<QWidget>(*window, name).isVisibleTo(window.get()); }
    Text convert(const char* direction, const Text& input)
    {
        field("txtIn").setText(input);
        button(direction).click();
        return field("txtOut").text();
    }
    QString matrixRows() { return control<QLineEdit>(*window->existingMatrixWindow(), "txtZeilen").text(); }
    std::string helpTitle() { return testing::textOf(*window->helpWindow(), "lblHeader").toStdString(); }

    GlobData glob;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<frmMain> window;
    int terminated = 0;
};

// The table's contents are checked in the core; here the window follows it.
TEST_F(MainWindow, each_mode_command_sets_heading_frame_buttons_and_menu_place)
{
    using conversions::ModeFrame;
    open();
    auto& fileMessage = control<QLabel>(*window, "lblDateiMeldung");
    const std::pair<const char*, ModeFrame> frames[] = {
        {"frameConv", ModeFrame::Text}, {"frameDatei", ModeFrame::HexFile}, {"frameBild", ModeFrame::Picture}};
    for (const conversions::ModeRow& row : conversions::modeTable) {
        SCOPED_TRACE(row.menuItem);
        menu("mnuAscText");   // a known state before: both buttons shown
        fileMessage.setText(QStringLiteral("Fertig."));
        auto& action = control<QAction>(*window, std::string(row.menuItem).c_str());
        action.trigger();
        EXPECT_EQ(glob.ConversionMode, row.mode);
        EXPECT_EQ(action.text(), toQString(row.menuCaption));
        const auto menuItems = control<QMenu>(*window, row.menu == conversions::ModeMenu::Other ? "mnuSonstiges" : "mnuConv").actions();
        EXPECT_EQ(menuItems.indexOf(&action), row.menuPosition);
        EXPECT_EQ(testing::textOf(*window, "lblHeader"), toQString(row.heading));
        for (const auto& [frame, kind] : frames)
            EXPECT_EQ(shown(frame), kind == row.frame) << frame;
        // A mode with its own frame leaves the captions as mode 2 set them and starts with no hex-file message.
        const bool ownFrame = row.decryptCaption.empty();
        EXPECT_EQ(button("cmdDecrypt").text(), ownFrame ? QStringLiteral("ASCII --> Text umwandeln") : toQString(row.decryptCaption));
        if (ownFrame || !row.cryptCaption.empty()) {
            EXPECT_EQ(button("cmdCrypt").text(), ownFrame ? QStringLiteral("Text --> ASCII umwandeln") : toQString(row.cryptCaption));
        }
        EXPECT_TRUE(ownFrame ? fileMessage.text().isEmpty() : shown("cmdCrypt") == !row.cryptCaption.empty());
    }
}

TEST_F(MainWindow, matrix_window_shows_in_mode_8_only_and_comes_back_initial_after_a_close)
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
    EXPECT_FALSE(matrix->isVisible());
    menu("mnuMatrixText");
    EXPECT_EQ(window->existingMatrixWindow(), matrix);
    EXPECT_EQ(matrixRows(), QStringLiteral("7"));

    matrix->close();
    EXPECT_EQ(window->existingMatrixWindow(), nullptr);
    EXPECT_EQ(convert("cmdDecrypt", u"11"), u"A");
    ASSERT_NE(window->existingMatrixWindow(), nullptr);
    EXPECT_FALSE(window->existingMatrixWindow()->isVisible());   // created for the conversion, not shown
    EXPECT_EQ(matrixRows(), QStringLiteral("5"));
    EXPECT_EQ(window->existingMatrixWindow()->definition().rowsText, u"5");
}

TEST_F(MainWindow, the_matrix_conversions_read_the_definition_as_the_window_shows_it)
{
    open();
    menu("mnuMatrixText");
    frmMatrixProj& matrix = *window->existingMatrixWindow();
    control<QLineEdit>(matrix, "txtZeichenfolge").setText(QStringLiteral("QRSTUVWXYZ"));
    control<QRadioButton>(matrix, "optFolge1").setChecked(true);
    EXPECT_EQ(convert("cmdDecrypt", u"11 21"), u"QR");
    EXPECT_EQ(convert("cmdCrypt", u"R"), u"21 ");
    EXPECT_TRUE(dialogs.messages.empty());
}

// Where a stored edge ends up: at 0, at the screen's far edge, or at the default 1000 kept on the screen.
enum Edge { Zero, Far, Default };

struct PositionRow {
    const char* name;
    const char* left;
    const char* top;
    Edge x;
    Edge y;
    bool reported;   // a value that is no number: a box, the default, and start-up finishes
};

constexpr PositionRow storedPositions[] = {
    {"absent", nullptr, nullptr, Default, Default, false},
    {"beyond the screen", "999999", "999999", Far, Far, false},
    {"no number", "links", "-500", Default, Zero, true},
};

TEST_F(MainWindow, starts_in_mode_1_at_the_stored_position_kept_on_the_screen)
{
    for (const PositionRow& row : storedPositions) {
        SCOPED_TRACE(row.name);
        testing::clearSettings();
        dialogs.messages.clear();
        if (row.left) {
            testing::storeSetting("MainLeft", QString::fromLatin1(row.left));
            testing::storeSetting("MainTop", QString::fromLatin1(row.top));
        }
        open();
        const QSize room = screenSizeTwips(*window) - outerSizeTwips(*window);
        const auto place = [](Edge edge, int far) { return edge == Zero ? 0 : edge == Far ? far : std::min(1000, far); };
        EXPECT_EQ(window->pos(), QPoint(place(row.x, room.width()), place(row.y, room.height())) / twipsPerPixel);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Quirlwerk   Version 1.2.2"));
        EXPECT_EQ(glob.ConversionMode, conversions::Mode::GeoCode);
        EXPECT_EQ(testing::textOf(*window, "lblHeader"), toQString(conversions::modeTable[0].heading));
        EXPECT_TRUE(shown("frameConv") && !shown("frameDatei") && !shown("frameBild") && !shown("cmdCrypt"));
        EXPECT_EQ(button("cmdDecrypt").text(), toQString(conversions::modeTable[0].decryptCaption));
        EXPECT_TRUE(window->existingMatrixWindow() == nullptr && window->helpWindow() == nullptr);
        ASSERT_EQ(dialogs.messages.size(), row.reported ? 1u : 0u);
        if (row.reported) {
            const common::Message& message = dialogs.messages.front().message;
            EXPECT_EQ(message.text, u"Fehler: Typen unverträglich");
            EXPECT_EQ(message.icon, common::Icon::Exclamation);
            EXPECT_EQ(message.title, u"Quirlwerk");
        }
    }
}

TEST_F(MainWindow, closing_saves_the_positions_and_leaves_the_help_window_open)
{
    open();
    testing::showActive(*window);
    menu("mnuMatrixText");
    menu("mnuHilfeAllg");
    window->move(30, 40);
    window->close();
    EXPECT_EQ(testing::storedSetting("MainLeft"), QStringLiteral("450"));
    EXPECT_EQ(testing::storedSetting("MainTop"), QStringLiteral("600"));
    EXPECT_EQ(window->existingMatrixWindow(), nullptr);
    EXPECT_FALSE(testing::storedSetting("MatrixProjLeft").isEmpty());
    EXPECT_TRUE(window->helpWindow()->isVisible());
    EXPECT_EQ(window->helpWindow()->parent(), nullptr);
}

TEST_F(MainWindow, exit_ends_without_any_closing_step)
{
    open();
    menu("mnuMatrixText");
    window->move(30, 40);
    menu("mnuExit");
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(testing::settingsStore().allKeys(), QStringList());
    EXPECT_NE(window->existingMatrixWindow(), nullptr);
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
    for (int click = 0; click < 2; ++click) {   // each click replaces the output
        QTest::mouseClick(&button("cmdDecrypt"), Qt::LeftButton);
        EXPECT_EQ(field("txtOut").text(), u"Hello\r\nWelt!");
        EXPECT_EQ(field("txtOut").blockCount(), 2);
        EXPECT_EQ(in.text(), u"Uryyb\r\nJryg!");
    }
}

TEST_F(MainWindow, routine_failure_shows_its_box_before_the_status_and_output)
{
    open();
    std::vector<Text> outputAtMessage;
    dialogs.onShow = [&] { outputAtMessage.push_back(field("txtOut").text()); };
    menu("mnuBrainfuck");
    field("txtOut").setText(u"vorher");
    const Text output = convert("cmdDecrypt", Text(500, u'<') + u"+");   // a cell left of the tape

    ASSERT_EQ(dialogs.messages.size(), 1u);
    const common::Message& box = dialogs.messages.front().message;
    const std::u16string_view prefix = u"InterpretBrainfuck() - Error ";
    EXPECT_EQ(box.icon, common::Icon::Critical);
    ASSERT_TRUE(box.text.starts_with(prefix)) << toQString(box.text).toStdString();
    EXPECT_EQ(outputAtMessage, std::vector<Text>{u"vorher"});
    const Text description = box.text.substr(prefix.size());
    EXPECT_EQ(output, u"Fehler aufgetreten: " + description + u"\r\n" + description);
}

// Counted as the field holds them: a line break is one character. The exact bound is the dispatch's test.
TEST_F(MainWindow, an_input_beyond_16_mib_characters_warns_and_keeps_the_output)
{
    open();
    field("txtOut").setText(u"vorher");
    QString line(4095, QLatin1Char('a'));
    line += QLatin1Char('\n');
    field("txtIn").setPlainText(line.repeated(int(conversions::maxInputSize / 4096)) + QLatin1Char('b'));
    button("cmdDecrypt").click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().message,
              (common::Message{common::Icon::Exclamation,
                               u"Die Eingabe hat mehr als 16777216 Zeichen; es wurde nichts umgewandelt."}));
    EXPECT_EQ(field("txtOut").text(), u"vorher");
}

TEST_F(MainWindow, two_input_lines_give_two_value_lines_per_section)
{
    open();
    menu("mnuBuchstZahl");
    field("txtIn").setPlainText(QStringLiteral("AB\nC"));   // the field's own line break
    button("cmdDecrypt").click();
    const QString output = field("txtOut").toPlainText();
    EXPECT_TRUE(output.contains(QStringLiteral("(BWW: 3): 1 2 \n(BWW: 3): 3 \n")));
    EXPECT_TRUE(output.contains(QStringLiteral("(Scrabble: 4): 1 3 \n(Scrabble: 4): 4")));
}

TEST_F(MainWindow, help_shows_the_page_of_the_mode_and_stays_on_it_across_mode_changes)
{
    open();
    menu("mnuHilfeKonvert");
    frmHilfe* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(helpTitle(), "Hilfe zu Quirlwerk - GeoCode-Umwandlung");
    menu("mnuMorsen");
    menu("mnuHilfeKonvert");
    menu("mnuBrainfuck");
    EXPECT_EQ(helpTitle(), "Hilfe zu Quirlwerk - Morsezeichen entschlüssen / Text in Morsezeichen umwandeln");
    menu("mnuHilfeKonvert");
    EXPECT_EQ(window->helpWindow(), help);
    EXPECT_EQ(helpTitle(), "Hilfe zu Quirlwerk - Brainfuck entschlüsseln");
    menu("mnuHilfeAllg");
    EXPECT_TRUE(control<TextField>(*help, "txtHilfe").text().starts_with(u"Wählen Sie über die Menüzeile"));

    help->close();   // a closed help window opens again
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
    for (const char* next : {"cmdDecrypt", "cmdCrypt", "txtOut"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), next);
    }
    for (const auto& [name, label] : {std::pair{"txtIn", "Text Eingabe"}, std::pair{"txtOut", "Text Ausgabe"}}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&field(name));
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
    EXPECT_EQ(field("txtOut").width(), control<QWidget>(*window, "frameConv").width());
    // The button pair is centred by the client width, measured within the text frame.
    const int pairCentre = (button("cmdDecrypt").x() + button("cmdCrypt").geometry().right()) / 2;
    EXPECT_NEAR(pairCentre, window->centralWidget()->width() / 2, 1);
}

} // namespace
} // namespace quirlwerk::ui
