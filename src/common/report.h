// How the core speaks to the user while it works: messages, questions, and a chance to repaint.
#pragma once

#include "common/text.h"

namespace quirlwerk::common {

enum class Icon { None, Critical, Exclamation, Question, Information };

struct Message {
    Icon icon = Icon::None;
    Text text;
    Text title = u"Quirlwerk";

    bool operator==(const Message&) const = default;
};

// The window answers with message boxes, quirlwerk-cli with lines on stderr, tests with a recorder.
class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void show(const Message& message) = 0;
    virtual bool askYesNo(const Message& question) = 0;
    virtual void yield() {}   // long runs call this so the window can repaint
};

// The icon's name as quirlwerk-cli writes it: critical, exclamation, question, information.
const char* iconName(Icon icon);

} // namespace quirlwerk::common
