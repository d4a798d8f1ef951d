#pragma once

#include <QDateTime>
#include <functional>

namespace core {

// The one source of the current time, so that tests can fix it.
class Clock {
public:
    static QDateTime now();
    static QDate today() { return now().date(); }

    using Source = std::function<QDateTime()>;
    // Replaces the system clock until reset with an empty source.
    static void setSource(Source source);
};

} // namespace core
