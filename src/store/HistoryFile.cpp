#include "store/HistoryFile.h"

#include "store/ProgramFolder.h"

QString HistoryFile::path() {
    return ProgramFolder::file(QString::fromLatin1(kFileName));
}

HistoryFile::HistoryFile() : file_(path(), TNoleggio::kSize, &TNoleggio::plausible) {}

void HistoryFile::scan(const std::function<bool(qint64, const TNoleggio&)>& visit) {
    file_.scan([&](qint64 position, const char* bytes) {
        return visit(position, TNoleggio::fromBytes(bytes));
    });
}
