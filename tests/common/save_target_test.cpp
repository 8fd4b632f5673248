// The checks before a save: special files refused (by the writer too), the question, the extension.
#include "common/save_target.h"

#include "common/replacing_file.h"
#include "common/utf8.h"
#include "support/recording_reporter.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace quirlwerk;
using namespace quirlwerk::common;

// Nothing is opened on a device, pipe or socket, so a pipe without a reader cannot block.
TEST(SaveTarget, refuses_special_files_asks_before_replacing_and_adds_the_extension)
{
    const quirlwerk::testing::TempFolder folder;
    folder.write("bild.png", "x");
    folder.write("bild", "x");
    std::filesystem::create_directory(folder.path("ordner.png"));
    ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0644), 0);
    std::filesystem::create_symlink("pipe", folder.path("link"));
    const Text at = fromUtf8(folder.path("").string()).value();
    enum Shown { Nothing, Question, Refusal };
    const std::tuple<const char*, Text, const SaveRules&, Text, Shown> rows[] = {
        {"no extension, file with it there", at + u"bild", pictureFile, at + u"bild.png", Question},
        {"a dot at the end is none", at + u"bild.", pictureFile, at + u"bild..png", Nothing},
        {"a hidden file's name is one", at + u".profil", pictureFile, at + u".profil", Nothing},
        {"a dot in the folder is none", at + u"ordner.png/bild", pictureFile, at + u"ordner.png/bild.png", Nothing},
        {"a folder is not asked about", at + u"ordner.png", hexFileOutput, at + u"ordner.png", Nothing},
        {"the hex file's output", at + u"bild", hexFileOutput, at + u"bild", Question},
        {"no question on the command line", at + u"bild.png", pngOption, at + u"bild.png", Nothing},
        {"a pipe", at + u"pipe", hexFileOutput, at + u"pipe", Refusal},
        {"a link to a pipe", at + u"link", pngOption, at + u"link", Refusal},
        {"a device", u"/dev/null", pngOption, u"/dev/null", Refusal},
    };
    for (const auto& [name, typed, rules, written, shown] : rows) {
        for (const bool yes : {false, true}) {
            SCOPED_TRACE(std::string(name) + (yes ? ", Yes" : ", No"));
            quirlwerk::testing::RecordingReporter recorder;
            recorder.answer = yes;
            const SaveTarget target = checkSaveTarget(typed, rules, recorder);
            EXPECT_EQ(target.name, written);
            EXPECT_EQ(target.path, toUtf8(written));
            EXPECT_EQ(target.decision, shown == Refusal            ? SaveDecision::Refused
                                       : shown == Question && !yes ? SaveDecision::Declined
                                                                   : SaveDecision::Write);
            const Text quoted = Text(rules.subject) + u" ''" + written + u"''";
            const Message question{Icon::Question, quoted + Text(rules.replaceQuestion.substr(std::min<std::size_t>(2, rules.replaceQuestion.size())))};
            const Message refusal{Icon::Exclamation, quoted + Text(notRegularFile)};
            EXPECT_EQ(recorder.messages, shown == Nothing ? std::vector<Message>{} : std::vector{shown == Question ? question : refusal});
            if (shown == Refusal) {
                EXPECT_THROW(ReplacingFile{target.path}, Failure);
            }
        }
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder.path("pipe")));
}
