#include "tools/Preparer.h"

#include "data/Error.h"
#include "data/Schema.h"
#include "data/Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>
#include <sys/stat.h>

namespace tools {

namespace {

using data::Schema;
using data::Statement;
using data::TableId;

const QString kHelpDir = QStringLiteral(":/content/help");
const QString kPhrasesFile = QStringLiteral(":/content/phrases.txt");

QFileInfoList helpFiles() {
    return QDir(kHelpDir).entryInfoList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
}

void exec(sqlite3 *db, const QString &sql) {
    Statement(db, sql).exec();
}

QString insertInto(TableId id, const QStringList &columns) {
    QStringList quoted;
    for (const QString &c : columns)
        quoted << Statement::quoted(c);
    const QStringList marks(columns.size(), QStringLiteral("?"));
    return QStringLiteral("INSERT INTO ") + Statement::quoted(Schema::table(id).name) +
           QStringLiteral(" (") + quoted.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           marks.join(QStringLiteral(", ")) + ')';
}

} // namespace

void Preparer::fillDelivered(sqlite3 *db, TableId id, const PrepareOptions &options) {
    if (id == TableId::Diary && options.diaryRow) {
        // The stored password is the scrambled one; the empty text scrambles
        // to the empty text.
        Statement row(db, insertInto(TableId::Diary, {QStringLiteral("Password")}));
        row.bind(1, QString(QLatin1String("")));
        row.exec();
    }
    if (id == TableId::Help && options.helpTexts) {
        const QStringList texts = options.helpList.value_or(Preparer::helpTexts());
        const QStringList topics = options.helpList ? QStringList() : Preparer::helpTopics();
        for (qsizetype i = 0; i < texts.size(); ++i) {
            Statement row(
                db, insertInto(TableId::Help, {QStringLiteral("Topic"), QStringLiteral("Notes")}));
            row.bind(1, topics.value(i).left(50));
            row.bind(2, texts[i]);
            row.exec();
        }
    }
    if (id == TableId::Idiom && options.phrases) {
        const int width = Schema::table(TableId::Idiom).column(QStringLiteral("Phrase"))->size;
        for (const QString &phrase : options.phraseList.value_or(Preparer::phrases())) {
            if (phrase.size() > width) {
                throw data::Error(QStringLiteral("The phrase '%1' is longer than %2 characters")
                                      .arg(phrase)
                                      .arg(width));
            }
            Statement row(db, insertInto(TableId::Idiom, {QStringLiteral("Phrase")}));
            row.bind(1, phrase);
            row.exec();
        }
    }
}

bool Preparer::writeDatabase(const QString &target, const std::function<void(sqlite3 *)> &fill) {
    const QString fileName = QFileInfo(target).fileName();
    QTemporaryFile temp(QFileInfo(target).absolutePath() + QStringLiteral("/.") + fileName +
                        QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw data::Error(
            QStringLiteral("Cannot create file %1: %2").arg(target, temp.errorString()));
    temp.close();
    // A temporary file is private to its owner; the database is an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(temp.fileName()).constData(), 0666 & ~mask);

    sqlite3 *db = nullptr;
    const QByteArray path = QFile::encodeName(temp.fileName());
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw data::Error(QStringLiteral("Cannot create database '%1': %2").arg(target, text), rc);
    }
    try {
        exec(db, QStringLiteral("BEGIN"));
        fill(db);
        exec(db, QStringLiteral("COMMIT"));
        exec(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    rc = sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw data::Error(QString::fromUtf8(sqlite3_errstr(rc)), rc);
    // rename() refuses an existing target: an existing file is never replaced.
    if (!QFile::rename(temp.fileName(), target))
        return false;
    temp.setAutoRemove(false);
    return true;
}

QStringList Preparer::prepare(const QString &directory, const PrepareOptions &options) {
    if (!QDir().mkpath(directory))
        throw data::Error(QStringLiteral("Cannot create directory %1").arg(directory));
    QStringList written;
    QStringList files;
    if (options.mainFile)
        files << QString::fromLatin1(Schema::mainFile);
    if (options.idiomFile)
        files << QString::fromLatin1(Schema::idiomFile);
    for (const QString &file : std::as_const(files)) {
        const QString target = QDir(directory).absoluteFilePath(file);
        if (QFileInfo::exists(target))
            continue;
        const auto fill = [&](sqlite3 *db) {
            for (TableId id : Schema::tablesOf(file)) {
                exec(db, Schema::table(id).createStatement());
                fillDelivered(db, id, options);
            }
        };
        if (writeDatabase(target, fill))
            written << target;
    }
    return written;
}

QStringList Preparer::helpTexts() {
    QStringList texts;
    for (const QFileInfo &info : helpFiles()) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            throw data::Error(QStringLiteral("Cannot open file %1").arg(info.filePath()));
        texts << QString::fromUtf8(file.readAll());
    }
    return texts;
}

QStringList Preparer::helpTopics() {
    QStringList topics;
    for (const QFileInfo &info : helpFiles())
        topics << info.completeBaseName();
    return topics;
}

QStringList Preparer::phrases() {
    QFile file(kPhrasesFile);
    if (!file.open(QIODevice::ReadOnly))
        throw data::Error(QStringLiteral("Cannot open file %1").arg(kPhrasesFile));
    return parsePhrases(QString::fromUtf8(file.readAll()));
}

QStringList Preparer::parsePhrases(const QString &text) {
    QStringList result;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        result << line;
    }
    return result;
}

} // namespace tools
