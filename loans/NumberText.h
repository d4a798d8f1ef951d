#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

// Reading and showing the numbers of the loan calculators in a locale's notation.
namespace loans {

// A decimal number: optional blanks around it, an optional sign, digits with
// at most one locale decimal separator and an optional exponent ("E" or "e",
// optional sign, digits). Anything else throws core::Error
// "'<text>' is not a valid floating point value"; a number beyond the double
// range throws "Floating point overflow".
double parseAmount(const QString &text, const QLocale &locale = QLocale());

// A whole number: optional leading blanks, an optional sign, then decimal
// digits, or hexadecimal digits after "$" or "0x", and nothing after them.
// Anything else, or a value outside the 32-bit range, throws core::Error
// "'<text>' is not a valid integer value".
std::int32_t parseCount(const QString &text);

// The format "#,##0.00": grouped integer digits, two decimals. The value is
// taken to 18 significant digits, then to the cent with halves away from zero.
QString formatAmount(long double value, const QLocale &locale = QLocale());

} // namespace loans
