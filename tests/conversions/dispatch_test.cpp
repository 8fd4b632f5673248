// The dispatch: the composition rule, the modes without routines, mode 3's composition, and a handler's own failure.
#include "conversions/dispatch.h"
#include "conversions/modes.h"

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

TEST(Dispatch, no_mode_yet_and_unknown_modes_give_an_empty_output)
{
    for (const int mode : {0, 12, -1}) {
        SCOPED_TRACE(mode);
        for (const Shown& shown : {runDecrypt(Mode(mode), u"abc", {}), runCrypt(Mode(mode), u"abc", {})}) {
            EXPECT_EQ(shown.text, u"");
            EXPECT_FALSE(shown.keepOutput);
        }
    }
}

TEST(Dispatch, a_failure_in_the_handler_keeps_the_output_and_warns)
{
    DispatchContext context;
    context.matrix = []() -> const MatrixDefinition& { throw common::Failure::overflow(); };
    for (const bool crypt : {false, true}) {
        SCOPED_TRACE(crypt);
        const Shown shown = crypt ? runCrypt(Mode::MatrixText, u"AB", context) : runDecrypt(Mode::MatrixText, u"11", context);
        EXPECT_TRUE(shown.keepOutput);
        EXPECT_EQ(shown.failure, (common::Message{common::Icon::Exclamation, u"Fehler aufgetreten: Überlauf"}));
    }
}

// A faulty Ook! pair runs nothing, and a failing program shows only the interpreter's status and description
// (a program that runs is the mode table's sample).
TEST(Dispatch, ook_failures_show_the_translation_or_the_interpreters_status)
{
    struct OokRow {
        const char* name;
        Text ook;
        TextView shown;
        bool ok;
        TextView box = u"";   // the critical box's text, if one is shown
    };
    const OokRow rows[] = {
        {"faulty pair", u"Ook. Ook? Ook? Ook?", u"Fehler bei Zeichen hinter Position 19: Fehlerhafte Folge ''?/?''\r\n>?", false},
        {"program fails", repeated(u"Ook? Ook. ", 500) + u"Ook. Ook. ",
         u"Fehler aufgetreten: Index außerhalb des gültigen Bereichs\r\nIndex außerhalb des gültigen Bereichs", false,
         u"InterpretBrainfuck() - Error Index außerhalb des gültigen Bereichs"},
    };
    for (const OokRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Shown shown = runDecrypt(Mode::Ook, row.ook, {});
        EXPECT_EQ(shown.text, row.shown);
        EXPECT_EQ(shown.ok(), row.ok);
        EXPECT_EQ(shown.failure ? shown.failure->text : Text(), row.box);
    }
}

TEST(Dispatch, an_input_beyond_16_mib_is_refused_before_anything_runs)
{
    EXPECT_FALSE(refuseInput(maxInputSize, InputUnit::Bytes));
    EXPECT_FALSE(refuseInput(maxInputSize, InputUnit::Characters));
    const std::pair<InputUnit, TextView> rows[] = {
        {InputUnit::Bytes, u"Die Eingabe ist größer als 16 MiB (16777216 Bytes); es wurde nichts umgewandelt."},
        {InputUnit::Characters, u"Die Eingabe hat mehr als 16777216 Zeichen; es wurde nichts umgewandelt."},
    };
    for (const auto& [unit, message] : rows) {
        const std::optional<Shown> refused = refuseInput(maxInputSize + 1, unit);
        ASSERT_TRUE(refused);
        EXPECT_TRUE(refused->keepOutput);
        EXPECT_EQ(refused->failure, (common::Message{common::Icon::Exclamation, Text(message)}));
    }
}

// The bound is lowered here so that the output need not be built to its real size.
TEST(Dispatch, an_output_beyond_its_bound_is_refused_and_the_field_kept)
{
    struct Row {
        const char* name;
        Mode mode;
        bool crypt;
        Text input;
        std::size_t shownSize;   // of the output within the bound
    };
    const Row rows[] = {
        {"morse, checked once done", Mode::Morse, true, repeated(u"ß", 100), 800},
        {"letter values, line by line", Mode::LetterValues, false, repeated(u"Z", 100, u"\r\n"), 3682},
        {"letter values, a flood of line breaks", Mode::LetterValues, false, repeated(u"\r\n", 1000), 29184},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DispatchContext context;
        for (const std::size_t bound : {row.shownSize, row.shownSize - 1}) {
            SCOPED_TRACE(bound);
            context.maxOutput = bound;
            const Shown shown = row.crypt ? runCrypt(row.mode, row.input, context) : runDecrypt(row.mode, row.input, context);
            const bool fits = bound == row.shownSize;
            EXPECT_EQ(shown.keepOutput, !fits);
            EXPECT_EQ(shown.text.size(), fits ? row.shownSize : 0);
            if (!fits) {
                EXPECT_EQ(shown.failure, (common::Message{common::Icon::Exclamation,
                                                          u"Die Ausgabe wäre länger als " + decimal(long(bound))
                                                              + u" Zeichen; es wurde nichts umgewandelt."}));
            }
        }
    }
}
