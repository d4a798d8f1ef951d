// CSV and vCard exports read back by independent readers: Python's csv module
// and the vobject vCard parser (Debian's python3-vobject).
#include "tools/companion/CsvExport.h"
#include "tools/companion/VCardExport.h"

#include "data/StoredPassword.h"
#include "tests/data/DataFixture.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kJpeg = QByteArray::fromHex("FFD8FFE000104A46494600") + QByteArray(300, 'j') +
                         QByteArray::fromHex("FFD9");

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs a Python script on an argument; its standard output parsed as JSON.
QJsonValue python(const char *script, const QString &argument) {
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral("-c"), QString::fromUtf8(script), argument});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("%s", process.readAllStandardError().constData());
    return QJsonDocument::fromJson(process.readAllStandardOutput())
        .object()
        .value(QStringLiteral("v"));
}

const char *const kReadCsv = R"(
import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    print(json.dumps({'v': list(csv.reader(f, strict=True))}))
)";

const char *const kReadVcf = R"(
import io, json, sys, vobject
from vobject.base import getLogicalLines, parseLine
text = open(sys.argv[1], encoding='utf-8', newline='').read()
cards = []
for card in vobject.readComponents(text):
    c = {'fn': card.fn.value, 'n': str(card.n.value.family) + '|' + str(card.n.value.given) + '|'
         + str(card.n.value.additional) + '|' + str(card.n.value.prefix) + '|' + str(card.n.value.suffix)}
    for key in ('nickname', 'email', 'bday', 'note', 'hobby'):
        if key in card.contents:
            c[key] = card.contents[key][0].value
    c['tel'] = sorted(t.params['TYPE'][0] + ':' + t.value for t in card.contents.get('tel', []))
    cards.append(c)
# vobject knows vCard 3's PHOTO only: the data: URI is read from the unfolded lines.
photos = [parseLine(line)[2] for line, n in getLogicalLines(io.StringIO(text)) if line.startswith('PHOTO')]
print(json.dumps({'v': {'cards': cards, 'photos': photos,
                        'longest': max(len(l.encode()) for l in text.split('\r\n'))}}))
)";

} // namespace

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void csvReadsBackWithPythonsCsvModule();
    void privateTablesNeedTheDiaryPassword();
    void vcardReadsBackWithAVCardParser();

private:
    QTemporaryDir m_out;
};

void TestExport::csvReadsBackWithPythonsCsvModule() {
    DataFixture fixture;
    const QByteArray header(78, 'h'); // a header of another tool's making
    const QByteArray bitmap = "BM" + QByteArray::fromHex("3A000000") + QByteArray(52, '\0');
    fixture.exec(
        QStringLiteral("INSERT INTO \"Household Inventory\" (\"Item Name\", \"Mode lNumber\", "
                       "\"Date Purchased\", \"Purchase Price\", Insured, Photograph) "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {QStringLiteral("Sofa, \"green\"\r\nwith cushions ü€"), QStringLiteral("M-1"),
         QStringLiteral("2021-03-04T00:00:00"), qlonglong(12345678), 1,
         QByteArray(header + kJpeg)});
    fixture.exec(QStringLiteral("INSERT INTO \"Household Inventory\" (\"Date Purchased\", "
                                "\"Purchase Price\", Photograph) VALUES (?, ?, ?)"),
                 {QStringLiteral("1999-12-31T13:05:09"), qlonglong(-5), bitmap});
    fixture.exec(QStringLiteral("INSERT INTO \"Household Inventory\" (Photograph) VALUES (?)"),
                 {QByteArray("no picture here")});
    const QString out = m_out.filePath(QStringLiteral("csv"));
    tools::CsvExport::write(fixture.directory(), out, false);

    const QJsonArray rows =
        python(kReadCsv, QDir(out).filePath(QStringLiteral("household.csv"))).toArray();
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0].toArray().at(6).toString(), QStringLiteral("Mode lNumber"));
    const QJsonArray first = rows[1].toArray();
    QCOMPARE(first.size(), 13);
    QCOMPARE(first[2].toString(), QStringLiteral("Sofa, \"green\"\r\nwith cushions ü€"));
    QCOMPARE(first[8].toString(), QStringLiteral("2021-03-04"));
    QCOMPARE(first[10].toString(), QStringLiteral("1234.5678"));
    QCOMPARE(first[11].toString(), QStringLiteral("True"));
    QCOMPARE(first[12].toString(), QStringLiteral("household-1.jpg"));
    QCOMPARE(contentOf(QDir(out).filePath(QStringLiteral("household-1.jpg"))), kJpeg);
    const QJsonArray second = rows[2].toArray();
    QCOMPARE(second[8].toString(), QStringLiteral("1999-12-31T13:05:09"));
    QCOMPARE(second[10].toString(), QStringLiteral("-0.0005"));
    QCOMPARE(second[12].toString(), QStringLiteral("household-2.bmp"));
    QCOMPARE(contentOf(QDir(out).filePath(QStringLiteral("household-2.bmp"))), bitmap);
    QCOMPARE(rows[3].toArray().at(12).toString(), QStringLiteral("household-3.bin"));

    // Help texts: the plain text in the CSV, the RTF beside it.
    const QJsonArray help =
        python(kReadCsv, QDir(out).filePath(QStringLiteral("help.csv"))).toArray();
    QCOMPARE(help[0].toArray().last().toString(), QStringLiteral("Notes RTF file"));
    const QJsonArray page = help[1].toArray();
    QVERIFY(!page[2].toString().contains(QLatin1String("\\rtf")));
    QVERIFY(page[2].toString().contains(QLatin1String("Hearthledger")));
    QVERIFY(contentOf(QDir(out).filePath(page[3].toString())).startsWith("{\\rtf"));
    QVERIFY(!QFile::exists(QDir(out).filePath(QStringLiteral("diary.csv"))));
    QVERIFY(!QFile::exists(QDir(out).filePath(QStringLiteral("privacy.csv"))));
}

void TestExport::privateTablesNeedTheDiaryPassword() {
    DataFixture fixture;
    fixture.exec(QStringLiteral("UPDATE Diary SET Password = ?, Notes = ?"),
                 {data::ScramblePassword(QStringLiteral("Hearth ü")),
                  QStringLiteral("{\\rtf1 Dear diary}")});
    fixture.exec(QStringLiteral("INSERT INTO Privacy (Cash) VALUES (250000)"));
    const auto run = [&](const QByteArray &typed) {
        QProcess command;
        command.start(QStringLiteral(HEARTHLEDGER_DATA),
                      {QStringLiteral("--data"), fixture.directory(), QStringLiteral("export-csv"),
                       m_out.filePath(QString::fromLatin1(typed.toHex())),
                       QStringLiteral("--include-private")});
        command.write(typed + '\n');
        command.closeWriteChannel();
        command.waitForFinished(60000);
        return std::make_pair(command.exitCode(), command.readAllStandardError());
    };
    const auto refused = run("Hearth");
    QCOMPARE(refused.first, 1);
    QVERIFY2(refused.second.contains("Wrong password"), refused.second.constData());
    QVERIFY(!QFile::exists(m_out.filePath(
        QStringLiteral("%1/diary.csv").arg(QString::fromLatin1(QByteArray("Hearth").toHex())))));

    const QByteArray typed = QStringLiteral("Hearth ü").toUtf8();
    QCOMPARE(run(typed).first, 0);
    const QDir out(m_out.filePath(QString::fromLatin1(typed.toHex())));
    const QJsonArray diary = python(kReadCsv, out.filePath(QStringLiteral("diary.csv"))).toArray();
    // The password itself, even scrambled, stays out of the export.
    QCOMPARE(diary[0].toArray(), (QJsonArray{QStringLiteral("DiaryID"), QStringLiteral("Notes"),
                                             QStringLiteral("Notes RTF file")}));
    QCOMPARE(diary[1].toArray().at(1).toString().trimmed(), QStringLiteral("Dear diary"));
    QCOMPARE(contentOf(out.filePath(QStringLiteral("diary-1.rtf"))),
             QByteArray("{\\rtf1 Dear diary}"));
    QCOMPARE(python(kReadCsv, out.filePath(QStringLiteral("privacy.csv")))
                 .toArray()[1]
                 .toArray()
                 .at(1)
                 .toString(),
             QStringLiteral("25"));
}

void TestExport::vcardReadsBackWithAVCardParser() {
    DataFixture fixture;
    const QString notes =
        QStringLiteral("Met at the café; likes tea, books\\poems.\r\nSecond line: ") +
        QString(60, QChar(0x00E9)); // two octets each: folding must not split them
    fixture.exec(QStringLiteral(
                     "INSERT INTO People (Title, \"First Name\", \"Middle Ini\", \"Last Name\", "
                     "Suffix, Nickname, \"Home Phone\", \"Work Phone\", \"Work Extension\", "
                     "\"Cell Phone\", \"Fax Number\", \"Email Address\", Birthdate, Hobbies, "
                     "Notes, Photograph) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {QStringLiteral("Dr."), QStringLiteral("Åsa"), QStringLiteral("B."),
                  QStringLiteral("Öberg"), QStringLiteral("Jr."), QStringLiteral("Ace"),
                  QStringLiteral("555-0100"), QStringLiteral("555-0200"), QStringLiteral("12"),
                  QStringLiteral("555-0300"), QStringLiteral("555-0400"),
                  QStringLiteral("asa@example.org"), QStringLiteral("1970-05-04T00:00:00"),
                  QStringLiteral("chess, sailing"), notes,
                  QByteArray(QByteArray(40, 'x') + kJpeg)});
    fixture.exec(
        QStringLiteral("INSERT INTO People (\"Email Address\") VALUES ('only@example.org')"));
    const QString file = m_out.filePath(QStringLiteral("people.vcf"));
    QCOMPARE(tools::VCardExport::write(fixture.directory(), file), 2);

    const QJsonObject read = python(kReadVcf, file).toObject();
    QVERIFY(read.value(QStringLiteral("longest")).toInt() <= 75);
    const QJsonArray cards = read.value(QStringLiteral("cards")).toArray();
    QCOMPARE(cards.size(), 2);
    const QJsonObject card = cards[0].toObject();
    QCOMPARE(card.value(QStringLiteral("fn")).toString(), QStringLiteral("Dr. Åsa B. Öberg Jr."));
    QCOMPARE(card.value(QStringLiteral("n")).toString(), QStringLiteral("Öberg|Åsa|B.|Dr.|Jr."));
    QCOMPARE(card.value(QStringLiteral("nickname")).toString(), QStringLiteral("Ace"));
    QCOMPARE(card.value(QStringLiteral("email")).toString(), QStringLiteral("asa@example.org"));
    QCOMPARE(card.value(QStringLiteral("bday")).toString(), QStringLiteral("19700504"));
    QCOMPARE(card.value(QStringLiteral("hobby")).toString(), QStringLiteral("chess, sailing"));
    QCOMPARE(card.value(QStringLiteral("note")).toString(),
             QString(notes).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    QCOMPARE(
        card.value(QStringLiteral("tel")).toArray(),
        (QJsonArray{QStringLiteral("cell:555-0300"), QStringLiteral("fax:555-0400"),
                    QStringLiteral("home:555-0100"), QStringLiteral("work:555-0200 ext. 12")}));
    QCOMPARE(read.value(QStringLiteral("photos")).toArray(),
             QJsonArray{QString(QStringLiteral("data:image/jpeg;base64,") +
                                QString::fromLatin1(kJpeg.toBase64()))});
    // A card needs a formatted name: the e-mail stands in for a missing one.
    QCOMPARE(cards[1].toObject().value(QStringLiteral("fn")).toString(),
             QStringLiteral("only@example.org"));
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
