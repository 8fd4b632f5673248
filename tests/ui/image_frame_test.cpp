// The image frame's wiring: file choice, steppers, value fields, focus colours, the picture's keys and
// context menu, drops and the run guard. What a run draws and says is the core's test.
#include "ui/image_frame.h"

#include "bitmap/bmp_writer.h"
#include "palette/picture_writer.h"
#include "ui/nur_ziffern.h"
#include "ui/picture_box.h"
#include "ui/twips.h"
#include "window_test_support.h"

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
        testing::showActive(host);
    }
    ~ImageFrameTest() override { frame->closeWindows(); }

    QLineEdit& field(const char* name) { return control<QLineEdit>(*frame, name); }
    QAction& action(const char* name) { return control<QAction>(*frame, name); }
    QWidget& area() { return control<QWidget>(*frame, "picBildArea"); }
    // The information line as a whole; the label elides it to its width.
    QString info() { return control<QLabel>(*frame, "lblBildInfoWert").toolTip(); }
    QImage picture() { return control<PictureBox>(*frame, "picBild").picture(); }

    // Indices 0..7 in two rows of four on a grey ramp; taller on request.
    QString writeBitmap(int height = 2, const char* name = "bild.bmp")
    {
        BmpLayout layout = greyPicture(4, 2, {{0, 1, 2, 3}, {4, 5, 6, 7}});
        if (height != 2) {
            layout.height = height;
            layout.rows = countingRows(4, height);
        }
        return QString::fromStdString(folder.write(name, bmpBytes(layout)).string());
    }
    void draw(const QString& file)
    {
        field("txtBildDatei").setText(file);
        testing::click(*frame, "cmdBildKonv");
    }
    // The entries of the context menu the keyboard opens; the menu is closed again at once.
    QStringList contextMenuBy(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QStringList entries;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* entry : menu->actions())
                    entries << entry->text();
                menu->close();
            }
        });
        QTest::keyClick(&area(), key, modifiers);
        return entries;
    }

    QWidget host;
    GlobData glob;
    testing::RecordingDialogs dialogs;
    ImageFrame* frame = new ImageFrame(glob, dialogs, &host);
    TempFolder folder;
};

// The field names every format, the dialog opens on them, Enter draws, and a message about the name
// brings the focus back to the field.
TEST_F(ImageFrameTest, the_file_field_takes_a_chosen_file_and_enter_draws_it)
{
    EXPECT_EQ(testing::textOf(*frame, "lblBildDatei"), QStringLiteral("Input: BMP-, GIF- oder PNG-Datei mit Farbtabelle"));
    dialogs.files = {writeBitmap()};
    frame->cmdBildDatei_Click();
    frame->cmdBildDatei_Click();   // cancelled: the field stays
    EXPECT_EQ(dialogs.fileDialogFolders.back(), QApplication::applicationDirPath());
    EXPECT_EQ(dialogs.fileDialogFilters.back(), (QStringList{"Bilder mit Farbtabelle (*.bmp *.gif *.png)", "*.bmp", "*.*"}));
    field("txtBildDatei").setFocus();
    QTest::keyClick(&field("txtBildDatei"), Qt::Key_Return);
    EXPECT_TRUE(info().contains("B*H: 4*2"));
    EXPECT_EQ(picture().pixel(1, 0), qRgb(5, 5, 5));   // first stored row at the bottom
    ASSERT_TRUE(frame->colourTableWindow() && frame->colourTableWindow()->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());

    field("txtBildModulo").setFocus();
    field("txtBildDatei").setText("   ");
    frame->cmdBildKonv_Click();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(host.focusWidget(), &field("txtBildDatei"));
}

TEST_F(ImageFrameTest, the_context_menu_copies_and_saves_the_picture_as_drawn_and_says_so)
{
    draw(QStringLiteral("fehlt.bmp"));   // a run that draws nothing leaves nothing to copy
    EXPECT_FALSE(action("mnuBildKopieren").isEnabled() || action("mnuBildSpeichern").isEnabled());
    dialogs.messages.clear();
    draw(writeBitmap(2, "rätsel.bmp"));
    ASSERT_TRUE(action("mnuBildKopieren").isEnabled());
    action("mnuBildKopieren").trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture());
    auto& note = control<QLabel>(*frame, "lblBildHinweis");
    EXPECT_TRUE(note.isVisibleTo(frame));
    EXPECT_EQ(note.text(), QStringLiteral("Bild in die Zwischenablage kopiert."));
    EXPECT_EQ(control<QLabel>(*frame, "lblBildInfoWert").accessibleDescription(), note.text());

    // The dialog proposes the picture's name as PNG; ".png" is added, and "Nein" keeps a file there.
    const QString target = QString::fromStdString(folder.path("gesehen").string());
    dialogs.saveFiles = {target};
    action("mnuBildSpeichern").trigger();
    EXPECT_EQ(dialogs.saveDialogFolders.back(), QString::fromStdString(folder.path("rätsel.png").string()));
    EXPECT_EQ(dialogs.saveDialogFilters.back(), QStringList{"PNG-Bilder (*.png)"});
    EXPECT_EQ(QImage(target + ".png").convertToFormat(QImage::Format_RGB32), picture());
    EXPECT_TRUE(note.text().startsWith(QStringLiteral("Bild gespeichert: "))) << note.text().toStdString();
    dialogs.saveFiles = {target + ".png"};
    dialogs.answers = {QMessageBox::No};
    note.clear();
    draw(writeBitmap(3));
    action("mnuBildSpeichern").trigger();
    EXPECT_EQ(QImage(target + ".png").size(), QSize(4, 2));
    EXPECT_TRUE(note.text().isEmpty());
}

TEST_F(ImageFrameTest, a_picture_too_large_for_the_clipboard_is_refused_but_saved)
{
    draw(QString::fromStdString(folder.write("riesig.bmp", bmpBytes(greyPicture(8192, 8193, {std::vector<std::uint8_t>(8192, 10)}))).string()));
    QGuiApplication::clipboard()->clear();
    action("mnuBildKopieren").trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
    dialogs.saveFiles = {QString::fromStdString(folder.path("riesig.png").string())};
    action("mnuBildSpeichern").trigger();
    EXPECT_EQ(QImageReader(QString::fromStdString(folder.path("riesig.png").string())).size(), QSize(8192, 8193));
}

// The picture area by keyboard: Tab reaches it, the menu key and Shift+F10 open its menu, Ctrl+C and Ctrl+S act,
// and the zoom keys walk the steps to both limits.
TEST_F(ImageFrameTest, every_picture_action_and_zoom_step_works_by_keyboard)
{
    draw(writeBitmap());
    const QImage unfocused = area().grab().toImage();
    field("txtBildDatei").setFocus();
    for (int tab = 0; tab < 20 && !area().hasFocus(); ++tab)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(area().hasFocus());
    EXPECT_NE(area().grab().toImage(), unfocused);   // the focus frame
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&area(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
    QTest::keyClick(&area(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.saveDialogFilters.size(), 1u);

    // The zoom: 100 % by default, each step up to 800 % and down to 25 % and no further; enlarged pixels are
    // sharp blocks of their source colour; fitting shows the whole picture.
    auto& box = control<PictureBox>(*frame, "picBild");
    auto zoom = [&] { return control<QLabel>(*frame, "lblBildZoom").text(); };
    EXPECT_EQ(zoom(), "Zoom: 100 %");
    EXPECT_EQ(box.size(), QSize(4, 2));
    area().setFocus();
    for (const char* expected : {"200", "400", "800", "800"}) {
        QTest::keyClick(&area(), Qt::Key_Plus, Qt::ControlModifier);
        EXPECT_EQ(zoom(), QStringLiteral("Zoom: %1 %").arg(expected));
    }
    EXPECT_EQ(box.size(), QSize(32, 16));
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(shown.pixel(x, y), picture().pixel(x / 8, y / 8)) << x << ',' << y;
    QTest::keyClick(&area(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(zoom(), "Zoom: 100 %");
    for (const char* expected : {"50", "25", "25"}) {
        QTest::keyClick(&area(), Qt::Key_Minus, Qt::ControlModifier);
        EXPECT_EQ(zoom(), QStringLiteral("Zoom: %1 %").arg(expected));
    }
    EXPECT_EQ(box.size(), QSize(1, 1));
    action("mnuZoomFit").trigger();   // a tiny picture fits at the top step, a large one shrinks into view
    EXPECT_EQ(zoom(), "Zoom: 800 %");
    draw(QString::fromStdString(folder.write("breit.bmp", bmpBytes(greyPicture(4000, 10, countingRows(4000, 10)))).string()));
    const QSize room = control<QScrollArea>(*frame, "picBildArea").maximumViewportSize();
    EXPECT_LE(box.width(), room.width());
    EXPECT_GE(box.width(), room.width() - 1);
    const QStringList entries = {"Bild kopieren", "Bild speichern unter …", "", "Vergrößern", "Verkleinern",
                                 "Originalgröße (100 %)", "In das Fenster einpassen"};
    EXPECT_EQ(contextMenuBy(Qt::Key_Menu), entries);
    EXPECT_EQ(contextMenuBy(Qt::Key_F10, Qt::ShiftModifier), entries);
}

// A long information line is elided in the middle; Ctrl+wheel zooms around the pointer, whose picture
// point stays under it.
TEST_F(ImageFrameTest, a_long_information_line_is_elided_and_ctrl_wheel_zooms_around_the_pointer)
{
    draw(QString::fromStdString(folder.write("gross.bmp", bmpBytes(greyPicture(1000, 1000, countingRows(1000, 1000)))).string()));
    auto& scroll = control<QScrollArea>(*frame, "picBildArea");
    const QPoint pointer(100, 60);
    QWheelEvent wheel(pointer, scroll.viewport()->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(scroll.viewport(), &wheel);
    EXPECT_EQ(control<QLabel>(*frame, "lblBildZoom").text(), "Zoom: 200 %");
    EXPECT_EQ(QPoint(scroll.horizontalScrollBar()->value(), scroll.verticalScrollBar()->value()), pointer);

    const auto& line = control<QLabel>(*frame, "lblBildInfoWert");
    const QString whole = line.toolTip();
    EXPECT_EQ(line.accessibleDescription(), whole);
    EXPECT_TRUE(line.text().startsWith(whole.left(8)) && line.text().endsWith(whole.right(7)) && line.text().contains(QChar(0x2026)));
    EXPECT_LE(line.sizeHint().width(), line.width());
    frame->placeInfoLine({600, 1050, 30000, 300});   // room for the whole line
    EXPECT_EQ(line.text(), whole);
}

TEST_F(ImageFrameTest, value_fields_take_digits_only_turn_yellow_with_the_focus_and_step_and_draw)
{
    for (const char* name : {"txtBildModulo", "txtBildSchwellwert"}) {
        QLineEdit& value = field(name);
        value.clear();
        QTest::keyClicks(&value, "a1 -x2.34");
        EXPECT_EQ(value.text(), "123") << name;   // the length limit refuses the fourth digit
    }
    for (const int code : {8, 3, 22, int('/'), int(':'), 13})   // backspace, copy and paste kept; the digits' neighbours not
        EXPECT_EQ(NurZiffern(std::int16_t(code)), code < 32 && code != 13 ? code : 0) << code;

    QLineEdit& modulo = field("txtBildModulo");
    auto& option = control<QRadioButton>(*frame, "optModulo1");
    for (QWidget* focus : {static_cast<QWidget*>(&modulo), static_cast<QWidget*>(&option), frame->firstField()}) {
        focus->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        EXPECT_EQ(modulo.palette().color(QPalette::Base), focus == &modulo ? QColor(Qt::yellow) : QColor(Qt::white));
        EXPECT_EQ(modulo.selectedText(), focus == &modulo ? "123" : modulo.selectedText());
        EXPECT_EQ(option.palette().color(QPalette::Window), focus == &option ? QColor(Qt::yellow) : frame->palette().color(QPalette::Window));
    }
    // The steppers write the next value and draw, and report an overflow.
    field("txtBildModulo").setText("9E9");
    frame->cmdModulPlus_Click();
    EXPECT_EQ(dialogs.lastText(), "cmdModulPlus_Click() - Fehler aufgetreten: Überlauf");
    EXPECT_EQ(dialogs.messages.size(), 1u);   // no run, so no message about the missing file name

    field("txtBildDatei").setText(writeBitmap());
    field("txtBildSchwellwert").setText("255");
    testing::click(*frame, "cmdSchwellePlus");
    EXPECT_EQ(field("txtBildSchwellwert").text(), "0");
    field("txtBildModulo").setText("3");
    testing::click(*frame, "cmdModulPlus");
    EXPECT_EQ(field("txtBildModulo").text(), "4");   // index 5 is drawn with entry 1
    EXPECT_EQ(picture().pixel(1, 0), qRgb(1, 1, 1));
}

TEST_F(ImageFrameTest, a_run_disables_its_buttons_refuses_drops_and_ends_when_the_window_closes)
{
    namespace pal = palette::testing;
    const QString gif = QString::fromStdString(
        folder.write("gezogen.gif", pal::gifBytes(2, 1, pal::rampTable(2), {{.rows = {{0, 1}}}})).string());
    QWidget& viewport = *control<QScrollArea>(*frame, "picBildArea").viewport();
    for (QWidget* target : {&viewport, static_cast<QWidget*>(&field("txtBildDatei"))}) {
        ASSERT_TRUE(testing::dropFiles(*target, {gif}));
        QCoreApplication::processEvents();   // the load follows the drop
        EXPECT_TRUE(info().startsWith("Format: GIF    B*H: 2*1 Pixel"));
    }
    EXPECT_FALSE(testing::dropFiles(viewport, {gif, gif}));   // one file at a time

    field("txtBildDatei").setText(writeBitmap(40));
    bool checked = false;
    QTimer::singleShot(0, frame, [&] {
        checked = frame->drawing() && !testing::dropFiles(viewport, {gif});
        for (const char* name : {"cmdBildKonv", "cmdModulPlus", "cmdSchwellePlus"})
            EXPECT_FALSE(control<QPushButton>(*frame, name).isEnabled()) << name;
        frame->ZeichneBitmap(bitmap::DrawMode::FullLoad);   // refused: the run under way goes on
    });
    frame->cmdBildKonv_Click();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(control<QPushButton>(*frame, "cmdBildKonv").isEnabled());
    EXPECT_EQ(glob.picture.FarbTabelle[0].Anzahl, 1);   // counted once, not twice

    frame->colourTableWindow()->hide();
    QTimer::singleShot(0, frame, [&] { frame->closeWindows(); });
    frame->cmdBildKonv_Click();
    EXPECT_FALSE(frame->drawing());
    EXPECT_FALSE(frame->colourTableWindow()->isVisible());   // the run ended before the table was shown
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace quirlwerk::ui
