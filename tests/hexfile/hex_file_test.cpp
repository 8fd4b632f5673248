// ConvertHexFile over real files: checks, questions, messages, labels, and what a failure leaves behind.
#include "hexfile/hex_file.h"

#include "common/utf8.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace quirlwerk;
using namespace quirlwerk::hexfile;
namespace fs = std::filesystem;

namespace {

class RecordingReporter final : public common::Reporter {
public:
    std::vector<common::Message> messages;
    bool answer = true;
    std::vector<bool> busy;

    void show(const common::Message& message) override { messages.push_back(message); }
    bool askYesNo(const common::Message& question) override
    {
        messages.push_back(question);
        return answer;
    }
    void setBusy(bool on) override { busy.push_back(on); }
};

class HexFileTest : public ::testing::Test, protected quirlwerk::testing::TempFolder {
protected:
    Text name(const std::string& file) const { return common::fromUtf8(path(file).string()).value(); }

    HexFileResult convert(const std::string& in, const std::string& out, const HexFileOptions& options = {})
    {
        reporter = {};
        return ConvertHexFile(name(in), name(out), reporter, options);
    }

    RecordingReporter reporter;
};

std::string codes(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += (i % 3 == 0 ? "0x" : "") + std::string(1, "0123456789abcdef"[i / 16 % 16]) +
                "0123456789ABCDEF"[i % 16] + (i % 7 == 0 ? "\r\n" : " ");
    return text;
}

std::string bytesOf(std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>(i % 256));
    return bytes;
}

// Writes half of what it is given once, then nothing more, as a disk that fills up does.
ssize_t fullDisk(int file, const void* data, std::size_t size)
{
    if (size > 1 && write(file, data, size / 2) > 0)
        return static_cast<ssize_t>(size / 2);
    errno = ENOSPC;
    return -1;
}

} // namespace

// A wrong name or a No ends the run before any file is touched.
TEST_F(HexFileTest, checks_and_questions_come_before_the_work)
{
    write("in.txt", "41 42");
    write("out.bin", "old");
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0644), 0);
    struct Row {
        Text input;
        Text output;
        common::Message message;
        NameField focus = NameField::None;
    };
    constexpr auto stop = common::Icon::Exclamation;
    constexpr auto ask = common::Icon::Question;
    const Row rows[] = {
        {u"   ", name("out.bin"), {stop, u"Geben Sie bitte den Namen der Inputdatei ein!"}, NameField::Input},
        {name("none.txt"), name("out.bin"), {stop, u"Die Inputdatei ''" + name("none.txt") + u"'' existiert nicht!"},
         NameField::Input},
        {name(""), name("out.bin"), {stop, u"Die Inputdatei ''" + name("") + u"'' existiert nicht!"}, NameField::Input},
        {name("in.txt"), u"", {stop, u"Geben Sie bitte den Namen der Outputdatei ein!"}, NameField::Output},
        {name("in.txt"), name("pipe"), {stop, u"Die Outputdatei ''" + name("pipe") + u"''" + Text(common::notRegularFile)},
         NameField::Output},
        {name("in.txt"), name("out.bin"),
         {ask, u"Die Outputdatei ''" + name("out.bin") + u"'' existiert bereits! Soll sie überschrieben werden?"}},
        {name("in.txt"), name("in.txt"),
         {ask, u"Die Inputdatei und die Outputdatei sind identisch. "
               u"Soll die Inputdatei wirklich überschrieben werden?"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(common::toUtf8(row.message.text));
        reporter = {};
        reporter.answer = false;
        const HexFileResult result = ConvertHexFile(row.input, row.output, reporter);
        EXPECT_EQ(reporter.messages, std::vector{row.message});
        EXPECT_EQ(result.focus, row.focus);
        EXPECT_FALSE(result.label);
        EXPECT_FALSE(result.finished);
        EXPECT_TRUE(reporter.busy.empty());
        EXPECT_EQ(read("in.txt") + read("out.bin"), "41 42old");
        EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin", "pipe"}));
        EXPECT_TRUE(fs::is_fifo(path("pipe")));
    }
}

// Each run overwrites a longer file, which must leave no trace. An invalid code stops the run but keeps the
// bytes before it.
TEST_F(HexFileTest, writes_the_bytes_of_all_codes_up_to_an_invalid_one)
{
    struct Row {
        const char* name;
        std::string text;
        std::string bytes;
        std::optional<Text> invalid = std::nullopt;   // as the message shows it
        HexFileOptions options = {};
    };
    const Row rows[] = {
        {"0x codes", "0x1F 0x08 0x43 0x44", "\x1F\x08\x43\x44"},
        {"empty input", "", ""},
        {"2500 codes in blocks of 1000", codes(2500), bytesOf(2500), {}, {1000, 1000}},
        // "0x4" ends at character 1000 and its separator is the next piece's first character.
        {"code split at the piece boundary", std::string(996, ' ') + "0x4 5", "\x04\x05", {}, {1000, 1000}},
        {"pair split at the piece boundary", std::string(999, ' ') + "4142", "AB", {}, {1000, 1000}},
        {"comma after a pair", "41,42", "A", u",4"},
        {"lower case shown in capitals", "0x41 0xfg", "A", u"FG"},
        {"code-page letter in capitals", "41 \xE4" "1", "A", u"Ä1"},
        {"invalid after several blocks", codes(2500) + " 0x", bytesOf(2500), u"", {1000, 1000}},
        {"very long code cut short", "0x" + std::string(300, 'a'), "", Text(256, u'A') + u"…"},
    };
    const common::Message overwrite{
        common::Icon::Question,
        u"Die Outputdatei ''" + name("out.bin") + u"'' existiert bereits! Soll sie überschrieben werden?"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        write("in.txt", row.text);
        write("out.bin", std::string(5000, 'x'));
        const HexFileResult result = convert("in.txt", "out.bin", row.options);
        EXPECT_EQ(read("out.bin"), row.bytes);
        if (row.invalid) {
            EXPECT_EQ(reporter.messages,
                      (std::vector<common::Message>{
                          overwrite, {common::Icon::Exclamation,
                                      u"In der Inputdatei steht das Zeichen ''" + *row.invalid +
                                          u"''. Dies ist kein gültiges HEX-Zeichen im Bereich 00 bis FF!\r\n"
                                          u"Die Erstellung der Binärdatei wird daher abgebrochen!"}}));
            EXPECT_EQ(result.label,
                      u"Fehler aufgetreten!. Erstellung der Binärdatei ''" + name("out.bin") + u"'' abgebrochen!");
        } else {
            EXPECT_EQ(reporter.messages, std::vector{overwrite});
            EXPECT_EQ(result.label, u"Fertig. Binärdatei ''" + name("out.bin") + u"'' erstellt.");
        }
        EXPECT_EQ(result.finished, !row.invalid);
        EXPECT_EQ(reporter.busy, (std::vector{true, false}));
        EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin"}));
    }
}

TEST_F(HexFileTest, uses_the_names_without_surrounding_blanks)
{
    write("in put.txt", "41");
    const HexFileResult result =
        ConvertHexFile(u"  " + name("in put.txt") + u" ", u" " + name("out put.bin") + u"  ", reporter);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(result.label, u"Fertig. Binärdatei ''" + name("out put.bin") + u"'' erstellt.");
    EXPECT_EQ(read("out put.bin"), "A");
}

TEST_F(HexFileTest, a_failure_leaves_the_old_output_and_no_temporary_file)
{
    write("in.txt", codes(5000));
    fs::create_directory(path("folder"));
    write("out.bin", "old");
    write("read-only.bin", "old");
    fs::permissions(path("read-only.bin"), fs::perms::owner_read);
    struct Row {
        const char* name;
        std::string output;
        Text message;
        HexFileOptions options = {};
    };
    std::vector<Row> rows = {
        {"disk full", "out.bin", u"Fehler: Datenträger voll", {1000, 1000, &fullDisk}},
        {"missing folder", "none/out.bin", u"Fehler: Pfad nicht gefunden"},
        {"a folder", "folder", u"Fehler: Fehler beim Zugriff auf Pfad/Datei"},
    };
    if (geteuid() != 0)   // root may write any file
        rows.push_back({"read-only output", "read-only.bin", u"Fehler: Zugriff verweigert"});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const HexFileResult result = convert("in.txt", row.output, row.options);
        EXPECT_EQ(reporter.messages.back(), (common::Message{common::Icon::Critical, row.message}));
        EXPECT_EQ(reporter.messages.size(), fs::is_regular_file(path(row.output)) ? 2u : 1u);   // after the question
        EXPECT_FALSE(result.label);
        EXPECT_FALSE(result.finished);
        EXPECT_EQ(reporter.busy, (std::vector{true, false}));
        EXPECT_EQ(read("out.bin") + read("read-only.bin"), "oldold");
        EXPECT_EQ(files(), (std::set<std::string>{"folder", "in.txt", "out.bin", "read-only.bin"}));
        EXPECT_TRUE(fs::is_empty(path("folder")));
    }
}

// The identical-names question and, for two spellings, the existing-output question; either way the
// input is read whole before it is replaced.
TEST_F(HexFileTest, the_input_itself_as_output_is_read_before_it_is_replaced)
{
    for (const std::string output : {"a.txt", "./a.txt"}) {
        SCOPED_TRACE(output);
        write("a.txt", codes(3000));
        const HexFileResult result = convert("a.txt", output, {1000, 1000});
        EXPECT_EQ(reporter.messages.size(), 1u);
        EXPECT_TRUE(result.finished);
        EXPECT_EQ(read("a.txt"), bytesOf(3000));
        EXPECT_EQ(files(), (std::set<std::string>{"a.txt"}));
    }
}
