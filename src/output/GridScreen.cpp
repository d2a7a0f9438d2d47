#include "output/GridScreen.h"

#include "app/UiKit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

TGridScreen::TGridScreen(QWidget* owner, const QString& caption, const Frame& frame)
    : TAuxDialog(owner, caption) {
    const QString art = QStringLiteral(":/art/");
    setObjectName(frame.objectName);
    setStyleSheet(
        QStringLiteral("QDialog#%1 { background-color: #D3D3D3; }").arg(frame.objectName));
    setFixedSize(kSize);

    auto* shpSfondo = new QFrame(this);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(8, 8, kSize.width() - 16, kSize.height() - 16);
    shpSfondo->setStyleSheet(QStringLiteral("QFrame#shpSfondo { background: #FFFFFF;"
                                            " border: 1px solid #B8D3E3; border-radius: 8px; }"));

    model_ = new RecordGridModel(frame.columns, this);
    grdRecords = RecordGrid::makeView(this, model_);
    grdRecords->setGeometry(frame.grid);
    UiKit::name(grdRecords, frame.gridName);

    auto* icoHand = UiKit::picture(this, QStringLiteral("icoHand"),
                                   art + QStringLiteral("export-mano.svg"), QSize(64, 64));
    icoHand->move(24, 580);
    auto* lblSpiegazione = new QLabel(frame.hint, this);
    lblSpiegazione->setObjectName(QStringLiteral("lblSpiegazione"));
    lblSpiegazione->setWordWrap(true);
    lblSpiegazione->setGeometry(100, 584, 640, 56);
    lblSpiegazione->setStyleSheet(QStringLiteral("color: #1F3A4D;"));

    auto button = [&](const char* name, const char* svg, const QString& caption, int slot) {
        QPushButton* b =
            UiKit::pictureButton(this, QString::fromLatin1(name), art + QString::fromLatin1(svg),
                                 QSize(132, 64), caption);
        b->move(kSize.width() - slot * 146 - 20, 578);
        return b;
    };
    cmdEsporta = button("cmdEsporta", "export-excel.svg", QStringLiteral("Esporta in Excel"), 3);
    cmdGuida = button("cmdGuida", "export-guida.svg", QStringLiteral("Guida"), 2);
    cmdEsci = button("cmdEsci", "export-esci.svg", QStringLiteral("Esci"), 1);

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
             this, shpSfondo, static_cast<QWidget*>(grdRecords), shpInfo,
             static_cast<QWidget*>(icoHand), static_cast<QWidget*>(lblSpiegazione)})
        status_->background(w);

    connect(cmdEsporta, &QPushButton::clicked, this, &TGridScreen::cmdEsportaClick);
    connect(cmdGuida, &QPushButton::clicked, this, &TGridScreen::cmdGuidaClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TGridScreen::cmdEsciClick);
}

void TGridScreen::exportGrid(const QString& fileName, const QString& sheetName,
                             const QList<SpreadsheetWriter::Column>& columns) {
    SpreadsheetWriter::exportTable(
        fileName, sheetName, columns, model_->rowCount(),
        [this](qsizetype row, int column) { return model_->text(row, column + 1); },
        [this](qsizetype row, int column, QByteArrayView& bytes) {
            return model_->storedText(row, column + 1, bytes);
        });
}

void TGridScreen::cmdEsciClick() {
    close();
}
