#pragma once

#include <cstdint>

// The level-payment (annuity) loan. Rates are nominal annual rates in per
// cent; every intermediate value is carried in extended precision and only the
// discount factor and the result are stored as doubles. A step that is
// undefined throws loans::FloatError and no result is produced.
namespace loans {

// The payment per period that repays Principal in TotalNumPay payments.
double LoanPayment(std::int32_t TotalNumPay, std::int32_t NumPayPerYr, double Principal,
                   double InterestRate);

// The principal that TotalNumPay payments of Payment repay.
double LPrincipal(std::int32_t TotalNumPay, std::int32_t NumPayPerYr, double Payment,
                  double IntRate);

// The discount factor (1 + r)^-TotalNumPay with r = rate / 100 / NumPayPerYr,
// formed as exp(-n ln(1 + r)) and stored as a double; both formulas use it.
double discountFactor(std::int32_t TotalNumPay, std::int32_t NumPayPerYr, double rate);

// Rounds to the cent: the exact extended product value * 100 goes to the
// nearest 64-bit integer, ties to even, and that integer / 100 is stored.
// A product outside the 64-bit range is an invalid operation.
double roundToCents(double value);

} // namespace loans
