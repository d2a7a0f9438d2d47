#include "output/report/ListReport.h"

#include "app/Clock.h"

namespace {
const QColor kSlateGrey(0x70, 0x80, 0x90);
} // namespace

Report::Layout ListReport::layout() {
    using Report::Band;
    using Report::Object;
    Report::Page page;
    page.name = QStringLiteral("Page");
    page.size = QSizeF(210, 297);
    page.orientation = QPageLayout::Landscape;
    page.margins = QMarginsF(10, 10, 10, 10);

    Object titolo;
    titolo.name = QStringLiteral("txtTitolo");
    titolo.geometry = QRectF(2, 1, 273, 5);
    titolo.fontFamily = QStringLiteral("Verdana");
    titolo.fontSize = 9;
    titolo.bold = true;
    titolo.color = Qt::white;
    titolo.fill = kSlateGrey;
    titolo.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    titolo.text = QStringLiteral("Riepilogo");

    Object riepilogo;
    riepilogo.name = QStringLiteral("txtRiepilogo");
    riepilogo.geometry = QRectF(3, 0, 273, 27);
    riepilogo.fontFamily = QStringLiteral("Courier New");
    riepilogo.fontSize = 8;
    riepilogo.color = Qt::black;
    riepilogo.alignment = Qt::AlignLeft | Qt::AlignTop;
    riepilogo.lineHeight = Report::units(kLineUnits);

    Object pagina;
    pagina.name = QStringLiteral("txtPagina");
    pagina.geometry = QRectF(3, 2, 272, 5);
    pagina.fontFamily = QStringLiteral("Verdana");
    pagina.fontSize = 8;
    pagina.bold = true;
    pagina.color = Qt::white;
    pagina.fill = kSlateGrey;
    pagina.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    pagina.text = QStringLiteral("Stampa eseguita in data [DATE]");

    page.bands = {
        Band{QStringLiteral("ReportTitle"), Band::Kind::ReportTitle, 8, false, {titolo}},
        Band{QStringLiteral("MasterData"), Band::Kind::MasterData, 28, true, {riepilogo}},
        Band{QStringLiteral("Footer"), Band::Kind::Footer, 8, false, {pagina}},
    };
    return Report::Layout(QStringLiteral("Riepilogo dati"), page);
}

bool ListReport::print(Report::Layout& report, const QString& title, const QStringList& rows,
                       QWidget* parent) {
    report.setText(QStringLiteral("txtTitolo"), title);
    report.setText(QStringLiteral("txtPagina"), Report::printStamp(Clock::now()));
    report.setLines(QStringLiteral("txtRiepilogo"), rows);
    const double height = Report::units(rows.size() * kLineUnits);
    report.setHeight(QStringLiteral("txtRiepilogo"), height);
    report.setBandHeight(QStringLiteral("MasterData"), height + Report::units(10));
    return report.print(parent);
}
