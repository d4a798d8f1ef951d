#include "tools/companion/Manifest.h"

#include "core/Error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace tools {

const Manifest::File *Manifest::file(const QString &name) const {
    for (const File &f : files) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

QByteArray Manifest::toJson() const {
    QJsonArray list;
    for (const File &f : files) {
        list.append(QJsonObject{{QStringLiteral("name"), f.name},
                                {QStringLiteral("size"), f.size},
                                {QStringLiteral("sha256"), f.sha256}});
    }
    const QJsonObject root{{QStringLiteral("format"), QString::fromLatin1(formatName)},
                           {QStringLiteral("formatVersion"), formatVersion},
                           {QStringLiteral("program"), QStringLiteral("Hearthledger")},
                           {QStringLiteral("programVersion"), programVersion},
                           {QStringLiteral("created"), created.toUTC().toString(Qt::ISODate)},
                           {QStringLiteral("files"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Manifest Manifest::fromJson(const QByteArray &json) {
    const auto bad = [](const QString &why) {
        return core::Error(QStringLiteral("The archive's manifest is not valid: %1").arg(why));
    };
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (!doc.isObject())
        throw bad(error.errorString());
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(formatName))
        throw bad(QStringLiteral("not a Hearthledger backup"));
    if (root.value(QStringLiteral("formatVersion")).toInt() != formatVersion)
        throw bad(QStringLiteral("a format version this program does not know"));
    Manifest m;
    m.programVersion = root.value(QStringLiteral("programVersion")).toString();
    m.created =
        QDateTime::fromString(root.value(QStringLiteral("created")).toString(), Qt::ISODate);
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    for (const QJsonValue &v : root.value(QStringLiteral("files")).toArray()) {
        const QJsonObject o = v.toObject();
        File f{o.value(QStringLiteral("name")).toString(),
               qint64(o.value(QStringLiteral("size")).toDouble(-1)),
               o.value(QStringLiteral("sha256")).toString()};
        if (f.name.isEmpty() || f.size < 0 || !hex.match(f.sha256).hasMatch())
            throw bad(QStringLiteral("a file entry is incomplete"));
        m.files << f;
    }
    if (m.files.isEmpty())
        throw bad(QStringLiteral("it lists no file"));
    return m;
}

} // namespace tools
