#pragma once

#include "data/Connection.h"
#include "data/TableObject.h"
#include "tools/Preparer.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

// A program directory with freshly prepared database files, and raw SQLite
// access to them that bypasses the data layer.
class DataFixture {
public:
    explicit DataFixture(const tools::PrepareOptions &options = {},
                         const QString &subdirectory = QString());

    QString directory() const { return m_directory; }
    QString mainFile() const;
    QString idiomFile() const;
    QString mainConnectionString() const;

    // Runs statements on the main file through a connection of its own;
    // binds values to the ?s of a single statement.
    void exec(const QString &sql, const QVariantList &values = {}) const;
    // The first column of the first row of a query, as SQLite returns it.
    QVariant scalar(const QString &sql, const QVariantList &values = {}) const;
    // Inserts an item with a name (null for a null QString) and returns its key.
    qint64 addItem(const QString &name, const QByteArray &photo = QByteArray()) const;

    // A connection to the main file, opened; short time-outs for tests.
    std::unique_ptr<data::Connection> connect() const;

private:
    QTemporaryDir m_tempDir;
    QString m_directory;
};
