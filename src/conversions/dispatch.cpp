// Dispatch of the direction buttons over the mode table, with the bounds of input and output.
#include "conversions/dispatch.h"

#include "common/failure.h"
#include "conversions/ascii.h"
#include "conversions/bit_string.h"
#include "conversions/geocode.h"
#include "conversions/letter_values.h"
#include "conversions/matrix.h"
#include "conversions/modes.h"
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

// Nothing is converted: a warning, and the output field keeps what it had.
Shown refused(Text message)
{
    Shown shown;
    shown.keepOutput = true;
    shown.failure = common::Message{common::Icon::Exclamation, std::move(message)};
    return shown;
}

Shown outputTooLarge(std::size_t maxOutput)
{
    return refused(u"Die Ausgabe wäre länger als " + decimal(static_cast<long long>(maxOutput))
                   + u" Zeichen; es wurde nichts umgewandelt.");
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
Shown run(Direction direction, Text input, const DispatchContext& context)
{
    if (!direction)
        return withoutStatus({});
    try {
        Shown shown = direction(std::move(input), context);
        if (shown.text.size() > context.maxOutput)
            return outputTooLarge(context.maxOutput);
        return shown;
    } catch (const OutputTooLarge&) {
        return outputTooLarge(context.maxOutput);
    } catch (const std::exception& failure) {
        return refused(u"Fehler aufgetreten: " + common::describe(failure));
    }
}

} // namespace

Text compose(const Conversion& result)
{
    if (result.ok())
        return result.output;
    return result.status + Text(crlf) + result.output;
}

std::optional<Shown> refuseInput(std::size_t size, InputUnit unit)
{
    if (size <= maxInputSize)
        return std::nullopt;
    const Text bound = decimal(static_cast<long long>(maxInputSize));
    return refused(unit == InputUnit::Bytes
                       ? u"Die Eingabe ist größer als 16 MiB (" + bound + u" Bytes); es wurde nichts umgewandelt."
                       : u"Die Eingabe hat mehr als " + bound + u" Zeichen; es wurde nichts umgewandelt.");
}

Shown runDecrypt(Mode mode, Text input, const DispatchContext& context)
{
    const ModeRow* row = findMode(mode);
    return run(row ? row->decrypt : nullptr, std::move(input), context);
}

Shown runCrypt(Mode mode, Text input, const DispatchContext& context)
{
    const ModeRow* row = findMode(mode);
    return run(row ? row->crypt : nullptr, std::move(input), context);
}

namespace directions {

Shown geoCode(Text input, const DispatchContext&)
{
    return withoutStatus(conversions::geoCode(input));
}

Shown codesToText(Text input, const DispatchContext&)
{
    return withoutStatus(conversions::codesToText(input));
}

Shown textToCodes(Text input, const DispatchContext&)
{
    return withoutStatus(conversions::textToCodes(input));
}

// Ook! is translated first; only a clean translation is run, and the program is shown below its report.
Shown ook(Text input, const DispatchContext& context)
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

Shown brainfuck(Text input, const DispatchContext& context)
{
    return fromRoutine(InterpretBrainfuck(std::move(input), context.maxSteps));
}

Shown wordLengths(Text input, const DispatchContext&)
{
    return fromRoutine(ZaehleBuchstaben(std::move(input)));
}

Shown bitString(Text input, const DispatchContext&)
{
    return fromRoutine(Convert01toHex(std::move(input)));
}

Shown matrixText(Text input, const DispatchContext& context)
{
    return fromRoutine(withMatrix(context, [&](const MatrixDefinition& m) { return MatrixText(std::move(input), m); }));
}

Shown textMatrix(Text input, const DispatchContext& context)
{
    return fromRoutine(withMatrix(context, [&](const MatrixDefinition& m) { return TextMatrix(std::move(input), m); }));
}

Shown morseText(Text input, const DispatchContext&)
{
    return fromRoutine(MorseText(std::move(input)));
}

Shown textMorse(Text input, const DispatchContext&)
{
    return fromRoutine(TextMorse(std::move(input)));
}

Shown lettersToNumbers(Text input, const DispatchContext& context)
{
    return fromRoutine(Buchstabe2Zahl(std::move(input), context.maxOutput));
}

Shown numbersToLetters(Text input, const DispatchContext&)
{
    return fromRoutine(Zahl2Buchstabe(std::move(input)));
}

} // namespace directions
} // namespace quirlwerk::conversions
