#pragma once
#include <QByteArray>
#include <QString>

// The bytes of one text of an exported worksheet (a cell, a column title, the sheet's name):
// trimmed, in Windows-1252, with "&", "<" and ">" written as character references so a
// spreadsheet program shows them as typed, and a line break inside it written as a blank, so
// the file stays on one line. Qt Core only, so it can be checked on its own.
namespace SheetCells {

// Appends the text's bytes to `out`.
void appendText(QByteArray& out, const QString& value);

} // namespace SheetCells
