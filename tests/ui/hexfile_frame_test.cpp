// The hex-file frame's wiring: names to the core, its label and focus back, the file dialog and drops.
// What the conversion writes and says is the core's test.
#include "ui/hexfile_frame.h"

#include "window_test_support.h"

namespace quirlwerk::ui {
namespace {

using testing::control;

class HexFileFrameTest : public ::testing::Test {
protected:
    HexFileFrameTest()
    {
        window.resize(500, 300);
        testing::showActive(window);
    }

    QLineEdit& name(const char* field) { return control<QLineEdit>(*frame, field); }
    QString label() { return testing::textOf(*frame, "lblDateiMeldung"); }
    QString path(const char* file) const { return QString::fromStdString(folder.path(file).string()); }
    void convert(const QString& input, const QString& output)
    {
        name("txtDateiIn").setText(input);
        name("txtDateiOut").setText(output);
        testing::click(*frame, "cmdDateiConv");
    }

    testing::RecordingDialogs dialogs;
    QWidget window;
    HexFileFrame* frame = new HexFileFrame(dialogs, &window);
    quirlwerk::testing::TempFolder folder;
};

TEST_F(HexFileFrameTest, converts_and_shows_the_label_as_plain_text_until_a_name_is_edited)
{
    for (const char* edited : {"txtDateiIn", "txtDateiOut"}) {
        SCOPED_TRACE(edited);
        folder.write("in.txt", "0x1F 0x08 0x43 0x44");
        convert(QStringLiteral(" ") + path("in.txt"), path("<i>.bin"));
        EXPECT_EQ(folder.read("<i>.bin"), "\x1F\x08\x43\x44");
        EXPECT_TRUE(label().contains(path("<i>.bin")));
        EXPECT_EQ(control<QLabel>(*frame, "lblDateiMeldung").textFormat(), Qt::PlainText);
        QTest::keyClick(&name(edited), Qt::Key_End);
        EXPECT_FALSE(label().isEmpty());
        QTest::keyClicks(&name(edited), QStringLiteral("x"));
        EXPECT_TRUE(label().isEmpty());
    }
}

TEST_F(HexFileFrameTest, the_focus_goes_to_the_field_a_message_is_about_no_keeps_the_file_and_the_dialog_or_a_drop_fill_the_name)
{
    folder.write("in.txt", "41 G1");
    folder.write("out.bin", "old");
    const std::tuple<QString, QString, const char*> rows[] = {
        {QStringLiteral("  "), path("out.bin"), "txtDateiIn"},
        {path("in.txt"), {}, "txtDateiOut"},
    };
    for (const auto& [input, output, focus] : rows) {
        control<QPushButton>(*frame, "cmdDateiConv").setFocus();
        convert(input, output);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), focus);
    }
    std::vector<bool> busyAtShow;   // the busy pointer shows only while the files are worked on
    dialogs.onShow = [&] { busyAtShow.push_back(QApplication::overrideCursor() != nullptr); };
    dialogs.answers = {QMessageBox::No};
    convert(path("in.txt"), path("out.bin"));
    EXPECT_EQ(folder.read("out.bin"), "old");
    testing::click(*frame, "cmdDateiConv");   // Yes: the invalid code is reported while the files are worked on
    EXPECT_EQ(busyAtShow, (std::vector{false, false, true}));
    // The file dialog and a drop fill the input name; a cancel changes nothing.
    name("txtDateiIn").setText(QStringLiteral("before.txt"));
    testing::click(*frame, "cmdFile");   // no file scripted: cancelled
    EXPECT_EQ(name("txtDateiIn").text(), QStringLiteral("before.txt"));
    EXPECT_EQ(dialogs.fileDialogFilters.at(0), (QStringList{QStringLiteral("*.txt"), QStringLiteral("*.*")}));
    dialogs.files = {QStringLiteral("/data/codes.txt")};
    testing::click(*frame, "cmdFile");
    EXPECT_EQ(name("txtDateiIn").text(), QStringLiteral("/data/codes.txt"));
    folder.write("in.txt", "41");
    ASSERT_TRUE(testing::dropFiles(name("txtDateiIn"), {path("in.txt")}));
    EXPECT_EQ(name("txtDateiIn").text(), QDir::toNativeSeparators(path("in.txt")));
}

} // namespace
} // namespace quirlwerk::ui
