#pragma once

#include "data/Schema.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct sqlite3;

namespace tools {

// What a preparation writes.
struct PrepareOptions {
    bool mainFile = true;  // Hearthledger.mdb
    bool idiomFile = true; // idioms.mdb
    bool diaryRow = true;  // the first Diary row, with the empty password
    bool helpTexts = true;
    bool phrases = true;
    // Content in place of the delivered one.
    std::optional<QStringList> helpList; // RTF documents
    std::optional<QStringList> phraseList;
};

// Writes the database files with their schema and delivered content.
class Preparer {
public:
    // Writes each chosen file that does not exist yet in `directory` (made
    // when missing) and returns the paths written; an existing file is never
    // touched. A file is built under a temporary name and moved into place
    // only when complete. Throws data::Error on failure.
    static QStringList prepare(const QString &directory, const PrepareOptions &options = {});

    // Builds a database file under a temporary name beside `target`: `fill`
    // runs inside one transaction, then the file turns to WAL journaling and
    // moves into place. Returns false, leaving nothing behind, when `target`
    // appeared meanwhile. Throws data::Error (or what `fill` throws).
    static bool writeDatabase(const QString &target, const std::function<void(sqlite3 *)> &fill);
    // Writes the delivered content of one table (the first Diary row, the
    // help texts, the phrases) as the options choose; other tables have none.
    static void fillDelivered(sqlite3 *db, data::TableId id, const PrepareOptions &options = {});

    // The delivered help texts, in file-name order, and their topics.
    static QStringList helpTexts();
    static QStringList helpTopics();
    // The delivered phrases: one per line, blank and '#' lines skipped.
    static QStringList phrases();
    // Phrases of a text as phrases.txt holds them.
    static QStringList parsePhrases(const QString &text);
};

} // namespace tools
