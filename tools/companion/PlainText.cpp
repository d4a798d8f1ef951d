#include "tools/companion/PlainText.h"

#include <QLocale>

namespace tools::plain {

QString currency(qint64 units) {
    const bool negative = units < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(units) : quint64(units);
    QString text = QString::number(magnitude / 10000);
    if (const quint64 fraction = magnitude % 10000) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString dateTime(const QDateTime &value) {
    if (!value.isValid())
        return QString();
    const QTime time = value.time();
    if (time == QTime(0, 0))
        return value.date().toString(Qt::ISODate);
    return value.date().toString(Qt::ISODate) + QLatin1Char('T') +
           time.toString(time.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
}

QString number(double value) {
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace tools::plain
