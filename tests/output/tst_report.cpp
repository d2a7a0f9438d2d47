// The report engine and the list report layout: geometry, pagination, printing to PDF.
#include "PrintFixtures.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "app/DateSettings.h"
#include "app/FileDialogs.h"
#include "output/report/ListReport.h"
#include "output/report/Report.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using Report::Band;
using Report::Object;

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void listLayoutPage();
    void listLayoutObjects_data();
    void listLayoutObjects();
    void lookupsAndSetters();
    void masterBandSplitsBetweenLines();
    void bandThatMayNotSplitMovesWhole();
    void pageObjectsOnEveryPage();
    void printedListFromPdf();
    void printedListContinuesOnNextPages();
    void emptyListGivesTitleAndFooterOnly();
    void textsAreNeverEvaluatedAndLongLinesAreCut();
    void cancelledDialogPrintsNothing();
    void failingPrinterRaises();
    void printerDialogOffersPdf();
    void footerTimeInTheLongTimeFormat_data();
    void footerTimeInTheLongTimeFormat();
    void onePageFormWithShapes();
};

static QStringList numberedRows(int n) {
    QStringList rows;
    for (int i = 1; i <= n; ++i)
        rows << QStringLiteral("Cod. R%1  Tipo: Kayak").arg(i, 4, 10, QLatin1Char('0'));
    return rows;
}

void TestReport::listLayoutPage() {
    Report::Layout report = ListReport::layout();
    QCOMPARE(report.name(), QStringLiteral("Riepilogo dati"));
    const Report::Page& page = report.page();
    QCOMPARE(page.name, QStringLiteral("Page"));
    QCOMPARE(page.orientation, QPageLayout::Landscape);
    QCOMPARE(page.margins, QMarginsF(10, 10, 10, 10));
    const QPageLayout pl = report.pageLayout();
    QCOMPARE(pl.pageSize().id(), QPageSize::A4);
    QCOMPARE(pl.fullRect(QPageLayout::Millimeter).size(), QSizeF(297, 210));
    QCOMPARE(page.bands.size(), size_t(3));
    struct Expected {
        const char* name;
        Band::Kind kind;
        double height;
        bool split;
    };
    const Expected bands[] = {{"ReportTitle", Band::Kind::ReportTitle, 8, false},
                              {"MasterData", Band::Kind::MasterData, 28, true},
                              {"Footer", Band::Kind::Footer, 8, false}};
    for (size_t i = 0; i < 3; ++i) {
        QCOMPARE(page.bands[i].name, QString::fromLatin1(bands[i].name));
        QCOMPARE(page.bands[i].kind, bands[i].kind);
        QCOMPARE(page.bands[i].height, bands[i].height);
        QCOMPARE(page.bands[i].allowSplit, bands[i].split);
        QCOMPARE(page.bands[i].objects.size(), size_t(1));
    }
}

void TestReport::listLayoutObjects_data() {
    QTest::addColumn<QString>("band");
    QTest::addColumn<QRectF>("geometry");
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<int>("hAlign");
    QTest::addColumn<QString>("text");
    const QColor slate(0x70, 0x80, 0x90);
    QTest::newRow("txtTitolo") << "ReportTitle" << QRectF(2, 1, 273, 5) << "Verdana" << 9.0 << true
                               << QColor(Qt::white) << slate << int(Qt::AlignHCenter)
                               << "Riepilogo";
    QTest::newRow("txtRiepilogo") << "MasterData" << QRectF(3, 0, 273, 27) << "Courier New" << 8.0
                                  << false << QColor(Qt::black) << QColor() << int(Qt::AlignLeft)
                                  << "";
    QTest::newRow("txtPagina") << "Footer" << QRectF(3, 2, 272, 5) << "Verdana" << 8.0 << true
                               << QColor(Qt::white) << slate << int(Qt::AlignHCenter)
                               << "Stampa eseguita in data [DATE]";
}

void TestReport::listLayoutObjects() {
    QFETCH(QString, band);
    QFETCH(QRectF, geometry);
    QFETCH(QString, font);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(QColor, color);
    QFETCH(QColor, fill);
    QFETCH(int, hAlign);
    QFETCH(QString, text);
    Report::Layout report = ListReport::layout();
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const Object& o = report.band(band).objects.at(0);
    QCOMPARE(o.name, name);
    QCOMPARE(&report.object(name), &o);
    QCOMPARE(o.kind, Object::Kind::Text);
    QCOMPARE(o.geometry, geometry);
    QCOMPARE(o.fontFamily, font);
    QCOMPARE(o.fontSize, size);
    QCOMPARE(o.bold, bold);
    QCOMPARE(o.color, color);
    QCOMPARE(o.fill, fill);
    QCOMPARE(int(o.alignment & Qt::AlignHorizontal_Mask), hAlign);
    QCOMPARE(o.text, text);
}

void TestReport::lookupsAndSetters() {
    Report::Layout report = ListReport::layout();
    QVERIFY_THROWS_EXCEPTION(Report::ReportError, report.object(QStringLiteral("txtNessuno")));
    QVERIFY_THROWS_EXCEPTION(Report::ReportError, report.band(QStringLiteral("PageFooter")));
    QVERIFY(!report.hasObject(QStringLiteral("txtNessuno")));
    report.setLines(QStringLiteral("txtRiepilogo"), {QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(report.object(QStringLiteral("txtRiepilogo")).lines(),
             QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    report.setHeight(QStringLiteral("txtRiepilogo"), 6.5);
    QCOMPARE(report.object(QStringLiteral("txtRiepilogo")).geometry.height(), 6.5);
    report.setBandHeight(QStringLiteral("MasterData"), 9);
    QCOMPARE(report.band(QStringLiteral("MasterData")).height, 9.0);
    report.setOrientation(QPageLayout::Portrait);
    QCOMPARE(report.pageLayout().orientation(), QPageLayout::Portrait);
    QCOMPARE(report.pageLayout().fullRect(QPageLayout::Millimeter).size(), QSizeF(210, 297));
}

// Sizes the list layout as the list screens do and prepares it.
static Report::Layout preparedList(int rows) {
    Report::Layout report = ListReport::layout();
    report.setLines(QStringLiteral("txtRiepilogo"), numberedRows(rows));
    const double h = Report::units(rows * ListReport::kLineUnits);
    report.setHeight(QStringLiteral("txtRiepilogo"), h);
    report.setBandHeight(QStringLiteral("MasterData"), h + Report::units(10));
    report.prepare();
    return report;
}

void TestReport::masterBandSplitsBetweenLines() {
    const double line = Report::units(ListReport::kLineUnits);
    // Page 1: 190 mm printable, 8 mm of title; later pages the whole 190 mm.
    const int firstPage = int((190 - 8) / line);
    const int laterPage = int(190 / line);
    const int rows = firstPage + laterPage + 5;
    const Report::Layout report = preparedList(rows);
    const auto& pages = report.preparedPages();
    QCOMPARE(pages.size(), size_t(3));
    int next = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        for (const Report::Placed& item : pages[p].items) {
            if (item.object.name != QStringLiteral("txtRiepilogo"))
                continue;
            QCOMPARE(item.firstLine, next);
            next += item.lineCount;
            // Every line drawn on the page lies wholly inside the printable area.
            const double firstTop = item.origin.y() + item.firstLine * line;
            QVERIFY(firstTop >= 10 - 1e-6);
            QVERIFY(firstTop + item.lineCount * line <= 200 + 1e-6);
        }
    }
    QCOMPARE(next, rows);
    // The title only on the first page, the footer right after the last rows.
    auto names = [&](size_t p) {
        QStringList n;
        for (const auto& item : pages[p].items)
            n << item.object.name;
        return n;
    };
    QCOMPARE(names(0), QStringList({"txtTitolo", "txtRiepilogo"}));
    QCOMPARE(names(1), QStringList({"txtRiepilogo"}));
    QCOMPARE(names(2), QStringList({"txtRiepilogo", "txtPagina"}));
    QCOMPARE(pages[0].items[0].origin, QPointF(12, 11));
}

void TestReport::bandThatMayNotSplitMovesWhole() {
    const double line = Report::units(ListReport::kLineUnits);
    // Rows that fill the first page so that the footer no longer fits below them.
    const int rows = int((190 - 8 - Report::units(10) - 4) / line);
    const Report::Layout report = preparedList(rows);
    const auto& pages = report.preparedPages();
    QCOMPARE(pages.size(), size_t(2));
    QCOMPARE(pages[1].items.size(), size_t(1));
    QCOMPARE(pages[1].items[0].object.name, QStringLiteral("txtPagina"));
    QCOMPARE(pages[1].items[0].origin, QPointF(13, 12)); // 10 mm margins + 3, 2 within its band
}

void TestReport::pageObjectsOnEveryPage() {
    Report::Page page;
    Object rule;
    rule.kind = Object::Kind::Line;
    rule.name = QStringLiteral("linFirma");
    rule.geometry = QRectF(2, 100, 71, 0);
    Object box;
    box.kind = Object::Kind::Rect;
    box.name = QStringLiteral("shpTitolo");
    box.geometry = QRectF(1, 1, 188, 6.6);
    box.fill = QColor(0xB0, 0xC4, 0xDE);
    page.objects = {rule, box};
    Band body{QStringLiteral("Corpo"), Band::Kind::MasterData, 600, true, {}};
    page.bands = {body};
    Report::Layout report(QStringLiteral("Prova"), page);
    report.prepare();
    QCOMPARE(report.preparedPages().size(), size_t(3));
    for (const auto& p : report.preparedPages()) {
        QCOMPARE(p.items.size(), size_t(2));
        QCOMPARE(p.items[0].origin, QPointF(12, 110));
        QCOMPARE(p.items[1].origin, QPointF(11, 11));
    }
    // Prepared afresh each time.
    report.prepare();
    QCOMPARE(report.preparedPages().size(), size_t(3));
}

void TestReport::printedListFromPdf() {
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(9, 3, 7)));
    Report::Layout report = ListReport::layout();
    const QStringList rows = {QStringLiteral("Cod. A-01                 Tipo: Kayak biposto"),
                              QStringLiteral("Cod. B-02                 Tipo: Moto d'acqua"),
                              QStringLiteral("Cod. C-03                 Tipo: Pedalò")};
    QVERIFY(
        ListReport::print(report, QStringLiteral("Elenco mezzi non noleggiabili"), rows, nullptr));
    QCOMPARE(printing.files().size(), 1);
    const QStringList pages = pdfPages(printing.files().first());
    QCOMPARE(pages.size(), 1);
    QStringList lines;
    for (const QString& l : pages.first().split(QLatin1Char('\n')))
        if (!l.trimmed().isEmpty())
            lines << l.trimmed();
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("Elenco mezzi non noleggiabili"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(lines[i + 1].simplified(), rows[i].simplified());
    QCOMPARE(lines[4], QStringLiteral("Stampa eseguita in data 05/07/2025 alle ore 09:03:07"));
    QCOMPARE(Printing::Test::dialogs(), 1);
}

void TestReport::printedListContinuesOnNextPages() {
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    Report::Layout report = ListReport::layout();
    const QStringList rows = numberedRows(130);
    QVERIFY(ListReport::print(report, QStringLiteral("Vuvedi duvav"), rows, nullptr));
    const QStringList pages = pdfPages(printing.files().first());
    QCOMPARE(pages.size(), 3);
    QStringList printed;
    for (const QString& page : pages)
        for (const QString& l : page.split(QLatin1Char('\n')))
            if (l.trimmed().startsWith(QStringLiteral("Cod. ")))
                printed << l.trimmed().simplified();
    QStringList expected;
    for (const QString& r : rows)
        expected << r.simplified();
    QCOMPARE(printed, expected);
    QVERIFY(pages[0].contains(QStringLiteral("Vuvedi duvav")));
    QVERIFY(!pages[1].contains(QStringLiteral("Vuvedi duvav")));
    QVERIFY(pages[2].contains(QStringLiteral("Stampa eseguita in data ")));
    QVERIFY(!pages[0].contains(QStringLiteral("Stampa eseguita")));
    // The first page holds as many rows as fit below the title.
    QCOMPARE(pages[0].count(QStringLiteral("Cod. ")), 53);
}

void TestReport::emptyListGivesTitleAndFooterOnly() {
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    Clock::setFixed(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58)));
    Report::Layout report = ListReport::layout();
    QVERIFY(ListReport::print(report, QStringLiteral("Elenco mezzi da riconsegnare"), {}, nullptr));
    const QStringList pages = pdfPages(printing.files().first());
    QCOMPARE(pages.size(), 1);
    QStringList lines;
    for (const QString& l : pages.first().split(QLatin1Char('\n')))
        if (!l.trimmed().isEmpty())
            lines << l.trimmed();
    QCOMPARE(lines, QStringList({"Elenco mezzi da riconsegnare",
                                 "Stampa eseguita in data 31/12/2025 alle ore 23:59:58"}));
}

void TestReport::textsAreNeverEvaluatedAndLongLinesAreCut() {
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    Report::Layout report = ListReport::layout();
    // 273 mm of Courier 8 pt hold about 170 characters; the rest of a long row is cut.
    const QString longRow =
        QStringLiteral("Cod. X") + QString(200, QLatin1Char('x')) + QStringLiteral("FINE");
    report.setLines(QStringLiteral("txtRiepilogo"), {longRow});
    report.setHeight(QStringLiteral("txtRiepilogo"), 4);
    QVERIFY(report.printToDefault(nullptr));
    QCOMPARE(Printing::Test::dialogs(), 0);
    const QString text = pdfText(printing.files().first());
    QVERIFY(text.contains(QStringLiteral("Riepilogo")));
    QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data [DATE]")));
    QVERIFY(text.contains(QStringLiteral("Cod. Xxxxx")));
    QVERIFY(!text.contains(QStringLiteral("FINE")));
}

void TestReport::cancelledDialogPrintsNothing() {
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    Printing::Test::answerDialog(false);
    Report::Layout report = ListReport::layout();
    QVERIFY(!ListReport::print(report, QStringLiteral("Titolo"), numberedRows(3), nullptr));
    QCOMPARE(printing.files().size(), 1);
    QVERIFY(!QFile::exists(printing.files().first()));
}

void TestReport::failingPrinterRaises() {
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    Printing::Test::failNextPrinter();
    Report::Layout report = ListReport::layout();
    QVERIFY_THROWS_EXCEPTION(Report::ReportError, report.printToDefault(nullptr));
}

void TestReport::printerDialogOffersPdf() {
#ifdef Q_OS_WIN
    // The Windows dialog knows only installed printers: a page bound for a PDF file asks for
    // the file's name in the file dialog instead, and a cancel there prints nothing.
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    Printing::Test::useRealDialog(true);
    Report::Layout report = ListReport::layout();
    FileDialogs::Test::choose(QString());
    QVERIFY(!ListReport::print(report, QStringLiteral("Vuvedi duvav"), numberedRows(2), nullptr));
    const QString chosen = QDir(sandbox.folder()).filePath(QStringLiteral("scelto.pdf"));
    QVERIFY(!QFileInfo::exists(chosen));
    FileDialogs::Test::choose(chosen);
    QVERIFY(ListReport::print(report, QStringLiteral("Vuvedi duvav"), numberedRows(2), nullptr));
    QCOMPARE(FileDialogs::Test::lastTitle(), QStringLiteral("Stampa su file PDF"));
    QCOMPARE(FileDialogs::Test::lastFilter(), QStringLiteral("Documenti PDF (*.pdf)"));
    QVERIFY(pdfText(chosen).contains(QStringLiteral("Cod. R0002")));
#else
    // The real dialog offers printing to a PDF file, whatever queues the machine has (CUPS with
    // a default printer included, even one named "PDF"): choosing it and confirming prints to
    // the file. The file entry is known by what it does (it asks for a file name), not by a
    // name that a real queue may carry too.
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    Printing::Test::useRealDialog(true);
    bool seen = false;
    QStringList offered;
    QList<int> toFile;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        seen = dialog != nullptr;
        if (!dialog)
            return;
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (printers && fileName) {
            for (int i = 0; i < printers->count(); ++i) {
                offered << printers->itemText(i);
                if (printers->itemText(i).isEmpty())
                    continue; // the separator before the file entry
                printers->setCurrentIndex(i);
                if (fileName->isEnabled())
                    toFile << i;
            }
            if (!toFile.isEmpty())
                printers->setCurrentIndex(toFile.first());
        }
        dialog->accept();
    });
    Report::Layout report = ListReport::layout();
    QVERIFY(ListReport::print(report, QStringLiteral("Vuvedi duvav"), numberedRows(2), nullptr));
    QVERIFY(seen);
    QVERIFY2(toFile.size() == 1, qPrintable(offered.join('|')));
    QCOMPARE(printing.files().size(), 1);
    QVERIFY(pdfText(printing.files().first()).contains(QStringLiteral("Cod. R0002")));
#endif
}

void TestReport::footerTimeInTheLongTimeFormat_data() {
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("footerTime");
    QTest::newRow("24 hours, zone") << "HH:mm:ss t"
                                    << "HH:mm:ss"
                                    << "09:03:07";
    QTest::newRow("12 hours, zone") << "h:mm:ss AP t"
                                    << "h:mm:ss AP"
                                    << "9:03:07 AM";
    QTest::newRow("zone first, dots") << "tttt HH.mm.ss"
                                      << "HH.mm.ss"
                                      << "09.03.07";
    QTest::newRow("quoted text kept") << "HH:mm:ss 'tempo'"
                                      << "HH:mm:ss 'tempo'"
                                      << "09:03:07 tempo";
    QTest::newRow("none given") << ""
                                << "hh:mm:ss"
                                << "09:03:07";
}

void TestReport::footerTimeInTheLongTimeFormat() {
    // The footer's time follows the system's long time format: hours, minutes and seconds.
    QFETCH(QString, system);
    QFETCH(QString, format);
    QFETCH(QString, footerTime);
    TestSandbox sandbox;
    QCOMPARE(DateSettings::longTimeFormatFrom(system), format);
    DateSettings::Test::setLongTimeFormat(format);
    const QString stamp = Report::printStamp(QDateTime(QDate(2025, 7, 5), QTime(9, 3, 7)));
    QCOMPARE(stamp.section(QStringLiteral(" alle ore "), 0, 0),
             QStringLiteral("Stampa eseguita in data 05/07/2025"));
    QCOMPARE(QLocale::c().toString(QTime(9, 3, 7), format), footerTime);
    QCOMPARE(stamp.section(QStringLiteral(" alle ore "), 1),
             QLocale::system().toString(QTime(9, 3, 7), format));
}

void TestReport::onePageFormWithShapes() {
    // A one-page form of the kind the printed cards use: objects straight on the page.
    TestSandbox sandbox;
    PdfPrinting printing(sandbox.folder());
    auto text = [](const char* name, QRectF g, double size, bool bold, const char* t,
                   Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
        Object o;
        o.name = QString::fromLatin1(name);
        o.geometry = g;
        o.fontSize = size;
        o.bold = bold;
        o.text = QString::fromUtf8(t);
        o.alignment = a;
        return o;
    };
    Object band;
    band.kind = Object::Kind::Rect;
    band.name = QStringLiteral("shpTitolo");
    band.geometry = QRectF(1, 1, 188, 6.6);
    band.fill = QColor(0xB0, 0xC4, 0xDE);
    Object box;
    box.kind = Object::Kind::Rect;
    box.name = QStringLiteral("shpCliente");
    box.geometry = QRectF(58, 12, 131, 6.6);
    box.frame = Qt::black;
    Object rule;
    rule.kind = Object::Kind::Line;
    rule.name = QStringLiteral("linFirma");
    rule.geometry = QRectF(2, 100, 71, 0);
    Report::Page page;
    page.orientation = QPageLayout::Landscape; // the print step turns it to portrait
    page.objects = {band,
                    text("lblTitolo", QRectF(1, 1, 188, 6.6), 12, true, "MODULO RITIRO MEZZI",
                         Qt::AlignHCenter | Qt::AlignVCenter),
                    text("lblCliente", QRectF(2, 12, 53.8, 6.6), 12, false, "CLIENTE:"),
                    box,
                    text("txtPersonaRit", QRectF(59, 12, 127.8, 6.6), 12, true, "Nome richiedente"),
                    rule};
    Report::Layout form(QStringLiteral("Modulo Ritiro Mezzi"), page);
    form.setOrientation(QPageLayout::Portrait);
    form.setText(QStringLiteral("txtPersonaRit"), QStringLiteral("Mario Rossi"));
    QVERIFY(form.printToDefault(nullptr));
    QCOMPARE(form.preparedPages().size(), size_t(1));
    const QStringList pages = pdfPages(printing.files().first());
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].contains(QStringLiteral("MODULO RITIRO MEZZI")));
    QRegularExpression row(QStringLiteral("CLIENTE:\\s+Mario Rossi"));
    QVERIFY(pages[0].contains(row));
    QVERIFY(!pages[0].contains(QStringLiteral("Nome richiedente")));
    QVERIFY_THROWS_EXCEPTION(Report::ReportError, form.setText(QStringLiteral("txtDataRit"), {}));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
