// The matrix definition window: every edit rebuilds the matrix at once; the window has no buttons.
#include "ui/frmMatrixProj.h"

#include "common/failure.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"
#include "ui/window_position.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quirlwerk::ui {
namespace {

constexpr int columnWidth = 300 / twipsPerPixel;

} // namespace

frmMatrixProj::frmMatrixProj(Dialogs& dialogs, const QWidget* owner) : m_dialogs(dialogs), m_owner(owner)
{
    setObjectName(QStringLiteral("frmMatrixProj"));
    setWindowTitle(QStringLiteral("Projektierung der Matrixverschlüsselung"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    resize(8910 / twipsPerPixel, 5655 / twipsPerPixel);
    Form_Load();
}

void frmMatrixProj::buildControls()
{
    lblHeader = makeNamed<QLabel>("lblHeader", QStringLiteral("Projektieren Sie hier welche Zeichen in wieviel Spalten und Zeilen angeordnet werden sollen."), this);
    lblZeichenfolge = makeNamed<QLabel>("lblZeichenfolge", QStringLiteral("Geben Sie hier die Folge der Buchstaben und Ziffern ein, die zeilenweise in die Matix "
                                           "eingetragen werden sollen:"), this);
    lblZeichenfolge->setWordWrap(true);
    txtZeichenfolge = makeNamed<QLineEdit>("txtZeichenfolge", toQString(m_definition.sequence), this);
    lblZeilen = makeNamed<QLabel>("lblZeilen", QStringLiteral("Anzahl Zeilen"), this);
    txtZeilen = makeNamed<QLineEdit>("txtZeilen", toQString(m_definition.rowsText), this);
    lblSpalten = makeNamed<QLabel>("lblSpalten", QStringLiteral("Anzahl Spalten"), this);
    txtSpalten = makeNamed<QLineEdit>("txtSpalten", toQString(m_definition.columnsText), this);
    lblFolge = makeNamed<QLabel>("lblFolge", QStringLiteral("Interpretation"), this);
    optFolge = {makeNamed<QRadioButton>("optFolge0", QStringLiteral("Zeile/Spalte"), this),
                makeNamed<QRadioButton>("optFolge1", QStringLiteral("Spalte/Zeile"), this)};
    optFolge[0]->setChecked(m_definition.order == conversions::ReadingOrder::RowColumn);
    optFolge[1]->setChecked(m_definition.order == conversions::ReadingOrder::ColumnRow);
    lblMatrix = makeNamed<QLabel>("lblMatrix", QStringLiteral("Entschlüsselungsmatrix"), this);
    grdData = makeNamed<QTableWidget>("grdData", this);
    grdData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Display only: the arrow keys read the cells, every Tab key leaves the grid.
    grdData->setTabKeyNavigation(false);
    grdData->installEventFilter(this);
    grdData->horizontalHeader()->setMinimumSectionSize(columnWidth);
    grdData->horizontalHeader()->setDefaultSectionSize(columnWidth);
    grdData->verticalHeader()->setDefaultSectionSize(grdData->fontMetrics().height() + 4);

    for (QLineEdit* count : {txtZeilen, txtSpalten}) {
        count->setMaxLength(2);
        count->setFixedWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    }
    lblZeichenfolge->setBuddy(txtZeichenfolge);
    lblZeilen->setBuddy(txtZeilen);
    lblSpalten->setBuddy(txtSpalten);
    lblMatrix->setBuddy(grdData);
    grdData->setAccessibleName(lblMatrix->text());   // a table does not take its buddy's name

    auto* countRow = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{lblZeilen, txtZeilen, lblSpalten, txtSpalten, lblFolge, optFolge[0], optFolge[1]})
        countRow->addWidget(widget);
    countRow->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addWidget(lblHeader);
    column->addWidget(lblZeichenfolge);
    column->addWidget(txtZeichenfolge);
    column->addLayout(countRow);
    column->addWidget(lblMatrix);
    column->addWidget(grdData, 1);

    for (QLineEdit* box : {txtZeichenfolge, txtZeilen, txtSpalten}) {
        connect(box, &QLineEdit::textChanged, this, [this, box] { textChanged(box); });
        box->installEventFilter(this);
    }
    connect(optFolge[1], &QRadioButton::toggled, this, [this](bool columnFirst) {
        m_definition.order = columnFirst ? conversions::ReadingOrder::ColumnRow : conversions::ReadingOrder::RowColumn;
    });
}

void frmMatrixProj::Form_Load()
{
    if (m_owner && !hasStoredPosition(QStringLiteral("MatrixProjLeft"), QStringLiteral("MatrixProjTop"))) {
        const QRect ownerTwips(positionTwips(*m_owner), outerSizeTwips(*m_owner));
        moveToTwips(*this, besideWindow(ownerTwips, outerSizeTwips(*this), screenSizeTwips(*this)));
    } else {
        // A stored edge that is not a number is passed over and stays at 0.
        const QPoint stored = readStoredPosition(QStringLiteral("MatrixProjLeft"), QStringLiteral("MatrixProjTop"), 0);
        moveToTwips(*this, clampToScreen(stored, outerSizeTwips(*this), screenSizeTwips(*this)));
    }
    grdData->verticalHeader()->setFixedWidth(columnWidth);
    grdData->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FillMatrixGrid();
}

void frmMatrixProj::Form_Unload()
{
    const QPoint position = positionTwips(*this);
    writeStoredTwips(QStringLiteral("MatrixProjLeft"), position.x());
    writeStoredTwips(QStringLiteral("MatrixProjTop"), position.y());
}

void frmMatrixProj::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
    emit closed();
}

void frmMatrixProj::textChanged(QLineEdit* box)
{
    Text& text = box == txtZeilen ? m_definition.rowsText
               : box == txtSpalten ? m_definition.columnsText
                                   : m_definition.sequence;
    text = toText(box->text());
    if (!text.empty())
        FillMatrixGrid();
}

bool frmMatrixProj::eventFilter(QObject* watched, QEvent* event)
{
    // A grid with the focus marks a cell, so that the focus can be seen.
    if (watched == grdData && event->type() == QEvent::FocusIn && !grdData->currentIndex().isValid() &&
        grdData->rowCount() > 0 && grdData->columnCount() > 0)
        grdData->setCurrentCell(0, 0);
    if (watched == grdData && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Ctrl+Tab and Ctrl+Shift+Tab leave like Tab and Shift+Tab, as they do everywhere else.
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (key->modifiers() & Qt::ControlModifier)) {
            focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        return false;
    }
    // Only a move to another control of this window counts as leaving a box: a message box or another
    // window taking the focus does not.
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            FillMatrixGrid();
    }
    return QWidget::eventFilter(watched, event);
}

void frmMatrixProj::FillMatrixGrid()
{
    // Moving the focus back to a count box makes the box just entered lose it: one rebuild, one message.
    if (m_filling)
        return;
    m_filling = true;
    try {
        if (const auto refused = m_definition.FillMatrixGrid()) {
            (*refused == conversions::MatrixDefinition::Refused::Rows ? txtZeilen : txtSpalten)->setFocus();
            m_dialogs.showMessage(this, {common::Icon::Exclamation, conversions::refusedMessage(*refused),
                                         Text(conversions::matrixErrorTitle)});
        } else {
            showGrid();
        }
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, {common::Icon::None, u"Fehler aufgetreten: " + common::describe(failure)});
    }
    m_filling = false;
}

void frmMatrixProj::showGrid()
{
    // Header row and header column of the definition become the grid's own headers.
    const int rows = m_definition.builtRows() - 1;
    const int columns = m_definition.builtColumns() - 1;
    grdData->setRowCount(rows);
    grdData->setColumnCount(columns);
    QStringList rowNumbers;
    for (int row = 1; row <= rows; ++row)
        rowNumbers << toQString(m_definition.cell(row, 0));
    QStringList columnNumbers;
    for (int column = 1; column <= columns; ++column) {
        columnNumbers << toQString(m_definition.cell(0, column));
        grdData->setColumnWidth(column - 1, columnWidth);
    }
    grdData->setVerticalHeaderLabels(rowNumbers);
    grdData->setHorizontalHeaderLabels(columnNumbers);
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            QTableWidgetItem* item = grdData->item(row - 1, column - 1);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                grdData->setItem(row - 1, column - 1, item);
            }
            item->setText(toQString(m_definition.cell(row, column)));
        }
    }
}

} // namespace quirlwerk::ui
