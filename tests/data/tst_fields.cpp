#include "tests/data/DataFixture.h"

#include "core/Clock.h"
#include "data/Error.h"
#include "data/TableFactory.h"

#include <QRandomGenerator>
#include <QTest>

#include <sqlite3.h>

using data::Field;
using data::TableFactory;
using data::TableId;
using data::TableObject;

namespace {

// One table object on a fresh file, with one empty row of each table.
struct Env {
    explicit Env(TableId id = TableId::HouseholdInventory, const QString &name = "ADOTable1") {
        tools::PrepareOptions options;
        options.helpTexts = false;
        options.diaryRow = false;
        fixture = std::make_unique<DataFixture>(options);
        const data::TableDef &def = data::Schema::table(id);
        fixture->exec(QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(def.name));
        connection = fixture->connect();
        table.reset(TableFactory::create(id, name, connection.get(), nullptr));
        table->open();
    }
    Field *field(const char *column) const { return table->fieldByName(QLatin1String(column)); }
    // The value as the file holds it, after posting.
    QVariant inFile(const char *column) const {
        return fixture->scalar(QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE rowid = ?")
                                   .arg(QLatin1String(column), table->tableName()),
                               {table->bookmark().key});
    }
    std::unique_ptr<DataFixture> fixture;
    std::unique_ptr<data::Connection> connection;
    std::unique_ptr<TableObject> table;
};

QString errorOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const data::Error &e) {
        return e.text();
    }
    return QStringLiteral("(no error)");
}

int cacheMisses(const data::Connection &connection) {
    int current = 0;
    int high = 0;
    sqlite3_db_status(connection.handle(), SQLITE_DBSTATUS_CACHE_MISS, &current, &high, 0);
    return current;
}

QByteArray noise(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(size);
    for (char &c : bytes)
        c = char(generator.generate());
    return bytes;
}

} // namespace

class TestFields : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() {
        QLocale::setDefault(QLocale::c());
        core::Clock::setSource({});
    }
    void textIsCutToTheColumnWidth();
    void keysAreReadOnly();
    void currencyIsExact_data();
    void currencyIsExact();
    void currencySurvivesTheFile();
    void datesFollowTheLocale_data();
    void datesFollowTheLocale();
    void twoDigitYearsFallNearToday();
    void badTextIsRefusedAndKeepsTheValue();
    void booleansAndFloats();
    void blobsRoundTripEmptyAndNull();
    void blobsAreReadOnlyWhenAskedFor();
    void valuesOfAnotherStorageClassShowAsTheyAreAndStayEditable_data();
    void valuesOfAnotherStorageClassShowAsTheyAreAndStayEditable();
};

void TestFields::textIsCutToTheColumnWidth() {
    Env env;
    Field *name = env.field("Item Name");
    QCOMPARE(name->size(), 50);
    name->setAsString(QString(60, QLatin1Char('x')));
    QCOMPARE(name->asString().size(), 50);
    // A character outside the basic plane is never split in half.
    name->setValue(QString(QString(49, QLatin1Char('y')) + QStringLiteral("\U0001F600")));
    QCOMPARE(name->asString(), QString(49, QLatin1Char('y')));
    Field *description = env.field("Description");
    description->setValue(QString(300, QLatin1Char('d')));
    env.table->post();
    QCOMPARE(env.inFile("Description").toString().size(), 255);
    QCOMPARE(env.inFile("Item Name").toString(), QString(49, QLatin1Char('y')));

    Env people(TableId::People, "ADOTable2");
    people.field("Notes")->setAsString(QString(100000, QLatin1Char('n')));
    people.field("Title")->setAsString(QStringLiteral("Professor"));
    people.table->post();
    QCOMPARE(people.inFile("Notes").toString().size(), 100000);
    QCOMPARE(people.inFile("Title").toString(), QStringLiteral("Profe"));
}

void TestFields::keysAreReadOnly() {
    Env env;
    Field *key = env.field("Household ID");
    QVERIFY(key->isReadOnly());
    QCOMPARE(errorOf([&] { key->setValue(5); }),
             QStringLiteral("Field 'Household ID' cannot be modified"));
    QCOMPARE(errorOf([&] { key->setAsString(QStringLiteral("5")); }),
             QStringLiteral("Field 'Household ID' cannot be modified"));
    QCOMPARE(env.table->state(), TableObject::State::Browse);
    QCOMPARE(key->value(), QVariant(qlonglong(1)));
    QCOMPARE(key->asString(), QStringLiteral("1"));
}

void TestFields::currencyIsExact_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("units");
    QTest::addColumn<QString>("shown");
    QTest::newRow("fraction") << "en_US"
                              << "12.5" << 125000LL << "12.5";
    QTest::newRow("whole") << "en_US"
                           << "1200" << 12000000LL << "1200";
    QTest::newRow("tenth") << "en_US"
                           << "0.1" << 1000LL << "0.1";
    QTest::newRow("negative") << "en_US"
                              << "-3.25" << -32500LL << "-3.25";
    QTest::newRow("blanks") << "en_US"
                            << " 7.0 " << 70000LL << "7";
    QTest::newRow("rounded up") << "en_US"
                                << "0.00005" << 1LL << "0.0001";
    QTest::newRow("rounded down") << "en_US"
                                  << "2.00004" << 20000LL << "2";
    QTest::newRow("largest") << "en_US"
                             << "922337203685477.5807" << 9223372036854775807LL
                             << "922337203685477.5807";
    QTest::newRow("comma") << "de_DE"
                           << "1234,56" << 12345600LL << "1234,56";
    QTest::newRow("leading point") << "en_US"
                                   << ".5" << 5000LL << "0.5";
}

void TestFields::currencyIsExact() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(qlonglong, units);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    Env env;
    Field *price = env.field("Purchase Price");
    price->setAsString(text);
    QCOMPARE(price->currencyUnits(), units);
    QCOMPARE(price->asString(), shown);
    env.table->post();
    QCOMPARE(env.inFile("Purchase Price"), QVariant(units));
}

void TestFields::currencySurvivesTheFile() {
    Env env;
    Field *price = env.field("Purchase Price");
    // Ten times 0.1 is exactly 1: no binary fractions on the way.
    qint64 sum = 0;
    for (int i = 0; i < 10; ++i) {
        price->setValue(0.1);
        env.table->post();
        env.table->refresh();
        sum += price->currencyUnits();
    }
    QCOMPARE(sum, 10000);
    QCOMPARE(price->value().typeId(), int(QMetaType::Double));
    price->setValue(3); // a whole number of currency units
    QCOMPARE(price->asString(), QStringLiteral("3"));
    QCOMPARE(errorOf([&] { price->setAsString(QStringLiteral("922337203685478")); }),
             QStringLiteral("'922337203685478' is not a valid floating point value"));
    QCOMPARE(errorOf([&] { price->setAsString(QStringLiteral("1,5")); }),
             QStringLiteral("'1,5' is not a valid floating point value"));
    price->setAsString(QString());
    QVERIFY(price->isNull());
    QCOMPARE(price->asString(), QString());
}

void TestFields::datesFollowTheLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<QString>("shown");
    const QDate date(2024, 3, 5);
    QTest::newRow("US midnight") << "en_US" << QDateTime(date, QTime(0, 0)) << "3/5/2024";
    QTest::newRow("US time") << "en_US" << QDateTime(date, QTime(13, 2, 3))
                             << "3/5/2024 1:02:03 PM";
    QTest::newRow("German midnight") << "de_DE" << QDateTime(date, QTime(0, 0)) << "05.03.2024";
    QTest::newRow("German time") << "de_DE" << QDateTime(date, QTime(13, 2, 3))
                                 << "05.03.2024 13:02:03";
}

void TestFields::datesFollowTheLocale() {
    QFETCH(QString, locale);
    QFETCH(QDateTime, value);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    Env env;
    Field *date = env.field("Date Purchased");
    date->setValue(value);
    QCOMPARE(date->asString(), shown);
    env.table->post();
    QCOMPARE(env.inFile("Date Purchased").toString(), value.toString(Qt::ISODate));
    date->setAsString(QString());
    QVERIFY(date->isNull());
    date->setAsString(shown); // reads back what it shows
    QCOMPARE(date->value().toDateTime(), value);
}

void TestFields::twoDigitYearsFallNearToday() {
    core::Clock::setSource([] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); });
    Env env;
    Field *date = env.field("Date Purchased");
    date->setAsString(QStringLiteral("3/5/24"));
    QCOMPARE(date->value().toDate(), QDate(2024, 3, 5));
    date->setAsString(QStringLiteral("3/5/80"));
    QCOMPARE(date->value().toDate(), QDate(1980, 3, 5));
    date->setAsString(QStringLiteral("12/31/73"));
    QCOMPARE(date->value().toDate(), QDate(2073, 12, 31));
    date->setAsString(QStringLiteral("2024-03-05T10:20:30"));
    QCOMPARE(date->asString(), QStringLiteral("3/5/2024 10:20:30 AM"));
}

void TestFields::badTextIsRefusedAndKeepsTheValue() {
    Env env;
    Field *date = env.field("Date Purchased");
    date->setValue(QDate(2020, 1, 2));
    env.table->post();
    QCOMPARE(errorOf([&] { date->setAsString(QStringLiteral("31/31/2024")); }),
             QStringLiteral("'31/31/2024' is not a valid date and time"));
    QCOMPARE(date->asString(), QStringLiteral("1/2/2020"));
    QCOMPARE(env.table->state(), TableObject::State::Browse);
    Field *insured = env.field("Insured");
    QCOMPARE(errorOf([&] { insured->setAsString(QStringLiteral("maybe")); }),
             QStringLiteral("'maybe' is not a valid boolean value"));
}

void TestFields::booleansAndFloats() {
    Env env;
    Field *insured = env.field("Insured");
    QVERIFY(insured->isNull());
    QCOMPARE(insured->asString(), QString());
    insured->setValue(true);
    QCOMPARE(insured->asString(), QStringLiteral("True"));
    insured->setAsString(QStringLiteral("f"));
    QCOMPARE(insured->value(), QVariant(false));
    QCOMPARE(insured->asString(), QStringLiteral("False"));
    env.table->post();
    QCOMPARE(env.inFile("Insured"), QVariant(qlonglong(0)));
    insured->setAsString(QStringLiteral("TRUE"));
    QCOMPARE(insured->value(), QVariant(true));

    Env privacy(TableId::Privacy, "ADOTable4");
    Field *shares = privacy.field("Shares Owned");
    shares->setValue(1234567.25);
    QCOMPARE(shares->asString(), QStringLiteral("1234567.25"));
    shares->setValue(1.0 / 3.0);
    const QString third = shares->asString();
    shares->setAsString(third);
    QCOMPARE(shares->value().toDouble(), 1.0 / 3.0);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    shares->setValue(0.1);
    QCOMPARE(shares->asString(), QStringLiteral("0,1"));
    shares->setAsString(QStringLiteral("2,5"));
    privacy.table->post();
    QCOMPARE(privacy.inFile("Shares Owned"), QVariant(2.5));
}

void TestFields::blobsRoundTripEmptyAndNull() {
    Env env;
    Field *photo = env.field("Photograph");
    QVERIFY(photo->isNull());
    QVERIFY(photo->blob().isNull());
    QCOMPARE(photo->blobSize(), 0);

    const QByteArray bytes = noise(300000);
    photo->setBlob(bytes);
    QCOMPARE(photo->blobSize(), 300000);
    QCOMPARE(photo->blob(), bytes); // before posting
    env.table->post();
    QCOMPARE(env.inFile("Photograph").toByteArray(), bytes);
    env.table->refresh();
    QCOMPARE(photo->blob(), bytes);

    photo->setBlob(QByteArray(""));
    env.table->post();
    QVERIFY(!photo->isNull());
    QVERIFY(!photo->blob().isNull());
    QCOMPARE(photo->blob().size(), 0);
    QCOMPARE(env.fixture->scalar(
                 QStringLiteral(R"(SELECT typeof("Photograph") FROM "Household Inventory")")),
             QVariant(QStringLiteral("blob")));

    photo->clear();
    env.table->post();
    QVERIFY(photo->isNull());
    QVERIFY(env.inFile("Photograph").isNull());
}

void TestFields::blobsAreReadOnlyWhenAskedFor() {
    Env env;
    for (int i = 0; i < 3; ++i)
        env.fixture->addItem(QStringLiteral("item %1").arg(i), noise(2000000 + i));
    auto connection = env.fixture->connect();
    std::unique_ptr<TableObject> table(TableFactory::create(
        TableId::HouseholdInventory, QStringLiteral("ADOTable1"), connection.get(), nullptr));
    const int before = cacheMisses(*connection);
    table->open();
    const int opening = cacheMisses(*connection) - before;
    QVERIFY2(opening < 100, qPrintable(QString::number(opening))); // 6 MB would be ~1500 pages
    table->last();
    Field *photo = table->fieldByName(QStringLiteral("Photograph"));
    QCOMPARE(photo->blobSize(), 2000002);
    QCOMPARE(cacheMisses(*connection) - before, opening);
    QCOMPARE(photo->blob(), noise(2000002));
    QVERIFY(cacheMisses(*connection) - before > opening + 400);

    // Never kept: what another connection wrote is what the next read sees.
    env.fixture->exec(QStringLiteral(R"(UPDATE "Household Inventory" SET "Photograph" = x'FFD8FF')"
                                     R"( WHERE "Item Name" = 'item 2')"));
    QCOMPARE(photo->blob(), QByteArray("\xFF\xD8\xFF"));
}

void TestFields::valuesOfAnotherStorageClassShowAsTheyAreAndStayEditable_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("real in currency") << "Purchase Price" << QVariant(12.3456) << "12.3456";
    QTest::newRow("text in currency") << "Purchase Price" << QVariant("abc") << "abc";
    QTest::newRow("real in date") << "Date Purchased" << QVariant(2459000.5) << "2459000.5";
    QTest::newRow("text in boolean") << "Insured" << QVariant("yes") << "yes";
    QTest::newRow("bytes in text") << "Item Name" << QVariant(QByteArray("lamp")) << "lamp";
}

void TestFields::valuesOfAnotherStorageClassShowAsTheyAreAndStayEditable() {
    QFETCH(QString, column);
    QFETCH(QVariant, stored);
    QFETCH(QString, shown);
    Env env;
    env.fixture->exec(QStringLiteral(R"(UPDATE "Household Inventory" SET "%1" = ?)").arg(column),
                      {stored});
    env.table->refresh();
    Field *field = env.table->fieldByName(column);
    QCOMPARE(field->asString(), shown);
    QCOMPARE(env.table->displayText(0, field->index()), shown);
    QCOMPARE(field->value(), stored);
    // An edit of another column finds the row as it was read.
    Field *other = env.field(column == QLatin1String("Item Name") ? "Serial Number" : "Item Name");
    other->setAsString(QStringLiteral("edited"));
    env.table->post();
    QCOMPARE(env.inFile(qPrintable(other->columnName())), QVariant(QStringLiteral("edited")));
    QCOMPARE(env.inFile(qPrintable(column)), stored);
    QCOMPARE(field->asString(), shown);
    if (column != QLatin1String("Purchase Price"))
        return;
    // A currency held as a real number converts exactly and is written back as
    // the column keeps it; text is refused with a clear error.
    if (stored.typeId() != QMetaType::Double) {
        QCOMPARE(errorOf([&] { field->currencyUnits(); }),
                 QStringLiteral("'abc' is not a valid floating point value"));
        return;
    }
    QCOMPARE(field->currencyUnits(), qint64(123456));
    field->setAsString(shown);
    env.table->post();
    QCOMPARE(env.inFile("Purchase Price"), QVariant(qlonglong(123456)));
    QCOMPARE(field->asString(), shown);
}

QTEST_GUILESS_MAIN(TestFields)
#include "tst_fields.moc"
