#include "tools/companion/VCardExport.h"

#include "core/Error.h"
#include "tools/companion/Pictures.h"
#include "tools/companion/StoreTable.h"

#include <QSaveFile>

namespace tools {

namespace {

constexpr qsizetype kLineOctets = 75;

QString mediaType(const QString &extension) {
    if (extension == QLatin1String("jpg"))
        return QStringLiteral("image/jpeg");
    if (extension == QLatin1String("tif"))
        return QStringLiteral("image/tiff");
    if (extension == QLatin1String("bin"))
        return QString();
    return QStringLiteral("image/") + extension;
}

class Card {
public:
    explicit Card(data::TableObject &people)
        : m_people(people) {}

    QString text(const char *column) const {
        return m_people.fieldByName(QString::fromLatin1(column))->asString().trimmed();
    }
    void add(const QString &property, const QString &value) {
        if (!value.isEmpty())
            m_bytes += VCardExport::folded(property + QLatin1Char(':') + value);
    }
    QByteArray build() {
        m_bytes = "BEGIN:VCARD\r\nVERSION:4.0\r\n";
        const QStringList name{text("Last Name"), text("First Name"), text("Middle Ini"),
                               text("Title"), text("Suffix")};
        QStringList formatted;
        for (int part : {3, 1, 2, 0, 4}) {
            if (!name[part].isEmpty())
                formatted << name[part];
        }
        QString fn = formatted.join(QLatin1Char(' '));
        for (const char *fallback : {"Nickname", "Email Address"}) {
            if (fn.isEmpty())
                fn = text(fallback);
        }
        add(QStringLiteral("FN"), VCardExport::escaped(fn.isEmpty() ? QStringLiteral("?") : fn));
        QStringList parts;
        for (const QString &p : name)
            parts << VCardExport::escaped(p);
        add(QStringLiteral("N"), parts.join(QLatin1Char(';')));
        add(QStringLiteral("NICKNAME"), VCardExport::escaped(text("Nickname")));
        add(QStringLiteral("TEL;TYPE=home"), VCardExport::escaped(text("Home Phone")));
        QString work = text("Work Phone");
        if (!work.isEmpty() && !text("Work Extension").isEmpty())
            work += QStringLiteral(" ext. ") + text("Work Extension");
        add(QStringLiteral("TEL;TYPE=work"), VCardExport::escaped(work));
        add(QStringLiteral("TEL;TYPE=cell"), VCardExport::escaped(text("Cell Phone")));
        add(QStringLiteral("TEL;TYPE=fax"), VCardExport::escaped(text("Fax Number")));
        add(QStringLiteral("EMAIL"), VCardExport::escaped(text("Email Address")));
        const data::Field *birth = m_people.fieldByName(QStringLiteral("Birthdate"));
        if (!birth->isNull()) {
            const QDateTime when = birth->value().toDateTime();
            add(QStringLiteral("BDAY"),
                when.toString(when.time() == QTime(0, 0) ? QStringLiteral("yyyyMMdd")
                                                         : QStringLiteral("yyyyMMdd'T'HHmmss")));
        }
        add(QStringLiteral("HOBBY"), VCardExport::escaped(text("Hobbies")));
        add(QStringLiteral("NOTE"),
            VCardExport::escaped(m_people.fieldByName(QStringLiteral("Notes"))->asString()));
        const data::Field *photo = m_people.fieldByName(QStringLiteral("Photograph"));
        if (photo->blobSize() > 0) {
            const PictureFile picture = pictureFile(photo->blob());
            const QString type = mediaType(picture.extension);
            if (!type.isEmpty())
                add(QStringLiteral("PHOTO"), QStringLiteral("data:") + type +
                                                 QStringLiteral(";base64,") +
                                                 QString::fromLatin1(picture.bytes.toBase64()));
        }
        m_bytes += "END:VCARD\r\n";
        return m_bytes;
    }

private:
    data::TableObject &m_people;
    QByteArray m_bytes;
};

} // namespace

QString VCardExport::escaped(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QStringLiteral("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray VCardExport::folded(const QString &line) {
    const QByteArray utf8 = line.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + utf8.size() / 70 * 3 + 2);
    qsizetype start = 0;
    qsizetype room = kLineOctets;
    while (utf8.size() - start > room) {
        qsizetype end = start + room;
        // Never inside a character: back up over continuation bytes.
        while (end > start && (quint8(utf8.at(end)) & 0xC0) == 0x80)
            --end;
        out += utf8.mid(start, end - start);
        out += "\r\n ";
        start = end;
        room = kLineOctets - 1;
    }
    out += utf8.mid(start);
    out += "\r\n";
    return out;
}

int VCardExport::write(const QString &folder, const QString &file, const Progress &progress) {
    StoreTable opened(folder, data::TableId::People);
    data::TableObject &people = opened.table();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw core::Error(QStringLiteral("Cannot write %1: %2").arg(file, out.errorString()));
    Card card(people);
    for (int row = 0; row < people.rowCount(); ++row) {
        people.moveTo(row);
        const QByteArray bytes = card.build();
        if (out.write(bytes) != bytes.size())
            throw core::Error(QStringLiteral("Cannot write %1: %2").arg(file, out.errorString()));
        if (progress && (row + 1) % 1000 == 0)
            progress(QStringLiteral("People: %1 of %2").arg(row + 1).arg(people.rowCount()));
    }
    if (!out.commit())
        throw core::Error(QStringLiteral("Cannot write %1: %2").arg(file, out.errorString()));
    return people.rowCount();
}

} // namespace tools
