#include "tests/data/DataFixture.h"

#include "data/Schema.h"
#include "data/Statement.h"

#include <QDir>
#include <QTest>

#include <sqlite3.h>

DataFixture::DataFixture(const tools::PrepareOptions &options, const QString &subdirectory) {
    m_directory = m_tempDir.path();
    if (!subdirectory.isEmpty())
        m_directory += QLatin1Char('/') + subdirectory;
    tools::Preparer::prepare(m_directory, options);
}

QString DataFixture::mainFile() const {
    return m_directory + QLatin1Char('/') + QLatin1String(data::Schema::mainFile);
}

QString DataFixture::idiomFile() const {
    return m_directory + QLatin1Char('/') + QLatin1String(data::Schema::idiomFile);
}

QString DataFixture::mainConnectionString() const {
    return data::Connection::buildConnectionString(m_directory,
                                                   QLatin1String(data::Schema::mainFile));
}

namespace {

struct RawDb {
    explicit RawDb(const QString &file) {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK)
            qFatal("cannot open %s", qPrintable(file));
        sqlite3_busy_timeout(db, 5000);
    }
    ~RawDb() { sqlite3_close_v2(db); }
    sqlite3 *db = nullptr;
};

} // namespace

void DataFixture::exec(const QString &sql, const QVariantList &values) const {
    RawDb raw(mainFile());
    if (values.isEmpty()) {
        char *error = nullptr;
        if (sqlite3_exec(raw.db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
            qFatal("%s: %s", qPrintable(sql), error);
        return;
    }
    data::Statement stmt(raw.db, sql);
    for (int i = 0; i < values.size(); ++i)
        stmt.bind(i + 1, values[i]);
    stmt.exec();
}

QVariant DataFixture::scalar(const QString &sql, const QVariantList &values) const {
    RawDb raw(mainFile());
    data::Statement stmt(raw.db, sql);
    for (int i = 0; i < values.size(); ++i)
        stmt.bind(i + 1, values[i]);
    if (!stmt.step())
        return QVariant();
    switch (stmt.columnType(0)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER:
        return QVariant(qlonglong(stmt.int64(0)));
    case SQLITE_FLOAT:
        return QVariant(stmt.real(0));
    case SQLITE_BLOB:
        return QVariant(stmt.blob(0));
    default:
        return QVariant(stmt.text(0));
    }
}

qint64 DataFixture::addItem(const QString &name, const QByteArray &photo) const {
    exec(QStringLiteral(
             R"(INSERT INTO "Household Inventory" ("Item Name", "Photograph") VALUES (?, ?))"),
         {name.isNull() ? QVariant() : QVariant(name),
          photo.isNull() ? QVariant() : QVariant(photo)});
    return scalar(QStringLiteral(R"(SELECT max("Household ID") FROM "Household Inventory")"))
        .toLongLong();
}

std::unique_ptr<data::Connection> DataFixture::connect() const {
    auto connection = std::make_unique<data::Connection>();
    connection->setConnectionString(mainConnectionString());
    connection->setConnectionTimeout(1);
    connection->setCommandTimeout(1);
    connection->open();
    return connection;
}
