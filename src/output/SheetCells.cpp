#include "output/SheetCells.h"

#include "store/ShortText.h"

void SheetCells::appendText(QByteArray& out, const QString& value) {
    for (const char byte : ShortText::toWindows1252(ShortText::trim(value))) {
        switch (byte) {
        case '&':
            out.append("&amp;");
            break;
        case '<':
            out.append("&lt;");
            break;
        case '>':
            out.append("&gt;");
            break;
        default:
            out.append(byte);
        }
    }
}
