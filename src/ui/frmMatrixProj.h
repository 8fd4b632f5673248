// The matrix definition window of mode 8: the counts, the character sequence and the reading order,
// and the matrix they build.
#pragma once

#include "conversions/matrix_definition.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace quirlwerk::ui {

class Dialogs;

class frmMatrixProj : public QWidget {
    Q_OBJECT
public:
    // Without a stored position the window opens beside `owner`, when given.
    explicit frmMatrixProj(Dialogs& dialogs, const QWidget* owner = nullptr);

    // The definition as the controls show it; the matrix conversions read it.
    const conversions::MatrixDefinition& definition() const { return m_definition; }

    void FillMatrixGrid();

signals:
    // Closed by the user or with the main window; the window is discarded afterwards.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void Form_Unload();
    void showGrid();
    void textChanged(QLineEdit* box);

    Dialogs& m_dialogs;
    const QWidget* m_owner;
    conversions::MatrixDefinition m_definition;
    bool m_filling = false;

    QLabel* lblHeader = nullptr;
    QLabel* lblZeichenfolge = nullptr;
    QLineEdit* txtZeichenfolge = nullptr;
    QLabel* lblZeilen = nullptr;
    QLineEdit* txtZeilen = nullptr;
    QLabel* lblSpalten = nullptr;
    QLineEdit* txtSpalten = nullptr;
    QLabel* lblFolge = nullptr;
    std::array<QRadioButton*, 2> optFolge{};
    QLabel* lblMatrix = nullptr;
    QTableWidget* grdData = nullptr;
};

} // namespace quirlwerk::ui
