// A reporter for the core's tests: records every box and busy change, and answers each question alike.
#pragma once

#include "common/report.h"

#include <vector>

namespace quirlwerk::testing {

struct RecordingReporter final : common::Reporter {
    std::vector<common::Message> messages;
    std::vector<bool> busy;
    bool answer = true;
    void show(const common::Message& message) override { messages.push_back(message); }
    bool askYesNo(const common::Message& question) override { return messages.push_back(question), answer; }
    void setBusy(bool on) override { busy.push_back(on); }
};

} // namespace quirlwerk::testing
