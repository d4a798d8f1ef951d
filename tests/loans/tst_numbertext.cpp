#include "core/Error.h"
#include "loans/NumberText.h"

#include <QtTest>

#include <cstdlib>

namespace {

const QLocale kPoint(QLocale::English, QLocale::UnitedStates);
const QLocale kComma(QLocale::German, QLocale::Germany);
const QLocale kFrench(QLocale::French, QLocale::France);

QString floatError(const QString &text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

QString integerError(const QString &text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void parseAmount_data();
    void parseAmount();
    void parseCount_data();
    void parseCount();
    void formatAmount_data();
    void formatAmount();
    void formatUsesDefaultLocale();
};

void TestNumberText::parseAmount_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("error");

    auto ok = [](const char *name, const QLocale &locale, const QString &text, double value) {
        QTest::newRow(name) << locale << text << value << QString();
    };
    auto bad = [](const char *name, const QLocale &locale, const QString &text) {
        QTest::newRow(name) << locale << text << 0.0 << floatError(text);
    };
    ok("plain", kPoint, "10000", 10000);
    ok("blanks around", kPoint, "  10000   ", 10000);
    ok("two decimals", kPoint, "10000.00", 10000);
    ok("cents", kPoint, "860.66", 860.66);
    ok("minus", kPoint, "-12.5", -12.5);
    ok("plus", kPoint, "+3", 3);
    ok("no integer digits", kPoint, ".5", 0.5);
    ok("no decimals", kPoint, "5.", 5);
    ok("exponent", kPoint, "1e3", 1000);
    ok("exponent with sign", kPoint, "1.5E-2", 0.015);
    ok("exponent with plus", kPoint, " 2e+2 ", 200);
    ok("underflow passes", kPoint, "1e-400", 0);
    bad("thousands separator", kPoint, "10,000");
    bad("comma in point locale", kPoint, "12,5");
    bad("blanks only", kPoint, "   ");
    bad("currency sign", kPoint, "$100");
    bad("exponent without digits", kPoint, "1e");
    bad("exponent alone", kPoint, "e5");
    bad("separator alone", kPoint, ".");
    bad("two separators", kPoint, "1.2.3");
    bad("blank inside", kPoint, "1 000");
    bad("two signs", kPoint, "--1");
    bad("sign after blank inside", kPoint, "- 1");
    bad("hexadecimal", kPoint, "0x10");
    bad("tab", kPoint, "\t1");
    bad("other digits", kPoint, QString(QChar(0x0663)));
    ok("comma locale decimals", kComma, "12,5", 12.5);
    ok("comma locale cents", kComma, " 860,66 ", 860.66);
    ok("comma locale exponent", kComma, "1,5e3", 1500);
    bad("comma locale thousands", kComma, "10.000");
    bad("point in comma locale", kComma, "12.5");
    ok("French decimals", kFrench, "0,25", 0.25);
    bad("French grouped", kFrench, QStringLiteral("10") + kFrench.groupSeparator() + "000");
    QTest::newRow("beyond double range")
        << kPoint << QStringLiteral("1e400") << 0.0 << QStringLiteral("Floating point overflow");
    QTest::newRow("beyond double range, negative")
        << kComma << QStringLiteral("-2,5e308") << 0.0 << QStringLiteral("Floating point overflow");
}

void TestNumberText::parseAmount() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, error);
    try {
        const double parsed = loans::parseAmount(text, locale);
        QVERIFY2(error.isEmpty(), qPrintable(QString::number(parsed)));
        QCOMPARE(parsed, value);
    } catch (const core::Error &e) {
        QCOMPARE(e.text(), error);
    }
}

void TestNumberText::parseCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("valid");
    auto ok = [](const char *text, int value) {
        QTest::newRow(text) << QString(text) << value << true;
    };
    auto bad = [](const char *text) { QTest::newRow(text) << QString(text) << 0 << false; };
    ok("12", 12);
    ok("   12", 12);
    ok("+12", 12);
    ok("-12", -12);
    ok("0", 0);
    ok("$C", 12);
    ok("0x1F", 31);
    ok("0X1f", 31);
    ok("-$10", -16);
    ok("2147483647", 2147483647);
    ok("-2147483648", int(-2147483648LL));
    ok("$7FFFFFFF", 2147483647);
    bad("12 ");
    bad("");
    bad("  ");
    bad("-");
    bad("$");
    bad("0x");
    bad("$g");
    bad("1.5");
    bad("1e3");
    bad("1,000");
    bad("2147483648");
    bad("-2147483649");
    bad("$80000000");
    bad("99999999999999999999");
    bad("- 1");
}

void TestNumberText::parseCount() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(bool, valid);
    try {
        const int parsed = loans::parseCount(text);
        QVERIFY2(valid, qPrintable(QString::number(parsed)));
        QCOMPARE(parsed, value);
    } catch (const core::Error &e) {
        QVERIFY(!valid);
        QCOMPARE(e.text(), integerError(text));
    }
}

void TestNumberText::formatAmount_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("value"); // read as long double
    QTest::addColumn<QString>("shown");
    auto row = [](const char *name, const QLocale &locale, const char *value,
                  const QString &shown) {
        QTest::newRow(name) << locale << QByteArray(value) << shown;
    };
    row("zero", kPoint, "0", "0.00");
    row("payment", kPoint, "860.664297", "860.66");
    row("grouped", kPoint, "10327.96", "10,327.96");
    row("millions", kPoint, "1234567.891", "1,234,567.89");
    row("half away from zero", kPoint, "0.125", "0.13");
    row("negative half away from zero", kPoint, "-0.125", "-0.13");
    row("negative grouped", kPoint, "-255085.825", "-255,085.83");
    row("a zero shows no sign", kPoint, "-0.004", "0.00");
    row("carry into a new group", kPoint, "999.995", "1,000.00");
    row("carry through", kPoint, "99999.999", "100,000.00");
    row("beyond 18 digits", kPoint, "1e20", "100,000,000,000,000,000,000.00");
    row("tiny", kPoint, "1e-300", "0.00");
    row("under a cent rounds up", kPoint, "0.006", "0.01");
    // The 18-digit form of this value is 0.00500000000000000000: it rounds up.
    row("decided on 18 digits", kPoint, "0.0049999999999999999999", "0.01");
    row("exact just below a half cent", kPoint, "0.004999999999999999", "0.00");
    row("difference kept in extended", kPoint, "327.96000000000003638", "327.96");
    row("comma locale", kComma, "10327.96", "10.327,96");
    row("comma locale negative", kComma, "-1234.5", "-1.234,50");
    row("French", kFrench, "10327.96",
        QStringLiteral("10") + kFrench.groupSeparator() + QStringLiteral("327,96"));
}

void TestNumberText::formatAmount() {
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, value);
    QFETCH(QString, shown);
    QCOMPARE(loans::formatAmount(std::strtold(value.constData(), nullptr), locale), shown);
}

void TestNumberText::formatUsesDefaultLocale() {
    const QLocale saved;
    QLocale::setDefault(kComma);
    QCOMPARE(loans::formatAmount(1234.5L), QStringLiteral("1.234,50"));
    QCOMPARE(loans::parseAmount(QStringLiteral("1234,5")), 1234.5);
    QLocale::setDefault(saved);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
