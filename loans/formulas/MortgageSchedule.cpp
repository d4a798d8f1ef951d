#include "loans/formulas/MortgageSchedule.h"

#include "loans/formulas/Extended.h"
#include "loans/formulas/LoanFormulas.h"

#include <stdexcept>

namespace loans {

using extended::checked;
using extended::store;

MortgageSummary runMortgageSchedule(double Principal, double InterestRate, std::int32_t TotalNumber,
                                    const MortgagePeriodObserver &observer) {
    // No payments at all fails in the formula itself, with its floating-point
    // error; only a negative count gets this far without a schedule.
    double Payment = roundToCents(LoanPayment(TotalNumber, 12, Principal, InterestRate));
    if (TotalNumber < 1)
        throw std::domain_error("a repayment schedule needs at least one payment");
    const double regularPayment = Payment;
    double Balance = Principal;
    double TotalPayments = 0;
    double LastPayment = 0;
    std::int32_t PayNumber = 0;
    do {
        ++PayNumber;
        double Interest = store(static_cast<long double>(InterestRate) / 12 * Balance / 100);
        Interest = extended::roundToCents(Interest);
        if (PayNumber == TotalNumber)
            Payment = store(static_cast<long double>(Balance) + Interest);
        LastPayment = Payment;
        double Amortized = store(static_cast<long double>(Payment) - Interest);
        Balance = store(static_cast<long double>(Balance) - Amortized);
        if (Balance < 0) {
            Payment = store(static_cast<long double>(Payment) + Balance);
            LastPayment = Payment;
            Amortized = store(static_cast<long double>(Amortized) + Balance);
            Balance = 0;
        }
        TotalPayments = store(static_cast<long double>(TotalPayments) + Payment);
        if (observer)
            observer({PayNumber, Interest, Payment, Amortized, Balance});
    } while (PayNumber != TotalNumber && Balance != 0);

    MortgageSummary summary;
    summary.Payment = regularPayment;
    summary.LastPayment = LastPayment;
    summary.TotalPayments = TotalPayments;
    summary.TotalInterest = checked(static_cast<long double>(TotalPayments) - Principal);
    summary.Periods = PayNumber;
    return summary;
}

} // namespace loans
