// The history summary's own reading of record bytes: the undecoded field views, the pick-up
// date check on them, and the grid that keeps the texts as bytes, sorted by type of craft. The
// input is a run of 761-byte history records (the last one padded with zeros); the grid must
// show exactly what the record decoder reads.
#include "FuzzSupport.h"
#include "output/RecordGrid.h"
#include "rentals/Dates.h"
#include "store/ShortText.h"
#include "store/TNoleggio.h"

#include <QCollator>
#include <QLocale>

#include <cstring>
#include <memory>
#include <vector>

namespace {

QList<RecordGridModel::Column> columns() {
    QList<RecordGridModel::Column> list{
        {QStringLiteral("colNum"), QStringLiteral("N."), 60, false}};
    for (const auto& f : TNoleggio::fields())
        list.append(
            {QLatin1String("col") + QLatin1String(f.name), QLatin1String(f.name), 100, false});
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static RecordGridModel model(columns());
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Italian, QLocale::Italy));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const auto fields = TNoleggio::fields();
    const size_t count = (size + TNoleggio::kSize - 1) / TNoleggio::kSize;
    if (count > 8)
        return 0;
    std::unique_ptr<char[]> file(new char[count * TNoleggio::kSize]);
    std::memset(file.get(), 0, count * TNoleggio::kSize);
    if (size > 0)
        std::memcpy(file.get(), data, size);

    std::vector<TNoleggio> rentals;
    model.beginLoad();
    for (size_t r = 0; r < count; ++r) {
        const char* record = file.get() + r * TNoleggio::kSize;
        const TNoleggio rental = TNoleggio::fromBytes(record);
        auto view = [&](int i) {
            return ShortText::storedText(record + fields[i].offset, fields[i].capacity);
        };
        // The pick-up date the summary selects by is the date the record reads.
        const int picked = Dates::dateKey(view(6));
        FUZZ_CHECK(std::strcmp(fields[6].name, "DataRit") == 0);
        FUZZ_CHECK((picked != 0) == Dates::DataValida(rental.DataRit));
        model.appendBytes(quint32(r + 1), {view(0), view(1), view(2), view(3), view(4), view(5),
                                           view(6), view(7), view(8), view(9), view(10)});
        rentals.push_back(rental);
    }
    model.endLoad();
    FUZZ_CHECK(model.rowCount() == int(count));

    for (size_t r = 0; r < count; ++r)
        FUZZ_CHECK(model.text(qsizetype(r), 0) == QString::number(r + 1));

    // Sorted by type: whole rows move, each showing exactly what its record reads; the types
    // come in the collator's order (QCollator::compare, as the grid sorts), and equal types keep
    // file order.
    model.sortByColumn(2, collator);
    std::vector<bool> seen(count, false);
    int previous = 0;
    QString previousType;
    for (size_t row = 0; row < count; ++row) {
        const int number = model.text(qsizetype(row), 0).toInt();
        FUZZ_CHECK(number >= 1 && number <= int(count) && !seen[size_t(number - 1)]);
        seen[size_t(number - 1)] = true;
        const TNoleggio& rental = rentals[size_t(number - 1)];
        for (size_t i = 0; i < fields.size(); ++i)
            FUZZ_CHECK(model.text(qsizetype(row), int(i) + 1) == rental.*(fields[i].member));
        if (row > 0) {
            const int order = collator.compare(previousType, rental.Tipo);
            FUZZ_CHECK(order <= 0);
            FUZZ_CHECK(order < 0 || previous < number);
        }
        previous = number;
        previousType = rental.Tipo;
    }
    return 0;
}
