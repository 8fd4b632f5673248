// The help window's pages: a title and lines for the general topic (0) and for each mode (1 to 11).
#pragma once

#include "common/text.h"
#include "conversions/modes.h"

#include <optional>
#include <vector>

namespace quirlwerk::ui {

// The general page, then one page per mode.
inline constexpr int helpTopicCount = 1 + static_cast<int>(conversions::modeTable.size());

struct HelpPage {
    Text title;
    std::vector<Text> lines;

    // The lines joined by CR LF, without a line break at the end.
    Text text() const;
};

// The page of a topic; nothing for a topic outside 0 to 11.
std::optional<HelpPage> helpPage(int topic);

} // namespace quirlwerk::ui
