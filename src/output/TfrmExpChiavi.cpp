#include "output/TfrmExpChiavi.h"

#include "app/Errors.h"
#include "app/UiKit.h"
#include "fleet/FleetFile.h"
#include "help/Help.h"
#include "output/RecordGrid.h"
#include "output/SpreadsheetWriter.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>

#include <memory>

namespace {

constexpr QSize kSize(1240, 690);
const QString kArt = QStringLiteral(":/art/");

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
    : TAuxDialog(owner, QStringLiteral(" Esporta vuvedi duvav in Microsoft Excel")) {
    setFixedSize(kSize);
    setObjectName(QStringLiteral("frmExpChiavi"));
    setStyleSheet(QStringLiteral("QDialog#frmExpChiavi { background-color: #D3D3D3; }"));

    auto* shpSfondo = new QFrame(this);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(8, 8, kSize.width() - 16, kSize.height() - 16);
    shpSfondo->setStyleSheet(QStringLiteral("QFrame#shpSfondo { background: #FFFFFF;"
                                            " border: 1px solid #B8D3E3; border-radius: 8px; }"));

    auto* imgLogo = UiKit::picture(this, QStringLiteral("imgLogo"),
                                   kArt + QStringLiteral("export-logo.svg"), QSize(1222, 62));
    imgLogo->move(9, 9);

    model_ = new RecordGridModel(gridColumns(), this);
    grdRecords = RecordGrid::makeView(this, model_);
    grdRecords->setGeometry(20, 80, kSize.width() - 40, 488);
    UiKit::name(grdRecords, QStringLiteral("Schede dell'archivio"));

    auto* icoHand = UiKit::picture(this, QStringLiteral("icoHand"),
                                   kArt + QStringLiteral("export-mano.svg"), QSize(64, 64));
    icoHand->move(24, 580);
    auto* hint = new QLabel(QStringLiteral("Una riga per ogni scheda dell'archivio. Ubicazione e "
                                           "note si possono correggere prima dell'esportazione: "
                                           "l'archivio non cambia."),
                            this);
    hint->setObjectName(QStringLiteral("lblSpiegazione"));
    hint->setWordWrap(true);
    hint->setGeometry(100, 584, 640, 56);
    hint->setStyleSheet(QStringLiteral("color: #1F3A4D;"));

    cmdEsporta = UiKit::pictureButton(this, QStringLiteral("cmdEsporta"),
                                      kArt + QStringLiteral("export-excel.svg"), QSize(132, 64),
                                      QStringLiteral("Esporta in Excel"));
    cmdEsporta->move(kSize.width() - 3 * 146 - 20, 578);
    cmdGuida = UiKit::pictureButton(this, QStringLiteral("cmdGuida"),
                                    kArt + QStringLiteral("export-guida.svg"), QSize(132, 64),
                                    QStringLiteral("Guida"));
    cmdGuida->move(kSize.width() - 2 * 146 - 20, 578);
    cmdEsci = UiKit::pictureButton(this, QStringLiteral("cmdEsci"),
                                   kArt + QStringLiteral("export-esci.svg"), QSize(132, 64),
                                   QStringLiteral("Esci"));
    cmdEsci->move(kSize.width() - 146 - 20, 578);

    shpInfo = new QFrame(this);
    shpInfo->setObjectName(QStringLiteral("shpInfo"));
    shpInfo->setGeometry(8, kSize.height() - 8 - 32, kSize.width() - 16, 32);
    shpInfo->setStyleSheet(
        QStringLiteral("QFrame#shpInfo { background: #0B2E59; border-bottom-left-radius: 8px;"
                       " border-bottom-right-radius: 8px; }"));
    panInfo = new QLabel(QStringLiteral("Esportazione archivio in Microsoft Excel."), shpInfo);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setGeometry(0, 0, shpInfo->width(), 32);
    panInfo->setStyleSheet(QStringLiteral("QLabel#panInfo { background: #0B2E59; color: #FFFFFF;"
                                          " padding-left: 14px; }"));

    status_ = new UiKit::StatusLine(panInfo);
    status_->hint(cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    status_->hint(cmdGuida,
                  QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    status_->hint(cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro."));
    for (QWidget* w : std::initializer_list<QWidget*>{
             this, shpSfondo, static_cast<QWidget*>(imgLogo), static_cast<QWidget*>(grdRecords),
             shpInfo, static_cast<QWidget*>(icoHand), static_cast<QWidget*>(hint)})
        status_->background(w);

    connect(cmdEsporta, &QPushButton::clicked, this, &TfrmExpChiavi::cmdEsportaClick);
    connect(cmdGuida, &QPushButton::clicked, this, &TfrmExpChiavi::cmdGuidaClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmExpChiavi::cmdEsciClick);
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
            file.openOrCreate();
            cards = file.count();
            file.scan([&](qint64 position, const TScheda& card) {
                model_->appendRow(static_cast<quint32>(position),
                                  {card.Codice, card.Tipo, card.Utilizzo, card.Stato,
                                   card.Duplicati, card.Luogo, card.Responsabile, card.Recapiti,
                                   card.Persone, card.Note});
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
    SpreadsheetWriter::exportTable(
        QStringLiteral("Vuvedi_Duvav.xls"), QStringLiteral("Vuvedi Duvav"), kExportColumns,
        model_->rowCount(),
        [this](qsizetype row, int column) { return model_->text(row, column + 1); });
}

void TfrmExpChiavi::cmdGuidaClick() {
    Help::showPage(this, QStringLiteral("Esportazione vuvedi duvav in Excel"));
}

void TfrmExpChiavi::cmdEsciClick() {
    close();
}
