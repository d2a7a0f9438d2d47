#include "store/FleetFile.h"

#include "store/ProgramFolder.h"

QString FleetFile::path() {
    return ProgramFolder::file(QString::fromLatin1(kFileName));
}

FleetFile::FleetFile() : file_(path(), TScheda::kSize, &TScheda::plausible) {}

void FleetFile::scan(const std::function<bool(qint64, const TScheda&)>& visit) {
    file_.scan([&](qint64 position, const char* bytes) {
        return visit(position, TScheda::fromBytes(bytes));
    });
}
