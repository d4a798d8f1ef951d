#pragma once

#include <QString>

namespace tools {

// The diary password that guards the private tables, checked as the password
// gate checks it.
class PrivateAccess {
public:
    // True when `typed`, scrambled, equals the Password of the first Diary
    // row (empty when null or when there is no row).
    static bool accepts(const QString &folder, const QString &typed);
    // Asks on the terminal without echo; reads a line of standard input when
    // that is no terminal.
    static QString ask(const QString &prompt);
};

} // namespace tools
