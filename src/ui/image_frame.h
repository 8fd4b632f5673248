// The image frame of the main window (mode 11): file choice, settings, the information line and the picture.
#pragma once

#include "bitmap/zeichne_bitmap.h"
#include "ui/frmFarbTabelle.h"

#include <QFrame>
#include <QPoint>
#include <QPointer>

#include <array>
#include <cstdint>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;

namespace quirlwerk::ui {

class Dialogs;
class PictureBox;
struct GlobData;
struct TwipsRect;

class ImageFrame : public QFrame {
    Q_OBJECT
public:
    ImageFrame(GlobData& glob, Dialogs& dialogs, QWidget* parent);

    // A mode command empties the hex-file frame's message label; this frame has none of its own.
    void clearMessage();
    // The main window's start-up steps for this frame.
    void startUp();
    // The information line's place from the main window's resize rules.
    void placeInfoLine(const TwipsRect& twips);
    // The main window closes: end a drawing run (its file closes) and close the colour table window.
    void closeWindows();
    // The field the frame starts with: a mode change puts the focus there.
    QWidget* firstField() const;
    // Shows the file as "Bild anzeigen" would.
    void openFile(const QString& file);

    void cmdBildDatei_Click();
    void cmdBildKonv_Click();
    void cmdModulPlus_Click();
    void cmdSchwellePlus_Click();
    // The picture's context menu: the picture as drawn, to the clipboard or into a PNG file.
    void mnuBildKopieren_Click();
    void mnuBildSpeichern_Click();
    // Zoom: one step up or down, kept around the anchor (viewport pixels); 100 %; the whole picture in view.
    void zoomStep(int direction, QPoint anchor);
    void zoomReset();
    void zoomToFit();

    // keep = 0: full load from the file; otherwise redraw with the colour table as edited.
    void ZeichneBitmap(bitmap::DrawMode mode);

    bool drawing() const { return m_drawing; }
    frmFarbTabelle* colourTableWindow() const { return m_farbTabelle; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class FrameSink;

    void buildControls();
    void connectHandlers();
    void setRunButtonsEnabled(bool enabled);
    void setPictureActionsEnabled(bool enabled);
    void showInfo(const QString& line);
    void elideInfoLine();
    void stepValue(QLineEdit* field, const char16_t* handler, std::int32_t (*next)(std::u16string_view));
    void showColourTable();
    // A short confirmation: visible over the information line for a few seconds, and told to screen readers.
    void showNote(const QString& note);
    void hideNote();
    void zoomTo(double scale, QPoint anchor);
    double fitScale() const;
    QPoint viewCentre() const;

    GlobData& m_glob;
    Dialogs& m_dialogs;

    QLabel* lblBildDatei = nullptr;
    QLineEdit* txtBildDatei = nullptr;
    QPushButton* cmdBildDatei = nullptr;
    QPushButton* cmdBildKonv = nullptr;

    QLabel* lblBildModulo = nullptr;
    QLineEdit* txtBildModulo = nullptr;
    QPushButton* cmdModulPlus = nullptr;
    QFrame* frameModulo = nullptr;
    std::array<QRadioButton*, 2> optModulo{};

    QLabel* lblBildSchwellwert = nullptr;
    QLineEdit* txtBildSchwellwert = nullptr;
    QPushButton* cmdSchwellePlus = nullptr;
    QFrame* frameSchwelle = nullptr;
    std::array<QRadioButton*, 2> optSchwelle{};

    QLabel* lblBildInfo = nullptr;
    QLabel* lblBildInfoWert = nullptr;
    QScrollArea* picBildArea = nullptr;
    PictureBox* picBild = nullptr;
    QAction* mnuBildKopieren = nullptr;
    QAction* mnuBildSpeichern = nullptr;
    QAction* mnuZoomPlus = nullptr;
    QAction* mnuZoomMinus = nullptr;
    QAction* mnuZoom100 = nullptr;
    QAction* mnuZoomFit = nullptr;
    QLabel* lblBildZoom = nullptr;
    QLabel* lblBildHinweis = nullptr;
    QTimer* m_noteTimer = nullptr;

    QString m_infoLine;   // the information line as a whole; the label may show it elided
    QPointer<frmFarbTabelle> m_farbTabelle;
    bool m_fitted = false;   // "Einpassen" follows the picture and the frame's size until the next step
    bool m_drawing = false;
    bool m_stopRequested = false;
};

} // namespace quirlwerk::ui
