#include "loans/formulas/LoanFormulas.h"

#include "loans/formulas/Extended.h"

#include <cmath>

namespace loans {

using extended::checked;
using extended::store;

double discountFactor(std::int32_t TotalNumPay, std::int32_t NumPayPerYr, double rate) {
    FloatError::clearFlags();
    const long double r = checked(static_cast<long double>(rate) / 100 / NumPayPerYr);
    const long double q = checked(1 + r);
    const long double lnQ = checked(logl(q));
    const long double power = checked(-static_cast<long double>(TotalNumPay) * lnQ);
    return store(expl(power));
}

double LoanPayment(std::int32_t TotalNumPay, std::int32_t NumPayPerYr, double Principal,
                   double InterestRate) {
    const double Temp = discountFactor(TotalNumPay, NumPayPerYr, InterestRate);
    const long double a =
        checked(static_cast<long double>(Principal) * InterestRate / 100 / NumPayPerYr);
    return store(a / (1 - static_cast<long double>(Temp)));
}

double LPrincipal(std::int32_t TotalNumPay, std::int32_t NumPayPerYr, double Payment,
                  double IntRate) {
    const double Temp = discountFactor(TotalNumPay, NumPayPerYr, IntRate);
    const long double v = checked(static_cast<long double>(NumPayPerYr) * Payment * 100 / IntRate);
    return store(v * (1 - static_cast<long double>(Temp)));
}

double roundToCents(double value) {
    FloatError::clearFlags();
    return extended::roundToCents(value);
}

} // namespace loans
