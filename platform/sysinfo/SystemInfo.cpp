#include "platform/sysinfo/SystemInfo.h"

#include <QFile>
#include <QHash>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace sysinfo {

namespace {

// A value as the shell would read it: quoted with " (where \ escapes " \ $ `)
// or with ', or bare.
QString unquote(QStringView value) {
    value = value.trimmed();
    if (value.isEmpty())
        return {};
    const QChar quote = value.front();
    if (quote != QLatin1Char('"') && quote != QLatin1Char('\''))
        return value.toString();
    QString result;
    for (qsizetype i = 1; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == quote)
            break;
        if (quote == QLatin1Char('"') && c == QLatin1Char('\\') && i + 1 < value.size() &&
            QStringView(u"\"\\$`").contains(value[i + 1])) {
            result += value[++i];
            continue;
        }
        result += c;
    }
    return result;
}

} // namespace

std::optional<OsVersion> readOsRelease(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QHash<QString, QString> values;
    const QString text = QString::fromUtf8(file.read(64 * 1024));
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || equals <= 0)
            continue;
        values.insert(line.left(equals).toString(), unquote(line.mid(equals + 1)));
    }
    OsVersion os;
    os.productName = values.value(QStringLiteral("NAME"));
    os.version = values.value(QStringLiteral("VERSION"));
    if (os.version.isEmpty())
        os.version = values.value(QStringLiteral("VERSION_ID"));
    return os;
}

std::optional<OsVersion> kernelVersion() {
    utsname names{};
    if (::uname(&names) != 0)
        return std::nullopt;
    return OsVersion{QString::fromLocal8Bit(names.sysname), QString::fromLocal8Bit(names.release)};
}

OsVersion operatingSystem(const QString &osReleasePath) {
    if (auto os = readOsRelease(osReleasePath))
        return *os;
    return kernelVersion().value_or(OsVersion{});
}

std::optional<QString> userName() {
    if (const passwd *entry = ::getpwuid(::geteuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    if (const char *login = ::getlogin(); login && *login)
        return QString::fromLocal8Bit(login);
    return std::nullopt;
}

} // namespace sysinfo
