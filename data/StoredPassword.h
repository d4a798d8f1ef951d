#pragma once

#include <QString>

namespace data {

// The form in which the first Diary row keeps the password that guards the
// private pages: each character code XOR 0x0B, on at most the first 255
// characters. Applying it twice gives the text back.
QString ScramblePassword(const QString &text);

} // namespace data
