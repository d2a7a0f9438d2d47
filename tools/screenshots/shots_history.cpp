#include "Shots.h"

#include "app/Clock.h"
#include "history/TfrmMenuRiepilogo.h"
#include "history/TfrmRiepilogo.h"
#include "output/TfrmExpChiavi.h"
#include "store/FleetFile.h"
#include "store/HistoryFile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableView>

namespace {

struct Craft {
    const char* codice;
    const char* tipo;
    const char* tariffa;
    const char* luogo;
    const char* documenti;
};

const Craft kFleet[] = {
    {"MJ-01", "Moto d'acqua", "€ 90,00 l'ora", "Pontile nord, posto 1",
     "Patente nautica e documento d'identità"},
    {"MJ-02", "Moto d'acqua", "€ 90,00 l'ora", "Pontile nord, posto 2",
     "Patente nautica e documento d'identità"},
    {"CA-07", "Canoa", "€ 15,00 l'ora", "Rastrelliera spiaggia", "Documento d'identità"},
    {"CA-08", "canoa biposto", "€ 22,00 l'ora", "Rastrelliera spiaggia", "Documento d'identità"},
    {"KY-03", "Kayak", "€ 18,00 l'ora", "Rastrelliera spiaggia", "Documento d'identità"},
    {"PD-11", "Pedalò", "€ 20,00 l'ora", "Battigia, zona B", "Documento d'identità"},
    {"PD-12", "Pedalò con scivolo", "€ 25,00 l'ora", "Battigia, zona B", "Documento d'identità"},
    {"SU-05", "SUP", "€ 12,00 l'ora", "Deposito tavole", "Documento d'identità"},
    {"GO-02", "Gommone 40 CV", "€ 150,00 la mezza giornata", "Pontile sud",
     "Patente nautica e documento d'identità"},
};

const char* kCustomers[] = {"Marco Bianchi",   "Giulia Rossi",     "Luca Esposito",
                            "Francesca Russo", "Alessandro Ferri", "Chiara Romano",
                            "Davide Colombo",  "Sara Ricci",       "Matteo Marino",
                            "Elena Greco",     "Paolo Bruno",      "Anna Gallo"};

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

void writeHistory() {
    HistoryFile file;
    file.openForWriting();
    QRandomGenerator random(2025);
    for (int day = 1; day <= 20; ++day) {
        const int rentals = 2 + int(random.bounded(3));
        for (int i = 0; i < rentals; ++i) {
            const Craft& c = kFleet[random.bounded(int(std::size(kFleet)))];
            TNoleggio r;
            r.Codice = QString::fromUtf8(c.codice);
            r.Tipo = QString::fromUtf8(c.tipo);
            r.Utilizzo = QString::fromUtf8(c.tariffa);
            r.Luogo = QString::fromUtf8(c.luogo);
            r.Persone = QString::fromUtf8(c.documenti);
            r.PersonaRit =
                QString::fromUtf8(kCustomers[random.bounded(int(std::size(kCustomers)))]);
            r.PersonaRic = r.PersonaRit;
            const int hour = 9 + int(random.bounded(8));
            r.DataRit = two(day) + QStringLiteral("/08/2025");
            r.OraRit = two(hour) + QLatin1Char(':') + two(int(random.bounded(4)) * 15);
            r.DataRic = r.DataRit;
            r.OraRic = two(hour + 1 + int(random.bounded(2))) + QLatin1Char(':') +
                       two(int(random.bounded(12)) * 5);
            file.append(r);
        }
    }
    file.close();
}

void writeFleet() {
    FleetFile file;
    file.openForWriting();
    qint64 n = 0;
    for (const Craft& c : kFleet) {
        TScheda card;
        card.Scheda = TScheda::numberFor(++n);
        card.Codice = QString::fromUtf8(c.codice);
        card.Tipo = QString::fromUtf8(c.tipo);
        card.Utilizzo = QString::fromUtf8(c.tariffa);
        card.Luogo = QString::fromUtf8(c.luogo);
        card.Persone = QString::fromUtf8(c.documenti);
        card.Stato = n % 3 == 0 ? QStringLiteral("Ritirato da Giulia Rossi in data 14/08/2025 "
                                                 "alle ore 10:30")
                                : QStringLiteral("Disponibile");
        card.Duplicati = n % 2 ? QStringLiteral("Scafo in vetroresina, colore giallo")
                               : QStringLiteral("Due posti, schienali regolabili");
        card.Responsabile = QStringLiteral("Giubbotti salvagente, pagaie");
        card.Recapiti = QString::fromUtf8(c.documenti).contains(QStringLiteral("Patente"))
                            ? QStringLiteral("Maggiore età, patente nautica")
                            : QStringLiteral("Saper nuotare");
        card.Note = n == 6 ? QStringLiteral("Controllare i pedali a fine stagione") : QString();
        card.Smarrita = QStringLiteral("No");
        file.append(card);
    }
    file.close();
}

} // namespace

ONDERIA_SHOTS(history) {
    Clock::setFixed(QDateTime(QDate(2025, 8, 21), QTime(9, 30)));
    writeHistory();
    writeFleet();

    frmMenuRiepilogo->showScreen();
    frmMenuRiepilogo->txtGiornoInizio->setEditText(QStringLiteral("01"));
    frmMenuRiepilogo->txtGiornoFine->setEditText(QStringLiteral("20"));
    ctx.save(frmMenuRiepilogo, QStringLiteral("history-period"));

    frmMenuRiepilogo->lblDataInizio->setText(QStringLiteral("01/08/2025"));
    frmMenuRiepilogo->lblDataFine->setText(QStringLiteral("20/08/2025"));
    {
        TfrmRiepilogo summary(frmMenuRiepilogo);
        summary.show();
        ctx.save(&summary, QStringLiteral("history-summary"));
        summary.hide();
    }
    frmMenuRiepilogo->hide();
    {
        TfrmExpChiavi exporter(nullptr);
        exporter.show();
        ctx.save(&exporter, QStringLiteral("export-fleet"));
        exporter.hide();
    }
    Clock::setFixed(QDateTime());
}
