#include "Shots.h"

#include "app/ArchiveWait.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "store/FileLock.h"
#include "store/FleetFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

namespace {

TScheda sampleCard(int position, const QString& code, const QString& type, const QString& rate,
                   const QString& features, const QString& place, const QString& accessories,
                   const QString& requirements, const QString& documents, const QString& notes) {
    TScheda card;
    card.Scheda = TScheda::numberFor(position);
    card.Codice = code;
    card.Tipo = type;
    card.Utilizzo = rate;
    card.Stato = QStringLiteral("Disponibile");
    card.Duplicati = features;
    card.Luogo = place;
    card.Responsabile = accessories;
    card.Recapiti = requirements;
    card.Persone = documents;
    card.Note = notes;
    card.Smarrita = QStringLiteral("No");
    return card;
}

void writeSampleFleet() {
    TScheda jet =
        sampleCard(1, QStringLiteral("MJ-07"), QStringLiteral("Moto d'acqua Yamaha VX Cruiser"),
                   QStringLiteral("80 euro l'ora, 300 euro la giornata"),
                   QStringLiteral("3 posti, 1049 cc, 110 CV, colore rosso e bianco, anno 2022"),
                   QStringLiteral("Pontile nord, ormeggio 3"),
                   QStringLiteral("Tre giubbotti salvagente, chiave di sicurezza, cima d'ormeggio"),
                   QStringLiteral("Patente nautica per unità oltre 40 CV, maggiore età"),
                   QStringLiteral("Documento d'identità e patente nautica in originale"),
                   QStringLiteral("Tagliando eseguito il 12/05/2025; pieno a carico del cliente."));
    jet.File01 = QStringLiteral("Libretto_VX_Cruiser.pdf");
    jet.Desc01 = QStringLiteral("Libretto d'uso e manutenzione");

    TScheda canoe = sampleCard(
        2, QStringLiteral("CN-12"), QStringLiteral("Canoa canadese biposto"),
        QStringLiteral("15 euro l'ora"), QStringLiteral("Lunghezza 4,6 m, colore verde"),
        QStringLiteral("Rastrelliera spiaggia, posto 12"),
        QStringLiteral("Due pagaie, due giubbotti salvagente, sacca stagna"),
        QStringLiteral("Saper nuotare"), QStringLiteral("Documento d'identità"), QString());

    TScheda pedal = sampleCard(
        3, QStringLiteral("PD-03"), QStringLiteral("Pedalò con scivolo"),
        QStringLiteral("20 euro l'ora, 12 euro la mezz'ora"),
        QStringLiteral("4 posti, scivolo e scaletta di risalita, colore giallo"),
        QStringLiteral("Battigia, settore B"),
        QStringLiteral("Quattro giubbotti salvagente, ancorotto"),
        QStringLiteral("Almeno un adulto a bordo"), QStringLiteral("Documento d'identità"),
        QStringLiteral("Non superare la linea delle boe gialle."));
    pedal.Stato = QStringLiteral("Ritirato da Giulia Ferraresi in data 14/07/2025 alle ore 10:35");
    pedal.GiornoRit = QStringLiteral("14");
    pedal.MeseRit = QStringLiteral("Luglio");
    pedal.AnnoRit = QStringLiteral("2025");
    pedal.DataRit = QStringLiteral("14/07/2025");
    pedal.OreRit = QStringLiteral("10");
    pedal.MinutiRit = QStringLiteral("35");
    pedal.OraRit = QStringLiteral("10:35");
    pedal.PersonaRit = QStringLiteral("Giulia Ferraresi");

    FleetFile file;
    file.openForWriting();
    file.append(jet);
    file.append(canoe);
    file.append(pedal);
    file.close();
}

} // namespace

ONDERIA_SHOTS(fleetcard) {
    TfrmSchedario_Chiavi* card = frmSchedario_Chiavi;
    // Shown first, as the start menu would; showing it empties the card.
    card->showScreen();
    ShotContext::settle();
    card->panInfo->setText(QStringLiteral("Pronto per archiviare una nuova scheda..."));
    ctx.save(card, QStringLiteral("fleet-card-new"));

    writeSampleFleet();
    card->cmdPrimo->click();
    card->panInfo->setText(card->cmdSalva->accessibleDescription());
    ctx.save(card, QStringLiteral("fleet-card-available"));

    card->cmdUltimo->click();
    card->panInfo->setText(card->cmdUltimo->accessibleDescription());
    ctx.save(card, QStringLiteral("fleet-card-out"));

    // Another workstation keeps the fleet file for a moment: the save waits, and says so.
    card->cmdPrimo->click();
    card->findChild<QLineEdit*>(QStringLiteral("txtNote"))
        ->setText(QStringLiteral("Controllare la pressione delle gomme del carrello."));
    QFile otherDesk(FleetFile::path());
    otherDesk.open(QIODevice::ReadWrite);
    FileLock::acquire(otherDesk, FileLock::Mode::Exclusive);
    ArchiveWait::install();
    QTimer::singleShot(300, [&] {
        ctx.save(card, QStringLiteral("fleet-card-waiting"));
        // On a real display the pointer can be taken too (scrot draws it in).
        if (QGuiApplication::platformName() == QStringLiteral("xcb"))
            QProcess::execute(QStringLiteral("scrot"),
                              {QStringLiteral("-p"), QStringLiteral("-o"),
                               QDir(ctx.outputFolder)
                                   .filePath(QStringLiteral("fleet-card-waiting-display.png"))});
        otherDesk.close();
    });
    card->cmdSalvaClick();
    ArchiveWait::uninstall();
}
