#pragma once

#include <exception>

namespace loans {

// A floating-point fault of a calculation: an invalid operation, a division by
// zero or an overflow. Underflow and inexact results are not faults.
class FloatError : public std::exception {
public:
    enum Kind { InvalidOperation, DivisionByZero, Overflow };

    explicit FloatError(Kind kind)
        : m_kind(kind) {}

    Kind kind() const noexcept { return m_kind; }
    const char *what() const noexcept override;

    // Clears the sticky exception flags before a calculation starts.
    static void clearFlags() noexcept;
    // Throws for the first fault the flags record (invalid, then division by
    // zero, then overflow); does nothing when none is set.
    static void throwIfRaised();

private:
    Kind m_kind;
};

} // namespace loans
