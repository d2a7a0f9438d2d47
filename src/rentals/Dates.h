#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The date and time rules of pick-ups and returns.
namespace Dates {

// "Gennaio" .. "Dicembre", in calendar order.
const QStringList& monthNames();
// The items of the day, hour and minute drop-downs: "01".."31", "00".."23", "00".."59".
const QStringList& dayItems();
const QStringList& hourItems();
const QStringList& minuteItems();
// The two-digit number of a month name ("Luglio" -> "07"), exact match; "" for no month.
QString monthNumber(const QString& name);
// The month name of a two-digit number ("07" -> "Luglio"); "" for no month.
QString monthName(int month);

// Date text: day, "/", two-digit month number, "/", year ("05/07/2025").
QString dateText(const QString& day, const QString& monthNumber, const QString& year);
// Time text: two-digit hour, ":", two-digit minutes ("14:07").
QString timeText(const QString& hour, const QString& minutes);

// A date text as a number that orders like the date (yyyymmdd); 0 unless the bytes are exactly
// two-digit day "/" two-digit month "/" four-digit year naming an existing Gregorian date.
int dateKey(QByteArrayView text);

// True only for a text of the exact form two-digit day "/" two-digit month "/" four-digit year
// that names an existing Gregorian date. Any other text gives false.
bool DataValida(const QString& text);

} // namespace Dates
