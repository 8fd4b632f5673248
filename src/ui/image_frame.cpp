// The image frame: its controls at their design places, the handlers, and the window side of a bitmap run.
#include "ui/image_frame.h"

#include "bitmap/palette.h"
#include "bitmap/png_encoder.h"
#include "bitmap/zeichne_bitmap.h"
#include "common/failure.h"
#include "common/save_target.h"
#include "ui/GlobData.h"
#include "ui/dialogs.h"
#include "ui/file_drop.h"
#include "ui/focus_colours.h"
#include "ui/frmFarbTabelle.h"
#include "ui/nur_ziffern.h"
#include "ui/picture_box.h"
#include "ui/qt_text.h"
#include "ui/twips.h"
#include "ui/wait_cursor.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QFile>
#include <QButtonGroup>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cmath>


namespace quirlwerk::ui {
namespace {

constexpr TwipsSize designSizeTwips{10335, 4935};
constexpr TwipsRect picBildTwips{120, 1440, 9495, 3375};
constexpr int marginTwips = 120;

// Keeps the design order of a row when the texts came out wider than designed: a control that would
// cover the one before it moves right.
void keepApart(std::initializer_list<QWidget*> row)
{
    constexpr int gap = 4;
    const QWidget* previous = nullptr;
    for (QWidget* control : row) {
        if (previous && control->x() < previous->geometry().right() + gap)
            control->move(previous->geometry().right() + gap, control->y());
        previous = control;
    }
}

// The option buttons turn yellow with the focus and take the frame's background again without it.
class OptionFocusColours : public QObject {
public:
    OptionFocusColours(QWidget* frame, QObject* parent) : QObject(parent), m_frame(frame) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* option = qobject_cast<QRadioButton*>(watched);
        if (option && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
            QPalette palette = option->palette();
            palette.setColor(QPalette::Window, event->type() == QEvent::FocusIn
                                                   ? QColor(Qt::yellow)
                                                   : m_frame->palette().color(QPalette::Window));
            option->setPalette(palette);
            option->setAutoFillBackground(true);
        }
        return false;
    }

private:
    QWidget* m_frame;
};

common::Message handlerFailure(const char16_t* handler, const std::exception& failure)
{
    return {common::Icon::Critical, Text(handler) + u"() - Fehler aufgetreten: " + common::describe(failure)};
}

} // namespace

// The run's view of this frame: its fields, its information line, picBild, message boxes and the wait cursor.
class ImageFrame::FrameSink : public bitmap::PixelSink {
public:
    explicit FrameSink(ImageFrame& frame) : m_frame(frame), m_boxes(frame.m_dialogs, &frame) {}

    void show(const common::Message& message) override { m_boxes.show(message); }
    void setBusy(bool busy) override { m_boxes.setBusy(busy); }
    void yield() override
    {
        m_frame.picBild->repaintDrawnRows(false);
        QApplication::processEvents();
    }
    bitmap::BitmapInputs inputs() override
    {
        return {toText(m_frame.txtBildDatei->text()), toText(m_frame.txtBildModulo->text()),
                toText(m_frame.txtBildSchwellwert->text()), m_frame.optModulo[0]->isChecked(),
                m_frame.optSchwelle[0]->isChecked()};
    }
    void showInfo(const Text& line) override { m_frame.showInfo(toQString(line)); }
    bitmap::PictureSurface* surface() override { return &m_frame.picBild->surface(); }
    void surfaceChanged() override
    {
        m_frame.picBild->surfaceChanged();
        if (m_frame.m_fitted)
            m_frame.zoomToFit();
    }
    void rowDrawn(std::int32_t y) override { m_frame.picBild->rowDrawn(y); }
    bool stopRequested() override { return m_frame.m_stopRequested; }

private:
    ImageFrame& m_frame;
    DialogReporter m_boxes;
};

ImageFrame::ImageFrame(GlobData& glob, Dialogs& dialogs, QWidget* parent)
    : QFrame(parent), m_glob(glob), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frameBild"));
    buildControls();
    connectHandlers();
    // The fields start with "0" also when the frame is used on its own.
    txtBildModulo->setText(QStringLiteral("0"));
    txtBildSchwellwert->setText(QStringLiteral("0"));
    resize(toPixels(designSizeTwips));
}

void ImageFrame::buildControls()
{
    auto field = [this](const char* name, int maxLength) {
        auto* control = makeNamed<QLineEdit>(name, this);
        if (maxLength > 0)
            control->setMaxLength(maxLength);
        installFocusColours(control);
        return control;
    };
    auto optionPair = [this](QFrame*& frame, const char* frameName, std::array<QRadioButton*, 2>& options,
                             const char* name, const QString& function) {
        frame = makeNamed<QFrame>(frameName, this);
        auto* group = new QButtonGroup(frame);
        auto* focusColours = new OptionFocusColours(this, frame);
        const QString captions[] = {QStringLiteral("auf Index"), QStringLiteral("auf Farben")};
        for (int i = 0; i < 2; ++i) {
            options[i] = new QRadioButton(captions[i], frame);
            options[i]->setObjectName(QString::fromLatin1(name) + QString::number(i));
            options[i]->installEventFilter(focusColours);
            options[i]->setAccessibleName(function + u' ' + captions[i]);   // the two pairs read alike
            group->addButton(options[i], i);
        }
        options[0]->setChecked(true);
        placeTwips(*options[0], {0, 0, 975, 255}, Fit::Text);
        placeTwips(*options[1], {1200, 0, 1095, 255}, Fit::Text);
        keepApart({options[0], options[1]});
    };

    lblBildDatei = makeNamed<QLabel>("lblBildDatei", QStringLiteral("Input: BMP-, GIF- oder PNG-Datei mit Farbtabelle"), this);
    txtBildDatei = field("txtBildDatei", 0);
    cmdBildDatei = makeNamed<QPushButton>("cmdBildDatei", this);
    cmdBildDatei->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    cmdBildDatei->setAccessibleName(QStringLiteral("Bilddatei auswählen"));
    cmdBildDatei->setToolTip(QStringLiteral("Bilddatei auswählen"));
    cmdBildKonv = makeNamed<QPushButton>("cmdBildKonv", QStringLiteral("Bild anzeigen"), this);

    lblBildModulo = makeNamed<QLabel>("lblBildModulo", QStringLiteral("Modulo"), this);
    txtBildModulo = field("txtBildModulo", 3);
    cmdModulPlus = makeNamed<QPushButton>("cmdModulPlus", QStringLiteral("+"), this);
    cmdModulPlus->setAccessibleName(QStringLiteral("Modulo erhöhen"));
    optionPair(frameModulo, "frameModulo", optModulo, "optModulo", QStringLiteral("Modulo"));

    lblBildSchwellwert = makeNamed<QLabel>("lblBildSchwellwert", QStringLiteral("Schwellwert"), this);
    txtBildSchwellwert = field("txtBildSchwellwert", 3);
    cmdSchwellePlus = makeNamed<QPushButton>("cmdSchwellePlus", QStringLiteral("+"), this);
    cmdSchwellePlus->setAccessibleName(QStringLiteral("Schwellwert erhöhen"));
    optionPair(frameSchwelle, "frameSchwelle", optSchwelle, "optSchwelle", QStringLiteral("Schwellwert"));

    lblBildInfo = makeNamed<QLabel>("lblBildInfo", QStringLiteral("Info"), this);
    lblBildInfoWert = makeNamed<QLabel>("lblBildInfoWert", this);

    picBildArea = makeNamed<QScrollArea>("picBildArea", this);
    picBildArea->setWidgetResizable(false);
    picBildArea->setAccessibleName(QStringLiteral("Bild"));
    // The keyboard reaches the picture: Tab stops here, a frame shows the focus, the menu key opens the menu.
    picBildArea->setFocusPolicy(Qt::StrongFocus);
    picBildArea->installEventFilter(this);
    picBild = new PictureBox(picBildArea);
    picBildArea->setWidget(picBild);
    // The picture's context menu keeps what was revealed.
    picBild->setContextMenuPolicy(Qt::ActionsContextMenu);
    mnuBildKopieren = new QAction(QStringLiteral("Bild kopieren"), picBild);
    mnuBildKopieren->setObjectName(QStringLiteral("mnuBildKopieren"));
    mnuBildSpeichern = new QAction(QStringLiteral("Bild speichern unter …"), picBild);
    mnuBildSpeichern->setObjectName(QStringLiteral("mnuBildSpeichern"));
    auto zoomAction = [this](const char* name, const QString& caption, QKeySequence keys) {
        auto* action = new QAction(caption, picBild);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        return action;
    };
    mnuZoomPlus = zoomAction("mnuZoomPlus", QStringLiteral("Vergrößern"), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    mnuZoomMinus = zoomAction("mnuZoomMinus", QStringLiteral("Verkleinern"), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    mnuZoom100 = zoomAction("mnuZoom100", QStringLiteral("Originalgröße (100 %)"), QKeySequence(Qt::CTRL | Qt::Key_0));
    mnuZoomFit = zoomAction("mnuZoomFit", QStringLiteral("In das Fenster einpassen"), {});
    auto* separator = new QAction(picBild);
    separator->setSeparator(true);
    const QList<QAction*> menu = {mnuBildKopieren, mnuBildSpeichern, separator, mnuZoomPlus, mnuZoomMinus, mnuZoom100, mnuZoomFit};
    picBild->addActions(menu);
    picBildArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    picBildArea->addActions(menu);
    // Ctrl+C, Ctrl+S and the zoom keys wherever the focus is in this frame, but not in its text fields,
    // which copy their text.
    addActions(menu);
    mnuBildKopieren->setShortcut(QKeySequence::Copy);
    mnuBildSpeichern->setShortcut(QKeySequence::Save);
    for (QAction* action : menu)
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    lblBildZoom = makeNamed<QLabel>("lblBildZoom", QStringLiteral("Zoom: 100 %"), this);
    lblBildZoom->setAccessibleName(QStringLiteral("Zoom"));
    lblBildHinweis = makeNamed<QLabel>("lblBildHinweis", this);
    lblBildHinweis->setAutoFillBackground(true);
    lblBildHinweis->hide();
    m_noteTimer = new QTimer(this);
    m_noteTimer->setSingleShot(true);
    m_noteTimer->setInterval(4000);
    connect(m_noteTimer, &QTimer::timeout, this, &ImageFrame::hideNote);
    picBild->setAccessibleName(QStringLiteral("Bild"));
    setPictureActionsEnabled(false);

    for (QLineEdit* value : {txtBildModulo, txtBildSchwellwert})
        installNurZiffern(value);
    // The labels name the fields for screen readers.
    lblBildDatei->setBuddy(txtBildDatei);
    lblBildModulo->setBuddy(txtBildModulo);
    lblBildSchwellwert->setBuddy(txtBildSchwellwert);

    placeTwips(*lblBildDatei, {240, 0, 2760, 195}, Fit::Text);
    placeTwips(*lblBildZoom, {9120, 300, 1095, 195}, Fit::Text);
    placeTwips(*txtBildDatei, {240, 240, 6735, 315}, Fit::Height);
    placeTwips(*cmdBildDatei, {7080, 240, 375, 315}, Fit::Height);
    placeTwips(*cmdBildKonv, {7680, 210, 1335, 375}, Fit::Height);
    placeTwips(*lblBildModulo, {240, 690, 525, 195}, Fit::Text);
    placeTwips(*txtBildModulo, {840, 660, 615, 285}, Fit::Height);
    placeTwips(*cmdModulPlus, {1560, 660, 285, 285}, Fit::Height);
    placeTwips(*frameModulo, {1920, 690, 2415, 330}, Fit::Height);
    placeTwips(*lblBildSchwellwert, {4800, 690, 855, 195}, Fit::Text);
    placeTwips(*txtBildSchwellwert, {5760, 660, 615, 285}, Fit::Height);
    placeTwips(*cmdSchwellePlus, {6450, 660, 285, 285}, Fit::Height);
    placeTwips(*frameSchwelle, {6840, 690, 2415, 330}, Fit::Height);
    placeTwips(*lblBildInfo, {240, 1080, 270, 195}, Fit::Text);
    placeTwips(*lblBildInfoWert, {600, 1050, 8745, 300}, Fit::Text);
    for (QFrame* options : {frameModulo, frameSchwelle})
        options->resize(std::max(options->width(), options->childrenRect().right() + 1), options->height());
    keepApart({lblBildModulo, txtBildModulo, cmdModulPlus, frameModulo, lblBildSchwellwert, txtBildSchwellwert,
               cmdSchwellePlus, frameSchwelle});
    keepApart({lblBildInfo, lblBildInfoWert});
    keepApart({cmdBildKonv, lblBildZoom});
}

void ImageFrame::startUp()
{
    // The frame's own place comes from the main window's layout.
    txtBildModulo->setText(QStringLiteral("0"));
    txtBildSchwellwert->setText(QStringLiteral("0"));
    for (QFrame* options : {frameModulo, frameSchwelle})
        options->setFrameShape(QFrame::NoFrame);
}

void ImageFrame::placeInfoLine(const TwipsRect& twips)
{
    placeTwips(*lblBildInfoWert, twips);
    elideInfoLine();
}

void ImageFrame::showInfo(const QString& line)
{
    m_infoLine = line;
    lblBildInfoWert->setToolTip(line);
    lblBildInfoWert->setAccessibleDescription(line);
    elideInfoLine();
}

// A line longer than the label is cut in the middle, where the picture's size and depth stand, so that
// its start and the colour count stay readable; the tooltip holds the whole line.
void ImageFrame::elideInfoLine()
{
    const int room = lblBildInfoWert->contentsRect().width();
    lblBildInfoWert->setText(lblBildInfoWert->fontMetrics().elidedText(m_infoLine, Qt::ElideMiddle, room));
}

void ImageFrame::connectHandlers()
{
    connect(cmdBildDatei, &QPushButton::clicked, this, &ImageFrame::cmdBildDatei_Click);
    connect(cmdBildKonv, &QPushButton::clicked, this, &ImageFrame::cmdBildKonv_Click);
    connect(cmdModulPlus, &QPushButton::clicked, this, &ImageFrame::cmdModulPlus_Click);
    connect(cmdSchwellePlus, &QPushButton::clicked, this, &ImageFrame::cmdSchwellePlus_Click);
    connect(mnuBildKopieren, &QAction::triggered, this, &ImageFrame::mnuBildKopieren_Click);
    connect(txtBildDatei, &QLineEdit::returnPressed, this, [this] {
        if (!m_drawing)
            cmdBildKonv_Click();
    });
    // A dropped picture loads as "Bild anzeigen" would, once the drop itself has ended; not during a run.
    for (QWidget* target : {static_cast<QWidget*>(txtBildDatei), picBildArea->viewport()}) {
        acceptFileDrops(target, [this] { return !m_drawing; }, [this](const QString& file) {
            txtBildDatei->setText(file);
            QTimer::singleShot(0, this, [this] {
                if (!m_drawing)
                    cmdBildKonv_Click();
            });
        });
    }
    connect(mnuBildSpeichern, &QAction::triggered, this, &ImageFrame::mnuBildSpeichern_Click);
    // Keys zoom around the view's centre, the wheel around the pointer.
    connect(mnuZoomPlus, &QAction::triggered, this, [this] { zoomStep(1, viewCentre()); });
    connect(mnuZoomMinus, &QAction::triggered, this, [this] { zoomStep(-1, viewCentre()); });
    connect(mnuZoom100, &QAction::triggered, this, &ImageFrame::zoomReset);
    connect(mnuZoomFit, &QAction::triggered, this, &ImageFrame::zoomToFit);
    for (QWidget* wheel : {static_cast<QWidget*>(picBild), picBildArea->viewport()})
        wheel->installEventFilter(this);
}

QPoint ImageFrame::viewCentre() const
{
    return picBildArea->viewport()->rect().center();
}

void ImageFrame::zoomStep(int direction, QPoint anchor)
{
    m_fitted = false;
    zoomTo(nextZoomStep(picBild->scale() * 100, direction) / 100.0, anchor);
}

void ImageFrame::zoomReset()
{
    m_fitted = false;
    zoomTo(1.0, viewCentre());
}

void ImageFrame::zoomToFit()
{
    m_fitted = true;
    zoomTo(fitScale(), viewCentre());
}

// The whole picture in the view without scroll bars; a small picture is enlarged at most to the top step.
double ImageFrame::fitScale() const
{
    const bitmap::PictureSurface& surface = picBild->surface();
    if (surface.width() == 0 || surface.height() == 0)
        return picBild->scale();
    const QSize room = picBildArea->maximumViewportSize();
    return std::min({double(room.width()) / surface.width(), double(room.height()) / surface.height(),
                     zoomSteps.back() / 100.0});
}

// The picture point under the anchor stays under it.
void ImageFrame::zoomTo(double scale, QPoint anchor)
{
    const double old = picBild->scale();
    QScrollBar* bars[] = {picBildArea->horizontalScrollBar(), picBildArea->verticalScrollBar()};
    const double pointX = (bars[0]->value() + anchor.x()) / old;
    const double pointY = (bars[1]->value() + anchor.y()) / old;
    picBild->setScale(scale);
    bars[0]->setValue(int(std::lround(pointX * scale)) - anchor.x());
    bars[1]->setValue(int(std::lround(pointY * scale)) - anchor.y());
    const QString shown = QStringLiteral("Zoom: %1 %").arg(std::lround(scale * 100));
    lblBildZoom->setText(shown);
    lblBildZoom->setAccessibleDescription(shown);
    lblBildZoom->adjustSize();
}

void ImageFrame::setPictureActionsEnabled(bool enabled)
{
    for (QAction* action : {mnuBildKopieren, mnuBildSpeichern})
        action->setEnabled(enabled && picBild->surface().width() > 0 && picBild->surface().height() > 0);
}

// The clipboard takes a whole image; 8191 x 8191 still fits, the largest pictures (1 GiB) are refused.
constexpr std::int64_t clipboardPixels = std::int64_t(1) << 26;

void ImageFrame::mnuBildKopieren_Click()
{
    const bitmap::PictureSurface& surface = picBild->surface();
    QImage picture;
    if (std::int64_t(surface.width()) * surface.height() <= clipboardPixels) {
        const WaitCursor busy;
        picture = picBild->drawnPicture();
    }
    if (picture.isNull()) {
        m_dialogs.showMessage(this, {common::Icon::Exclamation,
                                     u"Das Bild ist zu groß für die Zwischenablage (höchstens 64 Megapixel) oder der "
                                     u"Speicher reicht nicht. Mit ''Bild speichern unter …'' lässt es sich als PNG-Datei "
                                     u"sichern."});
        return;
    }
    QGuiApplication::clipboard()->setImage(picture);
    showNote(QStringLiteral("Bild in die Zwischenablage kopiert."));
}

void ImageFrame::showNote(const QString& note)
{
    lblBildHinweis->setGeometry(lblBildInfoWert->geometry());
    lblBildHinweis->setText(note);
    lblBildHinweis->show();
    lblBildHinweis->raise();
    lblBildInfoWert->setAccessibleDescription(note);
    QAccessibleEvent changed(lblBildInfoWert, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    m_noteTimer->start();
}

void ImageFrame::hideNote()
{
    lblBildHinweis->hide();
    lblBildInfoWert->setAccessibleDescription(m_infoLine);
}

void ImageFrame::mnuBildSpeichern_Click()
{
    try {
        const bitmap::PictureSurface& surface = picBild->surface();
        if (surface.width() == 0 || surface.height() == 0)
            return;
        const QFileInfo source(txtBildDatei->text().trimmed());
        const QString folder = source.dir().exists() && !txtBildDatei->text().trimmed().isEmpty()
                                   ? source.absolutePath()
                                   : QApplication::applicationDirPath();
        // The dialog proposes the picture's own name as a PNG file.
        const QString proposed = source.completeBaseName().isEmpty()
                                     ? folder
                                     : folder + u'/' + source.completeBaseName() + QStringLiteral(".png");
        QString name = m_dialogs.chooseSaveFile(this, QStringLiteral("Bild speichern unter"), proposed,
                                                {QStringLiteral("PNG-Bilder (*.png)")});
        if (name.isEmpty())
            return;
        DialogReporter boxes(m_dialogs, this);
        const common::SaveTarget target =
            common::checkSaveTarget(toText(QDir::toNativeSeparators(name)), common::pictureFile, boxes);
        if (target.decision != common::SaveDecision::Write)
            return;
        const Text& shown = target.name;
        try {
            // Row by row from the drawn rows: no whole image in memory, however large the picture.
            const WaitCursor busy;
            bitmap::savePng(surface, target.path, bitmap::tableOrder(m_glob.picture));
            showNote(QStringLiteral("Bild gespeichert: ") + toQString(shown));
        } catch (const std::exception& failure) {
            m_dialogs.showMessage(this, {common::Icon::Critical, u"Das Bild konnte nicht als ''" + shown +
                                                                     u"'' gespeichert werden: " + common::describe(failure)});
        }
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, handlerFailure(u"mnuBildSpeichern_Click", failure));
    }
}

void ImageFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    // The picture area takes the rest of the frame; larger pictures scroll inside it.
    const QRect design = toPixels(picBildTwips);
    const int margin = marginTwips / twipsPerPixel;
    const int minimum = 1200 / twipsPerPixel;
    picBildArea->setGeometry(design.left(), design.top(), std::max(minimum, width() - 2 * design.left()),
                             std::max(minimum, height() - design.top() - margin));
    if (m_fitted)
        zoomToFit();
}

bool ImageFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+wheel zooms around the pointer instead of scrolling.
    if (event->type() == QEvent::Wheel && (watched == picBild || watched == picBildArea->viewport())) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (wheel->angleDelta().y() != 0) {
                const QPoint pointer = picBildArea->viewport()->mapFrom(static_cast<QWidget*>(watched),
                                                                        wheel->position().toPoint());
                zoomStep(wheel->angleDelta().y() > 0 ? 1 : -1, pointer);
            }
            return true;
        }
    }
    // The picture area's focus frame: two pixels in the highlight colour, which stands out also beside the
    // yellow of a focused field.
    // The menu key and Shift+F10 open the picture's context menu where the focus is.
    if (watched == picBildArea && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            QMenu::exec(picBildArea->actions(), picBildArea->mapToGlobal(picBildArea->rect().center()), nullptr,
                        picBildArea);
            return true;
        }
    }
    if (watched == picBildArea && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const bool focused = event->type() == QEvent::FocusIn;
        QPalette palette = picBildArea->palette();
        palette.setColor(QPalette::WindowText, focused ? palette.color(QPalette::Highlight) : this->palette().color(QPalette::WindowText));
        picBildArea->setPalette(palette);
        picBildArea->setFrameStyle(focused ? QFrame::Box | QFrame::Plain : QFrame::StyledPanel | QFrame::Sunken);
        picBildArea->setLineWidth(focused ? 2 : 1);
    }
    return QFrame::eventFilter(watched, event);
}

QWidget* ImageFrame::firstField() const
{
    return txtBildDatei;
}

void ImageFrame::openFile(const QString& file)
{
    txtBildDatei->setText(QDir::toNativeSeparators(file));
    if (!m_drawing)
        cmdBildKonv_Click();
}

void ImageFrame::clearMessage() {}

void ImageFrame::closeWindows()
{
    if (m_drawing)
        m_stopRequested = true;
    if (m_farbTabelle)
        m_farbTabelle->close();
}

void ImageFrame::cmdBildDatei_Click()
{
    try {
        showInfo({});
        const QString chosen = m_dialogs.chooseOpenFile(this, QStringLiteral("Öffnen"),
                                                        QApplication::applicationDirPath(),
                                                        {QStringLiteral("Bilder mit Farbtabelle (*.bmp *.gif *.png)"),
                                                         QStringLiteral("*.bmp"), QStringLiteral("*.*")});
        // A cancelled dialog leaves the field as it was.
        if (!chosen.isEmpty())
            txtBildDatei->setText(QDir::toNativeSeparators(chosen));
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, handlerFailure(u"cmdBildDatei_Click", failure));
    }
}

void ImageFrame::cmdBildKonv_Click()
{
    ZeichneBitmap(bitmap::DrawMode::FullLoad);
}

void ImageFrame::cmdModulPlus_Click()
{
    stepValue(txtBildModulo, u"cmdModulPlus_Click", bitmap::nextModulo);
}

void ImageFrame::cmdSchwellePlus_Click()
{
    stepValue(txtBildSchwellwert, u"cmdSchwellePlus_Click", bitmap::nextThreshold);
}

void ImageFrame::stepValue(QLineEdit* field, const char16_t* handler, std::int32_t (*next)(std::u16string_view))
{
    std::int32_t value = 0;
    try {
        value = next(toText(field->text()));
    } catch (const std::exception& failure) {
        // A pasted "9E9" does not fit 32 bits: say so instead of drawing.
        m_dialogs.showMessage(this, handlerFailure(handler, failure));
        return;
    }
    field->setText(QString::number(value));
    ZeichneBitmap(bitmap::DrawMode::FullLoad);
}

void ImageFrame::ZeichneBitmap(bitmap::DrawMode mode)
{
    // The buttons are disabled during a run; this also refuses a start from anywhere else.
    if (m_drawing)
        return;
    m_drawing = true;
    m_stopRequested = false;
    setRunButtonsEnabled(false);
    bitmap::BitmapResult result;
    {
        FrameSink sink(*this);
        result = bitmap::ZeichneBitmap(mode, m_glob.picture, sink);
    }
    picBild->repaintDrawnRows(true);
    m_drawing = false;
    setRunButtonsEnabled(true);
    if (result.focus == bitmap::BitmapField::FileName)
        txtBildDatei->setFocus();
    if (result.showColourTable)
        showColourTable();
}

void ImageFrame::setRunButtonsEnabled(bool enabled)
{
    for (QPushButton* start : {cmdBildKonv, cmdModulPlus, cmdSchwellePlus})
        start->setEnabled(enabled);
    setPictureActionsEnabled(enabled);
    if (m_farbTabelle)
        m_farbTabelle->setRedrawEnabled(enabled);
}

void ImageFrame::showColourTable()
{
    if (!m_farbTabelle) {
        m_farbTabelle = new frmFarbTabelle(m_glob, m_dialogs, [this] { ZeichneBitmap(bitmap::DrawMode::Redraw); }, this);
    }
    m_farbTabelle->show();
    m_farbTabelle->FillColorGrid();
}

} // namespace quirlwerk::ui
