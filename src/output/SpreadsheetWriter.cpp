#include "output/SpreadsheetWriter.h"

#include "app/Messages.h"
#include "app/OpenURL.h"
#include "output/SheetCells.h"
#include "store/ProgramFolder.h"

#include "store/Durable.h"
#include "store/StoreError.h"
#include <QDir>

#include <algorithm>
#include <cstring>

namespace {

bool writesFail = false;

// Bytes are handed on in pieces of about this size, so a large export never sits whole in
// memory twice.
constexpr qsizetype kChunkBytes = 1 << 20;

using Sink = std::function<bool(const QByteArray& bytes)>;

class Writer {
public:
    explicit Writer(Sink sink) : sink_(std::move(sink)), buffer_(kChunkBytes + 4096, '\0') {}

    Writer& operator<<(QByteArrayView literal) {
        if (literal.isEmpty())
            return *this;
        std::memcpy(room(literal.size()), literal.data(), size_t(literal.size()));
        used_ += literal.size();
        return spill();
    }
    // A text of the table: trimmed, Windows-1252, the three markup characters escaped.
    Writer& text(const QString& value) {
        QByteArray bytes;
        SheetCells::appendText(bytes, value);
        return *this << bytes;
    }
    // The same for a text held in Windows-1252.
    Writer& bytes(QByteArrayView windows1252) {
        char* at = room(SheetCells::maxBytesFor(windows1252.size()));
        used_ = SheetCells::writeBytes(at, windows1252) - buffer_.data();
        return spill();
    }
    Writer& number(int value) { return *this << QByteArray::number(value); }
    bool finish() {
        if (ok_ && used_ > 0)
            ok_ = sink_(QByteArray::fromRawData(buffer_.constData(), used_));
        used_ = 0;
        return ok_;
    }
    bool ok() const { return ok_; }

private:
    // Where `size` more bytes go.
    char* room(qsizetype size) {
        if (used_ + size > buffer_.size())
            buffer_.resize(std::max(buffer_.size() * 2, used_ + size));
        return buffer_.data() + used_;
    }
    Writer& spill() {
        if (used_ >= kChunkBytes) {
            if (ok_)
                ok_ = sink_(QByteArray::fromRawData(buffer_.constData(), used_));
            used_ = 0;
        }
        return *this;
    }

    Sink sink_;
    QByteArray buffer_; // the piece being made: its first used_ bytes
    qsizetype used_ = 0;
    bool ok_ = true;
};

// The fragments of the file, in order, with nothing between them.
bool generate(Writer& w, const QString& sheetName, const QList<SpreadsheetWriter::Column>& columns,
              qsizetype rowCount, const SpreadsheetWriter::Cell& cell,
              const SpreadsheetWriter::StoredCell& stored) {
    w << "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
         "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
         "xmlns=\"http://www.w3.org/TR/REC-html40\">"
      << "<head>"
      << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
      << "<!--[if gte mso 9]><xml>"
      << "<x:ExcelWorkbook>"
      << "<x:ExcelWorksheets>"
      << "<x:ExcelWorksheet>"
      << "<x:Name>";
    w.text(sheetName) << "</x:Name>"
                      << "<x:WorksheetOptions>"
                      << "<x:Selected/>"
                      << "<x:Panes>"
                      << "<x:Pane>"
                      << "<x:Number>1</x:Number>"
                      << "<x:ActiveRow>3</x:ActiveRow>"
                      << "</x:Pane>"
                      << "</x:Panes>"
                      << "<x:ProtectContents>False</x:ProtectContents>"
                      << "<x:ProtectObjects>False</x:ProtectObjects>"
                      << "<x:ProtectScenarios>False</x:ProtectScenarios>"
                      << "</x:WorksheetOptions>"
                      << "</x:ExcelWorksheet>"
                      << "</x:ExcelWorksheets>"
                      << "</x:ExcelWorkbook>"
                      << "</xml><![endif]-->"
                      << "</head>"
                      << "<body>"
                      << "<table x:str>";
    w << "<tr>";
    for (const SpreadsheetWriter::Column& column : columns) {
        w << "<td style=\"text-align: left; font-weight: bold;\" width=";
        w.number(column.width) << ">";
        w.text(column.title) << "</td>";
    }
    w << "</tr>";
    for (qsizetype row = 0; row < rowCount && w.ok(); ++row) {
        w << "<tr>";
        for (int column = 0; column < columns.size(); ++column) {
            w << "<td style=\"text-align: left;\">";
            QByteArrayView bytes;
            if (stored && stored(row, column, bytes))
                w.bytes(bytes);
            else
                w.text(cell(row, column));
            w << "</td>";
        }
        w << "</tr>";
    }
    w << "</table>"
      << "</body>"
      << "</html>";
    return w.finish();
}

// Writes the file whole or not at all: the new bytes go to a temporary file beside it, which
// replaces the earlier export only once it is complete and on the disk.
bool writeFile(const QString& path, const QString& sheetName,
               const QList<SpreadsheetWriter::Column>& columns, qsizetype rowCount,
               const SpreadsheetWriter::Cell& cell, const SpreadsheetWriter::StoredCell& stored) {
    try {
        SafeFile file(path);
        file.open();
        Writer w([&](const QByteArray& bytes) {
            if (writesFail) { // the disk fills up halfway through the first piece
                file.device().write(bytes.left(bytes.size() / 2));
                return false;
            }
            file.write(bytes);
            return true;
        });
        if (!generate(w, sheetName, columns, rowCount, cell, stored))
            return false; // the file aside is dropped, the earlier export stays
        file.commit();
        return true;
    } catch (const FileError&) {
        return false;
    }
}

} // namespace

QByteArray SpreadsheetWriter::document(const QString& sheetName, const QList<Column>& columns,
                                       qsizetype rowCount, const Cell& cell) {
    return document(sheetName, columns, rowCount, cell, {});
}

QByteArray SpreadsheetWriter::document(const QString& sheetName, const QList<Column>& columns,
                                       qsizetype rowCount, const Cell& cell,
                                       const StoredCell& stored) {
    QByteArray out;
    Writer w([&](const QByteArray& bytes) {
        out.append(bytes);
        return true;
    });
    generate(w, sheetName, columns, rowCount, cell, stored);
    return out;
}

bool SpreadsheetWriter::exportTable(const QString& fileName, const QString& sheetName,
                                    const QList<Column>& columns, qsizetype rowCount,
                                    const Cell& cell) {
    return exportTable(fileName, sheetName, columns, rowCount, cell, {});
}

bool SpreadsheetWriter::exportTable(const QString& fileName, const QString& sheetName,
                                    const QList<Column>& columns, qsizetype rowCount,
                                    const Cell& cell, const StoredCell& stored) {
    if (!Msg::ask(kAskExport))
        return false;
    if (!writeFile(ProgramFolder::file(fileName), sheetName, columns, rowCount, cell, stored)) {
        Msg::plain(kExportFailed);
        return false;
    }
    if (Msg::ask(kAskOpen)) {
        const QString folder = QDir::toNativeSeparators(ProgramFolder::path());
        const QString separator =
            folder.endsWith(QDir::separator()) ? QString() : QDir::separator();
        TMisc::Open(QLatin1Char('"') + folder + separator + fileName + QLatin1Char('"'));
    }
    return true;
}

bool SpreadsheetWriter::exportTable(const QString& fileName, const QString& sheetName,
                                    const QList<Column>& columns, const QList<QStringList>& rows) {
    return exportTable(fileName, sheetName, columns, rows.size(),
                       [&](qsizetype row, int column) { return rows.at(row).value(column); });
}

void SpreadsheetWriter::Test::failWrites(bool on) {
    writesFail = on;
}
