#pragma once
#include <QString>

// The process-wide date conventions every date conversion of the program follows.
namespace DateSettings {

inline const QString kShortDateFormat = QStringLiteral("dd/MM/yyyy"); // "dd/mm/yyyy"
inline const QString kTimeFormat = QStringLiteral("hh:mm:ss");
inline constexpr QChar kDecimalSeparator = QLatin1Char(',');

void apply();

// The system's long time format (hours, minutes and seconds), as printed footers show the
// time; "hh:mm:ss" where the system gives none.
QString longTimeFormat();
// The long time format from a system's format text: a time-zone field is left out, since the
// footer gives only the time of day.
QString longTimeFormatFrom(const QString& systemFormat);

namespace Test {
// Every machine prints the same footer in tests: the long time format is this one ("" goes back
// to the system's).
void setLongTimeFormat(const QString& format);
} // namespace Test

} // namespace DateSettings
