#pragma once
#include "fleet/RecordFile.h"
#include "fleet/TScheda.h"

#include <functional>

// The fleet file Vuvedi_Duvav.pro in the program folder: the only code that touches its bytes.
class FleetFile {
public:
    static constexpr const char* kFileName = "Vuvedi_Duvav.pro";
    static QString path();

    FleetFile();
    void openOrCreate() { file_.openOrCreate(); }
    qint64 count() const { return file_.count(); }
    TScheda readAt(qint64 position) { return TScheda::fromBytes(file_.readAt(position)); }
    void rewriteAt(qint64 position, const TScheda& card) {
        file_.rewriteAt(position, card.toBytes());
    }
    qint64 append(const TScheda& card) { return file_.append(card.toBytes()); }
    // Every card in file order; the visitor returns false to stop.
    void scan(const std::function<bool(qint64 position, const TScheda& card)>& visit);
    void close() { file_.close(); }

private:
    RecordFile file_;
};
