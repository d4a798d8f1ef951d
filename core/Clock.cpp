#include "core/Clock.h"

namespace core {

namespace {
Clock::Source &source() {
    static Clock::Source s;
    return s;
}
} // namespace

QDateTime Clock::now() {
    return source() ? source()() : QDateTime::currentDateTime();
}

void Clock::setSource(Source s) {
    source() = std::move(s);
}

} // namespace core
