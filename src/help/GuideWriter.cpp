#include "help/GuideWriter.h"

#include "help/HelpPages.h"
#include "help/Maker.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>

namespace {

QImage picture(const QString& svg, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QString html() {
    QString text = QStringLiteral(
        "<table width='100%' cellpadding='0' cellspacing='0'><tr>"
        "<td width='110'><img src='onderia-icon' width='96' height='96'></td>"
        "<td valign='middle'><p class='product'>Onderia</p>"
        "<p class='subtitle'>Guida all'utilizzo del software</p></td></tr></table>"
        "<p class='intro'>Questa guida raccoglie le pagine di aiuto del programma, le stesse che "
        "si aprono con i pulsanti della guida nelle sue schermate.</p>"
        "<p class='contents-title'>Indice</p><ol>");
    const QList<HelpPage> pages = HelpPages::all();
    for (const HelpPage& page : pages)
        text += QStringLiteral("<li>%1</li>").arg(page.title.toHtmlEscaped());
    text += QStringLiteral("</ol>");
    for (const HelpPage& page : pages) {
        text += QStringLiteral("<h2 style='page-break-before: always'>%1</h2>")
                    .arg(page.title.toHtmlEscaped());
        for (const QString& paragraph : page.paragraphs)
            text += QStringLiteral("<p>%1</p>").arg(paragraph.toHtmlEscaped());
    }
    text += QStringLiteral("<p class='maker'>&copy; %1 %2 &middot; %3 &middot; %4</p>")
                .arg(Maker::kYear, Maker::kName.toHtmlEscaped(), Maker::kEmail, Maker::kWebShown);
    return text;
}

} // namespace

bool GuideWriter::write(const QString& pdfPath) {
    QFile probe(pdfPath);
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();

    QPdfWriter writer(pdfPath);
    writer.setTitle(QStringLiteral("Onderia - Guida all'utilizzo del software"));
    writer.setCreator(Maker::kName);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(4, 6, 4, 6), QPageLayout::Millimeter));
    writer.setResolution(300);

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    document.setDefaultStyleSheet(QStringLiteral(
        "p { margin-bottom: 9px; line-height: 135%; color: #1F3A4D; }"
        "h2 { color: #0B5F8A; font-size: 18pt; margin-bottom: 14px; }"
        "p.product { color: #0B5F8A; font-size: 30pt; font-weight: bold; margin: 0; }"
        "p.subtitle { color: #4E7A93; font-size: 15pt; margin: 0; }"
        "p.intro { margin-top: 24px; }"
        "p.contents-title { color: #0B5F8A; font-size: 14pt; font-weight: bold;"
        " margin-top: 18px; }"
        "li { margin-bottom: 4px; color: #1F3A4D; }"
        "p.maker { margin-top: 30px; color: #4E7A93; font-size: 9pt; }"));
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("onderia-icon")),
                         picture(QStringLiteral(":/art/onderia_icon.svg"), 384));
    document.setHtml(html());
    document.print(&writer);
    return true;
}
