// Name search over the items: locate, OK to the found record shown, and the refresh that
// opening the box does, beside bare SQLite.
#include "bench/app/BenchSupport.h"
#include "bench/records/RecordsBench.h"

#include "app/TForm1.h"
#include "data/Connection.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "data/TableFactory.h"
#include "data/TableObject.h"
#include "records/HouseholdPage.h"
#include "records/NameSearch.h"
#include "tests/support/Named.h"
#include "widgets/DBEdit.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>

#include <cstdio>

#include <sqlite3.h>

using widgets::Page;

namespace bench {

namespace {

const QString kItemName = QStringLiteral("Item Name");

// The first item, in NOCASE order of its name, whose name begins with a prefix: one
// prepared statement over the "bench item name" index.
class BarePrefixQuery {
public:
    struct Hit {
        qint64 key = -1;
        QString name;
        qint64 photoBytes = 0;
    };

    explicit BarePrefixQuery(const QString &file) {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        data::Statement exists(
            m_db,
            QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'bench item name'"));
        exists.step();
        m_indexed = exists.int64(0) == 1;
    }
    ~BarePrefixQuery() {
        m_select.reset();
        sqlite3_close(m_db);
    }
    bool indexed() const { return m_indexed; }

    void prepare() {
        m_select = std::make_unique<data::Statement>(
            m_db, QStringLiteral(R"(SELECT rowid, "Item Name", length("Photograph"))"
                                 R"( FROM "Household Inventory")"
                                 R"( WHERE "Item Name" >= ?1 COLLATE NOCASE)"
                                 R"( ORDER BY "Item Name" COLLATE NOCASE LIMIT 1)"));
    }

    QString plan() {
        data::Statement explain(m_db, QStringLiteral("EXPLAIN QUERY PLAN ") +
                                          QString::fromUtf8(sqlite3_sql(m_select->handle())));
        explain.bind(1, QStringLiteral("a"));
        QStringList steps;
        while (explain.step())
            steps << explain.text(3);
        return steps.join(QStringLiteral("; "));
    }

    Hit find(const QString &prefix) {
        m_select->bind(1, prefix);
        Hit hit;
        if (m_select->step()) {
            const QString name = m_select->text(1);
            if (name.startsWith(prefix, Qt::CaseInsensitive))
                hit = {m_select->int64(0), name, m_select->int64(2)};
        }
        sqlite3_reset(m_select->handle());
        return hit;
    }

private:
    sqlite3 *m_db = nullptr;
    std::unique_ptr<data::Statement> m_select;
    bool m_indexed = false;
};

QStringList prefixesOf(data::TableObject *table, int count) {
    const int nameIndex = table->fieldByName(kItemName)->index();
    QRandomGenerator rng(42);
    QStringList prefixes;
    for (int i = 0; i < count; ++i) {
        const QString name = table->displayText(int(rng.bounded(table->rowCount())), nameIndex);
        const QString prefix = name.left(1 + int(rng.bounded(6)));
        switch (i % 10) {
        case 0:
            prefixes << QStringLiteral("zz%1").arg(i);
            break;
        case 1:
        case 4:
        case 7:
            prefixes << prefix.toUpper();
            break;
        case 2:
        case 5:
            prefixes << prefix.toLower();
            break;
        default:
            prefixes << prefix;
        }
    }
    return prefixes;
}

void row(const char *what, const QString &ours, const QString &reference, const QString &ratio,
         const char *target) {
    std::printf("| %s | %s | %s | %s | %s |\n", what, qPrintable(ours), qPrintable(reference),
                qPrintable(ratio), target);
}

QString perCall(Cost total, int calls) {
    return QStringLiteral("%1 / %2 µs")
        .arg(total.cpuMs * 1000 / calls, 0, 'f', 2)
        .arg(total.wallMs * 1000 / calls, 0, 'f', 2);
}

QString ratioOf(const Series &ours, const Series &reference) {
    return QStringLiteral("%1 / %2")
        .arg(ours.medianCpu() / reference.medianCpu(), 0, 'f', 2)
        .arg(ours.medianWall() / reference.medianWall(), 0, 'f', 2);
}

} // namespace

void nameSearch(const QString &dir, const Options &options) {
    auto form = openForm(dir, Page::Household);
    data::TableObject *table = named<data::TableObject>(*form, "ADOTable1");
    records::NameSearch *search = form->findChild<records::NameSearch *>();
    records::HouseholdPage *page = named<records::HouseholdPage>(*form, "Household");
    BarePrefixQuery bare(mainFile(dir));
    const QStringList prefixes = prefixesOf(table, options.searches);
    const int searches = int(prefixes.size());

    std::printf("\n## Name search over %d items (%s)\n\n", table->rowCount(),
                qPrintable(mainFile(dir)));
    // The locate itself: controls disabled, so no page follows the moves.
    table->disableControls();
    const Cost firstLocate = measure([&] { table->locate(kItemName, QStringLiteral("lam")); });
    std::vector<qint64> found(size_t(searches), -1);
    const Cost locates = measure([&] {
        for (int i = 0; i < searches; ++i) {
            if (table->locate(kItemName, prefixes[i]))
                found[size_t(i)] = table->bookmark().key;
        }
    });
    table->enableControls();

    Cost firstQuery;
    Cost queries;
    std::vector<BarePrefixQuery::Hit> hits(static_cast<size_t>(searches));
    if (bare.indexed()) {
        firstQuery = measure([&] {
            bare.prepare();
            bare.find(QStringLiteral("lam"));
        });
        queries = measure([&] {
            for (int i = 0; i < searches; ++i)
                hits[size_t(i)] = bare.find(prefixes[i]);
        });
        std::printf("Bare query plan: %s\n", qPrintable(bare.plan()));
        int agree = 0;
        for (int i = 0; i < searches; ++i)
            agree += found[size_t(i)] == hits[size_t(i)].key ? 1 : 0;
        std::printf("locate and the bare query agree on %d of %d prefixes (%lld misses)\n", agree,
                    searches, qlonglong(std::count(found.begin(), found.end(), -1)));
        require(agree == searches, QStringLiteral("locate finds what the bare query finds"));
    } else {
        std::printf("No NOCASE index in this file (not prepared): bare query and OK skipped.\n");
    }

    // Rounds: close and open the box (the refresh), then OK: the first one after the
    // refresh, then later ones; a bare read of the same rows and a plain refresh beside.
    Series open, bareItems, refresh, firstOk, laterOk, okPainted;
    std::vector<int> usable;
    for (int i = 0; i < searches && bare.indexed(); ++i) {
        if (hits[size_t(i)].key >= 0 && hits[size_t(i)].photoBytes == 0)
            usable.push_back(i);
    }
    int next = 0;
    auto ok = [&](Series &into) {
        const int i = usable[size_t(next++) % usable.size()];
        const BarePrefixQuery::Hit &hit = hits[size_t(i)];
        search->ItemName->setText(prefixes[i]);
        into.add(measure([&] { search->btnOKClick(); }));
        require(page->DBEdit1->text() == QString::number(hit.key) &&
                    page->DBEdit3->text() == hit.name,
                QStringLiteral("OK shows item %1").arg(hit.key));
    };
    Series firstLocates;
    // The same refresh of a table object that no control is bound to.
    data::Connection connection;
    connection.setConnectionString(
        data::Connection::buildConnectionString(dir, QLatin1String(data::Schema::mainFile)));
    std::unique_ptr<data::TableObject> alone(data::TableFactory::create(
        data::TableId::HouseholdInventory, QStringLiteral("ADOTable1"), &connection, nullptr));
    alone->open();
    Series bareFree, aloneRefresh;
    auto bareItemsRead = [&] {
        Stopwatch watch;
        auto kept = bareRead(dir, {data::TableId::HouseholdInventory});
        bareItems.add(watch.elapsed());
        bareFree.add(measure([&] { kept.clear(); }));
        aloneRefresh.add(measure([&] { alone->refresh(); }));
    };
    for (int round = 0; round < options.rounds; ++round) {
        search->SearchCloseClick();
        QCoreApplication::processEvents();
        if (round % 2 == 0)
            bareItemsRead();
        refresh.add(measure([&] { table->refresh(); }));
        QCoreApplication::processEvents();
        table->disableControls();
        firstLocates.add(measure([&] { table->locate(kItemName, QStringLiteral("lam")); }));
        table->enableControls();
        if (round % 2 == 1)
            bareItemsRead();
        open.add(measure([&] { search->SearchClick(); }));
        QCoreApplication::processEvents();
        if (usable.empty())
            continue;
        ok(firstOk);
        for (int i = 0; i < 5; ++i)
            ok(laterOk);
        okPainted.add(measure([&] {
            ok(laterOk);
            QCoreApplication::processEvents();
        }));
    }

    std::printf("\n| operation | ours (cpu / wall) | bare SQLite (cpu / wall) | ratio | target |\n"
                "|---|---|---|---|---|\n");
    row(qPrintable(QStringLiteral("locate, first call after the table was read (sorts the "
                                  "names): after opening; median of %1 after a refresh")
                       .arg(options.rounds)),
        QStringLiteral("%1 / %2 ms; %3 ms")
            .arg(firstLocate.cpuMs, 0, 'f', 1)
            .arg(firstLocate.wallMs, 0, 'f', 1)
            .arg(firstLocates.text()),
        bare.indexed() ? QStringLiteral("%1 / %2 ms (statement prepared)")
                             .arg(firstQuery.cpuMs, 0, 'f', 2)
                             .arg(firstQuery.wallMs, 0, 'f', 2)
                       : QString(),
        QString(), "≤ 1 ms");
    row(qPrintable(QStringLiteral("locate, later calls (mean of %1)").arg(searches)),
        perCall(locates, searches), bare.indexed() ? perCall(queries, searches) : QString(),
        bare.indexed() ? QStringLiteral("%1 / %2")
                             .arg(locates.cpuMs / queries.cpuMs, 0, 'f', 2)
                             .arg(locates.wallMs / queries.wallMs, 0, 'f', 2)
                       : QString(),
        "≤ 1 ms");
    if (!firstOk.empty()) {
        row(qPrintable(QStringLiteral("OK to the record's fields shown, first after opening the "
                                      "box (median of %1)")
                           .arg(firstOk.wall.size())),
            firstOk.text(2) + QStringLiteral(" ms"), QString(), QString(), "≤ 16 ms");
        row(qPrintable(QStringLiteral("OK to the record's fields shown, later (median of %1)")
                           .arg(laterOk.wall.size())),
            laterOk.text(2) + QStringLiteral(" ms"), QString(), QString(), "≤ 16 ms");
        row("OK and the window repainted (median)", okPainted.text(2) + QStringLiteral(" ms"),
            QString(), QString(), "");
    }
    row(qPrintable(QStringLiteral("opening the box: SearchClick with its refresh (median of %1)")
                       .arg(options.rounds)),
        open.text(1) + QStringLiteral(" ms"), bareItems.text(1) + QStringLiteral(" ms"),
        ratioOf(open, bareItems), "≤ 1.5 ×");
    row("ADOTable1->refresh() alone (median)", refresh.text(1) + QStringLiteral(" ms"),
        bareItems.text(1) + QStringLiteral(" ms"), ratioOf(refresh, bareItems), "");
    row("refresh of a table object without bound controls (median)",
        aloneRefresh.text(1) + QStringLiteral(" ms"), bareItems.text(1) + QStringLiteral(" ms"),
        ratioOf(aloneRefresh, bareItems), "");
    row("freeing the bare read's values (median)", QString(),
        bareFree.text(1) + QStringLiteral(" ms"), QString(), "");
    std::fflush(stdout);
}

} // namespace bench
