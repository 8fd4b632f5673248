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
    // true while a long run works on its files; the window shows its wait cursor. Use BusyScope.
    virtual void setBusy(bool busy) { (void)busy; }
};

// The busy pointer for one scope: reset on every path out of it, failures included.
class BusyScope {
public:
    explicit BusyScope(Reporter& reporter) : m_reporter(reporter) { m_reporter.setBusy(true); }
    ~BusyScope() { m_reporter.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Reporter& m_reporter;
};

// The icon's name as quirlwerk-cli writes it: critical, exclamation, question, information.
const char* iconName(Icon icon);

} // namespace quirlwerk::common
