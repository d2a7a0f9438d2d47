#include "app/Theme.h"

QString Theme::styleSheet() {
    return QStringLiteral(
        "QWidget#screenBackground { background-color: #E6F1F7; }"
        "QFrame#screenContent { background-color: #FFFFFF; border: 1px solid #B8D3E3;"
        " border-radius: 8px; }"
        "QLabel#panInfo { background-color: #0B5F8A; color: #FFFFFF; padding: 3px 10px;"
        " border-bottom-left-radius: 8px; border-bottom-right-radius: 8px; }"
        "QGroupBox { font-weight: bold; color: #0B5F8A; border: 1px solid #B8D3E3;"
        " border-radius: 5px; margin-top: 10px; padding-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 2px; }"
        "QPushButton[picture=\"true\"] { border: none; background: transparent; }"
        "QPushButton[picture=\"true\"]:focus { border: 1px dotted #0B5F8A; }"
        "QPushButton[picture=\"true\"]:hover { background: rgba(46,139,192,0.10);"
        " border-radius: 6px; }");
}
