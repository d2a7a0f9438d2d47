#include "fleet/FleetListScreens.h"

#include "fleet/FleetLists.h"
#include "store/ShortText.h"

namespace {

// A field of the card's record, trimmed, as its stored Windows-1252 bytes: the two texts
// compared here are ASCII, so comparing bytes is comparing the texts.
QByteArrayView field(const char* record, const FieldDef<TScheda>& f) {
    return ShortText::trimmed(ShortText::bytes(record + f.offset, f.capacity));
}

bool rentable(const char* record) {
    static const FieldDef<TScheda>& smarrita = TScheda::field(&TScheda::Smarrita);
    return field(record, smarrita) == QByteArrayView("No");
}

bool available(const char* record) {
    static const FieldDef<TScheda>& stato = TScheda::field(&TScheda::Stato);
    return field(record, stato) == QByteArrayView("Disponibile");
}

} // namespace

FleetListKind TfrmRiepSmarrite::kind() {
    FleetListKind k;
    k.key = QStringLiteral("TfrmRiepSmarrite");
    k.caption = QStringLiteral(" Elenco mezzi non noleggiabili");
    k.logo = QStringLiteral(":/art/list-logo-smarrite.svg");
    k.filter = [](const char* card) { return !rentable(card); };
    k.row = FleetRows::Format::FourField;
    k.printedTitle = QStringLiteral("Elenco mezzi non noleggiabili");
    k.target = FleetLists::toFleetCard;
    return k;
}

FleetListKind TfrmRiepChiaviRitiro::kind() {
    FleetListKind k;
    k.key = QStringLiteral("TfrmRiepChiaviRitiro");
    k.caption = QStringLiteral(" Elenco mezzi disponibili per ritiro");
    k.logo = QStringLiteral(":/art/list-logo-ritiro.svg");
    k.filter = [](const char* card) { return rentable(card) && available(card); };
    k.row = FleetRows::Format::FourField;
    k.printedTitle = QStringLiteral("Elenco mezzi disponibili per ritiro");
    k.target = FleetLists::toPickUp;
    k.afterDoubleClick = [] { FleetLists::nowOnPickUp(); };
    k.warnWhenEmpty = true;
    return k;
}

FleetListKind TfrmRiepChiaviRiconsegna::kind() {
    FleetListKind k;
    k.key = QStringLiteral("TfrmRiepChiaviRiconsegna");
    k.caption = QStringLiteral(" Elenco mezzi da riconsegnare");
    k.logo = QStringLiteral(":/art/list-logo-riconsegna.svg");
    k.filter = [](const char* card) { return rentable(card) && !available(card); };
    k.row = FleetRows::Format::State;
    k.printedTitle = QStringLiteral("Elenco mezzi da riconsegnare");
    k.target = FleetLists::toReturn;
    k.afterDoubleClick = [] { FleetLists::nowOnReturn(); };
    k.warnWhenEmpty = true;
    return k;
}

FleetListKind TfrmRiepDaRiconsegnare::kind() {
    FleetListKind k = TfrmRiepChiaviRiconsegna::kind();
    k.key = QStringLiteral("TfrmRiepDaRiconsegnare");
    k.target = nullptr;
    k.afterDoubleClick = nullptr;
    k.warnWhenEmpty = false;
    return k;
}

TfrmRiepSmarrite::TfrmRiepSmarrite(QWidget* owner) : TfrmFleetList(owner, kind()) {}
TfrmRiepChiaviRitiro::TfrmRiepChiaviRitiro(QWidget* owner) : TfrmFleetList(owner, kind()) {}
TfrmRiepChiaviRiconsegna::TfrmRiepChiaviRiconsegna(QWidget* owner) : TfrmFleetList(owner, kind()) {}
TfrmRiepDaRiconsegnare::TfrmRiepDaRiconsegnare(QWidget* owner) : TfrmFleetList(owner, kind()) {}
