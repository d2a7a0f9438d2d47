#pragma once
#include <QString>

// The maker of the program, as the start menu, the information and the splash screens show it.
// The addresses live in the reserved ".example" domain.
namespace Maker {

inline const QString kName = QStringLiteral("Onderia Software");
inline const QString kEmail = QStringLiteral("info@onderia.example");
inline const QString kWeb = QStringLiteral("https://www.onderia.example");
// The web address as the pictures and links spell it.
inline const QString kWebShown = QStringLiteral("www.onderia.example");
inline const QString kYear = QStringLiteral("2026");

} // namespace Maker
