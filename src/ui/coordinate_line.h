// The line below the output that lists the coordinates found in it: each find a button whose menu copies
// it in every form or opens it on the map. Hidden, and so out of the tab order, while nothing is found.
#pragma once

#include "common/text.h"
#include "coordinates/finder.h"

#include <QFrame>

#include <vector>

class QLabel;
class QToolButton;
class QUrl;

namespace quirlwerk::ui {

// Opens a map link in the user's browser; tests put a recorder in its place, so nothing leaves the machine.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual void open(const QUrl& url) = 0;
};

LinkOpener& desktopLinkOpener();   // through QDesktopServices

class CoordinateLine : public QFrame {
    Q_OBJECT
public:
    explicit CoordinateLine(QWidget* parent = nullptr);

    // Lists the coordinates found in the text; shows the line only when there are any.
    void showFinds(TextView text);
    const std::vector<coordinates::Find>& finds() const { return m_finds; }
    void setLinkOpener(LinkOpener& opener) { m_opener = &opener; }

private:
    QToolButton* makeButton(int number, coordinates::Coordinate position);

    LinkOpener* m_opener;
    std::vector<coordinates::Find> m_finds;
    QLabel* lblKoordinaten = nullptr;
    QLabel* lblWeitere = nullptr;
    std::vector<QToolButton*> m_buttons;
};

} // namespace quirlwerk::ui
