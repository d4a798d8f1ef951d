#include "tests/data/DataFixture.h"

#include "data/Error.h"
#include "data/TableFactory.h"

#include <QRandomGenerator>
#include <QTest>

using data::TableFactory;
using data::TableId;
using data::TableObject;

namespace {

const QString kName = QStringLiteral("Item Name");

struct Env {
    explicit Env(const QStringList &names) {
        tools::PrepareOptions options;
        options.helpTexts = false;
        fixture = std::make_unique<DataFixture>(options);
        for (const QString &name : names)
            fixture->addItem(name);
        connection = fixture->connect();
        table.reset(TableFactory::create(TableId::HouseholdInventory, QStringLiteral("ADOTable1"),
                                         connection.get(), nullptr));
        table->open();
    }
    // The name of the row that locate finds, or "-" when none.
    QString find(const QString &text) {
        if (!table->locate(kName, text))
            return QStringLiteral("-");
        return table->fieldByName(kName)->asString();
    }
    std::unique_ptr<DataFixture> fixture;
    std::unique_ptr<data::Connection> connection;
    std::unique_ptr<TableObject> table;
};

} // namespace

class TestLocate : public QObject {
    Q_OBJECT
private slots:
    void findsTheFirstInColumnOrder_data();
    void findsTheFirstInColumnOrder();
    void missKeepsTheCurrentRow();
    void searchNeverContinuesFromTheCurrentRow();
    void followsChangesOfTheRows();
    void searchesTheGivenColumnOnly();
    void staysRightThroughEditsDeletesAndRefreshes();
};

void TestLocate::findsTheFirstInColumnOrder_data() {
    QTest::addColumn<QStringList>("names"); // in key order
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");
    const QStringList lamps{"lampshade", "Ladder", "Lamp"};
    QTest::newRow("lam") << lamps << "lam"
                         << "Lamp";
    QTest::newRow("LAD") << lamps << "LAD"
                         << "Ladder";
    QTest::newRow("whole") << lamps << "LAMPSHADE"
                           << "lampshade";
    QTest::newRow("longer than any") << lamps << "lampshades"
                                     << "-";
    QTest::newRow("x") << lamps << "x"
                       << "-";
    QTest::newRow("blank is a character") << lamps << " lam"
                                          << "-";
    QTest::newRow("ties by key") << QStringList{"b", "LAMP", "lamp", "Lamp"} << "lam"
                                 << "LAMP";
    QTest::newRow("empty text, no empty value") << lamps << ""
                                                << "-";
    QTest::newRow("empty text, empty value") << QStringList{"a", "", "b"} << ""
                                             << "";
    QTest::newRow("nulls never match") << QStringList{QString(), "a"} << ""
                                       << "-";
    QTest::newRow("percent") << QStringList{"!bang", "100x", "100%"} << "100%"
                             << "100%";
    QTest::newRow("lone percent") << QStringList{"!bang", "%off"} << "%"
                                  << "%off";
    QTest::newRow("underscore") << QStringList{"a-b", "a_b"} << "a_"
                                << "a_b";
    QTest::newRow("asterisk") << QStringList{"!bang", "*star"} << "*"
                              << "*star";
    QTest::newRow("bracket") << QStringList{"!bang", "[x]", "x"} << "["
                             << "[x]";
    QTest::newRow("apostrophe") << QStringList{"Ob", "O'Brien"} << "o'b"
                                << "O'Brien";
    QTest::newRow("umlaut case") << QStringList{"Zebra", "Ähre"} << "äh"
                                 << "Ähre";
}

void TestLocate::findsTheFirstInColumnOrder() {
    QFETCH(QStringList, names);
    QFETCH(QString, text);
    QFETCH(QString, found);
    Env env(names);
    QCOMPARE(env.find(text), found);
}

void TestLocate::missKeepsTheCurrentRow() {
    Env env({"Lamp", "lampshade", "Ladder"});
    env.table->last();
    QVERIFY(!env.table->locate(kName, QStringLiteral("x")));
    QCOMPARE(env.table->currentIndex(), 2);
    QVERIFY(env.table->eof());
}

void TestLocate::searchNeverContinuesFromTheCurrentRow() {
    Env env({"Lamp", "lampshade", "Ladder"});
    QCOMPARE(env.find(QStringLiteral("lamps")), QStringLiteral("lampshade"));
    QCOMPARE(env.find(QStringLiteral("lam")), QStringLiteral("Lamp"));
    QCOMPARE(env.find(QStringLiteral("lam")), QStringLiteral("Lamp"));
}

void TestLocate::followsChangesOfTheRows() {
    Env env({"Lamp", "lampshade", "Ladder"});
    QCOMPARE(env.find(QStringLiteral("lam")), QStringLiteral("Lamp"));
    env.table->remove();
    QCOMPARE(env.find(QStringLiteral("lam")), QStringLiteral("lampshade"));

    // A pending edit is posted first, and searched as posted.
    env.table->fieldByName(kName)->setValue(QStringLiteral("Zebra"));
    QCOMPARE(env.find(QStringLiteral("zeb")), QStringLiteral("Zebra"));
    QCOMPARE(env.table->state(), TableObject::State::Browse);

    env.table->insert();
    env.table->fieldByName(kName)->setValue(QStringLiteral("Lambda"));
    QCOMPARE(env.find(QStringLiteral("lam")), QStringLiteral("Lambda"));

    env.fixture->addItem(QStringLiteral("Label"));
    QCOMPARE(env.find(QStringLiteral("lab")), QStringLiteral("-"));
    env.table->refresh();
    QCOMPARE(env.find(QStringLiteral("lab")), QStringLiteral("Label"));
}

void TestLocate::searchesTheGivenColumnOnly() {
    Env env({"Lamp"});
    auto people = std::unique_ptr<TableObject>(TableFactory::create(
        TableId::People, QStringLiteral("ADOTable2"), env.connection.get(), nullptr));
    env.fixture->exec(QStringLiteral(
        R"(INSERT INTO "People" ("First Name", "Last Name") VALUES ('Ann', 'Smith'), ('Sam', 'Adams'))"));
    people->open();
    QVERIFY(!people->locate(QStringLiteral("First Name"), QStringLiteral("smi")));
    QVERIFY(people->locate(QStringLiteral("First Name"), QStringLiteral("SA")));
    QCOMPARE(people->currentIndex(), 1);
    QVERIFY_THROWS_EXCEPTION(data::Error,
                             people->locate(QStringLiteral("Name"), QStringLiteral("a")));

    // Other column types match their display text.
    env.table->fieldByName(QStringLiteral("Purchase Price"))->setValue(12.5);
    env.table->post();
    env.table->insert();
    env.table->post();
    QVERIFY(env.table->locate(QStringLiteral("Purchase Price"), QStringLiteral("12.")));
    QCOMPARE(env.table->currentIndex(), 0);
}

// The row locate must find, worked out from the rows themselves.
static int expectedRow(TableObject &table, const QString &text) {
    const int field = table.fieldByName(kName)->index();
    const QString key = text.toCaseFolded();
    int best = -1;
    QString bestText;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.isNull(row, field))
            continue;
        const QString folded = table.displayText(row, field).toCaseFolded();
        const bool match = key.isEmpty() ? folded.isEmpty() : folded.startsWith(key);
        if (match && (best < 0 || folded < bestText)) {
            best = row;
            bestText = folded;
        }
    }
    return best;
}

void TestLocate::staysRightThroughEditsDeletesAndRefreshes() {
    // Few letters, so that prefixes and equal names abound; nulls and empty names too.
    QRandomGenerator random(20261209);
    auto randomName = [&]() -> QString {
        const int length = random.bounded(4);
        if (random.bounded(12) == 0)
            return QString();
        QString name = QStringLiteral("");
        for (int i = 0; i < length; ++i)
            name += QChar(u"aAbB"[random.bounded(4)]);
        return name;
    };
    QStringList names;
    for (int i = 0; i < 40; ++i)
        names << randomName();
    Env env(names);
    for (int step = 0; step < 400; ++step) {
        const QString prefix = randomName().left(2);
        const QString text = prefix.isNull() ? QStringLiteral("") : prefix;
        const int expected = expectedRow(*env.table, text);
        QCOMPARE(env.table->locate(kName, text), expected >= 0);
        if (expected >= 0)
            QCOMPARE(env.table->currentIndex(), expected);
        switch (random.bounded(6)) {
        case 0:
            if (!env.table->isEmpty()) {
                env.table->fieldByName(kName)->setValue(randomName());
                env.table->post();
            }
            break;
        case 1:
            env.table->insert();
            env.table->fieldByName(kName)->setValue(randomName());
            env.table->post();
            break;
        case 2:
            if (!env.table->isEmpty())
                env.table->remove();
            break;
        case 3:
            if (random.bounded(2))
                env.fixture->addItem(randomName());
            env.table->refresh();
            break;
        default:
            break; // search again over the same rows
        }
    }
}

QTEST_GUILESS_MAIN(TestLocate)
#include "tst_locate.moc"
