#pragma once

#include "data/Schema.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

struct sqlite3;

namespace tools {

class JetFile;

// What a conversion wrote and what it left out.
struct JetImportReport {
    QString source;
    QString format; // "Jet 4"
    QString target;
    QList<QPair<QString, qint64>> tables; // converted tables and their rows
    QStringList delivered;                // tables the Jet file lacks, written as delivered
    QStringList unknownTables;            // tables of the Jet file that the schema lacks
    QStringList unknownColumns;           // "Table.Column (type)" that the schema lacks
    QStringList notes;                    // columns not converted, values kept whole, ...

    bool leftSomethingOut() const;
    QString text() const;
};

struct JetImportOptions {
    // The tables of the file to write, matched by name (letter case ignored).
    QList<data::TableDef> tables;
    // Writes the content of a table that the Jet file lacks.
    std::function<void(sqlite3 *, const data::TableDef &)> fillAbsent;
    // Turns a stored value of one column into the form this program keeps.
    std::function<QVariant(const QString &table, const QString &column, const QVariant &stored)>
        adjust;
    std::function<void(const QString &)> progress;
};

// Converts the tables of a Jet file into a new SQLite file of the store's
// schema. Tables and columns are matched by name; values convert by type:
// texts and memos as they read, dates from Jet's day numbers to ISO 8601
// text, currency exactly, yes/no as 0/1, keys as they were, OLE and binary
// values byte for byte. A table or column that the schema lacks, or whose type
// does not convert, is reported and left out, never guessed at.
class JetImport {
public:
    // The options for one of the store's files (Schema::mainFile or
    // Schema::idiomFile): tables the Jet file lacks get their delivered
    // content, and the stored password is made the one the gate compares.
    static JetImportOptions forStoreFile(const QString &fileName, int codePage);
    // The store's file whose tables the Jet file holds; empty when none.
    static QString storeFileFor(const JetFile &jet);

    // Writes `target`, which must not exist (built under another name and moved
    // into place when complete). Throws core::Error when no table matches or
    // anything fails; then nothing is left behind.
    static JetImportReport convert(const JetFile &jet, const QString &target,
                                   const JetImportOptions &options);

    // Converts the Jet file `jetPath` into the store file `target` of a data
    // folder (the file chosen by its tables). Whatever lies at `target` is
    // kept under `keepAs`, or the first free name like it, and that name is
    // returned in `keptAs`. Throws core::Error, leaving the folder as it was.
    static JetImportReport convertInto(const QString &jetPath, const QString &target,
                                       const QString &keepAs, QString *keptAs,
                                       const std::function<void(const QString &)> &progress = {});

    // A password that a program working on 8-bit characters scrambled and the
    // Jet file keeps as Unicode, scrambled again as this program does: the
    // password itself stays the same.
    static QString rescrambled(const QString &stored, int codePage);
};

} // namespace tools
