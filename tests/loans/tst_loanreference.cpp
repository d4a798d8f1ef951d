#include "loans/formulas/FloatError.h"
#include "loans/formulas/LoanFormulas.h"

#include <QtTest>

#include <quadmath.h>

#include <cmath>
#include <random>

// The formulas against the closed forms evaluated independently in quadruple
// precision, over random loans.
namespace {

using quad = __float128;

struct Loan {
    int n;
    double amount;
    double rate;
};

struct Reference {
    quad temp;   // (1 + i)^-n
    quad result; // payment or principal
};

Reference referencePayment(const Loan &loan) {
    const quad i = quad(loan.rate) / 1200;
    const quad temp = expq(-quad(loan.n) * log1pq(i));
    return {temp, quad(loan.amount) * i / (1 - temp)};
}

Reference referencePrincipal(const Loan &loan) {
    const quad i = quad(loan.rate) / 1200;
    const quad temp = expq(-quad(loan.n) * log1pq(i));
    return {temp, quad(loan.amount) * (1 - temp) / i};
}

// Storing the discount factor as a double carries its rounding error through
// 1 - Temp; the bound allows for it and for the final store.
quad tolerance(const Reference &reference) {
    const quad eps = quad(std::numeric_limits<double>::epsilon()) / 2;
    const quad t = reference.temp;
    return 4 * eps * (1 + fabsq(t / (1 - t))) * fabsq(reference.result);
}

QString text(quad value) {
    char buffer[64];
    quadmath_snprintf(buffer, sizeof buffer, "%.25Qg", value);
    return QString::fromLatin1(buffer);
}

class LoanSource {
public:
    Loan next() {
        std::uniform_int_distribution<int> count(1, 600);
        std::uniform_real_distribution<double> magnitude(-2, 7);
        std::uniform_real_distribution<double> rate(-40, 40);
        Loan loan{count(m_engine), std::round(std::pow(10.0, magnitude(m_engine)) * 100) / 100,
                  std::round(rate(m_engine) * 1000) / 1000};
        if (loan.rate == 0)
            loan.rate = 0.125;
        return loan;
    }

private:
    std::mt19937_64 m_engine{20240611};
};

} // namespace

class TestLoanReference : public QObject {
    Q_OBJECT
private slots:
    void discountFactorIsCorrectlyRounded();
    void paymentAgreesWithReference();
    void principalAgreesWithReference();
};

void TestLoanReference::discountFactorIsCorrectlyRounded() {
    LoanSource source;
    for (int k = 0; k < 4000; ++k) {
        const Loan loan = source.next();
        const quad exact = referencePayment(loan).temp;
        const double temp = loans::discountFactor(loan.n, 12, loan.rate);
        // Within one unit in the last place of the nearest double.
        const double nearest = double(exact);
        QVERIFY2(temp == nearest || temp == std::nextafter(nearest, 0.0) ||
                     temp == std::nextafter(nearest, 1e300),
                 qPrintable(QStringLiteral("n %1 rate %2: %3 vs %4")
                                .arg(loan.n)
                                .arg(loan.rate)
                                .arg(temp, 0, 'g', 17)
                                .arg(text(exact))));
    }
}

void TestLoanReference::paymentAgreesWithReference() {
    LoanSource source;
    int centsCompared = 0;
    for (int k = 0; k < 4000; ++k) {
        const Loan loan = source.next();
        const Reference reference = referencePayment(loan);
        double payment = 0;
        try {
            payment = loans::LoanPayment(loan.n, 12, loan.amount, loan.rate);
        } catch (const loans::FloatError &) {
            // Only a payment beyond the double range may fault.
            QVERIFY(fabsq(reference.result) > quad(std::numeric_limits<double>::max()) ||
                    reference.temp > quad(std::numeric_limits<double>::max()));
            continue;
        }
        const quad error = fabsq(quad(payment) - reference.result);
        const quad bound = tolerance(reference);
        QVERIFY2(error <= bound, qPrintable(QStringLiteral("n %1 amount %2 rate %3: %4 vs %5")
                                                .arg(loan.n)
                                                .arg(loan.amount, 0, 'g', 17)
                                                .arg(loan.rate)
                                                .arg(payment, 0, 'g', 17)
                                                .arg(text(reference.result))));

        // The payment rounded to cents is exact unless the reference lies
        // within the error bound of a half cent.
        const quad hundredfold = reference.result * 100;
        if (fabsq(hundredfold - floorq(hundredfold) - quad(0.5)) * 1 <= bound * 100)
            continue;
        ++centsCompared;
        QCOMPARE(loans::roundToCents(payment), double(rintq(hundredfold)) / 100);
    }
    QVERIFY(centsCompared > 3900);
}

void TestLoanReference::principalAgreesWithReference() {
    LoanSource source;
    for (int k = 0; k < 4000; ++k) {
        const Loan loan = source.next();
        const Reference reference = referencePrincipal(loan);
        double principal = 0;
        try {
            principal = loans::LPrincipal(loan.n, 12, loan.amount, loan.rate);
        } catch (const loans::FloatError &) {
            QVERIFY(fabsq(reference.result) > quad(std::numeric_limits<double>::max()) ||
                    reference.temp > quad(std::numeric_limits<double>::max()));
            continue;
        }
        const quad error = fabsq(quad(principal) - reference.result);
        QVERIFY2(error <= tolerance(reference),
                 qPrintable(QStringLiteral("n %1 amount %2 rate %3: %4 vs %5")
                                .arg(loan.n)
                                .arg(loan.amount, 0, 'g', 17)
                                .arg(loan.rate)
                                .arg(principal, 0, 'g', 17)
                                .arg(text(reference.result))));
    }
}

QTEST_APPLESS_MAIN(TestLoanReference)
#include "tst_loanreference.moc"
