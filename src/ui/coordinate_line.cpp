// The coordinate line: a caption, one menu button per find (the first few), and how many more there are.
#include "ui/coordinate_line.h"

#include "coordinates/formats.h"
#include "ui/qt_text.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QUrl>

namespace quirlwerk::ui {
namespace {

// More buttons would not fit a line; the count of the rest says that there are more.
constexpr int maxButtons = 8;

class DesktopLinkOpener : public LinkOpener {
public:
    void open(const QUrl& url) override { QDesktopServices::openUrl(url); }
};

} // namespace

LinkOpener& desktopLinkOpener()
{
    static DesktopLinkOpener opener;   // holds nothing
    return opener;
}

CoordinateLine::CoordinateLine(QWidget* parent) : QFrame(parent), m_opener(&desktopLinkOpener())
{
    setObjectName(QStringLiteral("lineKoordinaten"));
    setAccessibleName(QStringLiteral("Gefundene Koordinaten"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    lblKoordinaten = new QLabel(QStringLiteral("Koordinaten:"), this);
    lblKoordinaten->setObjectName(QStringLiteral("lblKoordinaten"));
    lblWeitere = new QLabel(this);
    lblWeitere->setObjectName(QStringLiteral("lblWeitere"));
    row->addWidget(lblKoordinaten);
    row->addWidget(lblWeitere);
    row->addStretch();
    hide();
}

void CoordinateLine::showFinds(TextView text)
{
    m_finds = coordinates::findCoordinates(text);
    for (QToolButton* button : m_buttons)
        delete button;   // its menu and actions go with it
    m_buttons.clear();
    auto* row = static_cast<QHBoxLayout*>(layout());
    for (std::size_t i = 0; i < m_finds.size() && i < maxButtons; ++i) {
        m_buttons.push_back(makeButton(static_cast<int>(i) + 1, m_finds[i].position));
        row->insertWidget(static_cast<int>(i) + 1, m_buttons.back());
    }
    const std::size_t more = m_finds.size() - m_buttons.size();
    lblWeitere->setText(more ? QStringLiteral("und %1 weitere").arg(more) : QString());
    lblWeitere->setVisible(more > 0);
    setVisible(!m_finds.empty());
}

QToolButton* CoordinateLine::makeButton(int number, coordinates::Coordinate position)
{
    const QString standard = toQString(coordinates::standardForm(position));
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("cmdKoordinate%1").arg(number));
    button->setText(standard);
    button->setAccessibleName(QStringLiteral("Koordinate %1: %2").arg(number).arg(standard));
    button->setToolTip(QStringLiteral("Kopieren oder in der Karte öffnen"));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("mnuKoordinate%1").arg(number));
    for (const coordinates::FormatRow& row : coordinates::formatTable) {
        const QString form = toQString(coordinates::formatted(position, row.format));
        menu->addAction(QStringLiteral("Kopieren: ") + toQString(row.menuText), button,
                        [form] { QGuiApplication::clipboard()->setText(form); });
    }
    menu->addSeparator();
    const QUrl link(QString::fromStdString(coordinates::mapLink(position)));
    menu->addAction(QStringLiteral("In OpenStreetMap öffnen"), button, [this, link] { m_opener->open(link); });
    button->setMenu(menu);
    return button;
}

} // namespace quirlwerk::ui
