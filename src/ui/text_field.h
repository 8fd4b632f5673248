// The multi-line text fields: they speak CR LF to the conversions and behave like the other fields on Tab.
#pragma once

#include "common/text.h"

#include <QPlainTextEdit>

#include <vector>

namespace quirlwerk::ui {

// A document's raw text (paragraph and line separators) with every line break as CR LF.
Text documentTextWithCrLf(const QString& raw);

class TextField : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextField(QWidget* parent);

    // The whole text, each line break as CR LF; non-breaking blanks stay as they are.
    Text text() const;
    // Replaces the whole text; CR LF, a lone CR and a lone LF each show as a line break.
    void setText(TextView text);

protected:
    // Copying gives the text as it was set, each line break as it stood there (CR LF, CR or LF); once the
    // user has edited the field, line breaks copy as CR LF.
    QMimeData* createMimeDataFromSelection() const override;
    // Tab leaves the field; Ctrl+Tab types a tab.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<Text> m_breaks;   // the line breaks of the text last set, in order
    bool m_breaksValid = false;   // false after any edit
};

} // namespace quirlwerk::ui
