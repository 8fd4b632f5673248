// The focus colouring of the small input fields, as one event filter shared by all of them.
#include "ui/focus_colours.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace quirlwerk::ui {
namespace {

class FocusColours : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && event->type() == QEvent::FocusIn) {
            paint(field, Qt::yellow);
            // After the click that brought the focus has placed the cursor.
            QTimer::singleShot(0, field, [field] { field->selectAll(); });
        } else if (field && event->type() == QEvent::FocusOut) {
            paint(field, Qt::white);
        }
        return false;
    }

private:
    static void paint(QLineEdit* field, QColor colour)
    {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, colour);
        field->setPalette(palette);
    }
};

} // namespace

void installFocusColours(QLineEdit* field)
{
    field->installEventFilter(new FocusColours(field));
}

} // namespace quirlwerk::ui
