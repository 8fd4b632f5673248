// The multi-line text fields: CR LF to the conversions and back, copying, and the Tab key.
#include "ui/text_field.h"

#include "window_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QVBoxLayout>

namespace quirlwerk::ui {
namespace {

struct ShownRow {
    const char* name;
    std::u16string_view text;
    int lines;
    std::u16string_view readBack;
};

constexpr ShownRow shownTexts[] = {
    {"CR LF", u"eins\r\nzwei", 2, u"eins\r\nzwei"},
    {"lone CR", u"eins\rzwei", 2, u"eins\r\nzwei"},
    {"lone LF", u"eins\nzwei", 2, u"eins\r\nzwei"},
    {"LF CR is two breaks", u"eins\n\rzwei", 3, u"eins\r\n\r\nzwei"},
    {"break at the end", u"eins\r\n", 2, u"eins\r\n"},
    {"non-breaking blank kept", u"a\u00A0b\tc", 1, u"a\u00A0b\tc"},
};

TEST(TextField, shows_each_kind_of_line_break_as_a_line_and_reads_and_copies_crlf)
{
    TextField field(nullptr);
    for (const ShownRow& row : shownTexts) {
        SCOPED_TRACE(row.name);
        field.setText(row.text);
        EXPECT_EQ(field.blockCount(), row.lines);
        EXPECT_EQ(field.text(), row.readBack);
    }
}

TEST(TextField, copying_gives_the_text_as_set_until_the_user_edits_it)
{
    TextField field(nullptr);
    auto copied = [&] {
        field.copy();
        return QApplication::clipboard()->text();
    };
    field.setText(u"eins\r\nzwei\rdrei\nvier\u00A0fünf");
    field.selectAll();
    EXPECT_EQ(copied(), QString::fromUtf16(u"eins\r\nzwei\rdrei\nvier\u00A0fünf"));

    QTextCursor part = field.textCursor();   // from "i" of "zwei" to "d" of "drei"
    part.setPosition(8);
    part.setPosition(11, QTextCursor::KeepAnchor);
    field.setTextCursor(part);
    EXPECT_EQ(copied(), QStringLiteral("i\rd"));

    field.moveCursor(QTextCursor::End);
    field.insertPlainText(QStringLiteral("!"));   // an edit: breaks are CR LF from now on
    field.selectAll();
    EXPECT_EQ(copied(), QString::fromUtf16(u"eins\r\nzwei\r\ndrei\r\nvier\u00A0fünf!"));
}

TEST(TextField, typed_breaks_reach_the_conversions_as_crlf_and_tab_leaves_the_field)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* field = new TextField(&window);
    auto* next = new QPushButton(QStringLiteral("weiter"), &window);
    layout->addWidget(field);
    layout->addWidget(next);
    testing::showActive(window);
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("ab"));
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClicks(field, QStringLiteral("cd"));
    QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);   // a line separator within the paragraph
    QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);   // Ctrl+Tab types a tab
    EXPECT_EQ(field->text(), u"ab\r\ncd\r\n\t");
    EXPECT_TRUE(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(field->text(), u"ab\r\ncd\r\n\t");
}

} // namespace
} // namespace quirlwerk::ui
