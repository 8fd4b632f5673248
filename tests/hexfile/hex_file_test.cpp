// ConvertHexFile over real files: checks, questions, messages, labels, and what a failure leaves behind.
#include "hexfile/hex_file.h"

#include "common/utf8.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

using namespace quirlwerk;
using namespace quirlwerk::hexfile;
namespace fs = std::filesystem;

namespace {

class RecordingReporter final : public HexFileReporter {
public:
    std::vector<common::Message> messages;
    std::deque<bool> answers;   // next answers to questions; Yes when empty
    std::vector<bool> busy;

    void show(const common::Message& message) override { messages.push_back(message); }
    bool askYesNo(const common::Message& question) override
    {
        messages.push_back(question);
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void setBusy(bool on) override { busy.push_back(on); }
};

class HexFileTest : public ::testing::Test {
protected:
    fs::path file(const std::string& name) const { return m_folder.path(name); }
    Text name(const std::string& file) const { return common::fromUtf8(m_folder.path(file).string()).value(); }
    void write(const std::string& file, const std::string& content) const { m_folder.write(file, content); }
    std::string read(const std::string& file) const { return m_folder.read(file); }
    std::set<std::string> files() const { return m_folder.files(); }

    HexFileResult convert(const std::string& in, const std::string& out, const HexFileOptions& options = {})
    {
        return ConvertHexFile(name(in), name(out), reporter, options);
    }

    Text done(const std::string& out) const { return u"Fertig. Binärdatei ''" + name(out) + u"'' erstellt."; }

    RecordingReporter reporter;

private:
    quirlwerk::testing::TempFolder m_folder;
};

common::Message exclamation(Text text)
{
    return {common::Icon::Exclamation, std::move(text)};
}

common::Message question(Text text)
{
    return {common::Icon::Question, std::move(text)};
}

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

// Writes half of what it is given, as a disk that fills up does.
std::size_t fullDisk(const void* data, std::size_t size, std::size_t count, std::FILE* file)
{
    std::fwrite(data, size, count / 2, file);
    errno = ENOSPC;
    return count / 2;
}

} // namespace

TEST_F(HexFileTest, checks_the_names_before_touching_any_file)
{
    write("in.txt", "41");
    write("out.bin", "old");
    struct Row {
        const char* name;
        Text input;
        Text output;
        Text message;
        NameField focus;
    };
    const Row rows[] = {
        {"no input name", u"   ", name("out.bin"), u"Geben Sie bitte den Namen der Inputdatei ein!", NameField::Input},
        {"missing input", name("none.txt"), name("out.bin"),
         u"Die Inputdatei ''" + name("none.txt") + u"'' existiert nicht!", NameField::Input},
        {"folder as input", name(""), name("out.bin"), u"Die Inputdatei ''" + name("") + u"'' existiert nicht!",
         NameField::Input},
        {"no output name", name("in.txt"), u"", u"Geben Sie bitte den Namen der Outputdatei ein!", NameField::Output},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reporter = {};
        const HexFileResult result = ConvertHexFile(row.input, row.output, reporter);
        EXPECT_EQ(reporter.messages, std::vector{exclamation(row.message)});
        EXPECT_EQ(result.focus, row.focus);
        EXPECT_FALSE(result.label);
        EXPECT_FALSE(result.finished);
        EXPECT_TRUE(reporter.busy.empty());
        EXPECT_EQ(read("out.bin"), "old");
        EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin"}));
    }
}

TEST_F(HexFileTest, no_to_either_question_changes_nothing)
{
    write("in.txt", "41 42");
    write("out.bin", "old");
    reporter.answers = {false};
    HexFileResult result = convert("in.txt", "out.bin");
    EXPECT_EQ(reporter.messages, std::vector{question(u"Die Outputdatei ''" + name("out.bin") +
                                                      u"'' existiert bereits! Soll sie überschrieben werden?")});
    EXPECT_FALSE(result.label);
    EXPECT_EQ(read("out.bin"), "old");

    reporter = {};
    reporter.answers = {false};
    result = convert("in.txt", "in.txt");
    EXPECT_EQ(reporter.messages, std::vector{question(u"Die Inputdatei und die Outputdatei sind identisch. "
                                                      u"Soll die Inputdatei wirklich überschrieben werden?")});
    EXPECT_FALSE(result.label);
    EXPECT_EQ(result.focus, NameField::None);
    EXPECT_TRUE(reporter.busy.empty());
    EXPECT_EQ(read("in.txt"), "41 42");
    EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin"}));
}

TEST_F(HexFileTest, writes_the_bytes_of_all_codes)
{
    struct Row {
        const char* name;
        std::string text;
        std::string bytes;
        HexFileOptions options = {};
    };
    const Row rows[] = {
        {"0x codes", "0x1F 0x08 0x43 0x44", "\x1F\x08\x43\x44"},
        {"CR-only line ends", "48\r65\r\r6C 6C\r6F\r", "Hello"},
        {"CR LF line ends and tabs", "\t48\r\n65\t6C\r\n\r\n6C6F", "Hello"},
        {"empty input", "", ""},
        {"2500 codes in blocks of 1000", codes(2500), bytesOf(2500), {1000, 1000}},
        {"2500 codes read 7 characters at a time", codes(2500), bytesOf(2500), {7, 1000}},
        {"2500 codes in one piece", codes(2500), bytesOf(2500)},
        // "0x4" ends at character 1000 and its separator is the next piece's first character.
        {"code split at the piece boundary", std::string(996, ' ') + "0x4 5", "\x04\x05", {1000, 1000}},
        {"pair split at the piece boundary", std::string(999, ' ') + "4142", "AB", {1000, 1000}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reporter = {};
        write("in.txt", row.text);
        const HexFileResult result = convert("in.txt", "out.bin", row.options);
        EXPECT_EQ(read("out.bin"), row.bytes);
        EXPECT_EQ(result.label, done("out.bin"));
        EXPECT_TRUE(result.finished);
        EXPECT_EQ(reporter.busy, (std::vector{true, false}));
        EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin"}));
        fs::remove(file("out.bin"));
    }
}

TEST_F(HexFileTest, uses_the_names_without_surrounding_blanks)
{
    write("in put.txt", "41");
    const HexFileResult result = ConvertHexFile(u"  " + name("in put.txt") + u" ", u" " + name("out put.bin") + u"  ",
                                                reporter);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(result.label, done("out put.bin"));
    EXPECT_EQ(read("out put.bin"), "A");
}

TEST_F(HexFileTest, overwriting_a_longer_file_leaves_no_trace_of_it)
{
    write("in.txt", "41 42");
    write("out.bin", std::string(5000, 'x'));
    const HexFileResult result = convert("in.txt", "out.bin");
    EXPECT_EQ(reporter.messages.size(), 1u);   // the question
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(read("out.bin"), "AB");
}

TEST_F(HexFileTest, an_invalid_code_stops_but_keeps_the_bytes_before_it)
{
    struct Row {
        const char* name;
        std::string text;
        std::string bytes;
        Text shown;
        HexFileOptions options = {};
    };
    const Row rows[] = {
        {"comma after a pair", "41,42", "A", u",4"},
        {"four digits after 0x", "41 0x4142 43", "A", u"4142"},
        {"lower case shown in capitals", "0x41 0xfg", "A", u"FG"},
        {"code-page letter in capitals", "41 \xE4" "1", "A", u"Ä1"},
        {"after several blocks", codes(2500) + " 0x", bytesOf(2500), u"", {1000, 1000}},
        {"very long code cut short", "0x" + std::string(300, 'a'), "", Text(256, u'A') + u"…"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reporter = {};
        write("in.txt", row.text);
        write("out.bin", "old content");
        const HexFileResult result = convert("in.txt", "out.bin", row.options);
        ASSERT_EQ(reporter.messages.size(), 2u);   // the question, then the code
        EXPECT_EQ(reporter.messages[1],
                  exclamation(u"In der Inputdatei steht das Zeichen ''" + row.shown +
                              u"''. Dies ist kein gültiges HEX-Zeichen im Bereich 00 bis FF!\r\n"
                              u"Die Erstellung der Binärdatei wird daher abgebrochen!"));
        EXPECT_EQ(result.label,
                  u"Fehler aufgetreten!. Erstellung der Binärdatei ''" + name("out.bin") + u"'' abgebrochen!");
        EXPECT_FALSE(result.finished);
        EXPECT_EQ(read("out.bin"), row.bytes);
        EXPECT_EQ(reporter.busy, (std::vector{true, false}));
        EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin"}));
    }
}

TEST_F(HexFileTest, a_write_error_leaves_the_old_output_and_no_temporary_file)
{
    for (const std::size_t readSize : {std::size_t{1000}, std::size_t{1} << 18}) {
        SCOPED_TRACE("pieces of " + std::to_string(readSize));
        reporter = {};
        write("in.txt", codes(5000));
        write("out.bin", "old content");
        const HexFileResult result = convert("in.txt", "out.bin", {readSize, 1000, &fullDisk});
        EXPECT_EQ(reporter.messages.back(), (common::Message{common::Icon::Critical, u"Fehler: Datenträger voll"}));
        EXPECT_FALSE(result.label);
        EXPECT_FALSE(result.finished);
        EXPECT_EQ(reporter.busy, (std::vector{true, false}));
        EXPECT_EQ(read("out.bin"), "old content");
        EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin"}));
    }
}

TEST_F(HexFileTest, output_that_cannot_be_written_is_a_failure_and_changes_nothing)
{
    write("in.txt", "41");
    fs::create_directory(file("folder"));
    struct Row {
        const char* name;
        std::string output;
        Text message;
    };
    const Row rows[] = {
        {"missing folder", "none/out.bin", u"Fehler: Pfad nicht gefunden"},
        {"a folder", "folder", u"Fehler: Fehler beim Zugriff auf Pfad/Datei"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reporter = {};
        const HexFileResult result = convert("in.txt", row.output);
        EXPECT_EQ(reporter.messages, (std::vector{common::Message{common::Icon::Critical, row.message}}));
        EXPECT_FALSE(result.label);
        EXPECT_EQ(files(), (std::set<std::string>{"folder", "in.txt"}));
        EXPECT_TRUE(fs::is_empty(file("folder")));
    }
}

TEST_F(HexFileTest, a_read_only_output_stays_as_it_is)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    write("in.txt", "41");
    write("out.bin", "old");
    fs::permissions(file("out.bin"), fs::perms::owner_read);
    const HexFileResult result = convert("in.txt", "out.bin");
    EXPECT_EQ(reporter.messages.back(), (common::Message{common::Icon::Critical, u"Fehler: Zugriff verweigert"}));
    EXPECT_FALSE(result.label);
    EXPECT_EQ(read("out.bin"), "old");
    EXPECT_EQ(files(), (std::set<std::string>{"in.txt", "out.bin"}));
}

TEST_F(HexFileTest, the_same_file_under_two_spellings_is_read_before_it_is_replaced)
{
    write("a.txt", codes(3000));
    const HexFileResult result = ConvertHexFile(name("a.txt"), name("./a.txt"), reporter, {1000, 1000});
    EXPECT_EQ(reporter.messages, std::vector{question(u"Die Outputdatei ''" + name("./a.txt") +
                                                      u"'' existiert bereits! Soll sie überschrieben werden?")});
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(read("a.txt"), bytesOf(3000));
    EXPECT_EQ(files(), (std::set<std::string>{"a.txt"}));
}

TEST_F(HexFileTest, the_input_itself_as_output_holds_its_bytes)
{
    write("a.txt", "0x1F 0x08 0x43 0x44");
    const HexFileResult result = convert("a.txt", "a.txt");
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(read("a.txt"), "\x1F\x08\x43\x44");
}
