#include "output/GridScreen.h"

#include "app/UiKit.h"
#include "output/RecordGrid.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

GridScreen::Parts GridScreen::build(QDialog* screen, RecordGridModel* model, const QRect& grid,
                                    const QString& gridName, const QString& hint) {
    const QString art = QStringLiteral(":/art/");
    Parts p;
    screen->setFixedSize(kSize);

    p.shpSfondo = new QFrame(screen);
    p.shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    p.shpSfondo->setGeometry(8, 8, kSize.width() - 16, kSize.height() - 16);
    p.shpSfondo->setStyleSheet(QStringLiteral("QFrame#shpSfondo { background: #FFFFFF;"
                                              " border: 1px solid #B8D3E3; border-radius: 8px; }"));

    p.grdRecords = RecordGrid::makeView(screen, model);
    p.grdRecords->setGeometry(grid);
    UiKit::name(p.grdRecords, gridName);

    auto* icoHand = UiKit::picture(screen, QStringLiteral("icoHand"),
                                   art + QStringLiteral("export-mano.svg"), QSize(64, 64));
    icoHand->move(24, 580);
    auto* lblSpiegazione = new QLabel(hint, screen);
    lblSpiegazione->setObjectName(QStringLiteral("lblSpiegazione"));
    lblSpiegazione->setWordWrap(true);
    lblSpiegazione->setGeometry(100, 584, 640, 56);
    lblSpiegazione->setStyleSheet(QStringLiteral("color: #1F3A4D;"));

    auto button = [&](const char* name, const char* svg, const QString& caption, int slot) {
        QPushButton* b =
            UiKit::pictureButton(screen, QString::fromLatin1(name), art + QString::fromLatin1(svg),
                                 QSize(132, 64), caption);
        b->move(kSize.width() - slot * 146 - 20, 578);
        return b;
    };
    p.cmdEsporta = button("cmdEsporta", "export-excel.svg", QStringLiteral("Esporta in Excel"), 3);
    p.cmdGuida = button("cmdGuida", "export-guida.svg", QStringLiteral("Guida"), 2);
    p.cmdEsci = button("cmdEsci", "export-esci.svg", QStringLiteral("Esci"), 1);

    p.shpInfo = new QFrame(screen);
    p.shpInfo->setObjectName(QStringLiteral("shpInfo"));
    p.shpInfo->setGeometry(8, kSize.height() - 8 - 32, kSize.width() - 16, 32);
    p.shpInfo->setStyleSheet(
        QStringLiteral("QFrame#shpInfo { background: #0B2E59; border-bottom-left-radius: 8px;"
                       " border-bottom-right-radius: 8px; }"));
    p.panInfo = new QLabel(QStringLiteral("Esportazione archivio in Microsoft Excel."), p.shpInfo);
    p.panInfo->setObjectName(QStringLiteral("panInfo"));
    p.panInfo->setGeometry(0, 0, p.shpInfo->width(), 32);
    p.panInfo->setStyleSheet(QStringLiteral("QLabel#panInfo { background: #0B2E59; color: #FFFFFF;"
                                            " padding-left: 14px; }"));

    p.status = new UiKit::StatusLine(p.panInfo);
    p.status->hint(p.cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    p.status->hint(p.cmdGuida,
                   QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    p.status->hint(p.cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro."));
    for (QWidget* w : std::initializer_list<QWidget*>{
             screen, p.shpSfondo, static_cast<QWidget*>(p.grdRecords), p.shpInfo,
             static_cast<QWidget*>(icoHand), static_cast<QWidget*>(lblSpiegazione)})
        p.status->background(w);
    return p;
}
