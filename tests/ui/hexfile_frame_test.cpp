// The hex-file frame driven as a user would: names typed, the file dialog, the button, the label and the focus.
#include "ui/hexfile_frame.h"

#include "recording_dialogs.h"
#include "temp_folder.h"
#include "window_test_support.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <sys/stat.h>

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

TEST_F(HexFileFrameTest, converts_and_shows_the_label_until_a_name_is_edited)
{
    for (const char* edited : {"txtDateiIn", "txtDateiOut"}) {
        SCOPED_TRACE(edited);
        folder.write("in.txt", "0x1F 0x08 0x43 0x44");
        std::filesystem::remove(folder.path("out.bin"));
        convert(QStringLiteral(" ") + path("in.txt"), path("out.bin"));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(folder.read("out.bin"), "\x1F\x08\x43\x44");
        EXPECT_EQ(label(), QStringLiteral("Fertig. Binärdatei ''%1'' erstellt.").arg(path("out.bin")));

        QTest::keyClick(&name(edited), Qt::Key_End);
        EXPECT_FALSE(label().isEmpty());
        QTest::keyClicks(&name(edited), QStringLiteral("x"));
        EXPECT_TRUE(label().isEmpty());
    }
}

TEST_F(HexFileFrameTest, codes_and_names_with_angle_brackets_are_shown_as_plain_text)
{
    folder.write("in.txt", "0x<b>");
    convert(path("in.txt"), path("<i>.bin"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(messageBox(nullptr, dialogs.messages[0].message, QMessageBox::Ok)->textFormat(), Qt::PlainText);
    EXPECT_EQ(control<QLabel>(*frame, "lblDateiMeldung").textFormat(), Qt::PlainText);
    EXPECT_EQ(label(), QStringLiteral("Fehler aufgetreten!. Erstellung der Binärdatei ''%1'' abgebrochen!").arg(path("<i>.bin")));
}

TEST_F(HexFileFrameTest, the_focus_goes_to_the_field_a_message_is_about)
{
    folder.write("in.txt", "41");
    ASSERT_EQ(mkfifo(path("pipe").toLocal8Bit().constData(), 0644), 0);
    const std::tuple<const char*, QString, QString, const char*> rows[] = {
        {"no input name", QStringLiteral("  "), path("out.bin"), "txtDateiIn"},
        {"missing input", path("none.txt"), path("out.bin"), "txtDateiIn"},
        {"no output name", path("in.txt"), {}, "txtDateiOut"},
        {"a pipe as output", path("in.txt"), path("pipe"), "txtDateiOut"},
    };
    for (const auto& [row, input, output, focus] : rows) {
        SCOPED_TRACE(row);
        control<QPushButton>(*frame, "cmdDateiConv").setFocus();
        dialogs.messages.clear();
        convert(input, output);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].message.icon, common::Icon::Exclamation);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), focus);
        EXPECT_TRUE(label().isEmpty());
    }
}

TEST_F(HexFileFrameTest, a_dropped_text_file_fills_the_input_name)
{
    folder.write("codes.txt", "41 42");
    ASSERT_TRUE(testing::dropFiles(name("txtDateiIn"), {path("codes.txt")}));
    EXPECT_EQ(name("txtDateiIn").text(), QDir::toNativeSeparators(path("codes.txt")));
}

TEST_F(HexFileFrameTest, the_file_dialog_fills_the_input_name_unless_cancelled)
{
    const auto& cmdFile = control<QPushButton>(*frame, "cmdFile");
    EXPECT_FALSE(cmdFile.icon().isNull());
    EXPECT_EQ(cmdFile.accessibleName(), QStringLiteral("Datei auswählen"));

    name("txtDateiIn").setText(QStringLiteral("before.txt"));
    control<QLabel>(*frame, "lblDateiMeldung").setText(QStringLiteral("previous"));
    testing::click(*frame, "cmdFile");   // no file scripted: cancelled
    EXPECT_EQ(name("txtDateiIn").text(), QStringLiteral("before.txt"));
    EXPECT_EQ(label(), QStringLiteral("previous"));
    ASSERT_EQ(dialogs.fileDialogFolders.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogFolders[0], QCoreApplication::applicationDirPath());
    EXPECT_EQ(dialogs.fileDialogFilters[0], (QStringList{QStringLiteral("*.txt"), QStringLiteral("*.*")}));

    dialogs.files = {QStringLiteral("/data/codes.txt")};
    testing::click(*frame, "cmdFile");
    EXPECT_EQ(name("txtDateiIn").text(), QStringLiteral("/data/codes.txt"));
    EXPECT_TRUE(label().isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HexFileFrameTest, no_to_the_question_changes_nothing_and_the_busy_pointer_shows_only_while_working)
{
    folder.write("in.txt", "41 G1");
    folder.write("out.bin", "old");
    std::vector<bool> busyAtShow;
    dialogs.onShow = [&] { busyAtShow.push_back(QApplication::overrideCursor() != nullptr); };
    dialogs.answers = {QMessageBox::No};
    convert(path("in.txt"), path("out.bin"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(label().isEmpty());
    EXPECT_EQ(folder.read("out.bin"), "old");

    testing::click(*frame, "cmdDateiConv");   // Yes this time: the invalid code is reported while the files are worked on
    EXPECT_EQ(busyAtShow, (std::vector{false, false, true}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace quirlwerk::ui
