// The multi-line text fields: CR LF to the conversions and back, copying, and the Tab key.
#include "ui/text_field.h"

#include "window_test_support.h"

namespace quirlwerk::ui {
namespace {

TEST(TextField, shows_each_kind_of_line_break_as_a_line_reads_crlf_and_copies_as_set)
{
    TextField field(nullptr);
    const std::tuple<std::u16string_view, int, std::u16string_view> rows[] = {
        {u"eins\r\nzwei", 2, u"eins\r\nzwei"}, {u"eins\rzwei", 2, u"eins\r\nzwei"}, {u"eins\nzwei", 2, u"eins\r\nzwei"},
        {u"eins\n\rzwei", 3, u"eins\r\n\r\nzwei"},   // LF CR is two breaks
        {u"eins\r\n", 2, u"eins\r\n"}, {u"a\u00A0b\tc", 1, u"a\u00A0b\tc"}};
    for (const auto& [text, lines, readBack] : rows) {
        field.setText(text);
        EXPECT_EQ(field.blockCount(), lines);
        EXPECT_EQ(field.text(), readBack);
    }
    // Copying gives the text as set until the user edits it.
    field.setText(u"eins\r\nzwei\rdrei");
    field.selectAll();
    field.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("eins\r\nzwei\rdrei"));
    field.moveCursor(QTextCursor::End);
    field.insertPlainText(QStringLiteral("!"));   // an edit: breaks are CR LF from now on
    field.selectAll();
    field.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("eins\r\nzwei\r\ndrei!"));
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
