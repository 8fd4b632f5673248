// The two direction buttons: which routine each mode runs, and the text the output field then shows.
#pragma once

#include "conversions/brainfuck.h"
#include "conversions/conversion.h"
#include "conversions/matrix_definition.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace quirlwerk::conversions {

enum class Mode : std::int32_t;   // conversions/modes.h

// Far beyond any puzzle, well before the memory runs out. The input is measured as the front end holds it:
// bytes of UTF-8 on the CLI's stdin, characters in the window's input field.
inline constexpr std::size_t maxInputSize = std::size_t{16} << 20;

// What a run may need beyond the input text.
struct DispatchContext {
    // Mode 8 reads the matrix definition; the window creates its definition on first need.
    std::function<const MatrixDefinition&()> matrix;
    std::int64_t maxSteps = defaultMaxSteps;
    std::size_t maxOutput = maxOutputSize;   // characters of the output field
};

// What the front end does after a click.
struct Shown {
    Text text;                              // the whole new content of the output field
    std::optional<Text> status;             // empty for conversions without a status (modes 1 and 2)
    std::optional<common::Message> failure; // shown before the output is written
    bool keepOutput = false;                // the handler itself failed: leave the output field as it was

    bool ok() const { return !status || *status == statusOk; }
};

// The text to show for a routine's result: the output, or the status, CR LF and the output.
Text compose(const Conversion& result);

enum class InputUnit { Bytes, Characters };

// An input larger than maxInputSize is refused before anything is converted: a warning, the output field kept.
std::optional<Shown> refuseInput(std::size_t size, InputUnit unit);

// A mode without the button, or Mode::None, gives an empty output.
Shown runDecrypt(Mode mode, Text input, const DispatchContext& context);
Shown runCrypt(Mode mode, Text input, const DispatchContext& context);

} // namespace quirlwerk::conversions
