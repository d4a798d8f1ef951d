#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <map>
#include <utility>

struct sqlite3;

namespace data {

// What a table object knows of its rows' blob contents, which its snapshot
// holds only the sizes of: a digest of each blob as the table object first
// read it (a shown picture). When another connection wrote since the
// snapshot, a post compares it with the file, so that a blob replaced even by
// one of the same size is never overwritten; a blob never read cannot be
// vouched for then, and the post is refused until the rows are read again.
class BlobDigests {
public:
    // 16 bytes for any bytes; an empty blob has one too.
    static QByteArray of(QByteArrayView bytes);
    // blob_digest(x) in SQL on the connection: of() over x's bytes, null for null.
    static void installSqlFunction(sqlite3 *db);
    static constexpr const char *sqlFunction = "blob_digest";

    // The digest kept for a row's field, or null when none is.
    const QByteArray *find(qint64 key, int field) const;
    // Keeps a digest where none is kept yet.
    void remember(qint64 key, int field, const QByteArray &digest);
    // The row now holds what this table object wrote.
    void replace(qint64 key, int field, const QByteArray &digest);
    void forgetRow(qint64 key);
    void clear() { m_digests.clear(); }

private:
    std::map<std::pair<qint64, int>, QByteArray> m_digests;
};

} // namespace data
