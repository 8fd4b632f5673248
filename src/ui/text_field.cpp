// Line breaks between Qt's text documents and the conversions' CR LF texts.
#include "ui/text_field.h"

#include "ui/qt_text.h"

#include <algorithm>

#include <QKeyEvent>
#include <QTextDocument>
#include <QMimeData>
#include <QTextCursor>

namespace quirlwerk::ui {

namespace {

bool isDocumentBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n');
}

} // namespace

Text documentTextWithCrLf(const QString& raw)
{
    Text text;
    text.reserve(static_cast<std::size_t>(raw.size()));
    for (const QChar c : raw) {
        if (isDocumentBreak(c))
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
    connect(document(), &QTextDocument::contentsChanged, this, [this] { m_breaksValid = false; });
}

Text TextField::text() const
{
    // The raw text keeps non-breaking blanks, which toPlainText() would turn into ordinary ones.
    return documentTextWithCrLf(document()->toRawText());
}

void TextField::setText(TextView text)
{
    std::vector<Text> breaks;
    QString shown;
    shown.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            const bool pair = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
            breaks.emplace_back(text.substr(i, pair ? 2 : 1));
            shown += QLatin1Char('\n');
            i += pair ? 1 : 0;
        } else {
            shown += QChar(text[i]);
        }
    }
    setPlainText(shown);
    m_breaks = std::move(breaks);
    m_breaksValid = true;
}

QMimeData* TextField::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    const QTextCursor selection = textCursor();
    if (!m_breaksValid) {
        data->setText(toQString(documentTextWithCrLf(selection.selectedText())));
        return data;
    }
    // Positions in the document count each line break as one character.
    const QString raw = document()->toRawText();
    const auto start = static_cast<qsizetype>(selection.selectionStart());
    const auto end = static_cast<qsizetype>(selection.selectionEnd());
    std::size_t breakIndex = static_cast<std::size_t>(std::count_if(raw.begin(), raw.begin() + start, isDocumentBreak));
    Text copied;
    for (qsizetype i = start; i < end && i < raw.size(); ++i) {
        if (isDocumentBreak(raw[i]) && breakIndex < m_breaks.size())
            copied += m_breaks[breakIndex++];
        else
            copied += static_cast<char16_t>(raw[i].unicode());
    }
    data->setText(toQString(copied));
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
