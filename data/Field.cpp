#include "data/Field.h"

#include "core/Clock.h"
#include "data/Error.h"
#include "data/TableObject.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace data {

namespace {

using Type = Field::Type;

constexpr qint64 kUnitsPerWhole = 10000;

QString invalidFloat(const QString &text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

// A format with every time-zone token (t, tt, ...) taken out, quoted text kept.
QString withoutTimeZone(const QString &format) {
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.trimmed();
}

// The short date format with a four-digit year, so that text reads back as
// the same date.
QString dateFormat(const QLocale &locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString timeFormat(const QLocale &locale) {
    return withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
}

QString formatDateTime(const QDateTime &dt) {
    const QLocale locale;
    QString text = locale.toString(dt.date(), dateFormat(locale));
    if (dt.time() != QTime(0, 0))
        text += QLatin1Char(' ') + locale.toString(dt.time(), timeFormat(locale));
    return text;
}

QDateTime parseDateTime(const QString &input) {
    const QLocale locale;
    const QString text = input.trimmed();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString longDate = dateFormat(locale);
    const QStringList times{timeFormat(locale),
                            withoutTimeZone(locale.timeFormat(QLocale::ShortFormat)),
                            QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")};
    for (const QString &date : {longDate, shortDate}) {
        QDateTime dt;
        for (const QString &time : times) {
            dt = locale.toDateTime(text, date + QLatin1Char(' ') + time);
            if (dt.isValid())
                break;
        }
        if (!dt.isValid())
            dt = locale.toDateTime(text, date);
        if (!dt.isValid())
            continue;
        if (date != longDate) {
            // Two-digit years fall within fifty years either side of today.
            const int now = core::Clock::today().year();
            int year = (now - 50) / 100 * 100 + dt.date().year() % 100;
            if (year < now - 50)
                year += 100;
            const QDate d(year, dt.date().month(), dt.date().day());
            if (!d.isValid())
                continue;
            dt = QDateTime(d, dt.time());
        }
        return dt;
    }
    QDateTime iso = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!iso.isValid())
        iso = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
    return iso;
}

QString storedDateTime(const QDateTime &dt) {
    return dt.time().msec() != 0 ? dt.toString(Qt::ISODateWithMs)
                                 : dt.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QString formatCurrency(qint64 units) {
    const QLocale locale;
    const bool negative = units < 0;
    // Magnitude as unsigned, so the most negative value survives.
    const quint64 magnitude = negative ? quint64(0) - quint64(units) : quint64(units);
    QString text = QString::number(magnitude / kUnitsPerWhole);
    quint64 fraction = magnitude % kUnitsPerWhole;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += locale.decimalPoint() + digits;
    }
    return negative ? locale.negativeSign() + text : text;
}

qint64 parseCurrency(const QString &input) {
    const QLocale locale;
    QString text = input.trimmed();
    bool negative = false;
    if (text.startsWith(locale.negativeSign()) || text.startsWith(QLatin1Char('-'))) {
        negative = true;
        text = text.mid(text.startsWith(locale.negativeSign()) ? locale.negativeSign().size() : 1);
    } else if (text.startsWith(locale.positiveSign()) || text.startsWith(QLatin1Char('+'))) {
        text = text.mid(1);
    }
    const qsizetype point = text.indexOf(locale.decimalPoint());
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + locale.decimalPoint().size());
    auto allDigits = [](const QString &s) {
        for (QChar c : s) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        return true;
    };
    if ((whole.isEmpty() && fraction.isEmpty()) || !allDigits(whole) || !allDigits(fraction))
        throw Error(invalidFloat(input));
    // Exact: whole and fraction as integers, rounded half away from zero.
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max());
    quint64 units = 0;
    for (QChar c : whole) {
        units = units * 10 + quint64(c.unicode() - '0');
        if (units > limit / kUnitsPerWhole)
            throw Error(invalidFloat(input));
    }
    units *= kUnitsPerWhole;
    quint64 part = 0;
    for (int i = 0; i < 4; ++i)
        part = part * 10 + (i < fraction.size() ? quint64(fraction.at(i).unicode() - '0') : 0);
    if (fraction.size() > 4 && fraction.at(4) >= QLatin1Char('5'))
        ++part;
    units += part;
    if (units > limit)
        throw Error(invalidFloat(input));
    return negative ? -qint64(units) : qint64(units);
}

qint64 currencyFromDouble(double value, const QString &shown) {
    const double scaled = std::round(value * double(kUnitsPerWhole));
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        throw Error(invalidFloat(shown));
    return qint64(scaled);
}

QString formatFloat(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

double parseFloat(const QString &input) {
    bool ok = false;
    double value = QLocale().toDouble(input.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        throw Error(invalidFloat(input));
    return value;
}

bool parseBoolean(const QString &input) {
    const QString text = input.trimmed();
    if (!text.isEmpty()) {
        if (QStringLiteral("True").startsWith(text, Qt::CaseInsensitive))
            return true;
        if (QStringLiteral("False").startsWith(text, Qt::CaseInsensitive))
            return false;
    }
    throw Error(QStringLiteral("'%1' is not a valid boolean value").arg(input));
}

// Whether a stored value has the storage class its type keeps (text for Text,
// Memo and DateTime, a double for Float, an integer for the rest). Another
// one comes from a file written by other hands and is shown as it is.
bool isNative(Type type, const QVariant &stored) {
    switch (type) {
    case Type::Text:
    case Type::Memo:
    case Type::DateTime:
        return stored.typeId() == QMetaType::QString;
    case Type::Float:
        return stored.typeId() == QMetaType::Double;
    case Type::AutoIncrement:
    case Type::Currency:
    case Type::Boolean:
    case Type::Blob:
        break;
    }
    return stored.typeId() == QMetaType::LongLong;
}

QString foreignText(const QVariant &stored) {
    switch (stored.typeId()) {
    case QMetaType::Double:
        return formatFloat(stored.toDouble());
    case QMetaType::QByteArray:
        return QString::fromUtf8(stored.toByteArray());
    default:
        return stored.toString();
    }
}

// Cuts text to `size` UTF-16 units without splitting a surrogate pair.
QString truncated(const QString &text, int size) {
    if (size <= 0 || text.size() <= size)
        return text;
    qsizetype n = size;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

} // namespace

Field::Field(TableObject *table, int index, const QString &column, Type type, int size)
    : QObject(table)
    , m_table(table)
    , m_index(index)
    , m_column(column)
    , m_type(type)
    , m_size(size) {}

QVariant Field::value() const {
    return valueOf(m_table->storedValue(m_index));
}

bool Field::isNull() const {
    return m_table->storedValue(m_index).isNull();
}

void Field::checkModifiable() const {
    if (isReadOnly())
        throw Error(QStringLiteral("Field '%1' cannot be modified").arg(m_column));
}

void Field::setValue(const QVariant &value) {
    checkModifiable();
    if (m_type == Type::Blob) {
        setBlob(value.isNull() ? QByteArray() : value.toByteArray());
        return;
    }
    m_table->setStoredValue(m_index, storedFromValue(value));
}

QString Field::asString() const {
    return textOf(m_table->storedValue(m_index));
}

void Field::setAsString(const QString &text) {
    checkModifiable();
    if (m_type == Type::Blob) {
        setBlob(text.toUtf8());
        return;
    }
    m_table->setStoredValue(m_index, storedFromText(text));
}

qint64 Field::currencyUnits() const {
    const QVariant stored = m_table->storedValue(m_index);
    if (stored.isNull())
        return 0;
    if (m_type == Type::Currency && isNative(m_type, stored))
        return stored.toLongLong();
    if (m_type == Type::Currency && stored.typeId() != QMetaType::Double)
        return parseCurrency(foreignText(stored));
    return currencyFromDouble(valueOf(stored).toDouble(), asString());
}

void Field::setCurrencyUnits(qint64 units) {
    if (m_type == Type::Currency)
        m_table->setStoredValue(m_index, QVariant(qlonglong(units)));
    else
        setValue(double(units) / double(kUnitsPerWhole));
}

qint64 Field::blobSize() const {
    const QVariant stored = m_table->storedValue(m_index);
    if (m_type == Type::Blob)
        return stored.isNull() ? 0 : stored.toLongLong();
    return asString().toUtf8().size();
}

QByteArray Field::blob() const {
    if (m_type == Type::Blob)
        return m_table->readBlob(m_index);
    return isNull() ? QByteArray() : asString().toUtf8();
}

void Field::setBlob(const QByteArray &bytes) {
    if (m_type == Type::Blob)
        m_table->setBlob(m_index, bytes);
    else
        setAsString(QString::fromUtf8(bytes));
}

QVariant Field::valueOf(const QVariant &stored) const {
    if (stored.isNull())
        return QVariant();
    if (!isNative(m_type, stored))
        return stored;
    switch (m_type) {
    case Type::AutoIncrement:
    case Type::Blob:
        return QVariant(stored.toLongLong());
    case Type::Text:
    case Type::Memo:
        return stored;
    case Type::DateTime: {
        const QString text = stored.toString();
        QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (!dt.isValid())
            dt = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
        return dt.isValid() ? QVariant(dt) : stored;
    }
    case Type::Currency:
        return QVariant(double(stored.toLongLong()) / double(kUnitsPerWhole));
    case Type::Boolean:
        return QVariant(stored.toLongLong() != 0);
    case Type::Float:
        return QVariant(stored.toDouble());
    }
    return stored;
}

QString Field::textOf(const QVariant &stored) const {
    if (stored.isNull())
        return QString();
    if (!isNative(m_type, stored))
        return foreignText(stored);
    switch (m_type) {
    case Type::AutoIncrement:
        return QString::number(stored.toLongLong());
    case Type::Text:
    case Type::Memo:
        return stored.toString();
    case Type::DateTime: {
        const QVariant v = valueOf(stored);
        return v.typeId() == QMetaType::QDateTime ? formatDateTime(v.toDateTime())
                                                  : stored.toString();
    }
    case Type::Currency:
        return formatCurrency(stored.toLongLong());
    case Type::Boolean:
        return stored.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Float:
        return formatFloat(stored.toDouble());
    case Type::Blob:
        return QString();
    }
    return stored.toString();
}

QVariant Field::storedFromValue(const QVariant &value) const {
    if (!value.isValid() || value.isNull())
        return QVariant();
    const int typeId = value.typeId();
    const bool isText = typeId == QMetaType::QString;
    switch (m_type) {
    case Type::AutoIncrement:
        checkModifiable();
        return {};
    case Type::Text:
        return QVariant(truncated(value.toString(), m_size));
    case Type::Memo:
        return QVariant(value.toString());
    case Type::DateTime:
        if (typeId == QMetaType::QDateTime)
            return QVariant(storedDateTime(value.toDateTime()));
        if (typeId == QMetaType::QDate)
            return QVariant(storedDateTime(QDateTime(value.toDate(), QTime(0, 0))));
        return storedFromText(value.toString());
    case Type::Currency:
        if (isText)
            return storedFromText(value.toString());
        if (typeId == QMetaType::Double || typeId == QMetaType::Float)
            return QVariant(qlonglong(currencyFromDouble(value.toDouble(), value.toString())));
        if (typeId == QMetaType::Bool)
            return QVariant(qlonglong(value.toBool() ? kUnitsPerWhole : 0));
        {
            const qint64 whole = value.toLongLong();
            if (whole > std::numeric_limits<qint64>::max() / kUnitsPerWhole ||
                whole < std::numeric_limits<qint64>::min() / kUnitsPerWhole)
                throw Error(invalidFloat(value.toString()));
            return QVariant(qlonglong(whole * kUnitsPerWhole));
        }
    case Type::Boolean:
        if (isText)
            return storedFromText(value.toString());
        return QVariant(qlonglong(value.toBool() ? 1 : 0));
    case Type::Float:
        if (isText)
            return storedFromText(value.toString());
        {
            bool ok = false;
            const double d = value.toDouble(&ok);
            if (!ok || !std::isfinite(d))
                throw Error(invalidFloat(value.toString()));
            return QVariant(d);
        }
    case Type::Blob:
        return value.isNull() ? QVariant() : QVariant(qlonglong(value.toByteArray().size()));
    }
    return QVariant();
}

QVariant Field::storedFromText(const QString &text) const {
    switch (m_type) {
    case Type::AutoIncrement:
        checkModifiable();
        return {};
    case Type::Text:
        return QVariant(truncated(text, m_size));
    case Type::Memo:
        return QVariant(text);
    default:
        break;
    }
    if (text.trimmed().isEmpty())
        return QVariant();
    switch (m_type) {
    case Type::DateTime: {
        const QDateTime dt = parseDateTime(text);
        if (!dt.isValid())
            throw Error(QStringLiteral("'%1' is not a valid date and time").arg(text));
        return QVariant(storedDateTime(dt));
    }
    case Type::Currency:
        return QVariant(qlonglong(parseCurrency(text)));
    case Type::Boolean:
        return QVariant(qlonglong(parseBoolean(text) ? 1 : 0));
    case Type::Float:
        return QVariant(parseFloat(text));
    default:
        break;
    }
    return QVariant();
}

} // namespace data
