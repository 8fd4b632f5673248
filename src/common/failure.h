// Run-time failures of the program, with the German description the user is shown and the error number
// some messages quote.
#pragma once

#include "common/text.h"

#include <exception>

namespace quirlwerk::common {

class Failure : public std::exception {
public:
    // What went wrong; each kind has its number and description in one table (failure.cpp).
    enum class Kind { Other, Overflow, OutOfMemory, IndexOutOfRange, TypeMismatch };

    explicit Failure(Kind kind);
    // A failure described in its own words (files, devices); its kind is Other.
    explicit Failure(Text description) : m_kind(Kind::Other), m_description(std::move(description)) {}

    static Failure overflow() { return Failure(Kind::Overflow); }
    static Failure indexOutOfRange() { return Failure(Kind::IndexOutOfRange); }
    static Failure typeMismatch() { return Failure(Kind::TypeMismatch); }

    Kind kind() const { return m_kind; }
    const Text& description() const { return m_description; }
    const char* what() const noexcept override { return "quirlwerk failure"; }

private:
    Kind m_kind;
    Text m_description;
};

// The kind of any failure: the program's own carry theirs, the standard library's are mapped.
Failure::Kind kindOf(const std::exception& failure);

// The error number of a failure's kind, as the grid routines quote it.
int errorNumber(const std::exception& failure);

// The description of any failure, in German.
Text describe(const std::exception& failure);

} // namespace quirlwerk::common
