// ConvertHexFile over real files: the order of checks and questions, the bytes and labels, and what a failure
// leaves behind. The texts of the save rules belong to their own test.
#include "hexfile/hex_file.h"

#include "common/utf8.h"
#include "support/recording_reporter.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

using namespace quirlwerk;
using namespace quirlwerk::hexfile;
using common::Icon;
namespace fs = std::filesystem;

namespace {

class HexFileTest : public ::testing::Test, protected quirlwerk::testing::TempFolder {
protected:
    Text name(const std::string& file) const { return common::fromUtf8(path(file).string()).value(); }
    quirlwerk::testing::RecordingReporter reporter;
};

// Codes in every form and spacing; the bytes they give are 0, 1, 2, ... in turn.
std::pair<std::string, std::string> codesAndBytes(std::size_t count)
{
    std::string text, bytes;
    for (std::size_t i = 0; i < count; ++i) {
        const char digits[] = {"0123456789abcdef"[i / 16 % 16], "0123456789ABCDEF"[i % 16], '\0'};
        text += (i % 3 == 0 ? "0x" : "") + std::string(digits) + (i % 7 == 0 ? "\r\n" : " ");
        bytes.push_back(static_cast<char>(i));
    }
    return {text, bytes};
}

} // namespace

// A wrong name, a refusal or a No ends the run before any file is touched or the pointer is busy.
TEST_F(HexFileTest, checks_and_questions_come_before_the_work)
{
    write("in.txt", "41 42");
    write("out.bin", "old");
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0644), 0);
    const Text exists = u"'' existiert nicht!", notWritten = u"'' existiert bereits! Soll sie überschrieben werden?";
    const std::tuple<Text, Text, Text, NameField> rows[] = {   // a question is the last step: no name field to go back to
        {u"   ", name("out.bin"), u"Geben Sie bitte den Namen der Inputdatei ein!", NameField::Input},
        {name("no.txt"), name("out.bin"), u"Die Inputdatei ''" + name("no.txt") + exists, NameField::Input},
        {name(""), name("out.bin"), u"Die Inputdatei ''" + name("") + exists, NameField::Input},
        {name("in.txt"), u" ", u"Geben Sie bitte den Namen der Outputdatei ein!", NameField::Output},
        {name("in.txt"), name("pipe"), u"Die Outputdatei ''" + name("pipe"), NameField::Output},
        {name("in.txt"), name("out.bin"), u"Die Outputdatei ''" + name("out.bin") + notWritten, NameField::None},
        {name("in.txt"), name("in.txt"), u"Die Inputdatei und die Outputdatei sind identisch. Soll die Inputdatei wirklich "
                                         u"überschrieben werden?", NameField::None},
    };
    for (const auto& [input, output, text, focus] : rows) {
        SCOPED_TRACE(common::toUtf8(text));
        reporter = {};
        reporter.answer = false;
        const HexFileResult result = ConvertHexFile(input, output, reporter);
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].icon, focus == NameField::None ? Icon::Question : Icon::Exclamation);
        EXPECT_TRUE(reporter.messages[0].text.starts_with(text));
        EXPECT_EQ(result.focus, focus);
        EXPECT_FALSE(result.label || result.finished || !reporter.busy.empty());
        EXPECT_EQ(read("in.txt") + read("out.bin"), "41 42old");
        EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin", "pipe"}));
    }
}

// Blocks of 1000 bytes from pieces of 1000 characters: codes at, across and past each boundary. An invalid code
// keeps the bytes before it; the names are used without surrounding blanks.
TEST_F(HexFileTest, writes_the_bytes_of_all_codes_up_to_an_invalid_one)
{
    const auto [text, bytes] = codesAndBytes(2500);
    const std::tuple<const char*, std::string, std::string, std::optional<Text>> rows[] = {
        {"2500 codes", text, bytes, std::nullopt},
        {"empty", "", "", std::nullopt},
        {"code split at the piece boundary", std::string(996, ' ') + "0x4 5", "\x04\x05", std::nullopt},
        {"invalid after several blocks", text + " 0x", bytes, u""},
        {"code-page letter and lower case in capitals", "41 \xE4" "f", "A", u"ÄF"},
        {"very long code cut short", "0x" + std::string(300, 'a'), "", Text(256, u'A') + u"…"},
    };
    const Text out = name("out.bin");
    const Text input = u" " + name("in put.txt") + u"  ", output = u"  " + out;   // blanks around the names
    for (const auto& [row, codes, written, invalid] : rows) {
        SCOPED_TRACE(row);
        write("in put.txt", codes);
        write("out.bin", std::string(5000, 'x'));
        reporter = {};
        const HexFileResult result = ConvertHexFile(input, output, reporter, {1000, 1000});
        EXPECT_EQ(read("out.bin"), written);
        EXPECT_EQ(result.finished, !invalid);
        EXPECT_EQ(reporter.messages.size(), invalid ? 2u : 1u);   // the question, and the invalid code
        EXPECT_EQ(reporter.messages.back().text, invalid ? u"In der Inputdatei steht das Zeichen ''" + *invalid +
            u"''. Dies ist kein gültiges HEX-Zeichen im Bereich 00 bis FF!\r\nDie Erstellung der Binärdatei wird daher "
            u"abgebrochen!" : u"Die Outputdatei ''" + out + u"'' existiert bereits! Soll sie überschrieben werden?");
        EXPECT_EQ(result.label, invalid ? u"Fehler aufgetreten!. Erstellung der Binärdatei ''" + out + u"'' abgebrochen!"
                                        : u"Fertig. Binärdatei ''" + out + u"'' erstellt.");
        EXPECT_EQ(reporter.busy, (std::vector{true, false}));
        EXPECT_EQ(files(), (std::set<std::string>{"in put.txt", "out.bin"}));
    }
}

// A failure leaves the old output and no temporary file; the input itself as output is read whole first.
TEST_F(HexFileTest, a_failure_leaves_the_old_output_and_the_input_is_read_before_it_is_replaced)
{
    const auto [text, bytes] = codesAndBytes(3000);
    write("in.txt", text);
    fs::create_directory(path("folder"));
    const auto fullDisk = [](int, const void*, std::size_t) -> ssize_t { return errno = ENOSPC, -1; };
    const std::tuple<std::string, Text, HexFileOptions> rows[] = {
        {"out.bin", u"Fehler: Datenträger voll", {1000, 1000, fullDisk}},
        {"none/out.bin", u"Fehler: Pfad nicht gefunden", {}},
        {"folder", u"Fehler: Fehler beim Zugriff auf Pfad/Datei", {}},
    };
    for (const auto& [output, message, options] : rows) {
        SCOPED_TRACE(output);
        write("out.bin", "old");
        reporter = {};
        const HexFileResult result = ConvertHexFile(name("in.txt"), name(output), reporter, options);
        EXPECT_EQ(reporter.messages.back(), (common::Message{Icon::Critical, message}));
        EXPECT_FALSE(result.label || result.finished);
        EXPECT_EQ(read("out.bin"), "old");
        EXPECT_EQ(files(), (std::set<std::string>{"folder", "in.txt", "out.bin"}));
    }
    for (const std::string output : {"in.txt", "./in.txt"}) {   // asked as the same name, and as an existing file
        write("in.txt", text);
        EXPECT_TRUE(ConvertHexFile(name("in.txt"), name(output), reporter, {1000, 1000}).finished);
        EXPECT_EQ(read("in.txt"), bytes);
    }
}
