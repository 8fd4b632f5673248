// The dispatch: the composition rule, mode 3's composition, a handler's own failure, the input and output bounds.
#include "conversions/dispatch.h"
#include "conversions/modes.h"

#include "common/failure.h"
#include "conversions/conversion_testing.h"

using namespace quirlwerk::conversions::testing;

static auto warning = [](Text text) { return common::Message{common::Icon::Exclamation, std::move(text)}; };

TEST(Compose, shows_status_and_a_line_break_above_the_output_unless_exactly_ok)
{
    for (const TextView status : {u"OK", u"ok", u"OK ", u"", u"Fehler"}) {
        const Text shown = compose(Conversion{.output = u"result", .status = Text(status), .failure = {}});
        EXPECT_EQ(shown, status == u"OK" ? Text(u"result") : Text(status) + u"\r\nresult");
    }
}

TEST(Dispatch, a_failure_in_the_handler_keeps_the_output_and_warns)
{
    DispatchContext context;
    context.matrix = []() -> const MatrixDefinition& { throw common::Failure::overflow(); };
    for (const Shown& shown : {runCrypt(Mode::MatrixText, u"AB", context), runDecrypt(Mode::MatrixText, u"11", context)})
        EXPECT_TRUE(shown.keepOutput && shown.failure == warning(u"Fehler aufgetreten: Überlauf"));
}

// A faulty Ook! pair runs nothing; a failing program shows only the interpreter's status and description.
TEST(Dispatch, ook_shows_the_translations_failure_the_interpreters_status_or_both_results)
{
    const Shown faulty = runDecrypt(Mode::Ook, u"Ook. Ook? Ook? Ook? Ook! Ook.", {});
    EXPECT_EQ(faulty.text, u"Fehler bei Zeichen hinter Position 19: Fehlerhafte Folge ''?/?''\r\n>?.");
    EXPECT_TRUE(!faulty.ok() && !faulty.failure);
    const Shown failing = runDecrypt(Mode::Ook, repeated(u"Ook? Ook. ", 500) + u"Ook. Ook. ", {});
    EXPECT_EQ(failing.text, u"Fehler aufgetreten: Index außerhalb des gültigen Bereichs\r\nIndex außerhalb des gültigen Bereichs");
    EXPECT_EQ(failing.failure.value_or(common::Message{}).text, u"InterpretBrainfuck() - Error Index außerhalb des gültigen Bereichs");
    EXPECT_EQ(runDecrypt(Mode::Ook, u"Ook. Ook. Ook! Ook.", {}).text,
              u"Ausgabe als Dezimalzahlen: \r\n1\r\n\r\nAusgabe als Text: \r\n\r\n\r\nBrainfuck-Syntax:\r\n+.");
}

TEST(Dispatch, an_input_beyond_16_mib_is_refused_before_anything_runs)
{
    EXPECT_FALSE(refuseInput(maxInputSize, InputUnit::Bytes) || refuseInput(maxInputSize, InputUnit::Characters));
    const Shown bytes = refuseInput(maxInputSize + 1, InputUnit::Bytes).value_or(Shown{});
    const Shown characters = refuseInput(maxInputSize + 1, InputUnit::Characters).value_or(Shown{});
    EXPECT_TRUE(bytes.keepOutput && characters.keepOutput);
    EXPECT_EQ(bytes.failure, warning(u"Die Eingabe ist größer als 16 MiB (16777216 Bytes); es wurde nichts umgewandelt."));
    EXPECT_EQ(characters.failure, warning(u"Die Eingabe hat mehr als 16777216 Zeichen; es wurde nichts umgewandelt."));
}

// The bound is lowered here so that the output need not be built to its real size; each row at and just past it:
// Morse checked once done, letter values line by line and before a flood of line breaks.
TEST(Dispatch, an_output_beyond_its_bound_is_refused_and_the_field_kept)
{
    const std::tuple<Mode, Text, std::size_t> rows[] = {
        {Mode::Morse, repeated(u"ß", 100), 800},
        {Mode::LetterValues, repeated(u"Z", 100, u"\r\n"), 3682},
        {Mode::LetterValues, repeated(u"\r\n", 1000), 29184},
    };
    for (const auto& [mode, input, size] : rows) {
        for (const std::size_t bound : {size, size - 1}) {
            const Shown shown = (mode == Mode::Morse ? runCrypt : runDecrypt)(mode, input, {.matrix = {}, .maxSteps = defaultMaxSteps, .maxOutput = bound});
            EXPECT_EQ(shown.keepOutput, bound < size) << bound;
            EXPECT_EQ(shown.text.size(), bound < size ? 0 : size) << bound;
            EXPECT_EQ(shown.failure, bound == size ? std::nullopt : std::optional(warning(
                u"Die Ausgabe wäre länger als " + decimal(long(bound)) + u" Zeichen; es wurde nichts umgewandelt.")));
        }
    }
}
