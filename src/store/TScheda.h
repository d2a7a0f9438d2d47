#pragma once
#include "store/Record.h"

#include <QByteArray>
#include <QString>

#include <span>

// One fleet card: a 3581-byte record of 34 short text fields in the fleet file.
struct TScheda {
    static constexpr int kSize = 3581;

    QString Scheda;       // five-digit card number, equal to the card's position
    QString Codice;       // identification code
    QString Tipo;         // type of craft
    QString Utilizzo;     // rental rate
    QString Stato;        // "Disponibile" or "Ritirato da ..."
    QString Duplicati;    // features
    QString Luogo;        // location
    QString Responsabile; // accessories supplied
    QString Recapiti;     // requirements for renting
    QString Persone;      // documents required from the customer
    QString Note;
    QString Smarrita; // not rentable: "Sì" or "No"
    QString GiornoRit, MeseRit, AnnoRit, DataRit, OreRit, MinutiRit, OraRit;
    QString GiornoRic, MeseRic, AnnoRic, DataRic, OreRic, MinutiRic, OraRic;
    QString PersonaRit, PersonaRic;
    QString File01, File02, File03;
    QString Desc01, Desc02, Desc03;

    static std::span<const FieldDef<TScheda>> fields();
    // Whether `size` bytes look like the card at `position`, or like the start of it that an
    // append cut short left.
    static bool plausible(const char* bytes, qsizetype size, qint64 position);
    // The definition of the field a member carries.
    static const FieldDef<TScheda>& field(QString TScheda::*member);
    QByteArray toBytes() const;
    static TScheda fromBytes(const char* bytes);
    static TScheda fromBytes(const QByteArray& bytes) { return fromBytes(bytes.constData()); }
    bool operator==(const TScheda&) const = default;

    // The card number of the card at a position: the last five digits of "00000" + position.
    static QString numberFor(qint64 position);
};
