#include "tools/jet/JetImport.h"

#include "core/Error.h"
#include "data/Statement.h"
#include "data/StoredPassword.h"
#include "platform/rtf/CodePage.h"
#include "tools/Preparer.h"
#include "tools/jet/DataFiles.h"
#include "tools/jet/JetFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTime>

#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace tools {

namespace {

using data::Field;
using Kind = JetValue::Kind;

constexpr qint64 kUnitsPerWhole = 10000;
constexpr qint64 kMsPerDay = 86400000;

bool converts(Kind from, Field::Type to) {
    switch (to) {
    case Field::Type::AutoIncrement:
        return from == Kind::Integer;
    case Field::Type::Text:
    case Field::Type::Memo:
        return from == Kind::Text;
    case Field::Type::DateTime:
        return from == Kind::DateTime;
    case Field::Type::Currency:
        return from == Kind::Currency || from == Kind::Integer;
    case Field::Type::Boolean:
        return from == Kind::Boolean || from == Kind::Integer;
    case Field::Type::Float:
        return from == Kind::Float || from == Kind::Integer || from == Kind::Currency;
    case Field::Type::Blob:
        return from == Kind::Binary;
    }
    return false;
}

QString typeName(Field::Type type) {
    switch (type) {
    case Field::Type::AutoIncrement:
        return QStringLiteral("autoincrement");
    case Field::Type::Text:
        return QStringLiteral("text");
    case Field::Type::DateTime:
        return QStringLiteral("date-time");
    case Field::Type::Currency:
        return QStringLiteral("currency");
    case Field::Type::Boolean:
        return QStringLiteral("boolean");
    case Field::Type::Float:
        return QStringLiteral("float");
    case Field::Type::Memo:
        return QStringLiteral("memo");
    case Field::Type::Blob:
        return QStringLiteral("blob");
    }
    return {};
}

// A Jet date: whole days since 1899-12-30 (negative before it) and the time
// of day as the fraction's magnitude, stored as the store keeps dates.
QVariant isoFromJetDays(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return QVariant();
    const double whole = std::trunc(days);
    qint64 ms = std::llround(std::fabs(days - whole) * double(kMsPerDay));
    QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        date = date.addDays(1);
    }
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms));
    const QString format =
        time.msec() != 0 ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss");
    return QVariant(date.toString(Qt::ISODate) + QLatin1Char('T') + time.toString(format));
}

QVariant storedValue(const JetValue &v, Field::Type to) {
    if (v.isNull())
        return QVariant();
    switch (to) {
    case Field::Type::AutoIncrement:
        return QVariant(qlonglong(v.integer));
    case Field::Type::Text:
    case Field::Type::Memo:
        return QVariant(v.text);
    case Field::Type::DateTime:
        return isoFromJetDays(v.real);
    case Field::Type::Currency:
        if (v.kind == Kind::Currency)
            return QVariant(qlonglong(v.integer));
        if (std::abs(v.integer) > std::numeric_limits<qint64>::max() / kUnitsPerWhole)
            return QVariant();
        return QVariant(qlonglong(v.integer * kUnitsPerWhole));
    case Field::Type::Boolean:
        return QVariant(qlonglong(v.integer != 0 ? 1 : 0));
    case Field::Type::Float:
        if (v.kind == Kind::Float)
            return QVariant(v.real);
        if (v.kind == Kind::Currency)
            return QVariant(double(v.integer) / double(kUnitsPerWhole));
        return QVariant(double(v.integer));
    case Field::Type::Blob:
        return QVariant(v.bytes.isNull() ? QByteArray("") : v.bytes);
    }
    return QVariant();
}

// One Jet column that goes into a column of the schema.
struct ColumnPlan {
    int jetIndex;
    const data::ColumnDef *target;
    qint64 longTexts = 0;
    qint64 incomplete = 0;
};

struct TablePlan {
    JetTable jet;
    const data::TableDef *target;
    QList<ColumnPlan> columns;
};

QString insertStatement(const TablePlan &plan) {
    QStringList names;
    QStringList marks;
    for (const ColumnPlan &c : plan.columns) {
        names << data::Statement::quoted(c.target->name);
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO ") + data::Statement::quoted(plan.target->name) +
           QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           marks.join(QStringLiteral(", ")) + QLatin1Char(')');
}

const data::TableDef *findTable(const QList<data::TableDef> &tables, const QString &name) {
    for (const data::TableDef &t : tables) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

TablePlan planTable(const JetTable &jet, const data::TableDef &target, JetImportReport &report) {
    TablePlan plan{jet, &target, {}};
    QSet<const data::ColumnDef *> matched;
    for (int i = 0; i < jet.columns.size(); ++i) {
        const JetColumn &c = jet.columns[i];
        const data::ColumnDef *column = target.column(c.name);
        if (!column) {
            report.unknownColumns << QStringLiteral("%1.%2 (%3)").arg(jet.name, c.name, c.typeName);
            continue;
        }
        matched.insert(column);
        if (!converts(c.kind, column->type)) {
            report.notes << QStringLiteral("%1.%2: a Jet %3 column does not convert to %4; "
                                           "left out")
                                .arg(jet.name, c.name, c.typeName, typeName(column->type));
            continue;
        }
        plan.columns.append({int(i), column});
    }
    for (const data::ColumnDef &column : target.columns) {
        if (matched.contains(&column))
            continue;
        report.notes << (column.type == Field::Type::AutoIncrement
                             ? QStringLiteral("%1.%2: not in the Jet file; keys numbered anew")
                             : QStringLiteral("%1.%2: not in the Jet file; left empty"))
                            .arg(target.name, column.name);
    }
    return plan;
}

void writeRows(sqlite3 *db, const JetFile &jet, TablePlan &plan, const JetImportOptions &options,
               JetImportReport &report) {
    data::Statement insert(db, insertStatement(plan));
    qint64 rows = 0;
    jet.readRows(plan.jet.name, [&](const QList<JetValue> &values) {
        sqlite3_reset(insert.handle());
        for (int i = 0; i < plan.columns.size(); ++i) {
            ColumnPlan &c = plan.columns[i];
            const JetValue &v = values.at(c.jetIndex);
            QVariant stored = storedValue(v, c.target->type);
            if (options.adjust)
                stored = options.adjust(plan.target->name, c.target->name, stored);
            if (v.incomplete)
                ++c.incomplete;
            if (c.target->type == Field::Type::Text && c.target->size > 0 &&
                v.text.size() > c.target->size)
                ++c.longTexts;
            insert.bind(i + 1, stored);
        }
        try {
            insert.step();
        } catch (const core::Error &e) {
            throw core::Error(
                QStringLiteral("%1, row %2: %3").arg(plan.jet.name).arg(rows + 1).arg(e.text()));
        }
        if (++rows % 1000 == 0 && options.progress)
            options.progress(QStringLiteral("%1: %2 of %3 rows")
                                 .arg(plan.jet.name)
                                 .arg(rows)
                                 .arg(plan.jet.rowCount));
    });
    report.tables.append({plan.target->name, rows});
    for (const ColumnPlan &c : std::as_const(plan.columns)) {
        if (c.longTexts)
            report.notes << QStringLiteral("%1.%2: %3 values longer than %4 characters, kept whole")
                                .arg(plan.target->name, c.target->name)
                                .arg(c.longTexts)
                                .arg(c.target->size);
        if (c.incomplete)
            report.notes << QStringLiteral("%1.%2: %3 values ended early in the Jet file; "
                                           "what it holds was kept")
                                .arg(plan.target->name, c.target->name)
                                .arg(c.incomplete);
    }
}

} // namespace

bool JetImportReport::leftSomethingOut() const {
    return !unknownTables.isEmpty() || !unknownColumns.isEmpty() || !notes.isEmpty();
}

QString JetImportReport::text() const {
    QStringList lines;
    lines << QStringLiteral("%1 (%2) -> %3").arg(source, format, target);
    for (const auto &t : tables)
        lines << QStringLiteral("  table %1: %2 rows").arg(t.first).arg(t.second);
    for (const QString &t : delivered)
        lines << QStringLiteral("  table %1: not in the Jet file, written as a new file has it")
                     .arg(t);
    for (const QString &t : unknownTables)
        lines << QStringLiteral("  left out, table unknown to the schema: %1").arg(t);
    for (const QString &c : unknownColumns)
        lines << QStringLiteral("  left out, column unknown to the schema: %1").arg(c);
    for (const QString &n : notes)
        lines << QStringLiteral("  ") + n;
    return lines.join(QLatin1Char('\n'));
}

JetImportOptions JetImport::forStoreFile(const QString &fileName, int codePage) {
    JetImportOptions options;
    for (data::TableId id : data::Schema::tablesOf(fileName))
        options.tables << data::Schema::table(id);
    options.fillAbsent = [](sqlite3 *db, const data::TableDef &table) {
        for (data::TableId id : data::Schema::allTables()) {
            if (&data::Schema::table(id) == &table)
                Preparer::fillDelivered(db, id);
        }
    };
    const QString diary = data::Schema::table(data::TableId::Diary).name;
    options.adjust = [diary, codePage](const QString &table, const QString &column,
                                       const QVariant &stored) {
        if (table == diary && column == QLatin1String("Password") && !stored.isNull())
            return QVariant(rescrambled(stored.toString(), codePage));
        return stored;
    };
    return options;
}

QString JetImport::storeFileFor(const JetFile &jet) {
    QHash<QString, int> matches;
    for (const QString &name : jet.tableNames()) {
        for (data::TableId id : data::Schema::allTables()) {
            const data::TableDef &t = data::Schema::table(id);
            if (t.name.compare(name, Qt::CaseInsensitive) == 0)
                ++matches[t.fileName];
        }
    }
    const QString main = QString::fromLatin1(data::Schema::mainFile);
    const QString idioms = QString::fromLatin1(data::Schema::idiomFile);
    if (matches.value(main) == 0 && matches.value(idioms) == 0)
        return QString();
    return matches.value(main) >= matches.value(idioms) ? main : idioms;
}

JetImportReport JetImport::convert(const JetFile &jet, const QString &target,
                                   const JetImportOptions &options) {
    JetImportReport report;
    report.source = jet.path();
    report.format = jet.formatName();
    report.target = target;
    QList<TablePlan> plans;
    QSet<const data::TableDef *> present;
    for (const QString &name : jet.tableNames()) {
        const JetTable table = jet.table(name);
        const data::TableDef *def = findTable(options.tables, name);
        if (!def || present.contains(def)) {
            report.unknownTables << QStringLiteral("%1 (%2 rows)").arg(name).arg(table.rowCount);
            continue;
        }
        present.insert(def);
        plans.append(planTable(table, *def, report));
    }
    if (plans.isEmpty()) {
        throw core::Error(QStringLiteral("No table of %1 belongs in %2")
                              .arg(QFileInfo(jet.path()).fileName(), QFileInfo(target).fileName()));
    }
    const auto fill = [&](sqlite3 *db) {
        for (const data::TableDef &table : options.tables)
            data::Statement(db, table.createStatement()).exec();
        for (TablePlan &plan : plans)
            writeRows(db, jet, plan, options, report);
        for (const data::TableDef &table : options.tables) {
            if (present.contains(&table))
                continue;
            if (options.fillAbsent) {
                options.fillAbsent(db, table);
                report.delivered << table.name;
            } else {
                report.notes
                    << QStringLiteral("%1: not in the Jet file; left empty").arg(table.name);
            }
        }
    };
    if (!Preparer::writeDatabase(target, fill))
        throw core::Error(QStringLiteral("%1 exists already").arg(target));
    return report;
}

JetImportReport JetImport::convertInto(const QString &jetPath, const QString &target,
                                       const QString &keepAs, QString *keptAs,
                                       const std::function<void(const QString &)> &progress) {
    const JetFile jet(jetPath);
    const QFileInfo info(target);
    JetImportOptions options = forStoreFile(info.fileName(), jet.codePage());
    options.progress = progress;
    const QString fresh = DataFiles::freeName(
        info.dir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".converted")));
    JetImportReport report = convert(jet, fresh, options);
    report.target = target;
    keptAs->clear();
    try {
        if (QFileInfo::exists(target)) {
            *keptAs = DataFiles::freeName(keepAs);
            DataFiles::rename(target, *keptAs);
        }
        if (!QFile::rename(fresh, target)) {
            if (!keptAs->isEmpty())
                DataFiles::rename(*keptAs, target);
            throw core::Error(QStringLiteral("Cannot move the converted file to %1").arg(target));
        }
    } catch (...) {
        QFile::remove(fresh);
        keptAs->clear();
        throw;
    }
    return report;
}

QString JetImport::rescrambled(const QString &stored, int codePage) {
    const platform::CodePage page(codePage > 0 ? codePage : 1252);
    QByteArray bytes;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const qsizetype n = stored.at(i).isHighSurrogate() && i + 1 < stored.size() ? 2 : 1;
        const QByteArray encoded = page.encode(QStringView(stored).mid(i, n));
        if (encoded.size() != 1)
            return stored; // not a text of 8-bit characters: kept as it is
        bytes.append(char(encoded.at(0) ^ 0x0B));
        i += n - 1;
    }
    return data::ScramblePassword(page.decode(bytes));
}

} // namespace tools
