#include "loans/formulas/FloatError.h"

#include <cfenv>

namespace loans {

const char *FloatError::what() const noexcept {
    switch (m_kind) {
    case InvalidOperation:
        return "Invalid floating point operation";
    case DivisionByZero:
        return "Floating point division by zero";
    case Overflow:
        return "Floating point overflow";
    }
    return "Invalid floating point operation";
}

void FloatError::clearFlags() noexcept {
    std::feclearexcept(FE_ALL_EXCEPT);
}

void FloatError::throwIfRaised() {
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (raised == 0)
        return;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (raised & FE_INVALID)
        throw FloatError(InvalidOperation);
    if (raised & FE_DIVBYZERO)
        throw FloatError(DivisionByZero);
    throw FloatError(Overflow);
}

} // namespace loans
