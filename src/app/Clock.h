#pragma once
#include <QDateTime>

// The one source of "now" for the whole program, so tests can fix the moment.
namespace Clock {

QDateTime now();
void setFixed(const QDateTime& moment); // an invalid moment goes back to the real clock

} // namespace Clock
