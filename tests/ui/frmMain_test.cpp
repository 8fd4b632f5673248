// The main window's wiring, driven as a user would: modes, focus, direction buttons, position, closing, keys,
// and the matrix and help windows it opens. What a conversion gives is the core's test.
#include "window_test_support.h"

#include "bitmap/bmp_writer.h"
#include "conversions/modes.h"
#include "ui/frmHilfe.h"
#include "ui/frmMain.h"
#include "ui/frmMatrixProj.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"
#include "ui/window_position.h"

#include <QPointer>

namespace quirlwerk::ui {
namespace {

using testing::control;

class MainWindow : public ::testing::Test {
protected:
    MainWindow() { testing::clearSettings(); }
    ~MainWindow() override { delete window->helpWindow(); }   // it has no owner, as for the user

    void menu(const char* item) { control<QAction>(*window, item).trigger(); }
    TextField& field(const char* name) { return control<TextField>(*window, name); }
    bool shown(const char* name) { return control<QWidget>(*window, name).isVisibleTo(window.get()); }
    Text convert(const char* direction, const Text& input)
    {
        field("txtIn").setText(input);
        control<QPushButton>(*window, direction).click();
        return field("txtOut").text();
    }
    QString help() { return testing::textOf(*window->helpWindow(), "lblHeader"); }

    GlobData glob;
    testing::RecordingDialogs dialogs;
    int terminated = 0;
    std::unique_ptr<frmMain> window = [this] {
        auto made = std::make_unique<frmMain>(glob, dialogs);
        made->setTerminate([this] { ++terminated; });
        return made;
    }();
};

// From every mode to every other: the window follows the table (whose contents are the core's test), and
// typing goes on in the first field of the frame shown, never in a hidden one.
TEST_F(MainWindow, each_mode_command_sets_heading_frame_buttons_menu_place_and_focus)
{
    using conversions::ModeFrame;
    testing::showActive(*window);
    auto& fileMessage = control<QLabel>(*window, "lblDateiMeldung");
    const std::tuple<const char*, ModeFrame, const char*> frames[] = {{"frameConv", ModeFrame::Text, "txtIn"},
        {"frameDatei", ModeFrame::HexFile, "txtDateiIn"}, {"frameBild", ModeFrame::Picture, "txtBildDatei"}};
    for (const conversions::ModeRow& from : conversions::modeTable) {
        for (const conversions::ModeRow& row : conversions::modeTable) {
            SCOPED_TRACE(std::string(from.menuItem) + " -> " + std::string(row.menuItem));
            menu("mnuAscText");   // a known state before: both buttons shown
            menu(std::string(from.menuItem).c_str());
            fileMessage.setText(QStringLiteral("Fertig."));
            auto& action = control<QAction>(*window, std::string(row.menuItem).c_str());
            action.trigger();
            if (row.mode == conversions::Mode::MatrixText)
                testing::showActive(*window);   // the matrix window shows beside and takes the activation
            EXPECT_EQ(glob.ConversionMode, row.mode);
            EXPECT_EQ(testing::textOf(*window, "lblHeader"), toQString(row.heading));
            for (const auto& [frame, kind, first] : frames) {
                EXPECT_EQ(shown(frame), kind == row.frame) << frame;
                EXPECT_TRUE(kind != row.frame || QApplication::focusWidget()->objectName() == first);
            }
            const auto menuItems = control<QMenu>(*window, row.menu == conversions::ModeMenu::Other ? "mnuSonstiges" : "mnuConv").actions();
            EXPECT_EQ(menuItems.indexOf(&action), row.menuPosition);
            EXPECT_EQ(action.text(), toQString(row.menuCaption));
            // A mode with its own frame leaves the captions as the text mode before set them, and no hex-file message.
            const conversions::ModeRow& captions = !row.decryptCaption.empty() ? row : !from.decryptCaption.empty()
                                                       ? from : conversions::modeRow(conversions::Mode::AsciiText);
            EXPECT_EQ(testing::textOf(*window, "cmdDecrypt"), toQString(captions.decryptCaption));
            EXPECT_EQ(shown("cmdCrypt"), !captions.cryptCaption.empty() && row.frame == ModeFrame::Text);
            EXPECT_EQ(fileMessage.text().isEmpty(), row.frame != ModeFrame::Text);
        }
    }
}

TEST_F(MainWindow, matrix_window_shows_in_mode_8_only_and_comes_back_initial_after_a_close)
{
    menu("mnuMatrixText");
    frmMatrixProj* matrix = window->existingMatrixWindow();
    ASSERT_TRUE(matrix && matrix->isVisible());
    control<QLineEdit>(*matrix, "txtZeichenfolge").setText(QStringLiteral("QRSTUVWXYZ"));
    control<QRadioButton>(*matrix, "optFolge1").setChecked(true);
    menu("mnuMorsen");
    EXPECT_FALSE(matrix->isVisible());
    menu("mnuMatrixText");
    EXPECT_EQ(convert("cmdDecrypt", u"11 21"), u"QR");   // the definition as the window shows it
    EXPECT_EQ(convert("cmdCrypt", u"R"), u"21 ");
    matrix->close();
    EXPECT_EQ(window->existingMatrixWindow(), nullptr);
    EXPECT_EQ(convert("cmdDecrypt", u"11"), u"A");   // created again, initial, and not shown
    ASSERT_NE(window->existingMatrixWindow(), nullptr);
    EXPECT_FALSE(window->existingMatrixWindow()->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

// Position, title and mode at the start; the clamping itself is window_position's test.
TEST_F(MainWindow, starts_in_mode_1_at_the_stored_position_kept_on_the_screen)
{
    EXPECT_EQ(window->pos(), clampToScreen({1000, 1000}, outerSizeTwips(*window), screenSizeTwips(*window)) / twipsPerPixel);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quirlwerk   Version 1.2.2"));
    EXPECT_EQ(glob.ConversionMode, conversions::Mode::GeoCode);
    EXPECT_TRUE(shown("frameConv") && !shown("frameDatei") && !shown("frameBild") && !shown("cmdCrypt"));
    EXPECT_TRUE(window->existingMatrixWindow() == nullptr && window->helpWindow() == nullptr);
    testing::storeSetting("MainLeft", QStringLiteral("links"));   // no number: a box, and the default
    testing::storeSetting("MainTop", QStringLiteral("999999"));
    window = std::make_unique<frmMain>(glob, dialogs);
    EXPECT_EQ(window->pos(), clampToScreen({1000, 999999}, outerSizeTwips(*window), screenSizeTwips(*window)) / twipsPerPixel);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front().message.text, u"Fehler: Typen unverträglich");
}

TEST_F(MainWindow, closing_saves_the_positions_and_leaves_the_help_window_open_but_exit_ends_at_once)
{
    testing::showActive(*window);
    menu("mnuMatrixText");
    menu("mnuHilfeAllg");
    window->move(30, 40);
    menu("mnuExit");
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(testing::settingsStore().allKeys(), QStringList());
    window->close();
    EXPECT_EQ(testing::storedSetting("MainLeft"), QStringLiteral("450"));
    EXPECT_EQ(testing::storedSetting("MainTop"), QStringLiteral("600"));
    EXPECT_EQ(window->existingMatrixWindow(), nullptr);
    EXPECT_FALSE(testing::storedSetting("MatrixProjLeft").isEmpty());
    EXPECT_TRUE(window->helpWindow()->isVisible() && window->helpWindow()->parent() == nullptr);
}

TEST_F(MainWindow, a_failure_shows_its_box_before_the_output)
{
    EXPECT_EQ(convert("cmdDecrypt", u"Uryyb"), u"Hello");
    std::vector<Text> outputAtMessage;
    dialogs.onShow = [&] { outputAtMessage.push_back(field("txtOut").text()); };
    menu("mnuBrainfuck");
    EXPECT_NE(convert("cmdDecrypt", Text(500, u'<') + u"+"), u"Hello");   // a cell left of the tape
    EXPECT_EQ(outputAtMessage, std::vector<Text>{u"Hello"});
}

TEST_F(MainWindow, f1_shows_the_help_of_the_mode_in_every_window_and_escape_closes_it)
{
    testing::showActive(*window);
    menu("mnuMorsen");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    frmHilfe* shownHelp = window->helpWindow();
    ASSERT_NE(shownHelp, nullptr);
    EXPECT_EQ(help(), "Hilfe zu Quirlwerk - Morsezeichen entschlüssen / Text in Morsezeichen umwandeln");
    menu("mnuMatrixText");
    testing::showActive(*window->existingMatrixWindow());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_TRUE(help().startsWith("Hilfe zu Quirlwerk - Zahlen als Zeile/Spalte"));
    testing::showActive(*shownHelp);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(window->helpWindow(), nullptr);
    menu("mnuHilfeAllg");   // a closed help window opens again
    EXPECT_TRUE(window->helpWindow() && window->helpWindow()->isVisible());
}

TEST_F(MainWindow, opens_at_the_design_size_keeps_its_minimum_and_tab_visits_the_text_frame_in_order)
{
    testing::showActive(*window);
    EXPECT_EQ(window->centralWidget()->size(), QSize(11325, 6525) / twipsPerPixel);
    menu("mnuAscText");
    for (const char* next : {"cmdDecrypt", "cmdCrypt", "txtOut"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), next);
    }
    window->resize(100, 100);
    EXPECT_EQ(window->frameGeometry().size(), QSize(340, 260));   // 5100 x 3900 twips, frame included
    window->resize(900, 600);
    QTest::qWait(0);
    EXPECT_EQ(field("txtOut").width(), control<QWidget>(*window, "frameConv").width());
}

// "quirlwerk FILE": the picture mode with the file shown; anything else the run's own message, and the
// window stays. Closing it while the picture is drawn ends the run and frees the window.
TEST_F(MainWindow, a_file_given_at_the_start_opens_in_the_picture_mode)
{
    using namespace bitmap::testing;
    quirlwerk::testing::TempFolder folder;
    const QString small = QString::fromStdString(folder.write("bild.bmp", bmpBytes(greyPicture(4, 2, {{1, 2}, {5}}))).string());
    window->openFile(small);
    EXPECT_EQ(glob.ConversionMode, conversions::Mode::Picture);
    EXPECT_EQ(control<QLineEdit>(*window, "txtBildDatei").text(), small);
    EXPECT_TRUE(control<QLabel>(*window, "lblBildInfoWert").toolTip().contains(QStringLiteral("B*H: 4*2")));
    EXPECT_TRUE(dialogs.messages.empty());
    window->openFile(QString::fromStdString(folder.write("text.txt", "kein Bild").string()));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(shown("frameBild"));

    auto* closing = window.release();
    closing->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<frmMain> alive(closing);
    testing::showActive(*closing);
    int rowsSeenAtClose = -1;
    QTimer::singleShot(0, closing, [&] {
        rowsSeenAtClose = glob.picture.FarbTabelle[0].Anzahl;
        closing->close();
    });
    closing->openFile(QString::fromStdString(folder.write("gross.bmp", bmpBytes(greyPicture(64, 400, countingRows(64, 400)))).string()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_NE(rowsSeenAtClose, -1);   // the close landed in the middle of the run
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    window = std::make_unique<frmMain>(glob, dialogs);   // for the fixture's end
}

} // namespace
} // namespace quirlwerk::ui
