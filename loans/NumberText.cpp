#include "loans/NumberText.h"

#include "core/Error.h"
#include "loans/formulas/FloatError.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace loans {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int hexValue(QChar c) {
    if (isDigit(c))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

qsizetype skipBlanks(const QString &text, qsizetype i) {
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    return i;
}

// Copies the digits at i into out; returns how many there were.
qsizetype takeDigits(const QString &text, qsizetype &i, std::string &out) {
    const qsizetype start = i;
    while (i < text.size() && isDigit(text[i]))
        out += char(text[i++].unicode());
    return i - start;
}

double toDouble(const std::string &cNotation) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    errno = 0;
    const double value = strtod_l(cNotation.c_str(), nullptr, cLocale);
    if (errno == ERANGE && std::isinf(value))
        throw core::Error(QString::fromLatin1(FloatError(FloatError::Overflow).what()));
    return value;
}

[[noreturn]] void notAFloat(const QString &text) {
    throw core::Error(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

[[noreturn]] void notAnInteger(const QString &text) {
    throw core::Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

} // namespace

double parseAmount(const QString &text, const QLocale &locale) {
    const QString decimalPoint = locale.decimalPoint();
    std::string c;
    qsizetype i = skipBlanks(text, 0);
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        c += char(text[i++].unicode());
    qsizetype digits = takeDigits(text, i, c);
    if (!decimalPoint.isEmpty() && QStringView(text).mid(i).startsWith(decimalPoint)) {
        i += decimalPoint.size();
        c += '.';
        digits += takeDigits(text, i, c);
    }
    if (digits == 0)
        notAFloat(text);
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        c += 'e';
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            c += char(text[i++].unicode());
        if (takeDigits(text, i, c) == 0)
            notAFloat(text);
    }
    if (skipBlanks(text, i) != text.size())
        notAFloat(text);
    return toDouble(c);
}

std::int32_t parseCount(const QString &text) {
    qsizetype i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        notAnInteger(text);
    const std::int64_t limit = negative ? std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit =
            base == 16 ? hexValue(text[i]) : (isDigit(text[i]) ? text[i].unicode() - '0' : -1);
        if (digit < 0)
            notAnInteger(text);
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            notAnInteger(text);
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

QString formatAmount(long double value, const QLocale &locale) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    // 18 significant digits: d.ddddddddddddddddde±x
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, fabsl(value),
                                      std::chars_format::scientific, 17);
    const std::string form(buffer, result.ptr);
    std::string digits = form.substr(0, 1) + form.substr(2, 17);
    const int exponent = std::atoi(form.c_str() + form.find('e') + 1);

    // Keep the digits down to the cent, then round half away from zero.
    const int keep = exponent + 3;
    std::string cents;
    if (keep >= 0) {
        cents = digits.substr(0, std::min<size_t>(keep, digits.size()));
        cents.resize(keep, '0');
        if (keep < int(digits.size()) && digits[keep] >= '5') {
            int j = int(cents.size()) - 1;
            while (j >= 0 && cents[j] == '9')
                cents[j--] = '0';
            if (j >= 0)
                ++cents[j];
            else
                cents.insert(cents.begin(), '1');
        }
    }
    if (cents.size() < 3)
        cents.insert(0, 3 - cents.size(), '0');
    const size_t firstNonZero = cents.find_first_not_of('0');
    const bool zero = firstNonZero == std::string::npos;
    std::string whole = cents.substr(0, cents.size() - 2);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));

    QString text;
    if (value < 0 && !zero)
        text += QLatin1Char('-');
    const QString group = locale.groupSeparator();
    for (size_t k = 0; k < whole.size(); ++k) {
        if (k > 0 && (whole.size() - k) % 3 == 0)
            text += group;
        text += QLatin1Char(whole[k]);
    }
    text += locale.decimalPoint();
    text += QLatin1String(cents.data() + cents.size() - 2, 2);
    return text;
}

} // namespace loans
