// The dispatch: the composition rule, the modes without routines, and a handler's own failure.
#include "conversions/dispatch.h"

#include "common/failure.h"

#include <gtest/gtest.h>

using namespace quirlwerk;
using namespace quirlwerk::conversions;

namespace {

struct ComposeRow {
    const char* name;
    std::u16string_view status;
    std::u16string_view output;
    std::u16string_view shown;
};

constexpr ComposeRow composeRows[] = {
    {"exactly OK shows the output", u"OK", u"result", u"result"},
    {"lower case is a message", u"ok", u"result", u"ok\r\nresult"},
    {"trailing blank is a message", u"OK ", u"result", u"OK \r\nresult"},
    {"message with empty output ends in a line break", u"Fehler", u"", u"Fehler\r\n"},
    {"empty status is a message", u"", u"x", u"\r\nx"},
};

} // namespace

TEST(Compose, shows_status_above_output_unless_ok)
{
    for (const ComposeRow& row : composeRows) {
        SCOPED_TRACE(row.name);
        Conversion result;
        result.status = row.status;
        result.output = row.output;
        EXPECT_EQ(compose(result), row.shown);
    }
}

TEST(Dispatch, geocode_runs_from_the_first_button_without_status)
{
    const Shown shown = runDecrypt(1, u"Hallo Welt!", {});
    EXPECT_EQ(shown.text, u"Unyyb Jryg!");
    EXPECT_FALSE(shown.status);
    EXPECT_TRUE(shown.ok());
    EXPECT_FALSE(shown.failure);
}

TEST(Dispatch, modes_without_a_routine_give_an_empty_output)
{
    for (const int mode : {0, 5, 11, 12, -1}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(runDecrypt(mode, u"abc", {}).text, u"");
        EXPECT_FALSE(runDecrypt(mode, u"abc", {}).keepOutput);
    }
    for (const int mode : {0, 1, 3, 4, 5, 6, 7, 11}) {
        SCOPED_TRACE(mode);
        EXPECT_FALSE(hasCrypt(mode));
        EXPECT_EQ(runCrypt(mode, u"abc", {}).text, u"");
    }
}

TEST(Dispatch, a_failure_in_the_handler_keeps_the_output_and_warns)
{
    DispatchContext context;
    context.matrix = []() -> const MatrixDefinition& { throw common::Failure::overflow(); };
    for (const bool crypt : {false, true}) {
        SCOPED_TRACE(crypt);
        const Shown shown = crypt ? runCrypt(8, u"AB", context) : runDecrypt(8, u"11", context);
        EXPECT_TRUE(shown.keepOutput);
        ASSERT_TRUE(shown.failure);
        EXPECT_EQ(shown.failure->icon, common::Icon::Exclamation);
        EXPECT_EQ(shown.failure->title, u"Quirlwerk");
        EXPECT_EQ(shown.failure->text, u"Fehler aufgetreten: Überlauf");
    }
}

TEST(Dispatch, the_routine_gets_its_own_copy_of_the_input)
{
    const Text input = u"Nord";
    runDecrypt(1, input, {});
    EXPECT_EQ(input, u"Nord");
}

TEST(Dispatch, ook_shows_the_report_then_the_translated_program)
{
    const Shown shown = runDecrypt(3, u"Ook. Ook. Ook! Ook.", {});
    EXPECT_EQ(shown.status, u"OK");
    EXPECT_EQ(shown.text, u"Ausgabe als Dezimalzahlen: \r\n1\r\n\r\nAusgabe als Text: \r\n"
                          u"\r\n\r\nBrainfuck-Syntax:\r\n+.");
}

TEST(Dispatch, ook_with_a_faulty_pair_shows_the_translation_and_runs_nothing)
{
    const Shown shown = runDecrypt(3, u"Ook. Ook? Ook? Ook?", {});
    EXPECT_EQ(shown.text, u"Fehler bei Zeichen hinter Position 19: Fehlerhafte Folge ''?/?''\r\n>?");
    EXPECT_FALSE(shown.ok());
    EXPECT_FALSE(shown.failure);
}

TEST(Dispatch, ook_whose_program_fails_shows_only_the_interpreters_status)
{
    // "<" 500 times moves off the tape; "+" then touches a cell outside it.
    Text ook;
    for (int i = 0; i < 500; ++i)
        ook += u"Ook? Ook. ";
    ook += u"Ook. Ook. ";
    const Shown shown = runDecrypt(3, ook, {});
    EXPECT_EQ(shown.text, u"Fehler aufgetreten: Index außerhalb des gültigen Bereichs\r\n"
                          u"Index außerhalb des gültigen Bereichs");
    ASSERT_TRUE(shown.failure);
    EXPECT_EQ(shown.failure->text, u"InterpretBrainfuck() - Error Index außerhalb des gültigen Bereichs");
}
