// The image frame on its own: file choice, steppers, key filter, focus colours, runs with generated files,
// and the run guard.
#include "ui/image_frame.h"

#include "bitmap/bmp_writer.h"
#include "bitmap/twins.h"
#include "palette/picture_writer.h"
#include "recording_dialogs.h"
#include "ui/GlobData.h"
#include "ui/frmFarbTabelle.h"
#include "ui/nur_ziffern.h"
#include "ui/picture_box.h"
#include "window_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QImageReader>
#include <QTableWidget>
#include <QTimer>

#include <sys/stat.h>

namespace quirlwerk::ui {
namespace {

using namespace bitmap::testing;
using testing::control;

class ImageFrameTest : public ::testing::Test {
protected:
    ImageFrameTest()
    {
        host.resize(720, 420);
        frame->resize(700, 400);
        host.show();
        QApplication::setActiveWindow(&host);
    }
    ~ImageFrameTest() override { frame->closeWindows(); }

    QLineEdit& field(const char* name) { return control<QLineEdit>(*frame, name); }
    QPushButton& button(const char* name) { return control<QPushButton>(*frame, name); }
    // The information line as a whole; the label elides it to its width.
    QString info() { return control<QLabel>(*frame, "lblBildInfoWert").toolTip(); }
    QImage picture() { return control<PictureBox>(*frame, "picBild").picture(); }
    QPushButton& redrawButton() { return control<QPushButton>(*frame->colourTableWindow(), "cmdRedraw"); }

    // Indices 0..7 in two rows of four, colours of a grey ramp but entry 5 coloured; taller on request.
    QString writeBitmap(int height = 2)
    {
        BmpLayout layout = greyPicture(4, 2, {{0, 1, 2, 3}, {4, 5, 6, 7}});
        layout.palette[5] = {16, 99, 133};
        if (height != 2) {
            layout.height = height;
            layout.rows = countingRows(4, height);
        }
        return QString::fromStdString(folder.write("bild.bmp", bmpBytes(layout)).string());
    }
    void draw(const QString& file)
    {
        field("txtBildDatei").setText(file);
        testing::click(*frame, "cmdBildKonv");
    }

    QWidget host;
    GlobData glob;
    testing::RecordingDialogs dialogs;
    ImageFrame* frame = new ImageFrame(glob, dialogs, &host);
    TempFolder folder;
};

QRgb grey(int level)
{
    return qRgb(level, level, level);
}

TEST_F(ImageFrameTest, file_dialog_fills_the_field_and_a_cancel_changes_nothing)
{
    control<QLabel>(*frame, "lblBildInfoWert").setToolTip("alt");
    dialogs.files = {"/bilder/rätsel.bmp"};
    frame->cmdBildDatei_Click();
    EXPECT_EQ(field("txtBildDatei").text(), "/bilder/rätsel.bmp");
    EXPECT_EQ(info(), "");
    EXPECT_EQ(dialogs.fileDialogFolders.back(), QApplication::applicationDirPath());
    EXPECT_EQ(dialogs.fileDialogFilters.back(), (QStringList{"*.bmp", "*.*", "Bilder mit Farbtabelle (*.bmp *.gif *.png)"}));
    EXPECT_TRUE(picture().isNull());   // nothing drawn

    frame->cmdBildDatei_Click();   // cancelled
    EXPECT_EQ(field("txtBildDatei").text(), "/bilder/rätsel.bmp");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ImageFrameTest, bild_anzeigen_draws_fills_the_table_and_shows_the_information_line)
{
    draw(writeBitmap());   // with the start values: nothing transformed
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(info(), "Offset Data: 1078 Bytes    B*H: 4*2 Pixel BottumUp    Farbtiefe: 8bit    "
                      "Komprimierung: 0-keine    Anzahl Farben: 256/8");
    ASSERT_EQ(picture().size(), QSize(4, 2));
    EXPECT_EQ(control<PictureBox>(*frame, "picBild").size(), QSize(4, 2));
    EXPECT_EQ(picture().pixel(0, 1), grey(0));   // first stored row at the bottom
    EXPECT_EQ(picture().pixel(1, 0), qRgb(16, 99, 133));

    ASSERT_NE(frame->colourTableWindow(), nullptr);
    EXPECT_TRUE(frame->colourTableWindow()->isVisible());
    const auto& grid = control<QTableWidget>(*frame->colourTableWindow(), "gridFarben");
    EXPECT_EQ(grid.item(6, 2)->text(), "99");
    EXPECT_EQ(grid.item(6, 5)->text(), "1");
}

TEST_F(ImageFrameTest, a_gif_hiding_a_picture_in_twin_colours_is_revealed_by_the_colour_table_window)
{
    // Entries 1 and 2 are both white: the 2s are a picture nobody sees.
    namespace pal = palette::testing;
    const pal::Bytes gif = pal::gifBytes(4, 2, {{0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {9, 9, 9}},
                                         {{.rows = {{1, 2, 2, 1}, {1, 1, 2, 0}}}});
    draw(QString::fromStdString(folder.write("rätsel.gif", gif).string()));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(info(), "Format: GIF    B*H: 4*2 Pixel    Farbtiefe: 2bit    Bilder: 1    Anzahl Farben: 4/3");
    EXPECT_EQ(picture().pixel(1, 0), qRgb(255, 255, 255));
    const auto& grid = control<QTableWidget>(*frame->colourTableWindow(), "gridFarben");
    EXPECT_EQ(grid.item(3, 6)->text(), "1");
    EXPECT_EQ(grid.item(4, 6)->text(), "");

    testing::click(*frame->colourTableWindow(), "cmdZwillinge");
    EXPECT_EQ(picture().pixel(1, 0), bitmap::revealColour(0));
    EXPECT_EQ(picture().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(grid.item(3, 5)->text(), "3");   // a redraw keeps the counts
}

TEST_F(ImageFrameTest, the_context_menu_copies_and_saves_the_picture_as_drawn)
{
    auto& copy = control<QAction>(*frame, "mnuBildKopieren");
    auto& save = control<QAction>(*frame, "mnuBildSpeichern");
    EXPECT_FALSE(copy.isEnabled());   // nothing drawn yet
    EXPECT_EQ(control<PictureBox>(*frame, "picBild").contextMenuPolicy(), Qt::ActionsContextMenu);

    draw(writeBitmap());
    ASSERT_TRUE(copy.isEnabled());
    copy.trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_FALSE(copied.hasAlphaChannel());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), picture());

    const QString target = QString::fromStdString(folder.path("gesehen").string());
    dialogs.saveFiles = {target};
    save.trigger();
    EXPECT_EQ(dialogs.saveDialogFilters.back(), QStringList{"PNG-Bilder (*.png)"});
    const QImage saved(target + ".png");
    EXPECT_FALSE(saved.hasAlphaChannel());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), picture());
    EXPECT_TRUE(dialogs.messages.empty());

    // The program asks before it replaces a file; "Nein" keeps it, a cancelled dialog writes nothing.
    std::vector<std::uint8_t> cut = bmpBytes(greyPicture(4, 3, {{10, 10, 10, 10}}));
    draw(QString::fromStdString(folder.write("halb.bmp", cut).string()));
    dialogs.saveFiles = {target + ".png"};
    dialogs.answers = {QMessageBox::No};
    save.trigger();
    EXPECT_EQ(dialogs.lastText(), "Die Datei ''" + QDir::toNativeSeparators(target + ".png") +
                                      "'' existiert bereits. Soll sie ersetzt werden?");
    EXPECT_EQ(QImage(target + ".png").size(), QSize(4, 2));
    save.trigger();
    EXPECT_EQ(QImage(target + ".png").size(), QSize(4, 2));

    dialogs.saveFiles = {target + ".png"};
    save.trigger();   // answered "Ja"
    const QImage half(target + ".png");
    ASSERT_EQ(half.size(), QSize(4, 3));
    EXPECT_EQ(qAlpha(half.pixel(0, 0)), 0);   // rows the file never reached stay transparent
    EXPECT_EQ(half.pixel(0, 2), grey(10));

    // A pipe is refused before any question and stays a pipe.
    const std::filesystem::path pipe = folder.path("rohr.png");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::size_t boxes = dialogs.messages.size();
    dialogs.saveFiles = {QString::fromStdString(pipe.string())};
    save.trigger();
    ASSERT_EQ(dialogs.messages.size(), boxes + 1);
    EXPECT_TRUE(dialogs.lastText().endsWith("und wird nicht überschrieben!"));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));

    // A picture too large for the clipboard is refused with a box; saving streams its rows all the same.
    draw(QString::fromStdString(folder.write("riesig.bmp", bmpBytes(greyPicture(8192, 8193, {std::vector<std::uint8_t>(8192, 10)}))).string()));
    QGuiApplication::clipboard()->clear();
    copy.trigger();
    EXPECT_TRUE(dialogs.lastText().startsWith("Das Bild ist zu groß für die Zwischenablage")) << dialogs.lastText().toStdString();
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
    dialogs.saveFiles = {target + "-riesig.png"};
    save.trigger();
    EXPECT_EQ(QImageReader(target + "-riesig.png").size(), QSize(8192, 8193));
}

TEST_F(ImageFrameTest, steppers_write_the_next_value_and_draw_and_report_an_overflow)
{
    field("txtBildModulo").setText("9E9");
    frame->cmdModulPlus_Click();
    EXPECT_EQ(dialogs.lastText(), "cmdModulPlus_Click() - Fehler aufgetreten: Überlauf");
    EXPECT_EQ(field("txtBildModulo").text(), "9E9");
    EXPECT_EQ(dialogs.messages.size(), 1u);   // no run, so no message about the missing file name

    field("txtBildDatei").setText(writeBitmap());
    field("txtBildSchwellwert").setText("255");
    testing::click(*frame, "cmdSchwellePlus");
    EXPECT_EQ(field("txtBildSchwellwert").text(), "0");
    field("txtBildModulo").setText("3");
    testing::click(*frame, "cmdModulPlus");
    EXPECT_EQ(field("txtBildModulo").text(), "4");   // index 5 is drawn with entry 1, index 7 with entry 3
    EXPECT_EQ(picture().pixel(1, 0), grey(1));
    EXPECT_EQ(picture().pixel(3, 0), grey(3));
    EXPECT_EQ(glob.picture.FarbTabelle[1].Anzahl, 2);
}

TEST_F(ImageFrameTest, value_fields_take_digits_only)
{
    for (const char* name : {"txtBildModulo", "txtBildSchwellwert"}) {
        QLineEdit& value = field(name);
        value.clear();
        QTest::keyClicks(&value, "a1 -x2.");
        QTest::keyClick(&value, Qt::Key_Return);
        QTest::keyClick(&value, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(value.text(), "12") << name;
        QTest::keyClicks(&value, "34");
        EXPECT_EQ(value.text(), "123") << name;   // the length limit refuses the fourth digit
        QTest::keyClick(&value, Qt::Key_Backspace);
        EXPECT_EQ(value.text(), "12") << name;
    }
}

TEST(NurZiffern, keeps_digits_backspace_copy_and_paste)
{
    const std::pair<std::int16_t, std::int16_t> codes[] = {
        {'0', '0'}, {'9', '9'}, {8, 8}, {3, 3}, {22, 22}, {'a', 0}, {' ', 0}, {'-', 0}, {13, 0}, {24, 0}, {'/', 0}, {':', 0},
    };
    for (const auto& [code, kept] : codes)
        EXPECT_EQ(NurZiffern(code), kept) << code;
}

TEST_F(ImageFrameTest, focus_colours_mark_fields_and_option_buttons)
{
    const auto focus = [](QWidget& widget) {
        widget.setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    };
    QLineEdit& modulo = field("txtBildModulo");
    auto& option = control<QRadioButton>(*frame, "optModulo1");
    modulo.setText("17");
    focus(modulo);
    EXPECT_EQ(modulo.palette().color(QPalette::Base), QColor(Qt::yellow));
    EXPECT_EQ(modulo.selectedText(), "17");
    focus(option);
    EXPECT_EQ(modulo.palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(option.palette().color(QPalette::Window), QColor(Qt::yellow));
    focus(field("txtBildDatei"));
    EXPECT_EQ(option.palette().color(QPalette::Window), frame->palette().color(QPalette::Window));
}

TEST_F(ImageFrameTest, an_input_message_returns_the_focus_to_the_file_field)
{
    field("txtBildModulo").setFocus();
    field("txtBildDatei").setText("   ");
    frame->cmdBildKonv_Click();
    EXPECT_EQ(dialogs.lastText(), "Geben Sie bitte den Namen der Bitmapdatei ein!");
    EXPECT_EQ(QApplication::focusWidget(), &field("txtBildDatei"));
}

TEST_F(ImageFrameTest, run_buttons_are_disabled_while_a_run_is_under_way)
{
    field("txtBildDatei").setText(writeBitmap(40));
    bool checked = false;
    QTimer::singleShot(0, frame, [&] {
        checked = true;
        EXPECT_TRUE(frame->drawing());
        for (const char* name : {"cmdBildKonv", "cmdModulPlus", "cmdSchwellePlus"})
            EXPECT_FALSE(button(name).isEnabled()) << name;
        frame->ZeichneBitmap(bitmap::DrawMode::FullLoad);   // refused: the run under way goes on
    });
    frame->cmdBildKonv_Click();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(frame->drawing());
    EXPECT_TRUE(button("cmdBildKonv").isEnabled());
    EXPECT_EQ(glob.picture.FarbTabelle[0].Anzahl, 1);   // counted once, not twice
    EXPECT_TRUE(redrawButton().isEnabled());
}

TEST_F(ImageFrameTest, a_dropped_picture_file_loads_but_not_while_a_run_is_under_way)
{
    namespace pal = palette::testing;
    const QString gif = QString::fromStdString(
        folder.write("gezogen.gif", pal::gifBytes(2, 1, pal::rampTable(2), {{.rows = {{0, 1}}}})).string());
    QWidget& area = *control<QScrollArea>(*frame, "picBildArea").viewport();
    for (QWidget* target : {&area, static_cast<QWidget*>(&field("txtBildDatei"))}) {
        SCOPED_TRACE(target->objectName().toStdString());
        field("txtBildDatei").clear();
        ASSERT_TRUE(testing::dropFiles(*target, {gif}));
        EXPECT_EQ(field("txtBildDatei").text(), QDir::toNativeSeparators(gif));
        QCoreApplication::processEvents();   // the load follows the drop
        EXPECT_TRUE(info().startsWith("Format: GIF    B*H: 2*1 Pixel"));
    }
    EXPECT_FALSE(testing::dropFiles(area, {gif, gif}));   // one file at a time

    field("txtBildDatei").setText(writeBitmap(40));
    bool refused = false;
    QTimer::singleShot(0, frame, [&] { refused = !testing::dropFiles(area, {gif}); });
    frame->cmdBildKonv_Click();
    EXPECT_TRUE(refused);
    EXPECT_TRUE(field("txtBildDatei").text().endsWith("bild.bmp"));
}

TEST_F(ImageFrameTest, closing_during_a_run_ends_it)
{
    field("txtBildDatei").setText(writeBitmap(40));
    QTimer::singleShot(0, frame, [&] { frame->closeWindows(); });
    frame->cmdBildKonv_Click();
    EXPECT_FALSE(frame->drawing());
    EXPECT_EQ(frame->colourTableWindow(), nullptr);   // the run ended before the table was shown
    EXPECT_FALSE(info().contains("Anzahl Farben"));
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace quirlwerk::ui
