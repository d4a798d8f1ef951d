#pragma once

#include <QString>
#include <QStringList>

namespace tools {

// The database files of a data folder, and the care needed to replace them.
class DataFiles {
public:
    explicit DataFiles(const QString &folder);

    QString folder() const { return m_folder; }
    QString path(const QString &fileName) const;
    // Hearthledger.mdb, idioms.mdb.
    static QStringList fileNames();

    // Who holds a database file open, as SQLite's locks show it ("process
    // 1234"); empty when nobody does. A connection of the program holds a
    // lock on its file from opening to closing.
    static QString holder(const QString &path);
    // Throws core::Error when any file of the folder is open.
    void refuseWhileOpen() const;

    // `wanted` itself when neither it nor its write-ahead log exists, else
    // the first free name with a number added ("x.mdb" -> "x-2.mdb").
    static QString freeName(const QString &wanted);
    // Renames a database file and its write-ahead log (which SQLite then finds
    // beside the new name); the shared-memory index is removed (SQLite rebuilds
    // it). Throws core::Error when the file cannot be renamed.
    static void rename(const QString &from, const QString &to);

private:
    QString m_folder;
};

} // namespace tools
