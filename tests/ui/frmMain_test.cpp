// The main window's wiring, driven as a user would: modes, focus, direction buttons, position, closing, keys,
// and the windows and the coordinate line it shows. What a conversion gives is the core's test.
#include "window_test_support.h"

#include "bitmap/bmp_writer.h"
#include "conversions/modes.h"
#include "coordinates/formats.h"
#include "ui/coordinate_line.h"
#include "ui/frmAlle.h"
#include "ui/frmHilfe.h"
#include "ui/frmMain.h"
#include "ui/frmMatrixProj.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"
#include "ui/window_position.h"

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
    frmAlle& readings(const QString& input)
    {
        testing::showActive(*window);
        field("txtIn").setPlainText(input);
        menu("mnuAlle");
        return *window->readingsWindow();
    }

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
            EXPECT_EQ(window->existingMatrixWindow() && window->existingMatrixWindow()->isVisible(), row.mode == conversions::Mode::MatrixText);
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

TEST_F(MainWindow, matrix_window_defines_mode_8_and_comes_back_initial_after_a_close)
{
    menu("mnuMatrixText");
    frmMatrixProj* matrix = window->existingMatrixWindow();
    ASSERT_NE(matrix, nullptr);   // which modes show it is the mode walk's test
    control<QLineEdit>(*matrix, "txtZeichenfolge").setText(QStringLiteral("QRSTUVWXYZ"));
    control<QRadioButton>(*matrix, "optFolge1").setChecked(true);
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
    EXPECT_EQ(QPoint(readStoredTwips("MainLeft"), readStoredTwips("MainTop")), QPoint(450, 600));
    EXPECT_EQ(window->existingMatrixWindow(), nullptr);
    EXPECT_TRUE(hasStoredPosition("MatrixProjLeft", "MatrixProjTop"));
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

// The readings window: its wiring, and readings that run beside the event loop. Each key starts them over; the
// loop turns before the last input's readings are shown, as it could not if they ran in the window's thread.
TEST_F(MainWindow, readings_run_beside_the_event_loop_and_an_endless_programs_reading_is_marked_partial)
{
    // 10 kB that print without end: a million values, then the bound.
    frmAlle& alle = readings(QStringLiteral("+[.") + QStringLiteral("Endlos drucken\n").repeated(700) + u']');
    QSignalSpy shown(&alle, &frmAlle::readingsShown);
    field("txtIn").moveCursor(QTextCursor::End);
    for (const char* typed : {"+", "[", "]", " endlos"}) {
        QTest::qWait(20);
        QTest::keyClicks(&field("txtIn"), QString::fromLatin1(typed));
    }
    bool loopTurnedFirst = false;
    QTimer::singleShot(0, &alle, [&] { loopTurnedFirst = shown.isEmpty(); });
    while (shown.isEmpty() || alle.shown().empty())
        ASSERT_TRUE(shown.wait(20000));
    EXPECT_TRUE(loopTurnedFirst);
    const auto endless = std::ranges::find(alle.shown(), conversions::Mode::Brainfuck, &readings::Reading::mode);
    ASSERT_NE(endless, alle.shown().end());
    EXPECT_TRUE(endless->partial);
}

TEST_F(MainWindow, readings_window_lists_the_readings_shows_the_chosen_one_and_takes_it_over_on_enter_or_the_button)
{
    frmAlle& alle = readings(QStringLiteral("44 69 65 20 44 6F 73 65 20 6C 69 65 67 74 20 69 6D 20 42 61 75 6D"));
    QSignalSpy shown(&alle, &frmAlle::readingsShown);
    ASSERT_TRUE(shown.wait(20000));
    auto& list = control<QTreeWidget>(alle, "lstLesarten");
    ASSERT_EQ(static_cast<std::size_t>(list.topLevelItemCount()), alle.shown().size());
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("ASCII <-> Text: ASCII --> Text umwandeln"));
    EXPECT_EQ(control<TextField>(alle, "txtAusgabe").text(), alle.shown()[0].text);

    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(glob.ConversionMode, conversions::Mode::AsciiText);
    EXPECT_EQ(control<TextField>(*window, "txtOut").text(), alle.shown()[0].text);

    list.setCurrentItem(list.topLevelItem(1));
    control<QPushButton>(alle, "cmdUebernehmen").click();
    EXPECT_EQ(glob.ConversionMode, alle.shown()[1].mode);
    EXPECT_EQ(control<TextField>(alle, "txtAusgabe").text(), alle.shown()[1].text);

    control<QLineEdit>(alle, "txtTabelle").setText(QStringLiteral("a b c"));
    EXPECT_TRUE(control<QLabel>(alle, "lblStatus").text().contains(QStringLiteral("8 verschiedene")));
}

// The coordinate line's wiring: which finds it lists, what its menus copy and open, where the main window
// puts it. What is found, and the forms' texts, belong to the core's tests.
struct RecordingOpener : LinkOpener {
    void open(const QUrl& url) override { opened.push_back(url.toString().toStdString()); }
    std::vector<std::string> opened;
};

TEST(CoordinateLine, lists_the_first_finds_and_copies_or_opens_each_in_every_form)
{
    CoordinateLine line;
    RecordingOpener opener;
    line.setLinkOpener(opener);
    Text text;
    for (int minutes = 10; minutes < 20; ++minutes)
        text += u"Station N 52° " + decimal(minutes) + u".500 E 013° 24.456\r\n";
    line.showFinds(text);
    ASSERT_EQ(line.finds().size(), 10u);
    EXPECT_FALSE(line.isHidden());
    EXPECT_EQ(line.findChildren<QToolButton*>().size(), 8);
    EXPECT_EQ(control<QLabel>(line, "lblWeitere").text().toStdString(), "und 2 weitere");
    const auto& second = control<QToolButton>(line, "cmdKoordinate2");
    const coordinates::Coordinate position = line.finds()[1].position;
    EXPECT_EQ(toText(second.accessibleName()), u"Koordinate 2: " + coordinates::standardForm(position));
    EXPECT_TRUE(second.focusPolicy() & Qt::TabFocus);
    const QList<QAction*> actions = second.menu()->actions();   // each form, a separator, the map
    for (std::size_t i = 0; i < coordinates::formatTable.size(); ++i) {
        actions[static_cast<int>(i)]->trigger();
        EXPECT_EQ(toText(QGuiApplication::clipboard()->text()), coordinates::formatted(position, coordinates::formatTable[i].format));
    }
    EXPECT_TRUE(opener.opened.empty());   // nothing leaves the machine before the user asks
    actions.back()->trigger();
    EXPECT_EQ(opener.opened, std::vector<std::string>{coordinates::mapLink(position)});
    line.showFinds(u"6, 12, 16, 29 S1 N2");
    EXPECT_TRUE(line.isHidden());
    EXPECT_TRUE(line.findChildren<QToolButton*>().empty());
}

TEST_F(MainWindow, coordinate_line_follows_the_output_below_the_fields_and_leaves_the_layout_when_empty)
{
    testing::showActive(*window);
    const auto& txtOut = control<TextField>(*window, "txtOut");
    const auto& line = control<CoordinateLine>(*window, "lineKoordinaten");
    const QRect designOut = txtOut.geometry();
    for (const char16_t* input : {u"Dose: A 52° 31.123 R 013° 24.456", u"nur 48.816 34.147"}) {   // GeoCode: A is N, R is E
        control<TextField>(*window, "txtIn").setText(input);
        control<QPushButton>(*window, "cmdDecrypt").click();
        EXPECT_EQ(line.isVisibleTo(window.get()), line.finds().size() == 1);
        EXPECT_LE(txtOut.mapTo(window.get(), txtOut.rect().bottomLeft()).y(), line.isHidden() ? window->height() : line.mapTo(window.get(), QPoint()).y());
    }
    EXPECT_EQ(txtOut.geometry(), designOut);
}

// The matrix definition window's wiring: rebuilding on every edit, the refusals and the Tab keys.
// How counts are read and what the messages say is the definition's own test.
class MatrixWindow : public ::testing::Test {
protected:
    MatrixWindow()
    {
        testing::clearSettings();
        window->setAttribute(Qt::WA_DeleteOnClose, false);   // a test may close it
        testing::showActive(*window);
    }

    QLineEdit& box(const char* name) { return control<QLineEdit>(*window, name); }
    QTableWidget& grid() { return control<QTableWidget>(*window, "grdData"); }
    QSize size() { return {grid().columnCount(), grid().rowCount()}; }
    QString cell(int row, int column) { return grid().item(row - 1, column - 1)->text(); }

    testing::RecordingDialogs dialogs;
    std::unique_ptr<frmMatrixProj> window = std::make_unique<frmMatrixProj>(dialogs);
};

TEST_F(MatrixWindow, opens_with_the_initial_matrix_and_rebuilds_it_as_the_boxes_are_typed)
{
    EXPECT_EQ(window->size(), QSize(8910, 5655) / twipsPerPixel);
    EXPECT_TRUE(control<QRadioButton>(*window, "optFolge0").isChecked());
    ASSERT_EQ(size(), QSize(8, 5));
    EXPECT_EQ(grid().horizontalHeaderItem(7)->text(), "8");
    EXPECT_EQ((QStringList{cell(1, 1), cell(2, 5), cell(5, 4), cell(5, 5)}), (QStringList{"A", "M", "9", " "}));
    box("txtZeilen").setFocus();
    box("txtZeilen").selectAll();
    QTest::keyClicks(&box("txtZeilen"), QStringLiteral("123"));   // two digits at most
    EXPECT_EQ(size(), QSize(8, 12));
    box("txtSpalten").setText(QStringLiteral("99"));
    EXPECT_EQ(size(), QSize(99, 12));
    EXPECT_EQ(grid().columnWidth(98), 20);   // 300 twips
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MatrixWindow, a_refused_count_keeps_the_matrix_and_the_focus_on_its_box_and_every_tab_key_leaves_the_grid)
{
    for (const char* name : {"txtZeilen", "txtSpalten"}) {
        box("txtZeichenfolge").setFocus();
        box(name).setText(QStringLiteral("0"));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages.front().focusAtShow.toStdString(), name);
        EXPECT_EQ(box(name).text(), QStringLiteral("0"));   // the text stays as typed
        EXPECT_EQ(size(), QSize(8, 5));
        box(name).setText(QStringLiteral("5"));
        dialogs.messages.clear();
    }
    box("txtZeilen").clear();   // refused only on leaving the box
    EXPECT_TRUE(dialogs.messages.empty());
    QTest::keyClick(&box("txtZeilen"), Qt::Key_Tab);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(box("txtZeilen").hasFocus());
    box("txtZeilen").setText(QStringLiteral("5"));
    box("txtZeichenfolge").clear();   // an emptied sequence blanks the matrix on leaving its box
    QTest::keyClick(&box("txtZeichenfolge"), Qt::Key_Tab);
    EXPECT_EQ(cell(1, 1), QStringLiteral(" "));
    // Every Tab key leaves the grid in its direction; with the focus the grid marks its current cell.
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Tab), Qt::ShiftModifier | Qt::Key_Backtab,
                                      Qt::ControlModifier | Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Backtab}) {
        grid().setFocus();
        EXPECT_TRUE(grid().currentIndex().isValid());
        QTest::keyClick(&grid(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), key.key() == Qt::Key_Tab ? "txtZeichenfolge" : "optFolge1");
    }
}

} // namespace
} // namespace quirlwerk::ui
