// The dispatch: the composition rule, the modes without routines, mode 3's composition, and a handler's own failure.
#include "conversions/dispatch.h"

#include "common/failure.h"
#include "conversions/conversion_testing.h"

using namespace quirlwerk;
using namespace quirlwerk::conversions;
using namespace quirlwerk::conversions::testing;

TEST(Compose, shows_status_above_output_unless_ok)
{
    struct ComposeRow {
        const char* name;
        TextView status;
        TextView output;
        TextView shown;
    };
    constexpr ComposeRow rows[] = {
        {"exactly OK shows the output", u"OK", u"result", u"result"},
        {"lower case is a message", u"ok", u"result", u"ok\r\nresult"},
        {"trailing blank is a message", u"OK ", u"result", u"OK \r\nresult"},
        {"message with empty output ends in a line break", u"Fehler", u"", u"Fehler\r\n"},
        {"empty status is a message", u"", u"x", u"\r\nx"},
    };
    for (const ComposeRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(compose(Conversion{.output = Text(row.output), .status = Text(row.status), .failure = {}}), row.shown);
    }
}

TEST(Dispatch, geocode_runs_from_the_first_button_without_status)
{
    const Shown shown = runDecrypt(1, u"Hallo Welt!", {});
    EXPECT_EQ(shown.text, u"Unyyb Jryg!");
    EXPECT_FALSE(shown.status);
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
        EXPECT_EQ(shown.failure, (common::Message{common::Icon::Exclamation, u"Fehler aufgetreten: Überlauf"}));
    }
}

// Ook! runs the translated program and shows its report above the translation; a faulty pair runs
// nothing, and a failing program shows only the interpreter's status and description.
TEST(Dispatch, ook_shows_the_report_then_the_translated_program)
{
    struct OokRow {
        const char* name;
        Text ook;
        TextView shown;
        bool ok;
        TextView box = u"";   // the critical box's text, if one is shown
    };
    const OokRow rows[] = {
        {"runs", u"Ook. Ook. Ook! Ook.", u"Ausgabe als Dezimalzahlen: \r\n1\r\n\r\nAusgabe als Text: \r\n"
                                         u"\r\n\r\nBrainfuck-Syntax:\r\n+.", true},
        {"faulty pair", u"Ook. Ook? Ook? Ook?", u"Fehler bei Zeichen hinter Position 19: Fehlerhafte Folge ''?/?''\r\n>?", false},
        {"program fails", repeated(u"Ook? Ook. ", 500) + u"Ook. Ook. ",
         u"Fehler aufgetreten: Index außerhalb des gültigen Bereichs\r\nIndex außerhalb des gültigen Bereichs", false,
         u"InterpretBrainfuck() - Error Index außerhalb des gültigen Bereichs"},
    };
    for (const OokRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Shown shown = runDecrypt(3, row.ook, {});
        EXPECT_EQ(shown.text, row.shown);
        EXPECT_EQ(shown.ok(), row.ok);
        EXPECT_EQ(shown.failure ? shown.failure->text : Text(), row.box);
    }
}
