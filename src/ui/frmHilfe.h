// The help window: one page, heading and text, for the topic in HilfeThema.
#pragma once

#include <QWidget>

class QLabel;

namespace quirlwerk::ui {

struct GlobData;
class TextField;

class frmHilfe : public QWidget {
    Q_OBJECT
public:
    // Has no owner window: it stays open when the main window closes.
    explicit frmHilfe(const GlobData& glob);

    void SetHilfeText();

signals:
    // Closed by the user; the window is discarded afterwards.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Resize();

    const GlobData& m_glob;
    QLabel* lblHeader = nullptr;
    TextField* txtHilfe = nullptr;
};

} // namespace quirlwerk::ui
