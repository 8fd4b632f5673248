// Names of the message icons for plain-text front ends.
#include "common/report.h"

namespace quirlwerk::common {

const char* iconName(Icon icon)
{
    switch (icon) {
    case Icon::Critical: return "critical";
    case Icon::Exclamation: return "exclamation";
    case Icon::Question: return "question";
    case Icon::Information: return "information";
    case Icon::None: break;
    }
    return "none";
}

} // namespace quirlwerk::common
