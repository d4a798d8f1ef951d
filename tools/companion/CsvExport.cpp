#include "tools/companion/CsvExport.h"

#include "core/Error.h"
#include "platform/rtf/RtfFormat.h"
#include "platform/rtf/RtfReader.h"
#include "tools/companion/Pictures.h"
#include "tools/companion/PlainText.h"
#include "tools/companion/StoreTable.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextDocument>

namespace tools {

namespace {

using data::Field;
using data::TableId;

constexpr qsizetype kFlushBytes = 1 << 20;

QByteArray csvField(const QString &text) {
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n'))
        return '"' + bytes.replace('"', "\"\"") + '"';
    return bytes;
}

class CsvFile {
public:
    explicit CsvFile(const QString &path)
        : m_file(path) {
        if (!m_file.open(QIODevice::WriteOnly))
            throw core::Error(
                QStringLiteral("Cannot write %1: %2").arg(path, m_file.errorString()));
    }
    void row(const QStringList &fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i)
                m_buffer += ',';
            m_buffer += csvField(fields[i]);
        }
        m_buffer += "\r\n";
        if (m_buffer.size() >= kFlushBytes)
            flush();
    }
    void commit() {
        flush();
        if (!m_file.commit())
            throw core::Error(
                QStringLiteral("Cannot write %1: %2").arg(m_file.fileName(), m_file.errorString()));
    }

private:
    void flush() {
        if (m_file.write(m_buffer) != m_buffer.size())
            throw core::Error(
                QStringLiteral("Cannot write %1: %2").arg(m_file.fileName(), m_file.errorString()));
        m_buffer.clear();
    }
    QSaveFile m_file;
    QByteArray m_buffer;
};

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw core::Error(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

// The scrambled diary password is the gate's secret, not a record's content:
// it never leaves the file.
bool exported(TableId id, const Field *field) {
    return !(id == TableId::Diary && field->columnName() == QLatin1String("Password"));
}

bool holdsRtf(TableId id, const Field *field) {
    return (id == TableId::Diary || id == TableId::Help) &&
           field->columnName() == QLatin1String("Notes");
}

QString plainTextOf(const QString &rtf) {
    QTextDocument document;
    platform::RtfReader().read(rtf, &document);
    return document.toPlainText();
}

QString valueText(const Field *field) {
    if (field->isNull())
        return QString();
    switch (field->type()) {
    case Field::Type::DateTime:
        return plain::dateTime(field->value().toDateTime());
    case Field::Type::Currency:
        return plain::currency(field->currencyUnits());
    case Field::Type::Float:
        return plain::number(field->value().toDouble());
    default:
        return field->asString();
    }
}

QString exportTable(const QString &folder, const QDir &out, TableId id, const Progress &progress) {
    StoreTable opened(folder, id);
    data::TableObject &table = opened.table();
    const QString stem = StoreTable::stem(id);
    QList<Field *> fields = table.fields();
    fields.removeIf([id](const Field *f) { return !exported(id, f); });
    const Field *key = nullptr;
    QStringList header;
    for (const Field *f : fields) {
        header << f->columnName();
        if (holdsRtf(id, f))
            header << f->columnName() + QStringLiteral(" RTF file");
        if (!key && f->type() == Field::Type::AutoIncrement)
            key = f;
    }
    CsvFile csv(out.filePath(stem + QStringLiteral(".csv")));
    csv.row(header);
    int pictures = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        table.moveTo(row);
        const QString name =
            stem + QLatin1Char('-') + (key ? key->asString() : QString::number(row + 1));
        QStringList values;
        for (const Field *f : fields) {
            if (f->isBlob()) {
                QString file;
                if (f->blobSize() > 0) {
                    const PictureFile picture = pictureFile(f->blob());
                    file = name + QLatin1Char('.') + picture.extension;
                    writeFile(out.filePath(file), picture.bytes);
                    ++pictures;
                }
                values << file;
            } else if (holdsRtf(id, f)) {
                const QString text = f->asString();
                const bool rtf = platform::isRtf(text);
                if (rtf)
                    writeFile(out.filePath(name + QStringLiteral(".rtf")),
                              platform::columnTextToRtf(text));
                values << (rtf ? plainTextOf(text) : text)
                       << (rtf ? name + QStringLiteral(".rtf") : QString());
            } else {
                values << valueText(f);
            }
        }
        csv.row(values);
        if (progress && (row + 1) % 1000 == 0)
            progress(
                QStringLiteral("%1: %2 of %3 rows").arg(stem).arg(row + 1).arg(table.rowCount()));
    }
    csv.commit();
    return QStringLiteral("%1.csv: %2 rows%3")
        .arg(stem)
        .arg(table.rowCount())
        .arg(pictures ? QStringLiteral(", %1 pictures").arg(pictures) : QString());
}

} // namespace

QList<TableId> CsvExport::tables(bool withPrivate) {
    QList<TableId> ids;
    for (TableId id : data::Schema::allTables()) {
        if (withPrivate || (id != TableId::Diary && id != TableId::Privacy))
            ids << id;
    }
    return ids;
}

QStringList CsvExport::write(const QString &folder, const QString &directory, bool withPrivate,
                             const Progress &progress) {
    if (!QDir().mkpath(directory))
        throw core::Error(QStringLiteral("Cannot create the folder %1").arg(directory));
    const QDir out(directory);
    QStringList lines;
    for (TableId id : tables(withPrivate))
        lines << exportTable(folder, out, id, progress);
    return lines;
}

} // namespace tools
