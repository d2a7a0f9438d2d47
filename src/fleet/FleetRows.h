#pragma once
#include "store/TScheda.h"

#include <QString>
#include <QStringList>

// The fixed-width text rows that stand for a fleet card in the list screens and the search,
// and the order the lists keep them in.
namespace FleetRows {

enum class Format {
    FourField, // "Cod. " code(20) "  Tipo: " type(30) "  Tariffa: " rate(30) "  Note: " note
    State,     // "Cod. " code(20) "  Tipo: " type(30) "  " state
};

// The field trimmed, then padded with blanks or cut to exactly `width` characters.
QString padded(const QString& field, int width);
QString fourField(const TScheda& card);
QString state(const TScheda& card);
QString row(Format format, const TScheda& card);
// The same row built straight from a fleet record's bytes, as row() builds it from the
// record's card.
QString row(Format format, const char* record);

// The letters A-Z turned to a-z, nothing else.
QString lowerAZ(const QString& text);
// Character by character by character code, a-z taken as A-Z, a prefix before the longer row.
bool lessThan(const QString& a, const QString& b);
// Sorts once, keeping rows that compare equal in their original order (rows already in order,
// as a fleet kept in code order gives them, are only checked).
void sort(QStringList& rows);

} // namespace FleetRows
