#pragma once

#include "data/Schema.h"
#include "tools/companion/Backup.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tools {

// The tables of a data folder as CSV files (RFC 4180, UTF-8, CRLF), one per
// table, named after it ("household.csv"), with a header row of the column
// names as the schema spells them. Dates are ISO 8601, currency plain
// decimals, yes/no "True"/"False". A picture goes into a file of its own
// beside the CSV files, named by table and key ("household-17.jpg"), whose
// name stands in the picture column; a diary page or help text stored as RTF
// goes into an .rtf file named the same way, its plain text into the CSV and
// the file's name into an added column "<column> RTF file". The scrambled
// diary password is left out.
class CsvExport {
public:
    // The tables exported: Diary and Privacy only when `withPrivate`.
    static QList<data::TableId> tables(bool withPrivate);
    // Writes into `directory` (made when missing); one line per table.
    static QStringList write(const QString &folder, const QString &directory, bool withPrivate,
                             const Progress &progress = {});
};

} // namespace tools
