// The date checks over texts typed or read from a file: dateKey on the bytes, DataValida on
// them as one character per byte and as UTF-16, and the month names. An input of 20 bytes is
// also two dates whose keys must order as the dates do.
#include "FuzzSupport.h"
#include "rentals/Dates.h"

#include <QDate>

#include <optional>

namespace {

// The date a text names, read independently: exactly "dd/mm/yyyy" with a real date of a year
// from 1 on.
std::optional<QDate> dateOf(QByteArrayView t) {
    if (t.size() != 10 || t[2] != '/' || t[5] != '/')
        return std::nullopt;
    int n[10];
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (t[i] < '0' || t[i] > '9')
            return std::nullopt;
        n[i] = t[i] - '0';
    }
    const QDate d(n[6] * 1000 + n[7] * 100 + n[8] * 10 + n[9], n[3] * 10 + n[4], n[0] * 10 + n[1]);
    if (!d.isValid() || d.year() < 1)
        return std::nullopt;
    return d;
}

int checkKey(QByteArrayView t) {
    const int key = Dates::dateKey(t);
    const std::optional<QDate> date = dateOf(t);
    FUZZ_CHECK((key != 0) == date.has_value());
    if (date) {
        FUZZ_CHECK(key == date->year() * 10000 + date->month() * 100 + date->day());
        FUZZ_CHECK(date->toString(QStringLiteral("dd/MM/yyyy")).toLatin1() == t.toByteArray());
    }
    // The same text as typed: valid exactly when the key says so.
    FUZZ_CHECK(Dates::DataValida(QString::fromLatin1(t)) == (key != 0));
    return key;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView text(data, qsizetype(size));
    checkKey(text);
    if (size == 20) {
        const QByteArrayView first = text.first(10), second = text.last(10);
        const int a = checkKey(first), b = checkKey(second);
        if (a != 0 && b != 0) {
            const QDate da = *dateOf(first), db = *dateOf(second);
            FUZZ_CHECK((a < b) == (da < db) && (a == b) == (da == db));
        }
    }

    // A UTF-16 text is a date only when all its characters are: no character outside Latin-1
    // may pass for a digit or a slash.
    const QString typed = Fuzz::utf16(data, size);
    bool latin1 = true;
    for (const QChar c : typed)
        latin1 = latin1 && c.unicode() <= 0xFF;
    FUZZ_CHECK(Dates::DataValida(typed) == (latin1 && dateOf(typed.toLatin1()).has_value()));

    // Month names and numbers map into each other.
    const QString name = Fuzz::latin1(data, size);
    const QString number = Dates::monthNumber(name);
    if (!number.isEmpty())
        FUZZ_CHECK(Dates::monthName(number.toInt()) == name);
    if (size > 0) {
        const int month = int(int8_t(data[0]));
        const QString monthName = Dates::monthName(month);
        FUZZ_CHECK(monthName.isEmpty() == (month < 1 || month > 12));
        if (!monthName.isEmpty())
            FUZZ_CHECK(Dates::monthNumber(monthName).toInt() == month);
    }
    return 0;
}
