// The digit-only key filter, as an event filter shared by the fields that use it.
#include "ui/nur_ziffern.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace quirlwerk::ui {
namespace {

class DigitFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const std::int16_t code = typedCode(*static_cast<QKeyEvent*>(event));
        return code >= 0 && NurZiffern(code) == 0;
    }
};

} // namespace

std::int16_t NurZiffern(std::int16_t keyAscii)
{
    const bool passes = keyAscii == 8 || keyAscii == 22 || keyAscii == 3 || (keyAscii >= 48 && keyAscii <= 57);
    return passes ? keyAscii : std::int16_t(0);
}

std::int16_t typedCode(const QKeyEvent& event)
{
    const int key = event.key();
    // Tab moves the focus before any field sees it as a character.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return -1;
    if (key == Qt::Key_Backspace)
        return 8;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    if (key == Qt::Key_Escape)
        return 27;
    if (event.modifiers().testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return -1;
    return static_cast<std::int16_t>(text.at(0).unicode());
}

void installNurZiffern(QLineEdit* field)
{
    field->installEventFilter(new DigitFilter(field));
}

} // namespace quirlwerk::ui
