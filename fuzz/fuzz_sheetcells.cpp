// The spreadsheet cell writer: any text of a cell, column title or sheet name becomes bytes of
// the one-line markup. The first byte chooses how the rest becomes a text: one Windows-1252
// character per byte (as the data files give them), or two bytes per UTF-16 code unit (as
// typed into the grid).
#include "FuzzSupport.h"
#include "output/SheetCells.h"
#include "store/ShortText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QString text = (data[0] & 1)
                             ? Fuzz::utf16(data + 1, size - 1)
                             : ShortText::fromWindows1252(Fuzz::bytes(data + 1, size - 1));

    static const QByteArray kBefore = QByteArrayLiteral("<td style=\"text-align: left;\">");
    QByteArray out = kBefore;
    SheetCells::appendText(out, text);
    FUZZ_CHECK(out.startsWith(kBefore));
    const QByteArray cell = out.mid(kBefore.size());

    // No markup character and no line break of the text reaches the file as such: "<" and ">"
    // only as references, "&" only to begin one.
    FUZZ_CHECK(!cell.contains('<') && !cell.contains('>'));
    FUZZ_CHECK(!cell.contains('\n') && !cell.contains('\r'));
    QByteArray shown;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] != '&') {
            shown.append(cell[i]);
            continue;
        }
        const QByteArrayView rest = QByteArrayView(cell).sliced(i);
        if (rest.startsWith("&amp;")) {
            shown.append('&');
            i += 4;
        } else if (rest.startsWith("&lt;")) {
            shown.append('<');
            i += 3;
        } else if (rest.startsWith("&gt;")) {
            shown.append('>');
            i += 3;
        } else {
            FUZZ_CHECK(!"a bare '&'");
        }
    }
    // What a spreadsheet program shows is the text trimmed, in Windows-1252, a line break
    // inside it shown as the blank it renders as.
    QByteArray expected = ShortText::toWindows1252(ShortText::trim(text));
    expected.replace('\r', ' ').replace('\n', ' ');
    FUZZ_CHECK(shown == expected);
    return 0;
}
