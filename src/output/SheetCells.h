#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The bytes of one text of an exported worksheet (a cell, a column title, the sheet's name):
// trimmed, in Windows-1252, with "&", "<" and ">" written as character references so a
// spreadsheet program shows them as typed, and a line break inside it written as a blank, so
// the file stays on one line. Qt Core only, so it can be checked on its own.
namespace SheetCells {

// Appends the text's bytes to `out`.
void appendText(QByteArray& out, const QString& value);

// The same for a text already in Windows-1252 (as the data files hold it): appends what
// appendText appends for the text those bytes stand for, without decoding them.
void appendBytes(QByteArray& out, QByteArrayView windows1252);

// The most bytes appendBytes() can make of `size` bytes: each of them "&amp;".
constexpr qsizetype maxBytesFor(qsizetype size) {
    return 5 * size;
}
// Writes what appendBytes() appends at `out`, which has room for maxBytesFor() of the size;
// returns where the written bytes end.
char* writeBytes(char* out, QByteArrayView windows1252);

} // namespace SheetCells
