#include "rentals/Dates.h"

#include <QDate>

const QStringList& Dates::monthNames() {
    static const QStringList names = {
        QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
        QStringLiteral("Aprile"),  QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
        QStringLiteral("Luglio"),  QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
        QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre")};
    return names;
}

namespace {
QStringList twoDigits(int from, int to) {
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return items;
}
} // namespace

const QStringList& Dates::dayItems() {
    static const QStringList items = twoDigits(1, 31);
    return items;
}

const QStringList& Dates::hourItems() {
    static const QStringList items = twoDigits(0, 23);
    return items;
}

const QStringList& Dates::minuteItems() {
    static const QStringList items = twoDigits(0, 59);
    return items;
}

QString Dates::monthNumber(const QString& name) {
    const qsizetype at = monthNames().indexOf(name);
    return at < 0 ? QString() : QStringLiteral("%1").arg(at + 1, 2, 10, QLatin1Char('0'));
}

QString Dates::monthName(int month) {
    return (month >= 1 && month <= 12) ? monthNames().at(month - 1) : QString();
}

QString Dates::dateText(const QString& day, const QString& monthNumber, const QString& year) {
    return day + QLatin1Char('/') + monthNumber + QLatin1Char('/') + year;
}

QString Dates::timeText(const QString& hour, const QString& minutes) {
    return hour + QLatin1Char(':') + minutes;
}

int Dates::dateKey(QByteArrayView text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return 0;
    int digits[8];
    int n = 0;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        digits[n++] = text[i] - '0';
    }
    const int day = digits[0] * 10 + digits[1];
    const int month = digits[2] * 10 + digits[3];
    const int year = digits[4] * 1000 + digits[5] * 100 + digits[6] * 10 + digits[7];
    // Year 0000 is no year of the calendar the program works with.
    if (year < 1 || !QDate::isValid(year, month, day))
        return 0;
    return year * 10000 + month * 100 + day;
}

bool Dates::DataValida(const QString& text) {
    // Characters outside Latin-1 become '?', which no date holds.
    return text.size() == 10 && dateKey(text.toLatin1()) != 0;
}
