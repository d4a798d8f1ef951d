#pragma once

#include "tools/companion/Backup.h"

#include <QByteArray>
#include <QString>

namespace tools {

// The People table as vCard 4.0 (RFC 6350), one card per person: N with the
// title as its prefix and the suffix as its suffix, FN, NICKNAME, TEL by kind
// (home, work with its extension, cell, fax), EMAIL, BDAY, HOBBY (RFC 6715),
// NOTE and the photograph embedded as a data: URI. Lines end in CRLF and are
// folded at 75 octets without splitting a character.
class VCardExport {
public:
    // Writes the cards to `file`; returns how many.
    static int write(const QString &folder, const QString &file, const Progress &progress = {});

    // A text value with backslash, comma, semicolon and line breaks escaped.
    static QString escaped(const QString &text);
    // A content line folded as the format wants it, CRLF included.
    static QByteArray folded(const QString &line);
};

} // namespace tools
