#pragma once
#include <QColor>
#include <QSize>
#include <QString>

// The house look: one set of colours and sizes for every screen.
namespace Theme {

// Fixed content area of a maximized screen, centred in the window; it fits a 1366x768
// desktop with its task bar and title bar.
inline constexpr QSize kContentSize(1280, 660);

inline const QColor kWindow(0xE6, 0xF1, 0xF7); // sea-mist window background
inline const QColor kPanel(0xFF, 0xFF, 0xFF);  // content card
inline const QColor kPanelBorder(0xB8, 0xD3, 0xE3);
inline const QColor kAccent(0x0B, 0x5F, 0x8A); // deep sea blue: titles, bars
inline const QColor kAccentLight(0x2E, 0x8B, 0xC0);
inline const QColor kSand(0xF4, 0xE3, 0xB5); // warm accent
inline const QColor kStatusText(0xFF, 0xFF, 0xFF);
inline const QColor kCaption(0x1F, 0x3A, 0x4D); // field captions

// Focus highlight colours.
inline const QColor kFocusFill(0xFF, 0xFF, 0x00);
inline const QColor kIdleFill(0xFF, 0xFF, 0xFF);
inline const QColor kReadOnlyFill(0xF5, 0xF5, 0xDC);
inline const QColor kFocusBorder(0x87, 0xCE, 0xEB);

// Link texts: dark blue at rest, orange while the mouse button is down on them.
inline const QColor kLink(0x00, 0x00, 0x8B);
inline const QColor kLinkPressed(0xFF, 0xA5, 0x00);

inline const QString kUiFont = QStringLiteral("Verdana");

// Style sheet of the whole program (applied once at start-up).
QString styleSheet();

} // namespace Theme
