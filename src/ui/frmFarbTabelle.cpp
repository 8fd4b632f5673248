// The colour table window. The edit box is a persistent editor that follows the current cell; edits go
// straight into FarbTabelle, and the picture changes only when cmdRedraw draws it again.
#include "ui/frmFarbTabelle.h"

#include "bitmap/palette.h"
#include "bitmap/twins.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "ui/GlobData.h"
#include "ui/dialogs.h"
#include "ui/focus_colours.h"
#include "ui/nur_ziffern.h"
#include "ui/qt_text.h"
#include "ui/window_position.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <numeric>
#include <utility>

namespace quirlwerk::ui {
namespace {

constexpr int columnCount = 7;
constexpr int firstEditedColumn = 1;
constexpr int lastEditedColumn = 3;
constexpr int colourColumn = 4;
constexpr int twinColumn = 6;
constexpr int marginPixels = 120 / twipsPerPixel;
constexpr int minimumPixels = 1200 / twipsPerPixel;

struct Column {
    const char16_t* header;
    int widthTwips;
};

constexpr Column columns[columnCount] = {
    {u"Index", 600}, {u"Rot", 600}, {u"Grün", 600}, {u"Blau", 600}, {u"Farbe", 900}, {u"Anzahl Pixel", 1020},
    {u"Zwilling von", 1020},
};

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

QTableWidgetItem* cellItem(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    return item;
}

} // namespace

// Creates the edit box txtChange over a red, green or blue cell. The window writes the cell itself on
// every change, so the delegate neither reads nor writes the model.
class frmFarbTabelle::ChangeDelegate : public QStyledItemDelegate {
public:
    explicit ChangeDelegate(frmFarbTabelle& window) : QStyledItemDelegate(&window), m_window(window) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* edit = makeNamed<QLineEdit>("txtChange", parent);
        edit->setMaxLength(3);
        edit->setFrame(false);
        installNurZiffern(edit);
        installFocusColours(edit);
        edit->installEventFilter(&m_window);
        connect(edit, &QLineEdit::textChanged, &m_window, &frmFarbTabelle::txtChange_Change);
        m_window.m_txtChange = edit;
        return edit;
    }
    void setEditorData(QWidget*, const QModelIndex&) const override {}
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

    // Before the delegate's own handling, which would walk the cells on Tab and hand the focus to the grid
    // on Escape while the box still looks active: the arrow keys walk the cells, Tab goes on to the buttons
    // (box, redraw, twins, twins only, box; Shift+Tab the other way round; from the box to the first enabled
    // one, with all disabled the focus stays in the box), and Escape does nothing, as in the other digit fields.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape)
                return true;
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                std::vector<QPushButton*> buttons = {m_window.cmdRedraw, m_window.cmdZwillinge, m_window.cmdNurZwillinge};
                if (key == Qt::Key_Backtab)
                    std::ranges::reverse(buttons);
                const auto next = std::ranges::find_if(buttons, &QPushButton::isEnabled);
                if (next != buttons.end())
                    (*next)->setFocus(key == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    frmFarbTabelle& m_window;
};

frmFarbTabelle::frmFarbTabelle(GlobData& glob, Dialogs& dialogs, std::function<void()> redraw, QWidget* parent)
    : QWidget(parent, Qt::Window), m_glob(glob), m_dialogs(dialogs), m_redraw(std::move(redraw))
{
    setObjectName(QStringLiteral("frmFarbTabelle"));
    setWindowTitle(QStringLiteral("Farbtabelle"));
    setMinimumSize(minimumPixels, minimumPixels);
    resize(4920 / twipsPerPixel, 7395 / twipsPerPixel);

    cmdRedraw = makeNamed<QPushButton>("cmdRedraw", QStringLiteral("Bild mit geänderter Farbtabelle anzeigen"), this);
    cmdZwillinge = makeNamed<QPushButton>("cmdZwillinge", QStringLiteral("Zwillinge einfärben"), this);
    cmdZwillinge->setAccessibleName(QStringLiteral("Zwillinge einfärben"));
    cmdNurZwillinge = makeNamed<QPushButton>("cmdNurZwillinge", QStringLiteral("Nur Zwillinge zeigen"), this);
    cmdNurZwillinge->setAccessibleDescription(
        QStringLiteral("Zeigt die Pixel der Zwillinge, die seltener benutzt werden als der häufigste Eintrag ihrer "
                       "Gruppe, weiß und alle anderen schwarz"));
    cmdZwillinge->setAccessibleDescription(
        QStringLiteral("Gibt jedem Eintrag, der die Farbe eines anderen benutzten Eintrags teilt, eine eigene Farbe "
                       "und zeichnet das Bild neu"));
    gridFarben = makeNamed<QTableWidget>("gridFarben", this);
    gridFarben->setAccessibleName(QStringLiteral("Farbtabelle"));
    gridFarben->setItemDelegate(new ChangeDelegate(*this));
    gridFarben->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridFarben->setSelectionMode(QAbstractItemView::NoSelection);
    // The edit box takes the keyboard for the grid: Tab from the redraw button goes straight to it.
    gridFarben->setFocusPolicy(Qt::NoFocus);
    gridFarben->verticalHeader()->hide();
    gridFarben->verticalHeader()->setDefaultSectionSize(gridFarben->fontMetrics().height() + 6);

    connect(cmdRedraw, &QPushButton::clicked, this, &frmFarbTabelle::cmdRedraw_Click);
    connect(cmdZwillinge, &QPushButton::clicked, this, &frmFarbTabelle::cmdZwillinge_Click);
    connect(cmdNurZwillinge, &QPushButton::clicked, this, &frmFarbTabelle::cmdNurZwillinge_Click);
    connect(gridFarben, &QTableWidget::currentCellChanged, this, &frmFarbTabelle::gridFarben_CellEvent);
    connect(gridFarben, &QTableWidget::itemSelectionChanged, this, &frmFarbTabelle::gridFarben_CellEvent);
    for (QScrollBar* bar : {gridFarben->verticalScrollBar(), gridFarben->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, &frmFarbTabelle::gridFarben_CellEvent);

    Form_Load();
    // Wide enough for every column when the font needs more than the design widths.
    const int gridWidth = gridFarben->horizontalHeader()->length() + gridFarben->verticalScrollBar()->sizeHint().width() +
                          2 * gridFarben->frameWidth();
    resize(std::max(width(), gridWidth + 2 * marginPixels), height());
    if (parentWidget() && !hasStoredPosition(QStringLiteral("FarbLeft"), QStringLiteral("FarbTop"))) {
        // Not over the picture: beside the main window.
        const QWidget& owner = *parentWidget()->window();
        const QRect ownerTwips(positionTwips(owner), outerSizeTwips(owner));
        moveToTwips(*this, besideWindow(ownerTwips, outerSizeTwips(*this), screenSizeTwips(*this)));
    }
}

void frmFarbTabelle::Form_Load()
{
    try {
        // A stored edge that is not a number is reported and the default used: a window left without its
        // columns would fail at its first fill.
        // Without a stored position the window opens beside the main window, once its size is known.
        if (!parentWidget() || hasStoredPosition(QStringLiteral("FarbLeft"), QStringLiteral("FarbTop"))) {
            const QPoint stored = readStoredPosition(QStringLiteral("FarbLeft"), QStringLiteral("FarbTop"),
                                                     defaultPositionTwips, [this](const Text& description) {
                                                         m_dialogs.showMessage(this, {common::Icon::Critical,
                                                                                      u"Farbtabelle_Load() - Error " + description});
                                                     });
            moveToTwips(*this, clampToScreen(stored, outerSizeTwips(*this), screenSizeTwips(*this)));
        }

        // Row 0 is the header row; the table's own header shows it, so that it stays in sight when scrolling.
        gridFarben->setColumnCount(columnCount);
        gridFarben->setRowCount(1);
        QStringList headers;
        for (int c = 0; c < columnCount; ++c) {
            const QString header = toQString(columns[c].header);
            headers << header;
            gridFarben->setItem(0, c, cellItem(header, false));
            const int textWidth = gridFarben->fontMetrics().horizontalAdvance(header) + 2 * marginPixels;
            gridFarben->setColumnWidth(c, std::max(columns[c].widthTwips / twipsPerPixel, textWidth));
        }
        gridFarben->setHorizontalHeaderLabels(headers);
        gridFarben->setRowHidden(0, true);
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, {common::Icon::Critical, u"Farbtabelle_Load() - Error " + common::describe(failure)});
    }
}

void frmFarbTabelle::FillColorGrid()
{
    {
        const QScopedValueRollback busy(m_busy, true);
        gridFarben->setUpdatesEnabled(false);
        try {
            if (m_editorRow >= 0)
                gridFarben->closePersistentEditor(gridFarben->item(m_editorRow, m_editorColumn));
            m_editorRow = m_editorColumn = -1;
            gridFarben->setRowCount(1);
            gridFarben->setRowCount(257);
            for (int i = 0; i < 256; ++i) {
                const bitmap::FarbEintrag& entry = m_glob.picture.FarbTabelle[static_cast<std::size_t>(i)];
                const int values[] = {i, entry.Rot, entry.Gruen, entry.Blau};
                for (int c = 0; c < 4; ++c)
                    gridFarben->setItem(i + 1, c, cellItem(QString::number(values[c]), true));
                gridFarben->setItem(i + 1, colourColumn, cellItem(QStringLiteral(" "), false));
                gridFarben->setItem(i + 1, 5, cellItem(QString::number(entry.Anzahl), true));
                gridFarben->setItem(i + 1, twinColumn, twinItem(i));
                paintColourCell(i + 1);
            }
        } catch (const std::exception& failure) {
            m_dialogs.showMessage(this, {common::Icon::Critical, u"FillColorGrid() - Error " + common::describe(failure)});
        }
        gridFarben->setUpdatesEnabled(true);
        if (gridFarben->rowCount() > 1)
            gridFarben->setCurrentCell(1, firstEditedColumn);
    }
    updateTwinsButton();
    mSetChange();
}

void frmFarbTabelle::mSetChange()
{
    if (m_placing)
        return;
    const QScopedValueRollback placing(m_placing, true);
    const QScopedValueRollback busy(m_busy, true);
    try {
        const int rows = gridFarben->rowCount();
        if (rows > 1) {
            int row = std::clamp(gridFarben->currentRow(), 1, rows - 1);
            const int column = std::clamp(gridFarben->currentColumn(), firstEditedColumn, lastEditedColumn);
            // A current row scrolled out of sight moves to the nearest row in sight.
            const int viewHeight = gridFarben->viewport()->height();
            const int firstVisible = gridFarben->rowAt(0);
            const int lastVisible = gridFarben->rowAt(viewHeight - 1);
            if (lastVisible > 0 && row > lastVisible)
                row = lastVisible;
            if (firstVisible > 0 && row < firstVisible)
                row = firstVisible;
            QTableWidgetItem* cell = gridFarben->item(row, column);
            if (row != m_editorRow || column != m_editorColumn) {
                // Hiding an editor that has the focus would pass the focus on like a Tab key, which moves
                // the current cell; the grid takes the focus first.
                if (m_editorRow >= 0) {
                    gridFarben->setFocus();
                    gridFarben->closePersistentEditor(gridFarben->item(m_editorRow, m_editorColumn));
                }
                gridFarben->openPersistentEditor(cell);
                m_editorRow = row;
                m_editorColumn = column;
            }
            gridFarben->setCurrentCell(row, column);
            gridFarben->scrollToItem(cell);   // a row cut at the edge comes fully into sight
            if (m_txtChange) {
                // Says which value is being edited: "Grün von Index 7".
                m_txtChange->setAccessibleName(toQString(columns[column].header) + QStringLiteral(" von Index ") +
                                               QString::number(row - 1));
                {
                    const QSignalBlocker quiet(m_txtChange.data());   // showing a value is no edit
                    m_txtChange->setText(cell->text());
                }
                m_txtChange->selectAll();
                if (m_txtChange->isVisible())
                    m_txtChange->setFocus();
            }
        }
    } catch (const std::exception& failure) {
        showFailure("mSetChange", failure);
    }
}

void frmFarbTabelle::mAnalyseKey(int key, Qt::KeyboardModifiers)
{
    if (!isArrow(key) || gridFarben->rowCount() < 2)
        return;
    try {
        const int lastRow = gridFarben->rowCount() - 1;
        int row = std::clamp(gridFarben->currentRow(), 1, lastRow);
        int column = std::clamp(gridFarben->currentColumn(), firstEditedColumn, lastEditedColumn);
        // No wrapping: the edges of the three columns and of the rows stop the walk.
        if (key == Qt::Key_Left && column > firstEditedColumn)
            --column;
        else if (key == Qt::Key_Right && column < lastEditedColumn)
            ++column;
        else if (key == Qt::Key_Up && row > 1)
            --row;
        else if (key == Qt::Key_Down && row < lastRow)
            ++row;
        else
            return;
        {
            const QScopedValueRollback busy(m_busy, true);
            gridFarben->setCurrentCell(row, column);
            gridFarben->scrollToItem(gridFarben->item(row, column));   // one row at a time at the edges
        }
        mSetChange();
    } catch (const std::exception& failure) {
        showFailure("mAnalyseKey", failure);
    }
}

bool frmFarbTabelle::txtChange_KeyDown(int key, Qt::KeyboardModifiers shift)
{
    try {
        mAnalyseKey(key, shift);
        if (!isArrow(key))
            return false;
        if (m_txtChange)
            m_txtChange->selectAll();
    } catch (const std::exception& failure) {
        showFailure("txtChange_KeyDown", failure);
    }
    return isArrow(key);
}

void frmFarbTabelle::txtChange_Change(const QString& text)
{
    if (m_busy || m_editorRow < 1)
        return;
    const QScopedValueRollback busy(m_busy, true);
    try {
        const std::int32_t typed = common::leadingWholeNumber(toText(text));
        const std::int32_t value = bitmap::editedComponent(typed);
        if (value != typed) {
            const QSignalBlocker quiet(m_txtChange.data());
            m_txtChange->setText(QString::number(value));
        }
        gridFarben->item(m_editorRow, m_editorColumn)->setText(QString::number(value));
        auto component = [this](int column) {
            return static_cast<std::int16_t>(common::wholeNumberValue(toText(gridFarben->item(m_editorRow, column)->text())));
        };
        bitmap::FarbEintrag& entry = m_glob.picture.FarbTabelle[static_cast<std::size_t>(m_editorRow - 1)];
        entry.Rot = component(1);
        entry.Gruen = component(2);
        entry.Blau = component(3);
        paintColourCell(m_editorRow);
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, {common::Icon::Critical,
                                     u"txtChange_Change() - Fehler aufgetreten: " + common::describe(failure)});
    }
}

void frmFarbTabelle::cmdRedraw_Click()
{
    if (m_redraw)
        m_redraw();
}

void frmFarbTabelle::setRedrawEnabled(bool enabled)
{
    m_runsAllowed = enabled;
    cmdRedraw->setEnabled(enabled);
    updateTwinsButton();
}

void frmFarbTabelle::updateTwinsButton()
{
    const bitmap::Twins& twins = m_glob.picture.twins;
    const bool any = std::any_of(twins.begin(), twins.end(), [](std::int16_t t) { return t >= 0; });
    cmdZwillinge->setEnabled(m_runsAllowed && any);
    cmdNurZwillinge->setEnabled(m_runsAllowed && any);
}

void frmFarbTabelle::cmdZwillinge_Click()
{
    showEntries(bitmap::recolourTwins(m_glob.picture));
    if (m_redraw)
        m_redraw();
}

void frmFarbTabelle::cmdNurZwillinge_Click()
{
    bitmap::showTwinsOnly(m_glob.picture);
    std::vector<int> all(m_glob.picture.FarbTabelle.size());
    std::iota(all.begin(), all.end(), 0);
    showEntries(all);
    if (m_redraw)
        m_redraw();
}

// Shows the entries' colours as the table now holds them, the edit box included.
void frmFarbTabelle::showEntries(const std::vector<int>& entries)
{
    const QScopedValueRollback busy(m_busy, true);
    for (const int entry : entries) {
        if (entry + 1 >= gridFarben->rowCount())
            continue;   // not filled yet
        const bitmap::FarbEintrag& colour = m_glob.picture.FarbTabelle[static_cast<std::size_t>(entry)];
        const int values[] = {colour.Rot, colour.Gruen, colour.Blau};
        for (int c = firstEditedColumn; c <= lastEditedColumn; ++c)
            gridFarben->item(entry + 1, c)->setText(QString::number(values[c - firstEditedColumn]));
        paintColourCell(entry + 1);
    }
    if (m_txtChange && m_editorRow >= 0)
        m_txtChange->setText(gridFarben->item(m_editorRow, m_editorColumn)->text());
}

// The lowest index of the entry's twin group; empty for an entry without a twin.
QTableWidgetItem* frmFarbTabelle::twinItem(int entry) const
{
    const std::int16_t lowest = m_glob.picture.twins[static_cast<std::size_t>(entry)];
    auto* item = cellItem(lowest >= 0 ? QString::number(lowest) : QString(), true);
    item->setData(Qt::AccessibleTextRole, lowest >= 0 ? QStringLiteral("Zwilling von %1").arg(lowest)
                                                      : QStringLiteral("kein Zwilling"));
    return item;
}

void frmFarbTabelle::gridFarben_CellEvent()
{
    if (!m_busy)
        mSetChange();
}

bool frmFarbTabelle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtChange && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return txtChange_KeyDown(key->key(), key->modifiers());
    }
    return QWidget::eventFilter(watched, event);
}

void frmFarbTabelle::paintColourCell(int row)
{
    const bitmap::FarbEintrag& entry = m_glob.picture.FarbTabelle[static_cast<std::size_t>(row - 1)];
    gridFarben->item(row, colourColumn)->setBackground(QColor::fromRgb(bitmap::cellColour(entry)));
}

void frmFarbTabelle::showFailure(const char* routine, const std::exception& failure)
{
    m_dialogs.showMessage(this, {common::Icon::Critical,
                                 fromAscii(routine) + u"() - Error " + decimal(common::errorNumber(failure)) + u" - " +
                                     common::describe(failure),
                                 u"Datenbank-Editor"});
}

void frmFarbTabelle::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int buttonHeight = cmdRedraw->sizeHint().height();
    const int buttonWidth = std::max(minimumPixels, width() - 2 * marginPixels);
    cmdRedraw->setGeometry(marginPixels, marginPixels, buttonWidth, buttonHeight);
    cmdZwillinge->setGeometry(marginPixels, 2 * marginPixels + buttonHeight, buttonWidth, buttonHeight);
    cmdNurZwillinge->setGeometry(marginPixels, 3 * marginPixels + 2 * buttonHeight, buttonWidth, buttonHeight);
    const int gridTop = 4 * marginPixels + 3 * buttonHeight;
    gridFarben->setGeometry(marginPixels, gridTop, std::max(minimumPixels, width() - 2 * marginPixels),
                            std::max(0, height() - gridTop - marginPixels));
}

void frmFarbTabelle::closeEvent(QCloseEvent* event)
{
    try {
        const QPoint position = positionTwips(*this);
        writeStoredTwips(QStringLiteral("FarbLeft"), position.x());
        writeStoredTwips(QStringLiteral("FarbTop"), position.y());
    } catch (const std::exception& failure) {
        m_dialogs.showMessage(this, {common::Icon::Exclamation, u"Fehler: " + common::describe(failure)});
    }
    event->accept();
}

} // namespace quirlwerk::ui
