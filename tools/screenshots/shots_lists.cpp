#include "Shots.h"

#include "app/Clock.h"
#include "fleet/FleetListScreens.h"
#include "fleet/TfrmTrovaSchedario_Chiavi.h"
#include "output/report/Printing.h"
#include "store/FleetFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace {

TScheda card(const char* codice, const char* tipo, const char* tariffa, const char* smarrita,
             const char* stato, const char* note) {
    TScheda c;
    c.Codice = QString::fromUtf8(codice);
    c.Tipo = QString::fromUtf8(tipo);
    c.Utilizzo = QString::fromUtf8(tariffa);
    c.Smarrita = QString::fromUtf8(smarrita);
    c.Stato = QString::fromUtf8(stato);
    c.Note = QString::fromUtf8(note);
    c.Luogo = QStringLiteral("Pontile A");
    c.Persone = QStringLiteral("Carta d'identità");
    return c;
}

void writeSampleFleet() {
    const TScheda cards[] = {
        card("JS-01", "Moto d'acqua Yamaha VX Cruiser", "80 € l'ora, 250 € mezza giornata", "No",
             "Disponibile", "Serbatoio pieno"),
        card("JS-02", "Moto d'acqua Sea-Doo Spark", "70 € l'ora", "No",
             "Ritirato da Mario Rossi in data 05/07/2025 alle ore 14:07", ""),
        card("JS-03", "Moto d'acqua Kawasaki Ultra 310", "95 € l'ora", "Sì", "Disponibile",
             "In riparazione: pompa di raffreddamento"),
        card("KY-01", "Kayak monoposto", "15 € l'ora", "No", "Disponibile", "Pagaia in carbonio"),
        card("KY-02", "Kayak biposto", "25 € l'ora", "No",
             "Ritirato da Giulia Bianchi in data 05/07/2025 alle ore 10:30", "Con sacca stagna"),
        card("KY-03", "Kayak biposto", "25 € l'ora", "No", "Disponibile", ""),
        card("KY-04", "Kayak da pesca con portacanne", "30 € l'ora", "Sì", "Disponibile",
             "Scafo incrinato a prua, non usare"),
        card("CN-01", "Canoa canadese tre posti", "28 € l'ora", "No", "Disponibile", ""),
        card("CN-02", "Canoa canadese tre posti", "28 € l'ora", "No",
             "Ritirato da Luca Ferrari in data 05/07/2025 alle ore 11:45", "Famiglia con bambini"),
        card("PD-01", "Pedalò con scivolo", "20 € l'ora, 60 € mezza giornata", "No", "Disponibile",
             "Scivolo appena verniciato"),
        card("PD-02", "Pedalò quattro posti", "18 € l'ora", "No",
             "Ritirato da Anna Esposito in data 05/07/2025 alle ore 09:15", ""),
        card("PD-03", "Pedalò quattro posti", "18 € l'ora", "Sì", "Disponibile",
             "Pedali da sostituire"),
        card("SUP-01", "Tavola SUP gonfiabile 10'6\"", "12 € l'ora", "No", "Disponibile",
             "Pompa nel gavone"),
        card("SUP-02", "Tavola SUP gonfiabile 10'6\"", "12 € l'ora", "No",
             "Ritirato da Paolo Greco in data 05/07/2025 alle ore 15:20", ""),
        card("SUP-03", "Tavola SUP da yoga", "15 € l'ora", "No", "Disponibile", ""),
        card("GM-01", "Gommone 5 metri senza patente, 40 CV", "150 € mezza giornata", "No",
             "Disponibile", "Carburante a parte"),
        card("GM-02", "Gommone 6 metri con patente nautica", "220 € mezza giornata", "Sì",
             "Ritirato da Sara Romano in data 04/07/2025 alle ore 16:00",
             "Rientrato con elica danneggiata"),
        card("WS-01", "Windsurf principianti", "20 € l'ora", "No", "Disponibile", ""),
    };
    QFile::remove(FleetFile::path());
    FleetFile file;
    file.openForWriting();
    for (TScheda c : cards) {
        c.Scheda = TScheda::numberFor(file.count() + 1);
        file.append(c);
    }
    file.close();
}

template <typename Screen>
void shootList(ShotContext& ctx, const QString& name, const QString& find) {
    Screen screen(nullptr);
    screen.show();
    if (!find.isEmpty()) {
        screen.panContainer->txtTrova->setText(find);
        screen.panContainer->btnTrovaClick();
    }
    ctx.save(&screen, name);
    screen.hide();
}

} // namespace

ONDERIA_SHOTS(lists) {
    Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(16, 42, 18)));
    writeSampleFleet();
    shootList<TfrmRiepSmarrite>(ctx, QStringLiteral("list-not-rentable"), QString());
    shootList<TfrmRiepChiaviRitiro>(ctx, QStringLiteral("list-pickup"), QStringLiteral("kayak"));
    shootList<TfrmRiepChiaviRiconsegna>(ctx, QStringLiteral("list-return"), QString());
    shootList<TfrmRiepDaRiconsegnare>(ctx, QStringLiteral("list-craft-out"), QString());

    TfrmTrovaSchedario_Chiavi search(nullptr);
    search.lblMemory->setText(QStringLiteral("schedario_chiavi"));
    search.show();
    QApplication::setActiveWindow(&search);
    search.txtTipo->setText(QStringLiteral("kayak"));
    search.txtStato->setText(QStringLiteral("disponibile"));
    search.txtStato->setFocus();
    ctx.save(&search, QStringLiteral("search-filter"));
    search.txtStato->clear();
    search.txtTipo->setText(QStringLiteral("pedal"));
    search.btnCercaClick();
    search.panContainer->txtTrova->setText(QStringLiteral("scivolo"));
    search.panContainer->btnTrovaClick();
    ctx.save(&search, QStringLiteral("search-results"));
    search.hide();

    // A printed list: the PDF page turned into a picture.
    Printing::Test::toPdf(ctx.programFolder);
    {
        TfrmRiepChiaviRitiro screen(nullptr);
        screen.show();
        screen.panContainer->btnStampaClick();
        screen.hide();
    }
    const QStringList files = Printing::Test::files();
    Printing::Test::toPdf(QString());
    if (!files.isEmpty())
        ctx.savePdfPage(files.first(), QStringLiteral("list-printed"));
    Clock::setFixed(QDateTime());
}
