#include "tools/Preparer.h"

#include "data/Connection.h"
#include "data/Error.h"
#include "data/Statement.h"
#include "data/TableFactory.h"
#include "data/TableObject.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using data::Field;
using data::Schema;
using data::TableId;
using data::TableObject;
using tools::PrepareOptions;
using tools::Preparer;

namespace {

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Opens a table of a prepared directory through the data layer.
struct Opened {
    Opened(const QString &dir, TableId id) {
        connection.setConnectionString(
            data::Connection::buildConnectionString(dir, Schema::table(id).fileName));
        table.reset(
            data::TableFactory::create(id, QStringLiteral("ADOTable"), &connection, nullptr));
        table->open();
    }
    QStringList column(const QString &name) const {
        QStringList values;
        for (int row = 0; row < table->rowCount(); ++row)
            values << table->displayText(row, table->fieldByName(name)->index());
        return values;
    }
    data::Connection connection;
    std::unique_ptr<TableObject> table;
};

} // namespace

class TestPreparer : public QObject {
    Q_OBJECT
private slots:
    void writesEveryTableOfTheSchema();
    void deliversTheContent();
    void phrasesSkipBlankAndCommentLines();
    void optionsChooseTheContent();
    void neverOverwritesAndLeavesNoTemporaries();
    void refusesPhrasesWiderThanTheColumn();
    void commandCreatesOnlyMissingFiles();
};

void TestPreparer::writesEveryTableOfTheSchema() {
    QTemporaryDir dir;
    const QStringList written = Preparer::prepare(dir.path());
    QCOMPARE(written, (QStringList{dir.filePath("Hearthledger.mdb"), dir.filePath("idioms.mdb")}));
    for (TableId id : Schema::allTables()) {
        const data::TableDef &def = Schema::table(id);
        Opened opened(dir.path(), id);
        // Every column of the definition is in the file with its type.
        data::Statement info(opened.connection.handle(),
                             QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
        info.bind(1, def.name);
        QStringList names;
        while (info.step()) {
            const data::ColumnDef *column = def.column(info.text(0));
            QVERIFY2(column, qPrintable(info.text(0)));
            int size = 0;
            QCOMPARE(
                Schema::fieldType(info.text(1), column->type == Field::Type::AutoIncrement, &size),
                column->type);
            QCOMPARE(size, column->size);
            names << info.text(0);
        }
        QCOMPARE(names.size(), def.columns.size());
        if (def.column(QStringLiteral("Photograph")))
            QCOMPARE(names.last(), QStringLiteral("Photograph"));
        QCOMPARE(opened.table->state(), TableObject::State::Browse);
    }
}

void TestPreparer::deliversTheContent() {
    QTemporaryDir dir;
    Preparer::prepare(dir.path());
    Opened diary(dir.path(), TableId::Diary);
    QCOMPARE(diary.table->recordCount(), 1);
    Field *password = diary.table->fieldByName(QStringLiteral("Password"));
    QVERIFY(!password->isNull());
    QCOMPARE(password->asString(), QString());

    const QStringList help = Preparer::helpTexts();
    QVERIFY(!help.isEmpty());
    for (const QString &text : help)
        QVERIFY(text.startsWith(QLatin1String("{\\rtf1")));
    Opened helpTable(dir.path(), TableId::Help);
    QCOMPARE(helpTable.column(QStringLiteral("Notes")), help);
    QStringList topics = helpTable.column(QStringLiteral("Topic"));
    QVERIFY(std::is_sorted(topics.begin(), topics.end()));

    Opened idioms(dir.path(), TableId::Idiom);
    QCOMPARE(idioms.column(QStringLiteral("Phrase")), Preparer::phrases());
    for (const QString &phrase : Preparer::phrases())
        QVERIFY(!phrase.startsWith(QLatin1Char('#')) && !phrase.trimmed().isEmpty());

    for (TableId id : {TableId::HouseholdInventory, TableId::People, TableId::Privacy})
        QCOMPARE(Opened(dir.path(), id).table->recordCount(), 0);
}

void TestPreparer::phrasesSkipBlankAndCommentLines() {
    QCOMPARE(Preparer::parsePhrases(QStringLiteral(
                 "# comment\r\nFirst one.\r\n\r\n   \n  # not a comment\nLast, no newline")),
             (QStringList{"First one.", "  # not a comment", "Last, no newline"}));
    QCOMPARE(Preparer::parsePhrases(QString()), QStringList());
}

void TestPreparer::optionsChooseTheContent() {
    QTemporaryDir dir;
    PrepareOptions options;
    options.diaryRow = false;
    options.helpList = QStringList{"{\\rtf1 one}", "{\\rtf1 two}"};
    options.phraseList = QStringList{"one", "two", "three"};
    Preparer::prepare(dir.path(), options);
    QCOMPARE(Opened(dir.path(), TableId::Diary).table->recordCount(), 0);
    QCOMPARE(Opened(dir.path(), TableId::Help).column(QStringLiteral("Notes")), *options.helpList);
    QCOMPARE(Opened(dir.path(), TableId::Idiom).column(QStringLiteral("Phrase")),
             *options.phraseList);

    QTemporaryDir other;
    PrepareOptions mainOnly;
    mainOnly.idiomFile = false;
    mainOnly.helpTexts = false;
    QCOMPARE(Preparer::prepare(other.path(), mainOnly),
             QStringList{other.filePath("Hearthledger.mdb")});
    QVERIFY(!QFile::exists(other.filePath("idioms.mdb")));
    QCOMPARE(Opened(other.path(), TableId::Help).table->recordCount(), 0);
}

void TestPreparer::neverOverwritesAndLeavesNoTemporaries() {
    QTemporaryDir dir;
    QFile foreign(dir.filePath("idioms.mdb"));
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("not ours");
    foreign.close();
    QCOMPARE(Preparer::prepare(dir.path()), QStringList{dir.filePath("Hearthledger.mdb")});
    QCOMPARE(contentOf(dir.filePath("idioms.mdb")), QByteArray("not ours"));

    const QByteArray main = contentOf(dir.filePath("Hearthledger.mdb"));
    QCOMPARE(Preparer::prepare(dir.path()), QStringList());
    QCOMPARE(contentOf(dir.filePath("Hearthledger.mdb")), main);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"Hearthledger.mdb", "idioms.mdb"}));
    QCOMPARE(QFile::permissions(dir.filePath("Hearthledger.mdb")) & QFile::ReadOther,
             QFile::ReadOther);
}

void TestPreparer::refusesPhrasesWiderThanTheColumn() {
    QTemporaryDir dir;
    PrepareOptions options;
    options.mainFile = false;
    options.phraseList = QStringList{"short", QString(256, QLatin1Char('p'))};
    QVERIFY_THROWS_EXCEPTION(data::Error, Preparer::prepare(dir.path(), options));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    options.phraseList = QStringList{QString(255, QLatin1Char('p'))};
    QCOMPARE(Preparer::prepare(dir.path(), options).size(), 1);
}

void TestPreparer::commandCreatesOnlyMissingFiles() {
    QTemporaryDir dir;
    const QString target = dir.filePath("bin dir");
    auto run = [](const QStringList &args, QString *output) {
        QProcess process;
        process.start(QStringLiteral(HLPREPARE_PATH), args);
        process.waitForFinished(60000);
        *output =
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        return process.exitCode();
    };
    QString output;
    QCOMPARE(run({target}, &output), 0);
    QVERIFY2(output.contains(QLatin1String("Hearthledger.mdb")) &&
                 output.contains(QLatin1String("idioms.mdb")),
             qPrintable(output));
    QFile::remove(target + QStringLiteral("/idioms.mdb"));
    const QByteArray main = contentOf(target + QStringLiteral("/Hearthledger.mdb"));
    QCOMPARE(run({target}, &output), 0);
    QVERIFY(!output.contains(QLatin1String("Hearthledger.mdb")));
    QVERIFY(output.contains(QLatin1String("idioms.mdb")));
    QCOMPARE(contentOf(target + QStringLiteral("/Hearthledger.mdb")), main);
    QCOMPARE(run({}, &output), 2);
}

QTEST_GUILESS_MAIN(TestPreparer)
#include "tst_preparer.moc"
