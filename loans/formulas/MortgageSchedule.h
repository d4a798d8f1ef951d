#pragma once

#include <cstdint>
#include <functional>

namespace loans {

// One period of a repayment schedule, as it stands after the period.
struct MortgagePeriod {
    std::int32_t PayNumber = 0;
    double Interest = 0;
    double Payment = 0;
    double Amortized = 0;
    double Balance = 0;
};

struct MortgageSummary {
    double Payment = 0;     // the regular monthly payment, rounded to cents
    double LastPayment = 0; // the payment of the final period
    double TotalPayments = 0;
    long double TotalInterest = 0; // TotalPayments - Principal, not rounded to a double
    std::int32_t Periods = 0;      // periods the schedule ran
};

using MortgagePeriodObserver = std::function<void(const MortgagePeriod &)>;

// Runs the monthly repayment schedule of a loan: the payment from LoanPayment
// rounded to cents, each period's interest rounded to cents, the final period
// paying off the balance. Floating-point faults throw loans::FloatError (a
// count of 0 divides by zero in LoanPayment); a negative count, which has no
// schedule, throws std::domain_error.
MortgageSummary runMortgageSchedule(double Principal, double InterestRate, std::int32_t TotalNumber,
                                    const MortgagePeriodObserver &observer = {});

} // namespace loans
