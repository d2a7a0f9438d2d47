#include "output/SheetCells.h"

#include "store/ShortText.h"

namespace {

// Appends Windows-1252 bytes with the three markup characters escaped, the runs between them
// in one piece.
void appendEscaped(QByteArray& out, const char* bytes, qsizetype size) {
    qsizetype run = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char byte = bytes[i];
        if (byte != '&' && byte != '<' && byte != '>')
            continue;
        out.append(bytes + run, i - run);
        out.append(byte == '&'   ? QByteArrayView("&amp;")
                   : byte == '<' ? QByteArrayView("&lt;")
                                 : QByteArrayView("&gt;"));
        run = i + 1;
    }
    out.append(bytes + run, size - run);
}

} // namespace

void SheetCells::appendText(QByteArray& out, const QString& value) {
    const QByteArray bytes = ShortText::toWindows1252(ShortText::trim(value));
    appendEscaped(out, bytes.constData(), bytes.size());
}

void SheetCells::appendBytes(QByteArray& out, QByteArrayView windows1252) {
    // Windows-1252 bytes up to 32 are exactly the characters up to U+0020, which trimming drops.
    qsizetype begin = 0;
    qsizetype end = windows1252.size();
    while (begin < end && static_cast<unsigned char>(windows1252[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(windows1252[end - 1]) <= 32)
        --end;
    appendEscaped(out, windows1252.data() + begin, end - begin);
}
