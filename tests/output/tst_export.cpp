// The spreadsheet export: the file byte for byte, the two questions, failures that keep the
// earlier export, and the fleet export screen.
#include "TestSupport.h"

#include "app/Messages.h"
#include "app/OpenURL.h"
#include "output/RecordGrid.h"
#include "output/SpreadsheetWriter.h"
#include "output/TfrmExpChiavi.h"
#include "store/FleetFile.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

const QString kAskExport = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
    "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kAskOpen = QStringLiteral("Le schede in archivio sono state esportate con "
                                        "successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati."
                                       "\n\r\n\rAccertarsi che il file di Excel non sia già "
                                       "aperto.");
const QString kFile = QStringLiteral("Vuvedi_Duvav.xls");

QByteArray fixture(const QString& name) {
    QFile f(sourcePath(QStringLiteral("tests/output/fixtures/") + name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TScheda card(const QString& codice, const QString& tipo) {
    TScheda c;
    c.Codice = codice;
    c.Tipo = tipo;
    c.Smarrita = QStringLiteral("No");
    return c;
}

// The two cards of fixture fleet_two.xls.
void writeTwoCards() {
    TScheda a = card(QStringLiteral("MJ-01"), QStringLiteral("Moto d'acqua"));
    a.Scheda = QStringLiteral("00001");
    a.Utilizzo = QStringLiteral("€ 90,00 l'ora");
    a.Stato = QStringLiteral("Disponibile");
    a.Duplicati = QStringLiteral("   Sì, con GPS");
    a.Luogo = QStringLiteral("Pontile <nord> & sud");
    a.Responsabile = QStringLiteral("     ");
    a.Recapiti = QStringLiteral("Patente nautica  ");
    a.Persone = QStringLiteral("Documento d'identità");
    TScheda b = card(QStringLiteral("PD-11"), QStringLiteral("Pedalò"));
    b.Scheda = QStringLiteral("00002");
    b.Utilizzo = QStringLiteral("€ 20,00");
    b.Stato = QStringLiteral("Ritirato da Anna Gallo in data 14/08/2025 alle ore 10:30");
    b.Luogo = QStringLiteral("Battigia");
    b.Responsabile = QStringLiteral("Salvagente");
    b.Persone = QStringLiteral("Documento");
    b.Note = QStringLiteral("nota del file");
    FleetFile file;
    file.openForWriting();
    file.append(a);
    file.append(b);
    file.close();
}

QString openCommand(const TestSandbox& box) {
    return QLatin1Char('"') + QDir::toNativeSeparators(box.folder()) + QDir::separator() + kFile +
           QLatin1Char('"');
}

QStringList shownTexts() {
    QStringList texts;
    for (const Msg::Shown& s : Msg::Test::shown())
        texts << s.text;
    return texts;
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void emptyArchive() {
        TestSandbox box;
        TfrmExpChiavi screen(nullptr);
        screen.load();
        QCOMPARE(screen.model()->rowCount(), 0);
        QVERIFY(QFileInfo::exists(box.file(QStringLiteral("Vuvedi_Duvav.pro"))));
        Msg::Test::answer(true);
        Msg::Test::answer(true);
        QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
        QCOMPARE(box.readBytes(kFile), fixture(QStringLiteral("fleet_empty.xls")));
        QCOMPARE(Msg::Test::shown().size(), 2);
        for (const Msg::Shown& s : Msg::Test::shown()) {
            QCOMPARE(s.form, Msg::Form::Question);
        }
        QCOMPARE(shownTexts(), (QStringList{kAskExport, kAskOpen}));
        QCOMPARE(TMisc::recorded(), QStringList{openCommand(box)});
    }

    // Cells trimmed, "Sì" and "€" as single bytes, markup characters escaped, the typed
    // correction of a note exported while the fleet file keeps its own.
    void cardsWithCorrections() {
        TestSandbox box;
        writeTwoCards();
        const QByteArray fleetBefore = box.readBytes(QStringLiteral("Vuvedi_Duvav.pro"));
        TfrmExpChiavi screen(nullptr);
        screen.load();
        QAbstractItemModel* m = screen.grdRecords->model();
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->data(m->index(0, 0)).toString(), QStringLiteral("1"));
        QCOMPARE(m->data(m->index(1, 0)).toString(), QStringLiteral("2"));
        QVERIFY(m->setData(m->index(1, 10), QStringLiteral("   da controllare   ")));
        QVERIFY(!m->setData(m->index(1, 1), QStringLiteral("altro codice")));

        Msg::Test::answer(true);
        Msg::Test::answer(false);
        QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
        const QByteArray written = box.readBytes(kFile);
        QCOMPARE(written, fixture(QStringLiteral("fleet_two.xls")));
        QVERIFY(!written.contains('\n') && !written.contains('\r'));
        QVERIFY(!written.startsWith("\xEF\xBB\xBF"));
        QVERIFY(TMisc::recorded().isEmpty()); // No to the second question: not opened
        QCOMPARE(box.readBytes(QStringLiteral("Vuvedi_Duvav.pro")), fleetBefore);
    }

    void cellEditorsTakeOneLine() {
        // A multi-line text pasted into an editable cell reaches the file on one line.
        TestSandbox box;
        writeTwoCards();
        TfrmExpChiavi screen(nullptr);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        screen.load();
        QTableView* grid = screen.grdRecords;
        const QModelIndex note = grid->model()->index(1, 10);
        grid->setCurrentIndex(note);
        grid->edit(note);
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QApplication::clipboard()->setText(QStringLiteral("prima riga\r\nseconda\nterza"));
        editor->selectAll();
        editor->paste();
        QCOMPARE(editor->text(), QStringLiteral("prima riga seconda terza"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid->model()->data(note).toString(),
                     QStringLiteral("prima riga seconda terza"));
        QVERIFY(grid->model()->setData(note, QStringLiteral("a\rb\n")));
        QCOMPARE(grid->model()->data(note).toString(), QStringLiteral("a b "));
        Msg::Test::answer(true);
        Msg::Test::answer(false);
        QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
        const QByteArray written = box.readBytes(kFile);
        QVERIFY(written.contains("a b"));
        QVERIFY(!written.contains('\n') && !written.contains('\r'));
    }

    void noToTheFirstQuestionKeepsTheEarlierFile() {
        TestSandbox box;
        writeTwoCards();
        box.writeBytes(kFile, "earlier export");
        TfrmExpChiavi screen(nullptr);
        screen.load();
        Msg::Test::answer(false);
        QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
        QCOMPARE(box.readBytes(kFile), QByteArray("earlier export"));
        QCOMPARE(shownTexts(), QStringList{kAskExport});
        QVERIFY(TMisc::recorded().isEmpty());
    }

    // A file that cannot be replaced, or a write that breaks off: the failure message, no second
    // question, the earlier export untouched and no stray file left behind.
    void failuresKeepTheEarlierExport() {
        {
            TestSandbox box;
            QVERIFY(QDir(box.folder()).mkpath(kFile + QStringLiteral("/foglio")));
            TfrmExpChiavi screen(nullptr);
            screen.load();
            QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
            QCOMPARE(shownTexts(), (QStringList{kAskExport, kFailed}));
            QCOMPARE(Msg::Test::last().form, Msg::Form::Plain);
            QCOMPARE(Msg::Test::last().icon, Msg::Icon::None);
            QVERIFY(QFileInfo(box.file(kFile + QStringLiteral("/foglio"))).isDir());
            QVERIFY(TMisc::recorded().isEmpty());
        }
        {
            TestSandbox box;
            writeTwoCards();
            box.writeBytes(kFile, "earlier export");
            TfrmExpChiavi screen(nullptr);
            screen.load();
            SpreadsheetWriter::Test::failWrites(true);
            QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
            SpreadsheetWriter::Test::failWrites(false);
            QCOMPARE(shownTexts(), (QStringList{kAskExport, kFailed}));
            QCOMPARE(box.readBytes(kFile), QByteArray("earlier export"));
            QCOMPARE(QDir(box.folder()).entryList(QDir::Files),
                     (QStringList{QStringLiteral("Vuvedi_Duvav.pro"), kFile}));
        }
    }

    // A fleet file that cannot be opened leaves the grid empty, without a message; an export
    // then writes what the grid holds: the header row.
    void unreadableArchiveExportsTheHeader() {
        TestSandbox box;
        QVERIFY(QDir(box.folder()).mkdir(QStringLiteral("Vuvedi_Duvav.pro")));
        TfrmExpChiavi screen(nullptr);
        screen.load();
        QCOMPARE(screen.model()->rowCount(), 0);
        QVERIFY(Msg::Test::shown().isEmpty());
        QTest::mouseClick(screen.cmdEsporta, Qt::LeftButton);
        QCOMPARE(box.readBytes(kFile), fixture(QStringLiteral("fleet_empty.xls")));
    }

    // A large table is written in pieces and still comes out as one line with every row.
    void manyRows() {
        TestSandbox box;
        const int n = 20000;
        Msg::Test::answer(true);
        Msg::Test::answer(false);
        QVERIFY(SpreadsheetWriter::exportTable(
            QStringLiteral("prova.xls"), QStringLiteral("Prova"), {{QStringLiteral("A"), 100}}, n,
            [](qsizetype row, int) { return QStringLiteral("riga %1").arg(row + 1); }));
        const QByteArray written = box.readBytes(QStringLiteral("prova.xls"));
        QCOMPARE(written.count("<tr>"), n + 1);
        QVERIFY(written.contains("<td style=\"text-align: left;\">riga 20000</td></tr></table>"));
        QVERIFY(!written.contains('\n'));
    }

    // A record written by another program may hold a line break inside a text: the file stays
    // on one line, the break written as the blank a cell shows for it.
    void lineBreakInsideACell() {
        const QByteArray written = SpreadsheetWriter::document(
            QStringLiteral("Prova\nfoglio"), {{QStringLiteral("A\r\nB"), 100}}, 1,
            [](qsizetype, int) { return QStringLiteral(" riga 1\r\nriga <2>\n"); });
        QVERIFY(!written.contains('\n') && !written.contains('\r'));
        QVERIFY(written.contains("<x:Name>Prova foglio</x:Name>"));
        QVERIFY(written.contains("width=100>A  B</td>"));
        QVERIFY(written.contains("<td style=\"text-align: left;\">riga 1  riga &lt;2&gt;</td>"));
    }

    void screenLayoutAndHints() {
        TestSandbox box;
        writeTwoCards();
        TfrmExpChiavi screen(nullptr);
        screen.load();
        QCOMPARE(screen.windowTitle(), QStringLiteral(" Esporta vuvedi duvav in Microsoft Excel"));
        const QStringList headers = {"N.",
                                     "Codice identificativo",
                                     "Tipo mezzo",
                                     "Tariffa noleggio",
                                     "Stato attuale",
                                     "Caratteristiche mezzo",
                                     "Ubicazione",
                                     "Accessori in dotazione",
                                     "Requisiti per noleggio",
                                     "Documenti richiesti",
                                     "Note"};
        QAbstractItemModel* m = screen.grdRecords->model();
        QCOMPARE(m->columnCount(), 11);
        for (int c = 0; c < 11; ++c) {
            QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), headers.at(c));
            QCOMPARE(bool(m->flags(m->index(0, c)) & Qt::ItemIsEditable), c == 6 || c == 10);
        }
        QCOMPARE(screen.grdRecords->rowHeight(0), 21);
        QCOMPARE(screen.panInfo->text(),
                 QStringLiteral("Esportazione archivio in Microsoft Excel."));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(screen.cmdGuida, &enter);
        QCOMPARE(screen.panInfo->text(),
                 QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
        QCoreApplication::sendEvent(&screen, &enter);
        QCOMPARE(screen.panInfo->text(), QString());
        QCoreApplication::sendEvent(screen.cmdEsporta, &enter);
        QCOMPARE(screen.panInfo->text(),
                 QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
        QCoreApplication::sendEvent(screen.cmdEsci, &enter);
        QCOMPARE(screen.panInfo->text(), QStringLiteral("Esci da questo ambiente di lavoro."));
    }

    // The opener shows a fresh screen modally, loaded from the file, and discards it on exit.
    void openerShowsAFreshScreen() {
        TestSandbox box;
        writeTwoCards();
        QWidget owner;
        int rowsSeen = -1;
        bool closed = false;
        QTimer::singleShot(0, [&] {
            auto* screen = qobject_cast<TfrmExpChiavi*>(QApplication::activeModalWidget());
            QVERIFY(screen);
            rowsSeen = screen->model()->rowCount();
            QTest::mouseClick(screen->cmdEsci, Qt::LeftButton);
        });
        TfrmExpChiavi::open(&owner);
        closed = true;
        QVERIFY(closed);
        QCOMPARE(rowsSeen, 2);
        QVERIFY(owner.findChildren<TfrmExpChiavi*>().isEmpty());
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
