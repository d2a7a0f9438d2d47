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

bool Dates::DataValida(const QString& text) {
    if (text.size() != 10 || text.at(2) != QLatin1Char('/') || text.at(5) != QLatin1Char('/'))
        return false;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return false;
    const int day = text.mid(0, 2).toInt();
    const int month = text.mid(3, 2).toInt();
    const int year = text.mid(6, 4).toInt();
    // Year 0000 is no year of the calendar the program works with.
    return year >= 1 && QDate::isValid(year, month, day);
}
