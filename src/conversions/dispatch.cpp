// Dispatch of the direction buttons over the conversion modes.
#include "conversions/dispatch.h"

#include "common/failure.h"
#include "conversions/ascii.h"
#include "conversions/bit_string.h"
#include "conversions/geocode.h"
#include "conversions/letter_values.h"
#include "conversions/matrix.h"
#include "conversions/morse.h"
#include "conversions/ook.h"
#include "conversions/word_lengths.h"

namespace quirlwerk::conversions {
namespace {

Shown fromRoutine(Conversion result)
{
    Shown shown;
    shown.text = compose(result);
    shown.status = std::move(result.status);
    shown.failure = std::move(result.failure);
    return shown;
}

Shown withoutStatus(Text text)
{
    Shown shown;
    shown.text = std::move(text);
    return shown;
}

// Ook! is translated first; only a clean translation is run, and the program is shown below its report.
Shown runOok(Text input, const DispatchContext& context)
{
    Conversion translation = Ook2Brainfuck(std::move(input));
    if (!translation.ok())
        return fromRoutine(std::move(translation));
    Conversion run = InterpretBrainfuck(translation.output, context.maxSteps);
    if (!run.ok())
        return fromRoutine(std::move(run));
    Shown shown = fromRoutine(std::move(run));
    shown.text += Text(crlf) + Text(crlf) + u"Brainfuck-Syntax:" + Text(crlf) + translation.output;
    return shown;
}

// Without a window behind it, the matrix is the initial definition.
template <typename Routine>
Conversion withMatrix(const DispatchContext& context, Routine routine)
{
    if (context.matrix)
        return routine(context.matrix());
    const MatrixDefinition initial;
    return routine(initial);
}

// A failure that escapes a routine stops the handler: the output field keeps what it had.
template <typename Run>
Shown trapped(Run run)
{
    try {
        return run();
    } catch (const std::exception& failure) {
        Shown shown;
        shown.keepOutput = true;
        shown.failure = common::Message{common::Icon::Exclamation, u"Fehler aufgetreten: " + common::describe(failure)};
        return shown;
    }
}

} // namespace

Text compose(const Conversion& result)
{
    if (result.ok())
        return result.output;
    return result.status + Text(crlf) + result.output;
}

bool hasDecrypt(int mode)
{
    return mode >= 1 && mode <= 10 && mode != 5;
}

bool hasCrypt(int mode)
{
    return mode == 2 || mode == 8 || mode == 9 || mode == 10;
}

Shown runDecrypt(int mode, Text input, const DispatchContext& context)
{
    return trapped([&]() -> Shown {
        switch (mode) {
        case 1: return withoutStatus(geoCode(input));
        case 2: return withoutStatus(codesToText(input));
        case 3: return runOok(std::move(input), context);
        case 4: return fromRoutine(InterpretBrainfuck(std::move(input), context.maxSteps));
        case 6: return fromRoutine(ZaehleBuchstaben(std::move(input)));
        case 7: return fromRoutine(Convert01toHex(std::move(input)));
        case 8: return fromRoutine(withMatrix(context, [&](const MatrixDefinition& m) { return MatrixText(std::move(input), m); }));
        case 9: return fromRoutine(MorseText(std::move(input)));
        case 10: return fromRoutine(Buchstabe2Zahl(std::move(input)));
        default: return withoutStatus({});
        }
    });
}

Shown runCrypt(int mode, Text input, const DispatchContext& context)
{
    return trapped([&]() -> Shown {
        switch (mode) {
        case 2: return withoutStatus(textToCodes(input));
        case 8: return fromRoutine(withMatrix(context, [&](const MatrixDefinition& m) { return TextMatrix(std::move(input), m); }));
        case 9: return fromRoutine(TextMorse(std::move(input)));
        case 10: return fromRoutine(Zahl2Buchstabe(std::move(input)));
        default: return withoutStatus({});
        }
    });
}

} // namespace quirlwerk::conversions
