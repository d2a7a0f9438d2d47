#include "fleet/FleetLists.h"

#include "fleet/FleetListScreens.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "fleet/TfrmTrovaSchedario_Chiavi.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRitiri.h"

#include <QLabel>
#include <QPushButton>

namespace {

template <typename Screen> void openModal(QWidget* owner) {
    Screen screen(owner);
    screen.exec();
}

void note(const char* screen, const TScheda& card, qint64 position) {
    QList<FleetLists::Test::HandOver>& list = FleetLists::Test::handOvers();
    if (list.size() >= 100) // a short memory is all the tests need
        list.removeFirst();
    list.append({QString::fromLatin1(screen), card, position});
}

} // namespace

void FleetLists::openSmarrite(QWidget* owner) {
    openModal<TfrmRiepSmarrite>(owner);
}

void FleetLists::openChiaviRitiro(QWidget* owner) {
    openModal<TfrmRiepChiaviRitiro>(owner);
}

void FleetLists::openChiaviRiconsegna(QWidget* owner) {
    openModal<TfrmRiepChiaviRiconsegna>(owner);
}

void FleetLists::openDaRiconsegnare(QWidget* owner) {
    openModal<TfrmRiepDaRiconsegnare>(owner);
}

void FleetLists::openSearch(QWidget* owner) {
    TfrmTrovaSchedario_Chiavi screen(owner);
    screen.lblMemory->setText(QStringLiteral("schedario_chiavi"));
    screen.exec();
}

void FleetLists::toFleetCard(const TScheda& card, qint64 position, const QByteArray& stored) {
    note("frmSchedario_Chiavi", card, position);
    if (frmSchedario_Chiavi)
        frmSchedario_Chiavi->putCard(card, position, stored);
}

void FleetLists::toPickUp(const TScheda& card, qint64 position, const QByteArray& stored) {
    note("frmRitiri", card, position);
    if (frmRitiri)
        frmRitiri->putCard(card, position, stored);
}

void FleetLists::toReturn(const TScheda& card, qint64 position, const QByteArray& stored) {
    note("frmRiconsegne", card, position);
    if (frmRiconsegne)
        frmRiconsegne->putCard(card, position, stored);
}

void FleetLists::nowOnPickUp() {
    if (frmRitiri)
        frmRitiri->impRitiroClick();
}

void FleetLists::nowOnReturn() {
    if (frmRiconsegne)
        frmRiconsegne->impRiconsegnaClick();
}

QList<FleetLists::Test::HandOver>& FleetLists::Test::handOvers() {
    static QList<HandOver> list;
    return list;
}
