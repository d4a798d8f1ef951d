// Reading real Jet files written by Access (nwind.mdb Jet 3, DateTestDatabase.mdb
// Jet 4, ASampleDatabase.accdb ACE) and their mapping onto a schema, checked
// against facts known about those files.
#include "tools/companion/Pictures.h"
#include "tools/jet/JetFile.h"
#include "tools/jet/JetImport.h"

#include "core/Error.h"
#include "data/Connection.h"
#include "data/Statement.h"
#include "data/StoredPassword.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using data::ColumnDef;
using data::Field;
using data::TableDef;
using tools::JetFile;
using tools::JetImport;
using tools::JetValue;

namespace {

QString jetFile(const char *name) {
    return QDir(QStringLiteral(HL_JET_DIR)).filePath(QString::fromLatin1(name));
}

ColumnDef col(const char *name, Field::Type type, int size = 0) {
    return {QString::fromUtf8(name), type, size, true};
}

// The values of one column of a converted file, in key order.
QVariantList column(const QString &file, const QString &sql) {
    data::Connection connection;
    connection.setConnectionString(data::Connection::buildConnectionString(
        QFileInfo(file).absolutePath(), QFileInfo(file).fileName()));
    connection.open();
    data::Statement statement(connection.handle(), sql);
    QVariantList values;
    while (statement.step()) {
        switch (statement.columnType(0)) {
        case 1: // SQLITE_INTEGER
            values << QVariant(statement.int64(0));
            break;
        case 4: // SQLITE_BLOB
            values << QVariant(statement.blob(0));
            break;
        case 5: // SQLITE_NULL
            values << QVariant();
            break;
        default:
            values << QVariant(statement.text(0));
        }
    }
    return values;
}

} // namespace

class TestJetImport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readsEachFormatAsItIs();
    void mapsTablesOntoASchemaByName();
    void convertsDatesOfEveryEra();
    void refusesAFileWithNoTableOfTheStore();
    void passwordScrambledFromEightBitsStillOpens();

private:
    QTemporaryDir m_dir;
};

void TestJetImport::initTestCase() {
    if (!QFileInfo::exists(jetFile("nwind.mdb")))
        QSKIP("The Jet test files are missing: set HL_JET_DIR to the folder holding nwind.mdb");
}

void TestJetImport::readsEachFormatAsItIs() {
    const JetFile nwind(jetFile("nwind.mdb"));
    QCOMPARE(nwind.formatName(), QStringLiteral("Jet 3"));
    QVERIFY(nwind.tableNames().contains(QStringLiteral("Umsätze")));
    QStringList companies;
    QString helsinki;
    nwind.readRows(QStringLiteral("Customers"), [&](const QList<JetValue> &row) {
        companies << row[1].text;
        if (row[5].text == QLatin1String("Helsinki"))
            helsinki = row[1].text;
    });
    QCOMPARE(companies.size(), 91);
    QCOMPARE(helsinki, QStringLiteral("Wilman Kala"));
    QCOMPARE(companies.filter(QRegularExpression(QStringLiteral("^Océ"))),
             QStringList{QStringLiteral("Océano Atlántico Ltda.")});

    QCOMPARE(JetFile(jetFile("DateTestDatabase.mdb")).formatName(), QStringLiteral("Jet 4"));
    const JetFile ace(jetFile("ASampleDatabase.accdb"));
    QVERIFY(ace.formatName().startsWith(QLatin1String("ACE")));
    const tools::JetTable assets = ace.table(QStringLiteral("Asset Items"));
    QCOMPARE(assets.columns[8].kind, JetValue::Kind::Currency);
    QList<JetValue> first;
    int rows = 0;
    ace.readRows(assets.name, [&](const QList<JetValue> &row) {
        if (rows++ == 0)
            first = row;
    });
    QCOMPARE(rows, 65);
    QCOMPARE(first[2].text, QStringLiteral("GEO Rocket"));
    QCOMPARE(first[8].integer, 19955000); // 1995.50, exactly
    QVERIFY(JetFile::hasSignature(jetFile("ASampleDatabase.accdb")));
    QVERIFY_THROWS_EXCEPTION(core::Error, JetFile(QStringLiteral(HL_JET_DIR "/missing.mdb")));
}

void TestJetImport::mapsTablesOntoASchemaByName() {
    const QString main = QStringLiteral("Hearthledger.mdb");
    tools::JetImportOptions options;
    options.tables = {
        {main,
         QStringLiteral("Employees"),
         {col("EmployeeID", Field::Type::AutoIncrement), col("LastName", Field::Type::Text, 20),
          col("Title", Field::Type::Text, 5), col("BirthDate", Field::Type::DateTime),
          col("HireDate", Field::Type::Boolean), col("Notes", Field::Type::Memo),
          col("Photo", Field::Type::Blob), col("Nickname", Field::Type::Text, 30)}},
        {main,
         QStringLiteral("orders"), // names match whatever their letter case
         {col("OrderID", Field::Type::AutoIncrement), col("OrderDate", Field::Type::DateTime),
          col("Freight", Field::Type::Currency), col("ShipCity", Field::Type::Text, 15)}},
        {main,
         QStringLiteral("Customers"),
         {col("CompanyName", Field::Type::Text, 40), col("City", Field::Type::Text, 15)}},
        {main, QStringLiteral("Diary"), {col("DiaryID", Field::Type::AutoIncrement)}}};
    const QString target = m_dir.filePath(main);
    const tools::JetImportReport report =
        JetImport::convert(JetFile(jetFile("nwind.mdb")), target, options);

    QCOMPARE(column(target, QStringLiteral("SELECT count(*) FROM orders")).value(0), QVariant(830));
    QCOMPARE(
        column(target, QStringLiteral("SELECT CompanyName FROM Customers WHERE City = 'Helsinki'")),
        QVariantList{QStringLiteral("Wilman Kala")});
    // Keys as they were, dates as ISO text, currency exactly in ten-thousandths.
    QCOMPARE(column(target, QStringLiteral("SELECT OrderDate || ' ' || Freight || ' ' || ShipCity "
                                           "FROM orders WHERE OrderID = 10248")),
             QVariantList{QStringLiteral("1994-08-04T00:00:00 323800 Reims")});
    QCOMPARE(column(target, QStringLiteral("SELECT EmployeeID FROM Employees ORDER BY 1")).size(),
             9);
    QCOMPARE(column(target, QStringLiteral("SELECT BirthDate FROM Employees WHERE EmployeeID = 1")),
             QVariantList{QStringLiteral("1948-12-08T00:00:00")});
    QVERIFY(column(target, QStringLiteral("SELECT Notes FROM Employees WHERE EmployeeID = 1"))
                .value(0)
                .toString()
                .contains(QLatin1String("Toastmasters")));

    // OLE objects byte for byte (the digest is the one MDB Tools' own reader
    // gives), and the bitmap wrapped inside decodes.
    const QByteArray photo =
        column(target, QStringLiteral("SELECT Photo FROM Employees WHERE EmployeeID = 1"))
            .value(0)
            .toByteArray();
    QCOMPARE(QCryptographicHash::hash(photo, QCryptographicHash::Sha256).toHex(),
             QByteArray("0fefea1c00180a14f01278e124445c03578914caac1ede2318d3a328a7a11fe9"));
    const tools::PictureFile picture = tools::pictureFile(photo);
    QCOMPARE(picture.extension, QStringLiteral("bmp"));
    QCOMPARE(QImage::fromData(picture.bytes, "BMP").size(), QSize(192, 223));

    // What the schema lacks is listed, never guessed.
    QVERIFY(report.unknownTables.contains(QStringLiteral("Products (77 rows)")));
    QVERIFY(report.unknownColumns.contains(QStringLiteral("Employees.Address (Text)")));
    const QString notes = report.notes.join(QLatin1Char('\n'));
    QVERIFY(notes.contains(
        QLatin1String("Employees.HireDate: a Jet Date/Time column does not convert to boolean")));
    QVERIFY(notes.contains(QLatin1String("Employees.Nickname: not in the Jet file")));
    QVERIFY(notes.contains(
        QLatin1String("Employees.Title: 9 values longer than 5 characters, kept whole")));
    QVERIFY(notes.contains(QLatin1String("Diary: not in the Jet file; left empty")));
    QCOMPARE(column(target, QStringLiteral("SELECT count(*) FROM Employees WHERE HireDate IS NULL"))
                 .value(0),
             QVariant(9));
    QVERIFY_THROWS_EXCEPTION(core::Error,
                             JetImport::convert(JetFile(jetFile("nwind.mdb")), target, options));
}

void TestJetImport::convertsDatesOfEveryEra() {
    tools::JetImportOptions options;
    options.tables = {
        {QStringLiteral("x.mdb"),
         QStringLiteral("DateTest"),
         {col("IDCol", Field::Type::AutoIncrement), col("DateTimeCol", Field::Type::DateTime),
          col("DateCol", Field::Type::DateTime), col("LongTextCol", Field::Type::Memo)}}};
    const QString target = m_dir.filePath(QStringLiteral("dates.mdb"));
    JetImport::convert(JetFile(jetFile("DateTestDatabase.mdb")), target, options);
    const QVariantList rows =
        column(target, QStringLiteral("SELECT LongTextCol || '|' || DateTimeCol "
                                      "|| '|' || DateCol FROM DateTest ORDER BY IDCol"));
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows[0].toString(), QStringLiteral("Hello|2021-12-02T00:00:00|2021-12-02T00:00:00"));
    // Each row's own text says what its dates are.
    QCOMPARE(rows[1].toString(),
             QStringLiteral("Year 9999|9999-01-01T00:00:00|9999-01-01T00:00:00"));
    QCOMPARE(rows[2].toString(),
             QStringLiteral("Pre-1900 years|1898-01-01T00:00:00|1899-01-01T00:00:00"));
    QCOMPARE(rows[3].toString(),
             QStringLiteral("Pre-1000 years|0632-01-01T00:00:00|0633-01-01T00:00:00"));
    QVERIFY(rows[5].toString().startsWith(QLatin1String("New line\r\nin field|")));
}

void TestJetImport::refusesAFileWithNoTableOfTheStore() {
    const QString folder = m_dir.filePath(QStringLiteral("store"));
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(QStringLiteral("Hearthledger.mdb"));
    QFile::copy(jetFile("nwind.mdb"), target);
    QCOMPARE(JetImport::storeFileFor(JetFile(target)), QString());
    QString kept;
    QVERIFY_THROWS_EXCEPTION(
        core::Error,
        JetImport::convertInto(target, target, target + QStringLiteral(".jet"), &kept));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Hearthledger.mdb")});
    QVERIFY(JetFile::hasSignature(target));
}

void TestJetImport::passwordScrambledFromEightBitsStillOpens() {
    // A program on 8-bit characters scrambled "a€" in Windows-1252 to the bytes
    // 0x6A 0x8B, which the Jet file keeps as "j‹".
    const QString stored = QStringLiteral("j\u2039");
    QCOMPARE(JetImport::rescrambled(stored, 1252),
             data::ScramblePassword(QStringLiteral("a\u20AC")));
    QCOMPARE(JetImport::rescrambled(QStringLiteral("hnnm"), 1252), QStringLiteral("hnnm"));
}

QTEST_GUILESS_MAIN(TestJetImport)
#include "tst_jetimport.moc"
