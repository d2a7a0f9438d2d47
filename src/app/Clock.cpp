#include "app/Clock.h"

namespace {
QDateTime& fixedMoment() {
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime Clock::now() {
    return fixedMoment().isValid() ? fixedMoment() : QDateTime::currentDateTime();
}

void Clock::setFixed(const QDateTime& moment) {
    fixedMoment() = moment;
}
