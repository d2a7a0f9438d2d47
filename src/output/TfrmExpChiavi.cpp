#include "output/TfrmExpChiavi.h"

#include "app/Errors.h"
#include "app/UiKit.h"
#include "help/Help.h"
#include "output/GridScreen.h"
#include "output/RecordGrid.h"
#include "output/SpreadsheetWriter.h"
#include "store/FleetFile.h"
#include "store/ShortText.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>

#include <memory>

namespace {

QList<RecordGridModel::Column> gridColumns() {
    return {
        {QStringLiteral("colNum"), QStringLiteral("N."), 60, false},
        {QStringLiteral("colCodice"), QStringLiteral("Codice identificativo"), 170, false},
        {QStringLiteral("colTipo"), QStringLiteral("Tipo mezzo"), 170, false},
        {QStringLiteral("colUtilizzo"), QStringLiteral("Tariffa noleggio"), 190, false},
        {QStringLiteral("colStato"), QStringLiteral("Stato attuale"), 360, false},
        {QStringLiteral("colDuplicati"), QStringLiteral("Caratteristiche mezzo"), 240, false},
        {QStringLiteral("colLuogo"), QStringLiteral("Ubicazione"), 220, true},
        {QStringLiteral("colResponsabile"), QStringLiteral("Accessori in dotazione"), 240, false},
        {QStringLiteral("colRecapiti"), QStringLiteral("Requisiti per noleggio"), 240, false},
        {QStringLiteral("colPersone"), QStringLiteral("Documenti richiesti"), 240, false},
        {QStringLiteral("colNote"), QStringLiteral("Note"), 300, true},
    };
}

// The card's fields in grid columns 1..10.
QString TScheda::*const kGridFields[] = {
    &TScheda::Codice,    &TScheda::Tipo,  &TScheda::Utilizzo,     &TScheda::Stato,
    &TScheda::Duplicati, &TScheda::Luogo, &TScheda::Responsabile, &TScheda::Recapiti,
    &TScheda::Persone,   &TScheda::Note};

const QList<SpreadsheetWriter::Column> kExportColumns = {
    {QStringLiteral("Codice identificativo"), 250},
    {QStringLiteral("Tipo mezzo"), 250},
    {QStringLiteral("Tariffa noleggio"), 300},
    {QStringLiteral("Stato attuale"), 400},
    {QStringLiteral("Caratteristiche mezzo"), 350},
    {QStringLiteral("Ubicazione"), 350},
    {QStringLiteral("Accessori in dotazione"), 350},
    {QStringLiteral("Requisiti per noleggio"), 350},
    {QStringLiteral("Documenti richiesti"), 350},
    {QStringLiteral("Note"), 350}};

} // namespace

TfrmExpChiavi::TfrmExpChiavi(QWidget* owner)
    : TGridScreen(owner, QStringLiteral(" Esporta vuvedi duvav in Microsoft Excel"),
                  {QStringLiteral("frmExpChiavi"), gridColumns(),
                   QRect(20, 80, kSize.width() - 40, 488), QStringLiteral("Schede dell'archivio"),
                   QStringLiteral("Una riga per ogni scheda dell'archivio. Ubicazione e note si "
                                  "possono correggere prima dell'esportazione: l'archivio non "
                                  "cambia.")}) {
    auto* imgLogo = UiKit::picture(this, QStringLiteral("imgLogo"),
                                   QStringLiteral(":/art/export-logo.svg"), QSize(1222, 62));
    imgLogo->move(9, 9);
    status_->background(imgLogo);
}

void TfrmExpChiavi::open(QWidget* owner) {
    auto screen = std::make_unique<TfrmExpChiavi>(owner);
    screen->exec();
}

void TfrmExpChiavi::load() {
    model_->beginLoad();
    qint64 cards = 0;
    quint32 filled = 0;
    guarded(
        [&] {
            FleetFile file;
            file.openForReading();
            cards = file.count();
            model_->reserve(cards, 256);
            // The cells straight from the record's bytes, nothing decoded.
            const FieldDef<TScheda>* f[10];
            for (int i = 0; i < 10; ++i)
                f[i] = &TScheda::field(kGridFields[i]);
            file.scanRaw([&](qint64 position, const char* bytes) {
                auto at = [&](int i) {
                    return ShortText::bytes(bytes + f[i]->offset, f[i]->capacity);
                };
                model_->appendBytes(
                    static_cast<quint32>(position),
                    {at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8), at(9)});
                ++filled;
                return true;
            });
            file.close();
        },
        [] {});
    // A file that could not be read to its end: the rows not filled stay empty.
    for (qint64 row = filled; row < cards; ++row)
        model_->appendRow(0, {});
    model_->endLoad();
}

void TfrmExpChiavi::showEvent(QShowEvent* event) {
    TAuxDialog::showEvent(event);
    if (!event->spontaneous())
        load();
}

void TfrmExpChiavi::cmdEsportaClick() {
    exportGrid(QStringLiteral("Vuvedi_Duvav.xls"), QStringLiteral("Vuvedi Duvav"), kExportColumns);
}

void TfrmExpChiavi::cmdGuidaClick() {
    Help::showPage(this, QStringLiteral("Esportazione vuvedi duvav in Excel"));
}
