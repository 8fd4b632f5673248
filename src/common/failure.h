// Run-time failures of the program, with the German description the user is shown.
#pragma once

#include "common/text.h"

#include <exception>

namespace quirlwerk::common {

class Failure : public std::exception {
public:
    explicit Failure(Text description) : m_description(std::move(description)) {}

    static Failure overflow() { return Failure(u"Überlauf"); }
    static Failure indexOutOfRange() { return Failure(u"Index außerhalb des gültigen Bereichs"); }
    static Failure typeMismatch() { return Failure(u"Typen unverträglich"); }

    const Text& description() const { return m_description; }
    const char* what() const noexcept override { return "quirlwerk failure"; }

private:
    Text m_description;
};

// The description of any failure, in German.
Text describe(const std::exception& failure);

} // namespace quirlwerk::common
