// "Alle Umwandlungen": every reading of the main window's input in a list, best first, following the input.
#pragma once

#include "conversions/matrix_definition.h"
#include "readings/latest_run.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace quirlwerk::ui {

class TextField;

class frmAlle : public QWidget {
    Q_OBJECT
public:
    using Matrix = std::function<conversions::MatrixDefinition()>;
    using Apply = std::function<void(const readings::Reading& reading)>;

    // Follows `input` while open; `apply` continues a reading in the main window, which deletes this one
    // before its input field.
    frmAlle(TextField& input, Matrix matrix, Apply apply, QWidget* parent = nullptr);
    ~frmAlle() override;

    // Starts a run for the input as it is now; the list changes when it ends.
    void recompute();
    const std::vector<readings::Reading>& shown() const { return m_readings; }

signals:
    // The list shows the readings of the latest input.
    void readingsShown();

private:
    void showReadings(std::uint64_t number, std::vector<readings::Reading> readings);
    void lstLesarten_CurrentChanged();
    void cmdUebernehmen_Click();

    TextField& m_input;
    Matrix m_matrix;
    Apply m_apply;
    std::vector<readings::Reading> m_readings;
    std::uint64_t m_latest = 0;
    QString m_tableNote;   // what is wrong with the own table, shown before the count

    QLabel* lblLesarten = nullptr;
    QTreeWidget* lstLesarten = nullptr;
    QLabel* lblAusgabe = nullptr;
    TextField* txtAusgabe = nullptr;
    QLabel* lblTabelle = nullptr;
    QLineEdit* txtTabelle = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdUebernehmen = nullptr;
    QPushButton* cmdSchliessen = nullptr;
    std::unique_ptr<readings::LatestRun> m_run;   // last: its thread ends before the controls go
};

} // namespace quirlwerk::ui
