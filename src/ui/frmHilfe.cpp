// The help window: fixed heading and text box, the text box following the window's size.
#include "ui/frmHilfe.h"

#include "ui/GlobData.h"
#include "ui/help_pages.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"
#include "ui/window_position.h"

#include <QCloseEvent>
#include <QLabel>
#include <QShortcut>

#include <algorithm>

namespace quirlwerk::ui {
namespace {

constexpr int margin = 60 / twipsPerPixel;
constexpr int textTop = 420 / twipsPerPixel;
constexpr int bottomMargin = 90 / twipsPerPixel;
constexpr int smallest = 1200 / twipsPerPixel;

} // namespace

frmHilfe::frmHilfe(const GlobData& glob) : m_glob(glob)
{
    setObjectName(QStringLiteral("frmHilfe"));
    setWindowTitle(QStringLiteral("Quirlwerk - Hilfe"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    lblHeader = makeNamed<QLabel>("lblHeader", QStringLiteral("Hilfe zu Quirlwerk"), this);
    QFont bold = lblHeader->font();
    bold.setBold(true);
    lblHeader->setFont(bold);
    lblHeader->setGeometry(margin, 120 / twipsPerPixel, 9060 / twipsPerPixel, 195 / twipsPerPixel);

    txtHilfe = makeNamed<TextField>("txtHilfe", this);
    // Read only: an edit would be lost at the next help command anyway.
    txtHilfe->setReadOnly(true);
    txtHilfe->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtHilfe->setGeometry(margin, textTop, 9135 / twipsPerPixel, 6135 / twipsPerPixel);
    lblHeader->setBuddy(txtHilfe);

    resize(9240 / twipsPerPixel, 6600 / twipsPerPixel);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void frmHilfe::SetHilfeText()
{
    const std::optional<HelpPage> page = helpPage(m_glob.HilfeThema);
    if (!page) {
        txtHilfe->clear();
        return;
    }
    lblHeader->setText(toQString(page->title));
    txtHilfe->setText(page->text());
}

void frmHilfe::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

void frmHilfe::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmHilfe::Form_Resize()
{
    const int width = std::max(this->width() - 2 * txtHilfe->x(), smallest);
    lblHeader->resize(width, lblHeader->height());
    const int height = std::max(this->height() - txtHilfe->y() - bottomMargin, smallest);
    txtHilfe->resize(width, height);
}

} // namespace quirlwerk::ui
