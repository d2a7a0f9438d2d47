#pragma once
#include "store/Record.h"

#include <QByteArray>
#include <QString>

#include <span>

// One completed rental: a 761-byte record of 11 short text fields in the history file.
struct TNoleggio {
    static constexpr int kSize = 761;

    QString Codice;
    QString Tipo;
    QString Utilizzo;
    QString Luogo;
    QString Persone;
    QString PersonaRit;
    QString DataRit; // "dd/mm/yyyy": the date by which the history is selected
    QString OraRit;
    QString PersonaRic;
    QString DataRic; // normally "dd/mm/yyyy", but any text the user typed
    QString OraRic;

    static std::span<const FieldDef<TNoleggio>> fields();
    // Whether `size` bytes look like a record, or like the start of one.
    static bool plausible(const char* bytes, qsizetype size, qint64 position);
    QByteArray toBytes() const;
    static TNoleggio fromBytes(const char* bytes);
    static TNoleggio fromBytes(const QByteArray& bytes) { return fromBytes(bytes.constData()); }
    bool operator==(const TNoleggio&) const = default;
};
