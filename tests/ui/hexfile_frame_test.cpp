// The hex-file frame driven as a user would: names typed, the file dialog, the button, the label and the focus.
#include "ui/hexfile_frame.h"

#include "recording_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quirlwerk::ui;
using quirlwerk::ui::testing::RecordingDialogs;

namespace {

class HexFileFrameTest : public ::testing::Test {
protected:
    HexFileFrameTest() : frame(new HexFileFrame(dialogs, &window))
    {
        window.resize(500, 300);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename Control>
    Control* control(const char* name)
    {
        auto* found = frame->findChild<Control*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    QLineEdit* txtDateiIn() { return control<QLineEdit>("txtDateiIn"); }
    QLineEdit* txtDateiOut() { return control<QLineEdit>("txtDateiOut"); }
    QLabel* lblDateiMeldung() { return control<QLabel>("lblDateiMeldung"); }

    QString path(const QString& name) const { return folder.filePath(name); }
    void write(const QString& name, const QByteArray& content) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void convert(const QString& input, const QString& output)
    {
        txtDateiIn()->setText(input);
        txtDateiOut()->setText(output);
        QTest::mouseClick(control<QPushButton>("cmdDateiConv"), Qt::LeftButton);
    }

    RecordingDialogs dialogs;
    QWidget window;
    HexFileFrame* frame;
    QTemporaryDir folder;
};

} // namespace

TEST_F(HexFileFrameTest, controls_sit_at_their_design_places)
{
    struct Row {
        const char* name;
        QRect pixels;   // design twips divided by 15
        QString caption;
    };
    const Row rows[] = {
        {"lblDateiIn", {8, 4, 138, 13}, QStringLiteral("Input: Datei mit HEX-Zeichen")},
        {"txtDateiIn", {8, 20, 353, 21}, {}},
        {"cmdFile", {364, 20, 25, 21}, {}},
        {"lblDateiOut", {8, 60, 85, 13}, QStringLiteral("Output: Binärdatei")},
        {"txtDateiOut", {8, 76, 373, 21}, {}},
        {"cmdDateiConv", {8, 116, 173, 25}, QStringLiteral("Binärdatei schreiben")},
        {"lblDateiMeldung", {8, 168, 375, 17}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QWidget* widget = control<QWidget>(row.name);
        ASSERT_TRUE(widget);
        EXPECT_EQ(widget->geometry(), row.pixels);
        EXPECT_EQ(widget->property("text").toString(), row.caption);
    }
    EXPECT_EQ(frame->objectName(), QStringLiteral("frameDatei"));
    const auto* cmdFile = control<QPushButton>("cmdFile");
    EXPECT_FALSE(cmdFile->icon().isNull());
    EXPECT_EQ(cmdFile->accessibleName(), QStringLiteral("Datei auswählen"));
}

TEST_F(HexFileFrameTest, converts_and_shows_the_label_until_a_name_is_edited)
{
    for (const char* edited : {"txtDateiIn", "txtDateiOut"}) {
        SCOPED_TRACE(edited);
        write(QStringLiteral("in.txt"), "0x1F 0x08 0x43 0x44");
        QFile::remove(path(QStringLiteral("out.bin")));
        convert(QStringLiteral(" ") + path(QStringLiteral("in.txt")), path(QStringLiteral("out.bin")));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(read(QStringLiteral("out.bin")), QByteArray("\x1F\x08\x43\x44"));
        EXPECT_EQ(lblDateiMeldung()->text(),
                  QStringLiteral("Fertig. Binärdatei ''%1'' erstellt.").arg(path(QStringLiteral("out.bin"))));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);

        QTest::keyClick(control<QLineEdit>(edited), Qt::Key_End);
        EXPECT_FALSE(lblDateiMeldung()->text().isEmpty());
        QTest::keyClicks(control<QLineEdit>(edited), QStringLiteral("x"));
        EXPECT_TRUE(lblDateiMeldung()->text().isEmpty());
    }
}

TEST_F(HexFileFrameTest, the_focus_goes_to_the_field_a_message_is_about)
{
    write(QStringLiteral("in.txt"), "41");
    struct Row {
        const char* name;
        QString input;
        QString output;
        QString focus;
    };
    const Row rows[] = {
        {"no input name", QStringLiteral("  "), path(QStringLiteral("out.bin")), QStringLiteral("txtDateiIn")},
        {"missing input", path(QStringLiteral("none.txt")), path(QStringLiteral("out.bin")),
         QStringLiteral("txtDateiIn")},
        {"no output name", path(QStringLiteral("in.txt")), {}, QStringLiteral("txtDateiOut")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        control<QPushButton>("cmdDateiConv")->setFocus();
        dialogs.messages.clear();
        convert(row.input, row.output);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].message.icon, quirlwerk::common::Icon::Exclamation);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), row.focus);
        EXPECT_TRUE(lblDateiMeldung()->text().isEmpty());
    }
}

TEST_F(HexFileFrameTest, no_to_the_question_changes_nothing_on_screen)
{
    write(QStringLiteral("in.txt"), "41");
    write(QStringLiteral("out.bin"), "old");
    txtDateiIn()->setText(path(QStringLiteral("in.txt")));
    txtDateiOut()->setText(path(QStringLiteral("out.bin")));
    dialogs.answers = {QMessageBox::No};
    lblDateiMeldung()->setText(QStringLiteral("previous"));
    QTest::mouseClick(control<QPushButton>("cmdDateiConv"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(lblDateiMeldung()->text(), QStringLiteral("previous"));
    EXPECT_EQ(read(QStringLiteral("out.bin")), QByteArray("old"));
}

TEST_F(HexFileFrameTest, the_file_dialog_fills_the_input_name_unless_cancelled)
{
    txtDateiIn()->setText(QStringLiteral("before.txt"));
    lblDateiMeldung()->setText(QStringLiteral("previous"));
    QTest::mouseClick(control<QPushButton>("cmdFile"), Qt::LeftButton);   // no file scripted: cancelled
    EXPECT_EQ(txtDateiIn()->text(), QStringLiteral("before.txt"));
    EXPECT_EQ(lblDateiMeldung()->text(), QStringLiteral("previous"));
    ASSERT_EQ(dialogs.fileDialogFolders.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogFolders[0], QCoreApplication::applicationDirPath());
    EXPECT_EQ(dialogs.fileDialogFilters[0], (QStringList{QStringLiteral("*.txt"), QStringLiteral("*.*")}));

    dialogs.files = {QStringLiteral("/data/codes.txt")};
    QTest::mouseClick(control<QPushButton>("cmdFile"), Qt::LeftButton);
    EXPECT_EQ(txtDateiIn()->text(), QStringLiteral("/data/codes.txt"));
    EXPECT_TRUE(lblDateiMeldung()->text().isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HexFileFrameTest, a_mode_change_empties_the_label)
{
    lblDateiMeldung()->setText(QStringLiteral("previous"));
    frame->clearMessage();
    EXPECT_TRUE(lblDateiMeldung()->text().isEmpty());
}

namespace {

// Notes whether the busy pointer was up when each box appeared.
class CursorNotingDialogs final : public Dialogs {
public:
    std::vector<bool> busyAtShow;

    QMessageBox::StandardButton showMessage(QWidget* parent, const quirlwerk::common::Message& message,
                                            QMessageBox::StandardButtons buttons) override
    {
        busyAtShow.push_back(QApplication::overrideCursor() != nullptr);
        return m_recorder.showMessage(parent, message, buttons);
    }
    QString chooseOpenFile(QWidget*, const QString&, const QString&, const QStringList&) override { return {}; }

private:
    RecordingDialogs m_recorder;
};

} // namespace

TEST(HexFileFrame, the_busy_pointer_shows_while_the_files_are_worked_on_only)
{
    QTemporaryDir folder;
    QFile input(folder.filePath(QStringLiteral("in.txt")));
    ASSERT_TRUE(input.open(QIODevice::WriteOnly));
    input.write("41 G1");
    input.close();
    QFile(folder.filePath(QStringLiteral("out.bin"))).open(QIODevice::WriteOnly);

    CursorNotingDialogs dialogs;
    QWidget window;
    HexFileFrame frame(dialogs, &window);
    frame.findChild<QLineEdit*>(QStringLiteral("txtDateiIn"))->setText(input.fileName());
    frame.findChild<QLineEdit*>(QStringLiteral("txtDateiOut"))->setText(folder.filePath(QStringLiteral("out.bin")));
    QTest::mouseClick(frame.findChild<QPushButton*>(QStringLiteral("cmdDateiConv")), Qt::LeftButton);
    EXPECT_EQ(dialogs.busyAtShow, (std::vector{false, true}));   // the question, then the invalid code
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
