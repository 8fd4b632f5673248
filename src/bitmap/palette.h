// The modulo and threshold functions, the colour table load and the "+" steppers of their values.
#pragma once

#include "bitmap/header_fields.h"
#include "bitmap/picture_model.h"
#include "common/text.h"

#include <cstdint>

namespace quirlwerk::bitmap {

struct TransformSettings {
    std::int32_t modulo = 0;      // on when above 1
    std::int32_t threshold = 0;   // on when above 0
    bool moduloOnIndex = true;
    bool thresholdOnIndex = true;

    bool moduloOn() const { return modulo > 1; }
    bool thresholdOn() const { return threshold > 0; }
};

// A field's text without leading and trailing blanks.
TextView trimBlanks(TextView text);

// A modulo or threshold field: empty gives 0, otherwise its leading number rounded (overflow failure
// beyond 32 bits).
std::int32_t settingValue(TextView text);

// Component v (0..255) of colour table entry e after the colour modulo and then the threshold.
std::int32_t F(std::int32_t v, std::int32_t e, const TransformSettings& settings);

// The "+" buttons. The modulo value never becomes 1: empty, "0" and "1" step to 2. The threshold
// counts on from its value (empty is 0). Both wrap from 255 or more to 0.
std::int32_t nextModulo(TextView text);
std::int32_t nextThreshold(TextView text);

// The colour table window's rules. A typed or pasted component above 255 is cut to 255.
std::int32_t editedComponent(std::int32_t typed);
// The colour of an entry's cell in the grid: as drawn, except that an all-zero entry is painted as red 1.
Colour cellColour(const FarbEintrag& entry);

} // namespace quirlwerk::bitmap
