#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Exports a table to a file that spreadsheet programs open as a worksheet: an HTML table after
// the workbook markup, on one line, in Windows-1252, in the program folder. Both exports of the
// program (the fleet and the rental history) go through here.
namespace SpreadsheetWriter {

struct Column {
    QString title;
    int width;
};

// The text of one cell (row from 0, column from 0 in the columns' order).
using Cell = std::function<QString(qsizetype row, int column)>;
// The cell as Windows-1252 bytes, for a table that holds its texts that way: true with the
// bytes set when the cell is held so, false to have its text from the Cell instead.
using StoredCell = std::function<bool(qsizetype row, int column, QByteArrayView& bytes)>;

inline const QString kAskExport = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
    "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
inline const QString kAskOpen = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di "
    "Excel?");
inline const QString kExportFailed =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                   "che il file di Excel non sia già aperto.");

// The whole file's bytes. Cell texts and titles are trimmed; "&", "<" and ">" are written as
// character references so a spreadsheet program shows them as typed.
QByteArray document(const QString& sheetName, const QList<Column>& columns, qsizetype rowCount,
                    const Cell& cell);
QByteArray document(const QString& sheetName, const QList<Column>& columns, qsizetype rowCount,
                    const Cell& cell, const StoredCell& stored);

// The export procedure: asks whether to export, writes the file (replacing any earlier one
// only once the new one is complete), asks whether to open it and hands it to the shell.
// Returns true when the file was written.
bool exportTable(const QString& fileName, const QString& sheetName, const QList<Column>& columns,
                 qsizetype rowCount, const Cell& cell);
bool exportTable(const QString& fileName, const QString& sheetName, const QList<Column>& columns,
                 qsizetype rowCount, const Cell& cell, const StoredCell& stored);
bool exportTable(const QString& fileName, const QString& sheetName, const QList<Column>& columns,
                 const QList<QStringList>& rows);

namespace Test {
// Makes the next writes fail halfway through the file, as a full disk would.
void failWrites(bool on);
} // namespace Test

} // namespace SpreadsheetWriter
