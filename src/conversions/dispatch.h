// The two direction buttons: which routine each mode runs, and the text the output field then shows.
#pragma once

#include "conversions/brainfuck.h"
#include "conversions/conversion.h"
#include "conversions/matrix_definition.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace quirlwerk::conversions {

// What a run may need beyond the input text.
struct DispatchContext {
    // Mode 8 reads the matrix definition; the window creates its definition on first need.
    std::function<const MatrixDefinition&()> matrix;
    std::int64_t maxSteps = defaultMaxSteps;
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

// The mode's own directions; modes without a second direction (and 5, 11, 0) give an empty output.
bool hasCrypt(int mode);
bool hasDecrypt(int mode);

Shown runDecrypt(int mode, Text input, const DispatchContext& context);
Shown runCrypt(int mode, Text input, const DispatchContext& context);

} // namespace quirlwerk::conversions
