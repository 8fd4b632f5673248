// The colour table window: the 256 entries of FarbTabelle in a grid, red, green and blue edited in place.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace quirlwerk::ui {

class Dialogs;
struct GlobData;

class frmFarbTabelle : public QWidget {
    Q_OBJECT
public:
    // `redraw` draws the picture again with the table as edited (the image frame's redraw).
    frmFarbTabelle(GlobData& glob, Dialogs& dialogs, std::function<void()> redraw, QWidget* parent = nullptr);

    // Refills the grid from FarbTabelle; called by every full load.
    void FillColorGrid();
    // Places the edit box over the current cell, keeping the cell in the columns "Rot" to "Blau" and
    // in the visible rows; a failure is shown, not returned.
    void mSetChange();
    // Moves the current cell for the arrow keys; other keys do nothing.
    void mAnalyseKey(int key, Qt::KeyboardModifiers shift);

    void cmdRedraw_Click();
    // Gives the twins of the last full load colours of their own and redraws.
    void cmdZwillinge_Click();
    // Draws the twins used less than the most-used entry of their group white, everything else black.
    void cmdNurZwillinge_Click();
    // The buttons that start a run, off while one is under way.
    void setRedrawEnabled(bool enabled);

    // The edit box, once placed.
    QLineEdit* txtChange() const { return m_txtChange; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ChangeDelegate;

    void Form_Load();
    void gridFarben_CellEvent();
    void txtChange_Change(const QString& text);
    bool txtChange_KeyDown(int key, Qt::KeyboardModifiers shift);
    void paintColourCell(int row);
    QTableWidgetItem* twinItem(int entry) const;
    void updateTwinsButton();
    void showEntries(const std::vector<int>& entries);
    void showFailure(const char* routine, const std::exception& failure);

    GlobData& m_glob;
    Dialogs& m_dialogs;
    std::function<void()> m_redraw;

    QPushButton* cmdRedraw = nullptr;
    QPushButton* cmdZwillinge = nullptr;
    QPushButton* cmdNurZwillinge = nullptr;
    QTableWidget* gridFarben = nullptr;
    QPointer<QLineEdit> m_txtChange;
    int m_editorRow = -1;
    int m_editorColumn = -1;

    // Set only for a scope (QScopedValueRollback), so that every path out clears them.
    bool m_busy = false;      // the window itself is changing the grid
    bool m_placing = false;   // mSetChange is running
    bool m_runsAllowed = true;
};

} // namespace quirlwerk::ui
