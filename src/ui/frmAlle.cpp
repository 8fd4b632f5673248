// "Alle Umwandlungen": the list of readings, the chosen reading's whole output, an own dialect table.
#include "ui/frmAlle.h"

#include "conversions/modes.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"
#include "ui/twips.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace quirlwerk::ui {
namespace {

// "ASCII <-> Text: ASCII --> Text umwandeln"; a dialect by its name.
QString readingTitle(const readings::Reading& reading)
{
    if (!reading.dialect.empty())
        return QStringLiteral("Brainfuck-Dialekt ") + toQString(reading.dialect);
    const conversions::ModeRow& row = conversions::modeRow(reading.mode);
    QString menu = toQString(row.menuCaption).remove(u'&');
    const TextView button = reading.direction == readings::Direction::Crypt ? row.cryptCaption : row.decryptCaption;
    return menu + QStringLiteral(": ") + toQString(button);
}

// The list and the output field take this much of a reading: laying out megabytes would hold up the window.
constexpr std::size_t listedCharacters = 200;
constexpr std::size_t shownCharacters = 20'000;

QString firstLine(const readings::Reading& reading)
{
    const TextView gist = reading.gist;
    const QString line = toQString(gist.substr(0, std::min(gist.find_first_of(u"\r\n"), listedCharacters)));
    return reading.partial ? QStringLiteral("(abgebrochen) ") + line : line;
}

QString coordinatesOf(const readings::Reading& reading)
{
    QStringList found;
    for (const coordinates::Find& find : reading.coordinates)
        found << toQString(coordinates::standardForm(find.position));
    return found.join(QStringLiteral("; "));
}

Text shownText(const Text& text)
{
    if (text.size() <= shownCharacters)
        return text;
    return text.substr(0, shownCharacters) + Text(crlf) + u"… (gekürzt; „Übernehmen“ zeigt die ganze Ausgabe)";
}

} // namespace

frmAlle::frmAlle(TextField& input, Matrix matrix, Apply apply, QWidget* parent)
    : QWidget(parent), m_input(input), m_matrix(std::move(matrix)), m_apply(std::move(apply))
{
    setObjectName(QStringLiteral("frmAlle"));
    setWindowTitle(QStringLiteral("Quirlwerk - Alle Umwandlungen"));

    lblLesarten = makeNamed<QLabel>("lblLesarten", QStringLiteral("&Lesarten, die wahrscheinlichste zuerst:"), this);
    lstLesarten = makeNamed<QTreeWidget>("lstLesarten", this);
    lstLesarten->setHeaderLabels({QStringLiteral("Umwandlung"), QStringLiteral("Bewertung"),
                                  QStringLiteral("Erste Zeile"), QStringLiteral("Koordinaten")});
    lstLesarten->setRootIsDecorated(false);
    lstLesarten->setAccessibleName(QStringLiteral("Lesarten"));
    lblLesarten->setBuddy(lstLesarten);
    lblAusgabe = makeNamed<QLabel>("lblAusgabe", QStringLiteral("&Ausgabe der gewählten Lesart:"), this);
    txtAusgabe = makeNamed<TextField>("txtAusgabe", this);
    txtAusgabe->setReadOnly(true);
    txtAusgabe->setAccessibleName(QStringLiteral("Ausgabe der gewählten Lesart"));
    lblAusgabe->setBuddy(txtAusgabe);
    lblTabelle = makeNamed<QLabel>("lblTabelle",
                                   QStringLiteral("Eigene Brainfuck-&Tabelle, 8 Wörter für > < + - . , [ ]:"), this);
    txtTabelle = makeNamed<QLineEdit>("txtTabelle", this);
    txtTabelle->setAccessibleName(QStringLiteral("Eigene Brainfuck-Tabelle"));
    lblTabelle->setBuddy(txtTabelle);
    lblStatus = makeNamed<QLabel>("lblStatus", this);
    lblStatus->setWordWrap(true);
    cmdUebernehmen = makeNamed<QPushButton>("cmdUebernehmen", QStringLiteral("Ü&bernehmen"), this);
    cmdUebernehmen->setAccessibleName(QStringLiteral("Lesart im Hauptfenster übernehmen"));
    cmdSchliessen = makeNamed<QPushButton>("cmdSchliessen", QStringLiteral("Schl&ießen"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus, 1);
    buttons->addWidget(cmdUebernehmen);
    buttons->addWidget(cmdSchliessen);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* control : std::initializer_list<QWidget*>{lblLesarten, lstLesarten, lblAusgabe, txtAusgabe, lblTabelle,
                                                            txtTabelle})
        layout->addWidget(control);
    layout->addLayout(buttons);
    layout->setStretch(1, 3);
    layout->setStretch(3, 2);
    resize(lstLesarten->fontMetrics().averageCharWidth() * 110, lstLesarten->fontMetrics().height() * 36);

    connect(&m_input, &QPlainTextEdit::textChanged, this, &frmAlle::recompute);
    connect(txtTabelle, &QLineEdit::textChanged, this, &frmAlle::recompute);
    connect(lstLesarten, &QTreeWidget::currentItemChanged, this, &frmAlle::lstLesarten_CurrentChanged);
    connect(lstLesarten, &QTreeWidget::itemActivated, this, &frmAlle::cmdUebernehmen_Click);
    connect(cmdUebernehmen, &QPushButton::clicked, this, &frmAlle::cmdUebernehmen_Click);
    connect(cmdSchliessen, &QPushButton::clicked, this, &QWidget::close);

    m_run = std::make_unique<readings::LatestRun>([this](std::uint64_t number, std::vector<readings::Reading> found) {
        QMetaObject::invokeMethod(
            this, [this, number, found = std::move(found)]() mutable { showReadings(number, std::move(found)); },
            Qt::QueuedConnection);
    });
    recompute();
}

frmAlle::~frmAlle() = default;

void frmAlle::recompute()
{
    readings::Options options;
    options.matrix = m_matrix();
    const Text table = toText(txtTabelle->text());
    const std::optional<readings::Dialect> own = readings::userDialect(table, u"Eigene");
    if (own)
        options.dialects.push_back(*own);
    m_tableNote = own || txtTabelle->text().trimmed().isEmpty()
        ? QString()
        : QStringLiteral("Die eigene Tabelle braucht 8 verschiedene Wörter. ");
    m_latest = m_run->submit(m_input.text(), std::move(options));
    lblStatus->setText(m_tableNote + QStringLiteral("Wird berechnet …"));
}

void frmAlle::showReadings(std::uint64_t number, std::vector<readings::Reading> readings)
{
    if (number != m_latest)
        return;
    m_readings = std::move(readings);
    lstLesarten->clear();
    for (const readings::Reading& reading : m_readings) {
        auto* item = new QTreeWidgetItem(lstLesarten, {readingTitle(reading), QString::number(reading.score, 'f', 1),
                                                       firstLine(reading), coordinatesOf(reading)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (lstLesarten->topLevelItemCount() > 0)
        lstLesarten->setCurrentItem(lstLesarten->topLevelItem(0));
    else
        txtAusgabe->setText({});
    lstLesarten->resizeColumnToContents(0);
    lblStatus->setText(m_tableNote + QString::number(m_readings.size()) + QStringLiteral(" Lesarten"));
    emit readingsShown();
}

void frmAlle::lstLesarten_CurrentChanged()
{
    const int row = lstLesarten->indexOfTopLevelItem(lstLesarten->currentItem());
    if (row >= 0 && static_cast<std::size_t>(row) < m_readings.size())
        txtAusgabe->setText(shownText(m_readings[static_cast<std::size_t>(row)].text));
}

void frmAlle::cmdUebernehmen_Click()
{
    const int row = lstLesarten->indexOfTopLevelItem(lstLesarten->currentItem());
    if (row >= 0 && static_cast<std::size_t>(row) < m_readings.size())
        m_apply(m_readings[static_cast<std::size_t>(row)]);
}

} // namespace quirlwerk::ui
