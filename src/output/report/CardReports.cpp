#include "output/report/CardReports.h"

namespace {

using Report::Object;

Report::Page a4Portrait() {
    Report::Page page;
    page.name = QStringLiteral("Page");
    page.size = QSizeF(210, 297);
    page.orientation = QPageLayout::Portrait;
    page.margins = QMarginsF(10, 10, 10, 10);
    return page;
}

Object text(const QString& name, const QRectF& geometry, const QString& content, double size,
            bool bold, Qt::Alignment alignment) {
    Object o;
    o.kind = Object::Kind::Text;
    o.name = name;
    o.geometry = geometry;
    o.text = content;
    o.fontFamily = QStringLiteral("Arial");
    o.fontSize = size;
    o.bold = bold;
    o.alignment = alignment;
    return o;
}

Object rect(const QString& name, const QRectF& geometry, const QColor& fill, const QColor& frame) {
    Object o;
    o.kind = Object::Kind::Rect;
    o.name = name;
    o.geometry = geometry;
    o.fill = fill;
    o.frame = frame;
    return o;
}

Object line(const QString& name, const QRectF& geometry) {
    Object o;
    o.kind = Object::Kind::Line;
    o.name = name;
    o.geometry = geometry;
    o.frame = Qt::black;
    return o;
}

constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kLeftMiddle = Qt::AlignLeft | Qt::AlignVCenter;

// The gold footer band and the print stamp over it, with its top at `top`.
void addFooter(std::vector<Object>& objects, double top) {
    objects.push_back(
        rect(QStringLiteral("shpCalce"), QRectF(1, top, 188, 5.8), CardReports::kGold, QColor()));
    objects.push_back(text(QStringLiteral("txtCalce"), QRectF(2, top + 1, 185.8, 4.2),
                           QStringLiteral("Data e ora stampa"), 8, false, kCentred));
}

struct FormRow {
    QString label;
    QString valueName;
    QString designText;
};

// The pick-up and return forms share their geometry; the return form's labels end 0.8 mm
// earlier and its value boxes start 1 mm further left.
Report::Layout form(bool ritiro) {
    Report::Page page = a4Portrait();
    std::vector<Object>& o = page.objects;
    o.push_back(rect(QStringLiteral("shpTitolo"), QRectF(1, 1, 188, 6.6),
                     CardReports::kLightSteelBlue, QColor()));
    o.push_back(text(QStringLiteral("lblTitolo"), QRectF(1, 1, 188, 6.6),
                     ritiro ? QStringLiteral("MODULO RITIRO MEZZI")
                            : QStringLiteral("MODULO RICONSEGNA MEZZI"),
                     12, true, kCentred));

    const FormRow rows[] = {
        {QStringLiteral("CLIENTE:"),
         ritiro ? QStringLiteral("txtPersonaRit") : QStringLiteral("txtPersonaRic"),
         ritiro ? QStringLiteral("Nome richiedente") : QStringLiteral("Nome restitutore")},
        {ritiro ? QStringLiteral("DATA RITIRO:") : QStringLiteral("DATA RICONSEGNA:"),
         ritiro ? QStringLiteral("txtDataRit") : QStringLiteral("txtDataRic"),
         QStringLiteral("GG/MM/AAAA")},
        {ritiro ? QStringLiteral("ORA RITIRO:") : QStringLiteral("ORA RICONSEGNA:"),
         ritiro ? QStringLiteral("txtOraRit") : QStringLiteral("txtOraRic"),
         QStringLiteral("hh:mm")},
        {QStringLiteral("CODICE ID:"), QStringLiteral("txtCodice"),
         QStringLiteral("Codice identificativo")},
        {QStringLiteral("TIPO MEZZO:"), QStringLiteral("txtTipo"), QStringLiteral("Tipo mezzo")},
        {QStringLiteral("TARIFFA NOLEGGIO:"), QStringLiteral("txtUtilizzo"),
         QStringLiteral("Tariffa noleggio")},
    };
    const double labelWidth = ritiro ? 53.8 : 53.0;
    const double boxLeft = ritiro ? 58 : 57;
    int n = 1;
    for (const FormRow& row : rows) {
        const double top = 12 + 10 * (n - 1);
        o.push_back(text(QStringLiteral("lblCampo%1").arg(n), QRectF(2, top, labelWidth, 6.6),
                         row.label, 12, false, kLeftMiddle));
        o.push_back(rect(QStringLiteral("shpCampo%1").arg(n),
                         QRectF(boxLeft, top, 189 - boxLeft, 6.6), QColor(), Qt::black));
        o.push_back(text(row.valueName, QRectF(boxLeft + 1, top, 127.8, 6.6), row.designText, 12,
                         true, kLeftMiddle));
        ++n;
    }

    o.push_back(text(QStringLiteral("lblFirmaResponsabile"), QRectF(2, 80, 71, 6.6),
                     QStringLiteral("FIRMA DEL RESPONSABILE"), 10, false, kCentred));
    o.push_back(text(QStringLiteral("lblFirmaCliente"), QRectF(118, 80, 71, 6.6),
                     QStringLiteral("FIRMA DEL CLIENTE"), 10, false, kCentred));
    o.push_back(line(QStringLiteral("linFirmaResponsabile"), QRectF(2, 100, 71, 0)));
    o.push_back(line(QStringLiteral("linFirmaCliente"), QRectF(118, 100, 71, 0)));
    addFooter(o, 106);
    return Report::Layout(ritiro ? QStringLiteral("Modulo Ritiro Mezzi")
                                 : QStringLiteral("Modulo Riconsegna Mezzi"),
                          page);
}

} // namespace

Report::Layout CardReports::schedaMezzo() {
    Report::Page page = a4Portrait();
    std::vector<Object>& o = page.objects;
    o.push_back(
        rect(QStringLiteral("shpTitolo"), QRectF(1, 1, 188, 5.8), kLightSteelBlue, QColor()));
    o.push_back(text(QStringLiteral("lblTitolo"), QRectF(1, 2, 188, 4.2),
                     QStringLiteral("SCHEDA MEZZO"), 9, false, Qt::AlignHCenter | Qt::AlignTop));

    const std::pair<const char*, const char*> rows[] = {
        {"Codice identificativo:", "txtCodice"},        {"Tipo mezzo:", "txtTipo"},
        {"Tariffa noleggio:", "txtUtilizzo"},           {"Stato attuale:", "txtStato"},
        {"Caratteristiche mezzo:", "txtDuplicati"},     {"Ubicazione:", "txtLuogo"},
        {"Accessori in dotazione:", "txtResponsabile"}, {"Requisiti per noleggio:", "txtRecapiti"},
        {"Documenti richiesti:", "txtPersone"},         {"Note:", "txtNote"},
    };
    int n = 1;
    for (const auto& [label, value] : rows) {
        const double top = 7 + 5 * (n - 1);
        o.push_back(rect(QStringLiteral("shpRiga%1").arg(n), QRectF(1, top, 188, 4.6), QColor(),
                         Qt::black));
        o.push_back(text(QStringLiteral("lblCampo%1").arg(n), QRectF(2, top + 0.5, 37.8, 3.6),
                         QString::fromUtf8(label), 7, false, Qt::AlignLeft | Qt::AlignTop));
        o.push_back(text(QString::fromLatin1(value), QRectF(44, top + 0.5, 144, 3.6), QString(), 7,
                         false, Qt::AlignLeft | Qt::AlignTop));
        ++n;
    }
    o.push_back(line(QStringLiteral("linDivisore"), QRectF(42, 7, 0, 49.6)));
    addFooter(o, 58);
    return Report::Layout(QStringLiteral("Scheda Mezzo"), page);
}

Report::Layout CardReports::moduloRitiro() {
    return form(true);
}

Report::Layout CardReports::moduloRiconsegna() {
    return form(false);
}
