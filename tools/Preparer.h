#pragma once

#include <QString>
#include <QStringList>

#include <optional>

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

    // The delivered help texts, in file-name order, and their topics.
    static QStringList helpTexts();
    static QStringList helpTopics();
    // The delivered phrases: one per line, blank and '#' lines skipped.
    static QStringList phrases();
    // Phrases of a text as phrases.txt holds them.
    static QStringList parsePhrases(const QString &text);
};

} // namespace tools
