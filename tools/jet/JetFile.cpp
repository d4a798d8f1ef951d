#include "tools/jet/JetFile.h"

#include "core/Error.h"

#include <QFile>

#include <cstring>

// libmdb's header needs glib's types declared first.
#include <glib.h>

#include <mdbtools.h>

namespace tools {

namespace {

// The long-value header in front of a memo or OLE value in its row.
constexpr int kLongValueHeader = MDB_MEMO_OVERHEAD;
constexpr quint32 kInline = 0x80000000u;
constexpr quint32 kSinglePage = 0x40000000u;
constexpr quint32 kLengthMask = 0x3fffffffu;

struct TypeInfo {
    JetValue::Kind kind;
    const char *name;
};

TypeInfo typeInfo(int type) {
    using K = JetValue::Kind;
    switch (type) {
    case MDB_BOOL:
        return {K::Boolean, "Yes/No"};
    case MDB_BYTE:
        return {K::Integer, "Byte"};
    case MDB_INT:
        return {K::Integer, "Integer"};
    case MDB_LONGINT:
        return {K::Integer, "Long Integer"};
    case MDB_MONEY:
        return {K::Currency, "Currency"};
    case MDB_FLOAT:
        return {K::Float, "Single"};
    case MDB_DOUBLE:
        return {K::Float, "Double"};
    case MDB_DATETIME:
        return {K::DateTime, "Date/Time"};
    case MDB_BINARY:
        return {K::Binary, "Binary"};
    case MDB_TEXT:
        return {K::Text, "Text"};
    case MDB_OLE:
        return {K::Binary, "OLE Object"};
    case MDB_MEMO:
        return {K::Text, "Memo"};
    case MDB_REPID:
        return {K::Text, "Replication ID"};
    case MDB_NUMERIC:
        return {K::Float, "Decimal"};
    case MDB_COMPLEX:
        return {K::Null, "Attachment or multi-valued"};
    default:
        return {K::Null, "unknown"};
    }
}

template <typename T> T little(const unsigned char *p) {
    T value;
    std::memcpy(&value, p, sizeof value); // Jet files and x86-64 are both little-endian
    return value;
}

QString fromUtf8(const char *text) {
    return QString::fromUtf8(text);
}

} // namespace

struct JetFile::Handle {
    MdbHandle *mdb = nullptr;
    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }

    MdbCatalogEntry *entry(const QString &name) const {
        const QByteArray utf8 = name.toUtf8();
        for (guint i = 0; i < mdb->num_catalog; ++i) {
            auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
            if (e->object_type == MDB_TABLE && mdb_is_user_table(e) &&
                qstrcmp(e->object_name, utf8.constData()) == 0)
                return e;
        }
        throw core::Error(QStringLiteral("The Jet file has no table '%1'").arg(name));
    }

    // A text in the file's encoding (code page or UTF-16, compressed or not) as Unicode.
    QString decodeText(const unsigned char *src, size_t size) const {
        if (size == 0)
            return QString();
        // UTF-8 takes at most three bytes for one byte or one UTF-16 unit of the source.
        QByteArray out(qsizetype(size * 3 + 4), Qt::Uninitialized);
        const int length = mdb_unicode2ascii(mdb, reinterpret_cast<const char *>(src), size,
                                             out.data(), size_t(out.size()));
        out.truncate(qMax(0, length));
        return QString::fromUtf8(out);
    }

    // The bytes of a memo or OLE value: kept in the row, on one page of its
    // own, or on a chain of pages.
    QByteArray readLongValue(const unsigned char *header, int size, bool *incomplete) const {
        *incomplete = false;
        if (size < kLongValueHeader)
            return QByteArray();
        const quint32 word = little<quint32>(header);
        const quint32 length = word & kLengthMask;
        if (word & kInline)
            return QByteArray(reinterpret_cast<const char *>(header) + kLongValueHeader,
                              size - kLongValueHeader);
        qint32 pageRow = little<qint32>(header + 4);
        QByteArray bytes;
        if (word & kSinglePage) {
            void *buf = nullptr;
            int offset = 0;
            size_t len = 0;
            if (mdb_find_pg_row(mdb, pageRow, &buf, &offset, &len) != 0) {
                *incomplete = true;
                return bytes;
            }
            bytes = QByteArray(static_cast<const char *>(buf) + offset, qsizetype(len));
        } else {
            bytes.reserve(qsizetype(length));
            // Each page of the chain starts with the page and row of the next.
            int pages = 0;
            while (pageRow != 0 && quint32(bytes.size()) < length) {
                void *buf = nullptr;
                int offset = 0;
                size_t len = 0;
                if (mdb_find_pg_row(mdb, pageRow, &buf, &offset, &len) != 0 || len < 4 ||
                    ++pages > 1 << 20)
                    break;
                const auto *row = static_cast<const unsigned char *>(buf) + offset;
                bytes.append(reinterpret_cast<const char *>(row) + 4, qsizetype(len - 4));
                pageRow = little<qint32>(row);
            }
        }
        if (quint32(bytes.size()) < length)
            *incomplete = true;
        else if (quint32(bytes.size()) > length)
            bytes.truncate(qsizetype(length));
        return bytes;
    }

    JetValue value(MdbColumn *col) const {
        JetValue v;
        const TypeInfo info = typeInfo(col->col_type);
        if (col->col_type == MDB_BOOL) {
            // A yes/no value lives in the row's null mask: a set bit is Yes.
            v.kind = JetValue::Kind::Boolean;
            v.integer = col->cur_value_len == 0 ? 1 : 0;
            return v;
        }
        if (col->cur_value_len == 0 || info.kind == JetValue::Kind::Null)
            return v;
        const unsigned char *p = mdb->pg_buf + col->cur_value_start;
        const int len = col->cur_value_len;
        v.kind = info.kind;
        switch (col->col_type) {
        case MDB_BYTE:
            v.integer = p[0];
            break;
        case MDB_INT:
            v.integer = little<qint16>(p);
            break;
        case MDB_LONGINT:
            v.integer = little<qint32>(p);
            break;
        case MDB_MONEY:
            v.integer = little<qint64>(p);
            break;
        case MDB_FLOAT:
            v.real = double(little<float>(p));
            break;
        case MDB_DOUBLE:
        case MDB_DATETIME:
            v.real = little<double>(p);
            break;
        case MDB_NUMERIC: {
            char *text =
                mdb_numeric_to_string(mdb, col->cur_value_start, col->col_scale, col->col_prec);
            v.real = QByteArray(text).toDouble();
            g_free(text);
            break;
        }
        case MDB_REPID: {
            char *text = mdb_uuid_to_string(mdb->pg_buf, col->cur_value_start);
            v.text = fromUtf8(text);
            g_free(text);
            break;
        }
        case MDB_TEXT:
            v.text = decodeText(p, size_t(len));
            break;
        case MDB_BINARY:
            v.bytes = QByteArray(reinterpret_cast<const char *>(p), len);
            break;
        case MDB_MEMO: {
            const QByteArray raw = readLongValue(p, len, &v.incomplete);
            v.text = decodeText(reinterpret_cast<const unsigned char *>(raw.constData()),
                                size_t(raw.size()));
            break;
        }
        case MDB_OLE:
            v.bytes = readLongValue(p, len, &v.incomplete);
            break;
        default:
            v.kind = JetValue::Kind::Null;
            break;
        }
        return v;
    }
};

JetFile::JetFile(const QString &path)
    : m_path(path)
    , m_handle(std::make_unique<Handle>()) {
    if (!hasSignature(path)) {
        throw core::Error(QFile::exists(path)
                              ? QStringLiteral("%1 is not a Jet database file").arg(path)
                              : QStringLiteral("Cannot open %1: no such file").arg(path));
    }
    m_handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!m_handle->mdb || !mdb_read_catalog(m_handle->mdb, MDB_TABLE))
        throw core::Error(QStringLiteral("Cannot read the Jet database %1").arg(path));
}

JetFile::~JetFile() = default;

bool JetFile::hasSignature(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(20);
    if (head.size() < 20 || !head.startsWith(QByteArray("\x00\x01\x00\x00", 4)))
        return false;
    const QByteArray name = head.mid(4, 15);
    return name == "Standard Jet DB" || name == "Standard ACE DB";
}

QString JetFile::formatName() const {
    switch (m_handle->mdb->f->jet_version) {
    case MDB_VER_JET3:
        return QStringLiteral("Jet 3");
    case MDB_VER_JET4:
        return QStringLiteral("Jet 4");
    case MDB_VER_ACCDB_2007:
        return QStringLiteral("ACE 12");
    case MDB_VER_ACCDB_2010:
        return QStringLiteral("ACE 14");
    default:
        return QStringLiteral("ACE %1").arg(m_handle->mdb->f->jet_version);
    }
}

int JetFile::codePage() const {
    const int page = m_handle->mdb->f->code_page;
    return page > 0 ? page : 1252;
}

QStringList JetFile::tableNames() const {
    QStringList names;
    MdbHandle *mdb = m_handle->mdb;
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE && mdb_is_user_table(e))
            names << fromUtf8(e->object_name);
    }
    return names;
}

namespace {

// A table definition that frees itself.
struct OpenTable {
    explicit OpenTable(MdbCatalogEntry *entry)
        : def(mdb_read_table(entry)) {
        if (!def || !mdb_read_columns(def)) {
            if (def)
                mdb_free_tabledef(def);
            throw core::Error(
                QStringLiteral("Cannot read the Jet table '%1'").arg(fromUtf8(entry->object_name)));
        }
    }
    ~OpenTable() { mdb_free_tabledef(def); }
    OpenTable(const OpenTable &) = delete;
    OpenTable &operator=(const OpenTable &) = delete;

    MdbColumn *column(guint i) const {
        return static_cast<MdbColumn *>(g_ptr_array_index(def->columns, i));
    }

    MdbTableDef *def;
};

} // namespace

JetTable JetFile::table(const QString &name) const {
    OpenTable def(m_handle->entry(name));
    JetTable table;
    table.name = name;
    table.rowCount = def.def->num_rows;
    const bool wideText = m_handle->mdb->f->jet_version != MDB_VER_JET3;
    for (guint i = 0; i < def.def->num_cols; ++i) {
        MdbColumn *col = def.column(i);
        const TypeInfo info = typeInfo(col->col_type);
        JetColumn column;
        column.name = fromUtf8(col->name);
        column.kind = info.kind;
        column.typeName = QString::fromLatin1(info.name);
        if (col->col_type == MDB_TEXT)
            column.size = wideText ? col->col_size / 2 : col->col_size;
        column.autoNumber = col->is_long_auto != 0;
        table.columns << column;
    }
    return table;
}

void JetFile::readRows(const QString &name,
                       const std::function<void(const QList<JetValue> &)> &row) const {
    OpenTable def(m_handle->entry(name));
    QList<JetValue> values(def.def->num_cols);
    mdb_rewind_table(def.def);
    while (mdb_fetch_row(def.def)) {
        for (guint i = 0; i < def.def->num_cols; ++i)
            values[i] = m_handle->value(def.column(i));
        row(values);
    }
}

} // namespace tools
