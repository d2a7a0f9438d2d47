#include "output/SheetCells.h"

#include "store/ShortText.h"

#include <cstring>

namespace {

// Appends Windows-1252 bytes with the three markup characters escaped, the runs between them
// in one piece.
void appendEscaped(QByteArray& out, const char* bytes, qsizetype size) {
    qsizetype run = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char byte = bytes[i];
        if (byte != '&' && byte != '<' && byte != '>' && byte != '\r' && byte != '\n')
            continue;
        out.append(bytes + run, i - run);
        // The file has no line breaks: one inside a text (from a record written elsewhere)
        // goes as the blank it shows as in a cell.
        out.append(byte == '&'   ? QByteArrayView("&amp;")
                   : byte == '<' ? QByteArrayView("&lt;")
                   : byte == '>' ? QByteArrayView("&gt;")
                                 : QByteArrayView(" "));
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
    const QByteArrayView text = ShortText::trimmed(windows1252);
    appendEscaped(out, text.data(), text.size());
}

char* SheetCells::writeBytes(char* out, QByteArrayView windows1252) {
    const QByteArrayView text = ShortText::trimmed(windows1252);
    const char* in = text.data();
    const qsizetype size = text.size();
    qsizetype run = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char byte = in[i];
        if (byte != '&' && byte != '<' && byte != '>')
            continue;
        if (i > run)
            std::memcpy(out, in + run, size_t(i - run));
        out += i - run;
        const QByteArrayView reference = byte == '&'   ? QByteArrayView("&amp;")
                                         : byte == '<' ? QByteArrayView("&lt;")
                                                       : QByteArrayView("&gt;");
        std::memcpy(out, reference.data(), size_t(reference.size()));
        out += reference.size();
        run = i + 1;
    }
    if (size > run)
        std::memcpy(out, in + run, size_t(size - run));
    return out + (size - run);
}
