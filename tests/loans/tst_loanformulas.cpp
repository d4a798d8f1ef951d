#include "loans/formulas/FloatError.h"
#include "loans/formulas/LoanFormulas.h"
#include "loans/formulas/MortgageSchedule.h"

#include <QtTest>

#include <cfenv>
#include <stdexcept>

using loans::FloatError;

namespace {

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

enum Formula { Payment, Principal };

double call(Formula formula, int n, int m, double amount, double rate) {
    return formula == Payment ? loans::LoanPayment(n, m, amount, rate)
                              : loans::LPrincipal(n, m, amount, rate);
}

struct Row {
    double interest, payment, amortized, balance;
};

} // namespace

class TestLoanFormulas : public QObject {
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void faults_data();
    void faults();
    void staleFlagsDoNotLeak();
    void noFaultCases();
    void centRounding_data();
    void centRounding();
    void centRoundingOutsideIntegerRange();
    void scheduleWorkedExample();
    void scheduleSummaries_data();
    void scheduleSummaries();
    void zeroPaymentLeavesBalanceUntilLastPeriod();
    void firstInterestOnPrincipalAsEntered();
    void scheduleRefusesCountBelowOne();
};

void TestLoanFormulas::workedExamples_data() {
    QTest::addColumn<int>("formula");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("temp");
    QTest::addColumn<QString>("result");
    QTest::newRow("payment 10000 6% 12") << int(Payment) << 12 << 10000.0 << 6.0 << "0.941905339666"
                                         << "860.664297";
    QTest::newRow("payment 200000 6.5% 360")
        << int(Payment) << 360 << 200000.0 << 6.5 << "0.143024727508"
        << "1264.136047";
    QTest::newRow("payment 100 6% 1") << int(Payment) << 1 << 100.0 << 6.0 << "0.995024875622"
                                      << "100.500000";
    QTest::newRow("principal 860.66 6% 12")
        << int(Principal) << 12 << 860.66 << 6.0 << "0.941905339666"
        << "9999.950073";
    QTest::newRow("principal 1264.14 6.5% 360")
        << int(Principal) << 360 << 1264.14 << 6.5 << "0.143024727508"
        << "200000.625410";
}

void TestLoanFormulas::workedExamples() {
    QFETCH(int, formula);
    QFETCH(int, n);
    QFETCH(double, amount);
    QFETCH(double, rate);
    QFETCH(QString, temp);
    QFETCH(QString, result);
    QCOMPARE(fixed(loans::discountFactor(n, 12, rate), 12), temp);
    QCOMPARE(fixed(call(Formula(formula), n, 12, amount, rate), 6), result);
}

void TestLoanFormulas::faults_data() {
    QTest::addColumn<int>("formula");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    const int invalid = FloatError::InvalidOperation;
    const int byZero = FloatError::DivisionByZero;
    const int overflow = FloatError::Overflow;
    const QString invalidText = QStringLiteral("Invalid floating point operation");
    const QString byZeroText = QStringLiteral("Floating point division by zero");
    const QString overflowText = QStringLiteral("Floating point overflow");

    QTest::newRow("payment, rate 0")
        << int(Payment) << 12 << 10000.0 << 0.0 << invalid << invalidText;
    QTest::newRow("payment, rate 0, principal 0")
        << int(Payment) << 12 << 0.0 << 0.0 << invalid << invalidText;
    QTest::newRow("payment, no payments")
        << int(Payment) << 0 << 10000.0 << 6.0 << byZero << byZeroText;
    QTest::newRow("payment, no payments, principal 0")
        << int(Payment) << 0 << 0.0 << 6.0 << invalid << invalidText;
    QTest::newRow("payment, rate below -1200")
        << int(Payment) << 12 << 100.0 << -1300.0 << invalid << invalidText;
    QTest::newRow("payment, rate -1200")
        << int(Payment) << 12 << 100.0 << -1200.0 << byZero << byZeroText;
    QTest::newRow("payment beyond double range")
        << int(Payment) << 12 << 1e308 << 1e10 << overflow << overflowText;
    QTest::newRow("discount factor beyond double range")
        << int(Payment) << 360 << 100.0 << -1199.0 << overflow << overflowText;
    QTest::newRow("principal, rate 0")
        << int(Principal) << 12 << 860.66 << 0.0 << byZero << byZeroText;
    QTest::newRow("principal, rate 0, payment 0")
        << int(Principal) << 12 << 0.0 << 0.0 << invalid << invalidText;
    QTest::newRow("principal, rate below -1200")
        << int(Principal) << 12 << 100.0 << -2000.0 << invalid << invalidText;
    QTest::newRow("principal, rate -1200")
        << int(Principal) << 12 << 100.0 << -1200.0 << byZero << byZeroText;
    QTest::newRow("principal beyond double range")
        << int(Principal) << 12 << 1e308 << 6.0 << overflow << overflowText;
}

void TestLoanFormulas::faults() {
    QFETCH(int, formula);
    QFETCH(int, n);
    QFETCH(double, amount);
    QFETCH(double, rate);
    QFETCH(int, kind);
    QFETCH(QString, message);
    try {
        const double result = call(Formula(formula), n, 12, amount, rate);
        QFAIL(qPrintable(QStringLiteral("no fault, result %1").arg(result)));
    } catch (const FloatError &error) {
        QCOMPARE(int(error.kind()), kind);
        QCOMPARE(QString::fromLatin1(error.what()), message);
    }
}

void TestLoanFormulas::staleFlagsDoNotLeak() {
    std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    QCOMPARE(fixed(loans::LoanPayment(12, 12, 10000, 6), 6), QStringLiteral("860.664297"));
    std::feraiseexcept(FE_INVALID);
    QCOMPARE(loans::roundToCents(0.125), 0.12);
}

void TestLoanFormulas::noFaultCases() {
    QCOMPARE(loans::LoanPayment(12, 12, 0, 6), 0.0);
    QCOMPARE(loans::LPrincipal(0, 12, 860.66, 6), 0.0);
    // A negative count turns the sign of the result.
    QVERIFY(loans::LoanPayment(-12, 12, 10000, 6) < 0);
    QVERIFY(loans::LPrincipal(-12, 12, 860.66, 6) < 0);
    // A negative rate above -1200 % is an ordinary rate: less than principal / n.
    const double payment = loans::LoanPayment(12, 12, 12000, -6);
    QVERIFY(payment > 900 && payment < 1000);
    // Underflow of the discount factor passes silently.
    QCOMPARE(loans::discountFactor(2000000000, 12, 50), 0.0);
    QCOMPARE(loans::LoanPayment(2000000000, 12, 1200, 50), 50.0);
}

void TestLoanFormulas::centRounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("cents");
    QTest::newRow("tie goes down to even") << 0.125 << 0.12;
    QTest::newRow("tie goes up to even") << 0.375 << 0.38;
    QTest::newRow("negative tie") << -0.125 << -0.12;
    QTest::newRow("formula's 12.6249999") << 12.624999999999989 << 12.62;
    QTest::newRow("just above 50.005") << 10001.0 * 0.5 / 100 << 50.01;
    // The double nearest each of these times 100 rounds to a tie as a double;
    // the exact product decides.
    QTest::newRow("0.015 lies below") << 0.015 << 0.01;
    QTest::newRow("0.025 lies above") << 0.025 << 0.03;
    QTest::newRow("0.065 lies above") << 0.065 << 0.07;
    QTest::newRow("0.075 lies below") << 0.075 << 0.07;
    QTest::newRow("large") << 12345678901.234 << 12345678901.23;
    QTest::newRow("zero") << 0.0 << 0.0;
}

void TestLoanFormulas::centRounding() {
    QFETCH(double, value);
    QFETCH(double, cents);
    QCOMPARE(loans::roundToCents(value), cents);
}

void TestLoanFormulas::centRoundingOutsideIntegerRange() {
    QCOMPARE(loans::roundToCents(9.2e16), 9.2e16);
    try {
        loans::roundToCents(9.3e16);
        QFAIL("no fault");
    } catch (const FloatError &error) {
        QCOMPARE(error.kind(), FloatError::InvalidOperation);
    }
}

void TestLoanFormulas::scheduleWorkedExample() {
    const Row table[12] = {
        {50.00, 860.66, 810.66, 9189.34}, {45.95, 860.66, 814.71, 8374.63},
        {41.87, 860.66, 818.79, 7555.84}, {37.78, 860.66, 822.88, 6732.96},
        {33.66, 860.66, 827.00, 5905.96}, {29.53, 860.66, 831.13, 5074.83},
        {25.37, 860.66, 835.29, 4239.54}, {21.20, 860.66, 839.46, 3400.08},
        {17.00, 860.66, 843.66, 2556.42}, {12.78, 860.66, 847.88, 1708.54},
        {8.54, 860.66, 852.12, 856.42},   {4.28, 860.70, 856.42, 0.00},
    };
    QList<loans::MortgagePeriod> periods;
    const auto summary = loans::runMortgageSchedule(
        10000, 6, 12, [&](const loans::MortgagePeriod &period) { periods << period; });
    QCOMPARE(periods.size(), 12);
    for (int i = 0; i < 12; ++i) {
        const auto &period = periods[i];
        QCOMPARE(period.PayNumber, i + 1);
        QCOMPARE(fixed(period.Interest, 2), fixed(table[i].interest, 2));
        QCOMPARE(period.Interest, table[i].interest); // cent-rounded: the nearest double
        QCOMPARE(fixed(period.Payment, 2), fixed(table[i].payment, 2));
        QCOMPARE(fixed(period.Amortized, 2), fixed(table[i].amortized, 2));
        QCOMPARE(fixed(period.Balance, 2), fixed(table[i].balance, 2));
    }
    QCOMPARE(periods.last().Balance, 0.0);
    QCOMPARE(summary.Payment, 860.66);
    QCOMPARE(summary.LastPayment, periods.last().Payment);
    QCOMPARE(fixed(summary.TotalPayments, 2), QStringLiteral("10327.96"));
    QCOMPARE(fixed(double(summary.TotalInterest), 2), QStringLiteral("327.96"));
}

void TestLoanFormulas::scheduleSummaries_data() {
    QTest::addColumn<double>("principal");
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("interest");
    QTest::addColumn<int>("periods");
    QTest::newRow("200000 at 6.5%, 360") << 200000.0 << 6.5 << 360 << "1264.14"
                                         << "1259.56"
                                         << "455085.82"
                                         << "255085.82" << 360;
    QTest::newRow("12.50 at 12%, 2") << 12.5 << 12.0 << 2 << "6.34"
                                     << "6.34"
                                     << "12.68"
                                     << "0.18" << 2;
    QTest::newRow("12.50 at 12%, 1") << 12.5 << 12.0 << 1 << "12.62"
                                     << "12.62"
                                     << "12.62"
                                     << "0.12" << 1;
    QTest::newRow("principal 0") << 0.0 << 6.0 << 12 << "0.00"
                                 << "0.00"
                                 << "0.00"
                                 << "0.00" << 1;
    // 0.0075 rounds up to 0.01: the third period overpays and ends the schedule.
    QTest::newRow("overpayment ends early") << 0.03 << 1.0 << 4 << "0.01"
                                            << "0.01"
                                            << "0.03"
                                            << "0.00" << 3;
    QTest::newRow("balance reaches 0 early") << 0.02 << 1.0 << 3 << "0.01"
                                             << "0.01"
                                             << "0.02"
                                             << "0.00" << 2;
}

void TestLoanFormulas::scheduleSummaries() {
    QFETCH(double, principal);
    QFETCH(double, rate);
    QFETCH(int, count);
    QFETCH(QString, payment);
    QFETCH(QString, last);
    QFETCH(QString, total);
    QFETCH(QString, interest);
    QFETCH(int, periods);
    const auto summary = loans::runMortgageSchedule(principal, rate, count);
    QCOMPARE(fixed(summary.Payment, 2), payment);
    QCOMPARE(fixed(summary.LastPayment, 2), last);
    QCOMPARE(fixed(summary.TotalPayments, 2), total);
    QCOMPARE(fixed(double(summary.TotalInterest), 2), interest);
    QCOMPARE(summary.Periods, periods);
    QVERIFY(summary.LastPayment <= summary.Payment || summary.Periods == count);
}

void TestLoanFormulas::zeroPaymentLeavesBalanceUntilLastPeriod() {
    QList<loans::MortgagePeriod> periods;
    const auto summary = loans::runMortgageSchedule(
        1, 1, 300, [&](const loans::MortgagePeriod &period) { periods << period; });
    QCOMPARE(summary.Payment, 0.0);
    QCOMPARE(periods.size(), 300);
    for (int i = 0; i < 299; ++i) {
        QCOMPARE(periods[i].Payment, 0.0);
        QCOMPARE(periods[i].Balance, 1.0);
    }
    QCOMPARE(periods.last().Payment, 1.0);
    QCOMPARE(periods.last().Balance, 0.0);
    QCOMPARE(summary.TotalPayments, 1.0);
}

void TestLoanFormulas::firstInterestOnPrincipalAsEntered() {
    // 10001 * 0.5 / 100 is stored as the double just above 50.005.
    QList<double> interest;
    loans::runMortgageSchedule(
        10001, 6, 12, [&](const loans::MortgagePeriod &period) { interest << period.Interest; });
    QCOMPARE(interest.first(), 50.01);
    // The tie 12.50 * 1 % = 0.125 goes to the even cent.
    interest.clear();
    loans::runMortgageSchedule(
        12.5, 12, 2, [&](const loans::MortgagePeriod &period) { interest << period.Interest; });
    QCOMPARE(interest, QList<double>({0.12, 0.06}));
}

void TestLoanFormulas::scheduleRefusesCountBelowOne() {
    // No payments fails in the payment formula with its own error.
    for (const auto &[principal, kind] : {std::pair{10000.0, loans::FloatError::DivisionByZero},
                                          std::pair{0.0, loans::FloatError::InvalidOperation}}) {
        try {
            loans::runMortgageSchedule(principal, 6, 0);
            QFAIL("a schedule without payments ran");
        } catch (const loans::FloatError &error) {
            QCOMPARE(error.kind(), kind);
        }
    }
    QVERIFY_THROWS_EXCEPTION(std::domain_error, loans::runMortgageSchedule(10000, 6, -12));
}

QTEST_APPLESS_MAIN(TestLoanFormulas)
#include "tst_loanformulas.moc"
