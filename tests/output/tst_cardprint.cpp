// The printed card and the pick-up and return forms: their layouts, and the pages printed from
// the real screens, read back from the PDF files.
#include "FleetFixtures.h"
#include "ModalHelpers.h"
#include "PrintFixtures.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "output/TfrmStampaScheda.h"
#include "output/report/CardReports.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRitiri.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

namespace {

// One word of a printed page and its box, in millimetres from the paper's top-left corner.
struct Word {
    QString text;
    QRectF box;
};

QList<Word> pdfWords(const QString& pdf) {
    const QString html = QString::fromUtf8(HostTool::run(
        QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    constexpr double mm = 25.4 / 72.0;
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const QPointF topLeft(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm);
        const QPointF bottomRight(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm);
        words.append({text, QRectF(topLeft, bottomRight)});
    }
    return words;
}

// The words whose middle lies within 1.5 mm of `middle` (mm from the paper's top), left to right.
QString lineAt(const QList<Word>& words, double middle) {
    QList<Word> on;
    for (const Word& w : words)
        if (std::abs(w.box.center().y() - middle) < 1.5)
            on.append(w);
    std::sort(on.begin(), on.end(),
              [](const Word& a, const Word& b) { return a.box.left() < b.box.left(); });
    QStringList texts;
    for (const Word& w : on)
        texts << w.text;
    return texts.join(QLatin1Char(' '));
}

const Word* findWord(const QList<Word>& words, const QString& text) {
    for (const Word& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

// The printed page as a picture at 100 dpi.
QImage pdfImage(const QString& pdf) {
    const QString base = pdf + QStringLiteral("-page");
    HostTool::run(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
                   QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".png"));
}

// The colour at a point given in millimetres from the paper's top-left corner.
QColor colourAt(const QImage& page, double xMm, double yMm) {
    return page.pixelColor(int(xMm / 25.4 * 100), int(yMm / 25.4 * 100));
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 &&
           std::abs(a.blue() - b.blue()) < 24;
}

bool dark(const QColor& c) {
    return c.lightness() < 128;
}

// Whether anything is drawn in the area (millimetres from the paper's top-left corner).
bool inked(const QImage& page, const QRectF& mm) {
    for (double y = mm.top(); y <= mm.bottom(); y += 0.1)
        for (double x = mm.left(); x <= mm.right(); x += 0.1)
            if (colourAt(page, x, y).lightness() < 160)
                return true;
    return false;
}

QLineEdit* edit(QWidget* w, const char* name) {
    return w->findChild<QLineEdit*>(QString::fromLatin1(name));
}
QComboBox* combo(QWidget* w, const char* name) {
    return w->findChild<QComboBox*>(QString::fromLatin1(name));
}
QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

// Pages start 10 mm from the paper's edges.
constexpr double kMargin = 10;

TScheda sampleCard() {
    TScheda c = fleetCard(QStringLiteral("JS-04"), QStringLiteral("Moto d'acqua"),
                          QStringLiteral("80 € l'ora"));
    c.Duplicati = QStringLiteral("2 posti, 110 CV");
    c.Responsabile = QStringLiteral("Giubbotti salvagente");
    c.Recapiti = QStringLiteral("Patente nautica");
    c.Note = QStringLiteral("Tagliando a maggio");
    return c;
}

} // namespace

class TestCardPrint : public QObject {
    Q_OBJECT

    TestSandbox* box = nullptr;
    PdfPrinting* pdf = nullptr;

    // Presses "Stampa" on the print screen of type T opened by `press`; true when it closed.
    template <typename T> bool printFrom(QPushButton* press) {
        bool closed = false;
        whenModal<T>([&](T* screen) {
            button(screen, "btnStampa")->click();
            closed = !screen->isVisible();
        });
        press->click();
        return closed;
    }

private slots:
    void init() {
        box = new TestSandbox;
        pdf = new PdfPrinting(box->folder());
        Screens::createAll();
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(9, 30, 15)));
    }

    void cleanup() {
        Screens::destroyAll();
        delete pdf;
        delete box;
    }

    // The page and the shared bands of the three layouts.
    void pagesAndBands_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QRectF>("titleBand");
        QTest::addColumn<double>("titleSize");
        QTest::addColumn<bool>("titleBold");
        QTest::addColumn<double>("footerTop");
        QTest::newRow("card") << 0 << "Scheda Mezzo"
                              << "SCHEDA MEZZO" << QRectF(1, 1, 188, 5.8) << 9.0 << false << 58.0;
        QTest::newRow("pick-up") << 1 << "Modulo Ritiro Mezzi"
                                 << "MODULO RITIRO MEZZI" << QRectF(1, 1, 188, 6.6) << 12.0 << true
                                 << 106.0;
        QTest::newRow("return") << 2 << "Modulo Riconsegna Mezzi"
                                << "MODULO RICONSEGNA MEZZI" << QRectF(1, 1, 188, 6.6) << 12.0
                                << true << 106.0;
    }

    void pagesAndBands() {
        QFETCH(int, which);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QRectF, titleBand);
        QFETCH(double, titleSize);
        QFETCH(bool, titleBold);
        QFETCH(double, footerTop);
        Report::Layout layouts[] = {CardReports::schedaMezzo(), CardReports::moduloRitiro(),
                                    CardReports::moduloRiconsegna()};
        Report::Layout& l = layouts[which];
        QCOMPARE(l.name(), name);
        QCOMPARE(l.page().size, QSizeF(210, 297));
        QCOMPARE(l.page().orientation, QPageLayout::Portrait);
        QCOMPARE(l.page().margins, QMarginsF(10, 10, 10, 10));
        QVERIFY(l.page().bands.empty());

        bool titleFound = false, bandFound = false, footerBandFound = false;
        for (const Report::Object& o : l.page().objects) {
            if (o.kind == Report::Object::Kind::Text) {
                QCOMPARE(o.fontFamily, QStringLiteral("Arial"));
                QVERIFY(!o.text.contains(QLatin1Char('\n')));
            }
            if (o.kind == Report::Object::Kind::Rect && o.geometry == titleBand) {
                QCOMPARE(o.fill, QColor(0xB0, 0xC4, 0xDE)); // light steel blue
                bandFound = true;
            }
            if (o.kind == Report::Object::Kind::Rect &&
                o.geometry == QRectF(1, footerTop, 188, 5.8)) {
                QCOMPARE(o.fill, QColor(0xFF, 0xD7, 0x00)); // gold
                footerBandFound = true;
            }
            if (o.kind == Report::Object::Kind::Text && o.text == title) {
                QCOMPARE(o.fontSize, titleSize);
                QCOMPARE(o.bold, titleBold);
                QVERIFY(o.alignment & Qt::AlignHCenter);
                titleFound = true;
            }
        }
        QVERIFY(titleFound && bandFound && footerBandFound);
        const Report::Object& calce = l.object(QStringLiteral("txtCalce"));
        QCOMPARE(calce.geometry, QRectF(2, footerTop + 1, 185.8, 4.2));
        QCOMPARE(calce.fontSize, 8.0);
        QVERIFY(calce.alignment & Qt::AlignHCenter);
    }

    // Every row of the two forms: label, outlined box and value, to 0.1 mm.
    void formRows_data() {
        QTest::addColumn<bool>("ritiro");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("designText");
        const char* pickUp[][3] = {{"CLIENTE:", "txtPersonaRit", "Nome richiedente"},
                                   {"DATA RITIRO:", "txtDataRit", "GG/MM/AAAA"},
                                   {"ORA RITIRO:", "txtOraRit", "hh:mm"},
                                   {"CODICE ID:", "txtCodice", "Codice identificativo"},
                                   {"TIPO MEZZO:", "txtTipo", "Tipo mezzo"},
                                   {"TARIFFA NOLEGGIO:", "txtUtilizzo", "Tariffa noleggio"}};
        const char* giveBack[][3] = {{"CLIENTE:", "txtPersonaRic", "Nome restitutore"},
                                     {"DATA RICONSEGNA:", "txtDataRic", "GG/MM/AAAA"},
                                     {"ORA RICONSEGNA:", "txtOraRic", "hh:mm"},
                                     {"CODICE ID:", "txtCodice", "Codice identificativo"},
                                     {"TIPO MEZZO:", "txtTipo", "Tipo mezzo"},
                                     {"TARIFFA NOLEGGIO:", "txtUtilizzo", "Tariffa noleggio"}};
        for (int r = 0; r < 6; ++r) {
            QTest::addRow("pick-up %d", r + 1)
                << true << r << pickUp[r][0] << pickUp[r][1] << pickUp[r][2];
            QTest::addRow("return %d", r + 1)
                << false << r << giveBack[r][0] << giveBack[r][1] << giveBack[r][2];
        }
    }

    void formRows() {
        QFETCH(bool, ritiro);
        QFETCH(int, row);
        QFETCH(QString, label);
        QFETCH(QString, value);
        QFETCH(QString, designText);
        Report::Layout l = ritiro ? CardReports::moduloRitiro() : CardReports::moduloRiconsegna();
        const double top = 12.0 + 10.0 * row;
        const Report::Object* labelObject = nullptr;
        const Report::Object* boxObject = nullptr;
        for (const Report::Object& o : l.page().objects) {
            if (o.kind == Report::Object::Kind::Text && o.text == label)
                labelObject = &o;
            if (o.kind == Report::Object::Kind::Rect && o.geometry.top() == top)
                boxObject = &o;
        }
        QVERIFY(labelObject && boxObject);
        QCOMPARE(labelObject->geometry, QRectF(2, top, ritiro ? 53.8 : 53.0, 6.6));
        QCOMPARE(labelObject->fontSize, 12.0);
        QVERIFY(!labelObject->bold);
        QVERIFY(labelObject->alignment & Qt::AlignVCenter);

        QCOMPARE(boxObject->geometry,
                 ritiro ? QRectF(58, top, 131, 6.6) : QRectF(57, top, 132, 6.6));
        QVERIFY(boxObject->frame.isValid());
        QVERIFY(!boxObject->fill.isValid());

        const Report::Object& v = l.object(value);
        QCOMPARE(v.geometry, QRectF(ritiro ? 59 : 58, top, 127.8, 6.6));
        QCOMPARE(v.fontSize, 12.0);
        QVERIFY(v.bold);
        QVERIFY(v.alignment & Qt::AlignVCenter);
        QCOMPARE(v.text, designText);
    }

    void formSignatures() {
        for (const Report::Layout& l :
             {CardReports::moduloRitiro(), CardReports::moduloRiconsegna()}) {
            QList<QRectF> captions, lines;
            for (const Report::Object& o : l.page().objects) {
                if (o.text == QStringLiteral("FIRMA DEL RESPONSABILE") ||
                    o.text == QStringLiteral("FIRMA DEL CLIENTE")) {
                    QCOMPARE(o.fontSize, 10.0);
                    QVERIFY(o.alignment & Qt::AlignHCenter);
                    captions << o.geometry;
                }
                if (o.kind == Report::Object::Kind::Line)
                    lines << o.geometry;
            }
            QCOMPARE(captions, QList<QRectF>({QRectF(2, 80, 71, 6.6), QRectF(118, 80, 71, 6.6)}));
            QCOMPARE(lines, QList<QRectF>({QRectF(2, 100, 71, 0), QRectF(118, 100, 71, 0)}));
        }
    }

    void cardSheetRows() {
        Report::Layout l = CardReports::schedaMezzo();
        const QStringList labels = {"Codice identificativo:",  "Tipo mezzo:",
                                    "Tariffa noleggio:",       "Stato attuale:",
                                    "Caratteristiche mezzo:",  "Ubicazione:",
                                    "Accessori in dotazione:", "Requisiti per noleggio:",
                                    "Documenti richiesti:",    "Note:"};
        const QStringList values = {"txtCodice",    "txtTipo",  "txtUtilizzo",     "txtStato",
                                    "txtDuplicati", "txtLuogo", "txtResponsabile", "txtRecapiti",
                                    "txtPersone",   "txtNote"};
        QList<double> rowTops;
        QList<QRectF> rules;
        for (const Report::Object& o : l.page().objects) {
            if (o.kind == Report::Object::Kind::Rect && o.geometry.height() == 4.6) {
                QCOMPARE(o.geometry.left(), 1.0);
                QCOMPARE(o.geometry.width(), 188.0);
                QVERIFY(o.frame.isValid());
                rowTops << o.geometry.top();
            }
            if (o.kind == Report::Object::Kind::Line)
                rules << o.geometry;
        }
        QCOMPARE(rowTops, QList<double>({7, 12, 17, 22, 27, 32, 37, 42, 47, 52}));
        QCOMPARE(rules, QList<QRectF>({QRectF(42, 7, 0, 49.6)}));
        for (int r = 0; r < 10; ++r) {
            const double top = 7 + 5 * r;
            bool labelFound = false;
            for (const Report::Object& o : l.page().objects)
                if (o.kind == Report::Object::Kind::Text && o.text == labels[r]) {
                    QCOMPARE(o.geometry.topLeft(), QPointF(2, top + 0.5));
                    QCOMPARE(o.geometry.width(), 37.8);
                    QCOMPARE(o.fontSize, 7.0);
                    labelFound = true;
                }
            QVERIFY2(labelFound, qPrintable(labels[r]));
            const Report::Object& v = l.object(values[r]);
            QCOMPARE(v.geometry.topLeft(), QPointF(44, top + 0.5));
            QCOMPARE(v.geometry.width(), 144.0);
            QCOMPARE(v.fontSize, 7.0);
            QVERIFY(v.text.isEmpty());
        }
    }

    // The pick-up form printed before applying: the customer still empty, the date and time
    // the screen shows, the month by name.
    void pickUpFormFromTheScreen() {
        writeFleet({sampleCard()});
        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(14, 7, 42)));
        frmRitiri->showScreen();
        {
            FleetFile f;
            f.openForWriting();
            frmRitiri->putCard(f.readAt(1), 1);
        }
        const QByteArray fleetBefore = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        QPoint screenCentre, callerCentre;
        whenModal<TfrmStampaScheda_Ritiro>([&](TfrmStampaScheda_Ritiro* screen) {
            QCOMPARE(screen->windowTitle(), QStringLiteral(" Stampa scheda"));
            QVERIFY(screen->minimumSize() == screen->maximumSize());
            QCOMPARE(button(screen, "btnAnnulla")->text(), QStringLiteral("Annulla"));
            screenCentre = screen->geometry().center();
            callerCentre = frmRitiri->geometry().center();
            button(screen, "btnStampa")->click();
            QVERIFY(!screen->isVisible());
        });
        button(frmRitiri, "btnStampa")->click();
        QVERIFY((screenCentre - callerCentre).manhattanLength() < 6);
        QCOMPARE(Msg::Test::shown().size(), 0);
        QCOMPARE(pdf->files().size(), 1);
        QCOMPARE(box->readBytes(QStringLiteral("Vuvedi_Duvav.pro")), fleetBefore);

        const QList<Word> words = pdfWords(pdf->files().first());
        const double top = kMargin;
        QCOMPARE(lineAt(words, top + 1 + 3.3), QStringLiteral("MODULO RITIRO MEZZI"));
        QCOMPARE(lineAt(words, top + 12 + 3.3), QStringLiteral("CLIENTE:"));
        QCOMPARE(lineAt(words, top + 22 + 3.3), QStringLiteral("DATA RITIRO: 05 Luglio 2025"));
        QCOMPARE(lineAt(words, top + 32 + 3.3), QStringLiteral("ORA RITIRO: 14:07"));
        QCOMPARE(lineAt(words, top + 42 + 3.3), QStringLiteral("CODICE ID: JS-04"));
        QCOMPARE(lineAt(words, top + 52 + 3.3), QStringLiteral("TIPO MEZZO: Moto d'acqua"));
        QCOMPARE(lineAt(words, top + 62 + 3.3), QStringLiteral("TARIFFA NOLEGGIO: 80 € l'ora"));
        QCOMPARE(lineAt(words, top + 80 + 3.3),
                 QStringLiteral("FIRMA DEL RESPONSABILE FIRMA DEL CLIENTE"));
        QCOMPARE(lineAt(words, top + 107 + 2.1),
                 QStringLiteral("Stampa eseguita in data 05/07/2025 alle ore 14:07:42"));
        QVERIFY(!findWord(words, QStringLiteral("richiedente")));

        // Labels from 2 mm, values from 59 mm, the title centred on the band.
        QVERIFY(std::abs(findWord(words, QStringLiteral("CLIENTE:"))->box.left() - 12) < 0.8);
        QVERIFY(std::abs(findWord(words, QStringLiteral("05"))->box.left() - 69) < 0.8);
        QVERIFY(std::abs(findWord(words, QStringLiteral("JS-04"))->box.left() - 69) < 0.8);
        const QRectF titleLeft = findWord(words, QStringLiteral("MODULO"))->box;
        const QRectF titleRight = findWord(words, QStringLiteral("MEZZI"))->box;
        QVERIFY(std::abs((titleLeft.left() + titleRight.right()) / 2 - (top + 95)) < 1);
        const Word* clienteCaption = findWord(words, QStringLiteral("RESPONSABILE"));
        QVERIFY(clienteCaption->box.right() < top + 73);

        // The bands, the boxes and the signature lines where the layout puts them.
        const QImage page = pdfImage(pdf->files().first());
        QVERIFY(!page.isNull());
        QVERIFY(near(colourAt(page, top + 4, top + 4), QColor(0xB0, 0xC4, 0xDE)));
        QVERIFY(near(colourAt(page, top + 4, top + 109), QColor(0xFF, 0xD7, 0x00)));
        QVERIFY(near(colourAt(page, top + 4, top + 113), Qt::white));
        QVERIFY(dark(colourAt(page, top + 58, top + 15)));   // left edge of the customer box
        QVERIFY(dark(colourAt(page, top + 100, top + 12)));  // its top edge
        QVERIFY(!dark(colourAt(page, top + 100, top + 15))); // an empty value
        QVERIFY(dark(colourAt(page, top + 40, top + 100)));  // the signature lines
        QVERIFY(dark(colourAt(page, top + 150, top + 100)));
        QVERIFY(!dark(colourAt(page, top + 95, top + 100)));
    }

    // The return form prints what the screen shows now, not what the card holds.
    void returnFormPrintsUnsavedValues() {
        TScheda out = sampleCard();
        out.Stato = QStringLiteral("Ritirato da Anna Bianchi in data 05/07/2025 alle ore 14:07");
        writeFleet({out});
        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(18, 45, 3)));
        frmRiconsegne->showScreen();
        {
            FleetFile f;
            f.openForWriting();
            frmRiconsegne->putCard(f.readAt(1), 1);
        }
        edit(frmRiconsegne, "txtPersonaRic")->setText(QStringLiteral("  Marco Rossi  "));
        combo(frmRiconsegne, "txtGiornoRic")->setEditText(QStringLiteral("06"));
        combo(frmRiconsegne, "txtMinutiRic")->setEditText(QStringLiteral("30"));

        QVERIFY(printFrom<TfrmStampaScheda_Riconsegna>(button(frmRiconsegne, "btnStampa")));
        QCOMPARE(pdf->files().size(), 1);
        const QList<Word> words = pdfWords(pdf->files().first());
        const double top = kMargin;
        QCOMPARE(lineAt(words, top + 1 + 3.3), QStringLiteral("MODULO RICONSEGNA MEZZI"));
        QCOMPARE(lineAt(words, top + 12 + 3.3), QStringLiteral("CLIENTE: Marco Rossi"));
        QCOMPARE(lineAt(words, top + 22 + 3.3), QStringLiteral("DATA RICONSEGNA: 06 Luglio 2025"));
        QCOMPARE(lineAt(words, top + 32 + 3.3), QStringLiteral("ORA RICONSEGNA: 18:30"));
        QCOMPARE(lineAt(words, top + 42 + 3.3), QStringLiteral("CODICE ID: JS-04"));
        QCOMPARE(lineAt(words, top + 107 + 2.1),
                 QStringLiteral("Stampa eseguita in data 05/07/2025 alle ore 18:45:03"));
        // Return values start 1 mm further left than the pick-up form's.
        QVERIFY(std::abs(findWord(words, QStringLiteral("Marco"))->box.left() - 68) < 0.8);
        const QImage page = pdfImage(pdf->files().first());
        QVERIFY(dark(colourAt(page, top + 57, top + 15)));
        QVERIFY(!dark(colourAt(page, top + 58.5, top + 12.8)));
    }

    // The card sheet from the fleet card screen while a card is being edited.
    void cardSheetPrintsTheEditedCard() {
        writeFleet({sampleCard()});
        frmSchedario_Chiavi->showScreen();
        button(frmSchedario_Chiavi, "cmdPrimo")->click();
        QCOMPARE(frmSchedario_Chiavi->txtCodice->text(), QStringLiteral("JS-04"));
        const QByteArray fleetBefore = box->readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        frmSchedario_Chiavi->txtNote->setText(QStringLiteral("Elica da sostituire   "));
        frmSchedario_Chiavi->txtStato->setText(QString(300, QLatin1Char('W')));

        QVERIFY(printFrom<TfrmStampaScheda_Chiave>(frmSchedario_Chiavi->cmdStampa));
        QCOMPARE(Msg::Test::shown().size(), 0);
        QCOMPARE(box->readBytes(QStringLiteral("Vuvedi_Duvav.pro")), fleetBefore);
        QCOMPARE(pdf->files().size(), 1);

        const QList<Word> words = pdfWords(pdf->files().first());
        const double top = kMargin;
        const QStringList expected = {"Codice identificativo: JS-04",
                                      "Tipo mezzo: Moto d'acqua",
                                      "Tariffa noleggio: 80 € l'ora",
                                      "Stato attuale: " + QString(300, QLatin1Char('W')),
                                      "Caratteristiche mezzo: 2 posti, 110 CV",
                                      "Ubicazione: Pontile nord",
                                      "Accessori in dotazione: Giubbotti salvagente",
                                      "Requisiti per noleggio: Patente nautica",
                                      "Documenti richiesti: Carta d'identità",
                                      "Note: Elica da sostituire"};
        QCOMPARE(lineAt(words, top + 1 + 2.9), QStringLiteral("SCHEDA MEZZO"));
        for (int r = 0; r < 10; ++r) {
            const QString line = lineAt(words, top + 7 + 5 * r + 2.3);
            if (r == 3) {
                // Too long for its box: cut at the box's edge, never wrapped.
                QVERIFY(line.startsWith(QStringLiteral("Stato attuale: WWW")));
                QVERIFY(line.size() < expected[r].size());
                QVERIFY(findWord(words, line.mid(15))->box.left() < top + 44 + 1);
                continue;
            }
            QCOMPARE(line, expected[r]);
        }
        QCOMPARE(lineAt(words, top + 59 + 2.1),
                 QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 09:30:15"));
        QVERIFY(std::abs(findWord(words, QStringLiteral("Ubicazione:"))->box.left() - 12) < 0.8);
        QVERIFY(std::abs(findWord(words, QStringLiteral("Pontile"))->box.left() - 54) < 0.8);

        const QImage page = pdfImage(pdf->files().first());
        QVERIFY(near(colourAt(page, top + 4, top + 4), QColor(0xB0, 0xC4, 0xDE)));
        QVERIFY(near(colourAt(page, top + 4, top + 61), QColor(0xFF, 0xD7, 0x00)));
        QVERIFY(dark(colourAt(page, top + 42, top + 30))); // the dividing rule
        QVERIFY(!dark(colourAt(page, top + 42, top + 57.5)));
        QVERIFY(dark(colourAt(page, top + 120, top + 52))); // the last row's top edge
        // The long value reaches its box's right edge and is cut there.
        QVERIFY(inked(page, QRectF(top + 186.5, top + 23, 1.3, 2.5)));
        QVERIFY(!inked(page, QRectF(top + 188.3, top + 23, 0.4, 2.5)));
    }

    // "Annulla" and Escape print nothing and leave the caller as it was.
    void cancellingPrintsNothing_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Annulla") << false;
        QTest::newRow("Escape") << true;
    }

    void cancellingPrintsNothing() {
        QFETCH(bool, escape);
        writeFleet({sampleCard()});
        frmSchedario_Chiavi->showScreen();
        button(frmSchedario_Chiavi, "cmdPrimo")->click();
        bool closed = false;
        whenModal<TfrmStampaScheda_Chiave>([&](TfrmStampaScheda_Chiave* screen) {
            if (escape)
                QTest::keyClick(screen, Qt::Key_Escape);
            else
                button(screen, "btnAnnulla")->click();
            closed = !screen->isVisible();
        });
        frmSchedario_Chiavi->cmdStampa->click();
        QVERIFY(closed);
        QCOMPARE(pdf->files().size(), 0);
        QCOMPARE(Printing::Test::dialogs(), 0);
        QCOMPARE(Msg::Test::shown().size(), 0);
        QCOMPARE(frmSchedario_Chiavi->txtCodice->text(), QStringLiteral("JS-04"));
    }

    // A printer that cannot print, or a caller without the controls the page needs: the
    // failure message, and the screen closes.
    void failuresGiveTheFailureMessage_data() {
        QTest::addColumn<bool>("failingPrinter");
        QTest::newRow("failing printer") << true;
        QTest::newRow("control missing") << false;
    }

    void failuresGiveTheFailureMessage() {
        QFETCH(bool, failingPrinter);
        writeFleet({sampleCard()});
        frmSchedario_Chiavi->showScreen();
        QWidget stranger;
        QWidget* caller = frmSchedario_Chiavi;
        if (failingPrinter)
            Printing::Test::failNextPrinter();
        else
            caller = &stranger;
        TfrmStampaScheda_Chiave screen(caller);
        screen.show();
        button(&screen, "btnStampa")->click();
        QVERIFY(!screen.isVisible());
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().text,
                 QStringLiteral("Attenzione: la stampa della scheda non è andata a buon fine."
                                "\n\r\n\rSi consiglia di controllare le impostazioni della "
                                "stampante."));
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Warning);
        QCOMPARE(Msg::Test::last().form, Msg::Form::Notification);
    }

    // With a default printer the page goes straight to it; without one the printer dialog
    // asks, and cancelling it prints nothing and reports nothing.
    void withoutADefaultPrinterTheDialogAsks_data() {
        QTest::addColumn<bool>("defaultPrinter");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<int>("printed");
        QTest::newRow("default printer") << true << true << 0 << 1;
        QTest::newRow("no printer, confirmed") << false << true << 1 << 1;
        QTest::newRow("no printer, cancelled") << false << false << 1 << 0;
    }

    void withoutADefaultPrinterTheDialogAsks() {
        QFETCH(bool, defaultPrinter);
        QFETCH(bool, confirm);
        QFETCH(int, dialogs);
        QFETCH(int, printed);
        writeFleet({sampleCard()});
        frmSchedario_Chiavi->showScreen();
        Printing::Test::noDefaultPrinter(!defaultPrinter);
        Printing::Test::answerDialog(confirm);
        QVERIFY(printFrom<TfrmStampaScheda_Chiave>(frmSchedario_Chiavi->cmdStampa));
        QCOMPARE(Printing::Test::dialogs(), dialogs);
        QCOMPARE(Msg::Test::shown().size(), 0);
        int made = 0;
        for (const QString& file : pdf->files())
            made += QFileInfo::exists(file) ? 1 : 0;
        QCOMPARE(made, printed);
        if (printed)
            QVERIFY(pdfText(pdf->files().first()).contains(QStringLiteral("SCHEDA MEZZO")));
    }
};

QTEST_MAIN(TestCardPrint)
#include "tst_cardprint.moc"
