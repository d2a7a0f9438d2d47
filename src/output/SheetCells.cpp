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
        case '\r':
        case '\n':
            // The file has no line breaks: one inside a text (from a record written elsewhere)
            // goes as the blank it shows as in a cell.
            out.append(' ');
            break;
        default:
            out.append(byte);
        }
    }
}
