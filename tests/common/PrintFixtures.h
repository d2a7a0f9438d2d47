#pragma once
#include "HostTool.h"
#include "output/report/Printing.h"

#include <QString>
#include <QStringList>

// Printing inside a test: every printer is a PDF file in the test's folder and the printer
// dialog is answered without showing. Undone when the fixture goes away.
class PdfPrinting {
public:
    explicit PdfPrinting(const QString& folder) { Printing::Test::toPdf(folder); }
    ~PdfPrinting() { Printing::Test::toPdf(QString()); }
    QStringList files() const { return Printing::Test::files(); }
};

// The text of a PDF as `pdftotext -layout` lays it out; pages are separated by form feeds.
inline QString pdfText(const QString& pdf) {
    return QString::fromUtf8(HostTool::run(QStringLiteral("pdftotext"),
                                           {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
}

// The pages of a PDF's text (the empty piece after the last form feed dropped).
inline QStringList pdfPages(const QString& pdf) {
    QStringList pages = pdfText(pdf).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}
