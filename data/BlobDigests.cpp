#include "data/BlobDigests.h"

#include <QHash>

#include <climits>

#include <sqlite3.h>

namespace data {

namespace {

void blobDigest(sqlite3_context *context, int, sqlite3_value **arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const void *bytes = sqlite3_value_blob(arguments[0]);
    const int size = sqlite3_value_bytes(arguments[0]);
    const QByteArray digest =
        BlobDigests::of(QByteArrayView(static_cast<const char *>(bytes), size));
    sqlite3_result_blob(context, digest.constData(), int(digest.size()), SQLITE_TRANSIENT);
}

} // namespace

QByteArray BlobDigests::of(QByteArrayView bytes) {
    // Two independently seeded 64-bit hashes: a lost update slipping through
    // would need two different blobs of one size to agree in both. The
    // digest never leaves the process, so the hash needs no fixed definition.
    const quint64 parts[2] = {quint64(qHash(bytes, size_t(0x9e3779b97f4a7c15ULL))),
                              quint64(qHash(bytes, size_t(0xc2b2ae3d27d4eb4fULL)))};
    return QByteArray(reinterpret_cast<const char *>(parts), sizeof parts);
}

void BlobDigests::installSqlFunction(sqlite3 *db) {
    sqlite3_create_function_v2(db, sqlFunction, 1,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY, nullptr,
                               &blobDigest, nullptr, nullptr, nullptr);
}

const QByteArray *BlobDigests::find(qint64 key, int field) const {
    const auto it = m_digests.find({key, field});
    return it == m_digests.end() ? nullptr : &it->second;
}

void BlobDigests::remember(qint64 key, int field, const QByteArray &digest) {
    m_digests.try_emplace({key, field}, digest);
}

void BlobDigests::replace(qint64 key, int field, const QByteArray &digest) {
    m_digests[{key, field}] = digest;
}

void BlobDigests::forgetRow(qint64 key) {
    m_digests.erase(m_digests.lower_bound({key, INT_MIN}),
                    m_digests.lower_bound({key + 1, INT_MIN}));
}

} // namespace data
