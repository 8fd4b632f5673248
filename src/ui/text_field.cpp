// Line breaks between Qt's text documents and the conversions' CR LF texts.
#include "ui/text_field.h"

#include "ui/qt_text.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace quirlwerk::ui {

Text documentTextWithCrLf(const QString& raw)
{
    Text text;
    text.reserve(static_cast<std::size_t>(raw.size()));
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n'))
            text += crlf;
        else
            text += static_cast<char16_t>(c.unicode());
    }
    return text;
}

TextField::TextField(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

Text TextField::text() const
{
    // The raw text keeps non-breaking blanks, which toPlainText() would turn into ordinary ones.
    return documentTextWithCrLf(document()->toRawText());
}

void TextField::setText(TextView text)
{
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(shown);
}

QMimeData* TextField::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(toQString(documentTextWithCrLf(textCursor().selectedText())));
    return data;
}

void TextField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier && !isReadOnly()) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace quirlwerk::ui
