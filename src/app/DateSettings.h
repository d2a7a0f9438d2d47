#pragma once
#include <QString>

// The process-wide date conventions every date conversion of the program follows.
namespace DateSettings {

inline const QString kShortDateFormat = QStringLiteral("dd/MM/yyyy"); // "dd/mm/yyyy"
inline const QString kTimeFormat = QStringLiteral("hh:mm:ss");
inline constexpr QChar kDecimalSeparator = QLatin1Char(',');

void apply();

} // namespace DateSettings
