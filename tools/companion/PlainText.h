#pragma once

#include <QDateTime>
#include <QString>

// Values as plain text for other programs: independent of the user's
// regional settings.
namespace tools::plain {

// Ten-thousandths as a decimal with a point and no trailing zeros: "1234.5".
QString currency(qint64 units);
// ISO 8601: "2024-03-01" at midnight, else "2024-03-01T14:30:00".
QString dateTime(const QDateTime &value);
// The shortest text that reads back as the same double.
QString number(double value);

} // namespace tools::plain
