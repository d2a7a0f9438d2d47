// One whole rental as the staff make it: the operations menu, the pick-up list, the pick-up,
// the return list, the return and its confirmation.
#include "FleetFixtures.h"
#include "TestSupport.h"

#include "app/Clock.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "fleet/FleetListView.h"
#include "rentals/TfrmMenuOperazioni.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRiepilogo_Operazione.h"
#include "rentals/TfrmRitiri.h"
#include "store/FleetFile.h"
#include "store/HistoryFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `work` on the modal screen of type T as soon as it is up.
template <typename T> void whenModal(const std::function<void(T*)>& work) {
    QTimer::singleShot(0, [work] {
        if (auto* screen = qobject_cast<T*>(QApplication::activeModalWidget()))
            work(screen);
        else
            whenModal<T>(work);
    });
}

// Double-clicks (as the list handles it) the list row that contains `text`; returns every row the
// list showed.
QStringList doubleClickRow(TfrmFleetList* list, const QString& text) {
    QListView* view = list->panContainer->lstRecords;
    const QStringList rows = list->panContainer->rows();
    int at = -1;
    for (int i = 0; i < rows.size() && at < 0; ++i)
        if (rows.at(i).contains(text))
            at = i;
    if (at < 0) {
        list->reject();
        return rows;
    }
    view->setCurrentIndex(view->model()->index(at, 0));
    list->panContainer->lstRecordsDblClick();
    return rows;
}

TScheda craft(const QString& code, const QString& state = QStringLiteral("Disponibile")) {
    TScheda c;
    c.Codice = code;
    c.Tipo = QStringLiteral("Kayak biposto");
    c.Utilizzo = QStringLiteral("20 € l'ora");
    c.Stato = state;
    c.Luogo = QStringLiteral("Rastrelliera 2");
    c.Persone = QStringLiteral("Documento d'identità");
    c.Note = QStringLiteral("Pagaie nel box");
    c.Smarrita = QStringLiteral("No");
    return c;
}

} // namespace

class TestRentalFlow : public QObject {
    Q_OBJECT

private slots:
    void aWholeRental() {
        TestSandbox box;
        writeFleet({craft("KY-1"), craft("KY-2"), craft("KY-3")});
        Screens::createAll();
        frmAvvio->showScreen();

        // Pick-up of KY-2 by customer A.
        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(14, 7)));
        Screens::showInsteadOf(frmMenuOperazioni, frmAvvio);
        frmMenuOperazioni->findChild<QAbstractButton*>(QStringLiteral("btnOrizzontali"))->click();
        QVERIFY(frmRitiri->isVisible());
        QStringList pickUpRows;
        whenModal<TfrmFleetList>([&](TfrmFleetList* list) {
            pickUpRows = doubleClickRow(list, QStringLiteral("KY-2"));
        });
        frmRitiri->findChild<QAbstractButton*>(QStringLiteral("cmdSeleziona"))->click();
        QCOMPARE(pickUpRows.size(), 3);
        QCOMPARE(frmRitiri->findChild<QLineEdit*>(QStringLiteral("txtCodice"))->text(),
                 QStringLiteral("KY-2"));
        frmRitiri->findChild<QLineEdit*>(QStringLiteral("txtPersonaRit"))
            ->setText(QStringLiteral("A"));
        frmRitiri->findChild<QAbstractButton*>(QStringLiteral("btnApplica"))->click();
        QCOMPARE(Msg::Test::last().text,
                 QStringLiteral("Il ritiro del mezzo è stato registrato con successo."));
        QVERIFY(frmAvvio->isVisible());

        // Return of KY-2 by customer B at 18:30.
        Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(18, 30)));
        Screens::showInsteadOf(frmMenuOperazioni, frmAvvio);
        frmMenuOperazioni->findChild<QAbstractButton*>(QStringLiteral("btnVerticali"))->click();
        QVERIFY(frmRiconsegne->isVisible());
        QStringList returnRows;
        whenModal<TfrmFleetList>([&](TfrmFleetList* list) {
            returnRows = doubleClickRow(list, QStringLiteral("KY-2"));
        });
        frmRiconsegne->findChild<QAbstractButton*>(QStringLiteral("btnSeleziona"))->click();
        QCOMPARE(returnRows.size(), 1);
        QVERIFY(returnRows.first().contains(
            QStringLiteral("Ritirato da A in data 05/07/2025 alle ore 14:07")));
        frmRiconsegne->findChild<QLineEdit*>(QStringLiteral("txtPersonaRic"))
            ->setText(QStringLiteral("B"));
        QStringList confirmed;
        whenModal<TfrmRiepilogo_Operazione>([&](TfrmRiepilogo_Operazione* c) {
            for (const char* name : {"txtCodice", "txtPersonaRit", "txtDataRit", "txtOraRit",
                                     "txtPersonaRic", "txtDataRic", "txtOraRic"})
                confirmed << c->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
            c->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        frmRiconsegne->findChild<QAbstractButton*>(QStringLiteral("btnApplica"))->click();
        QCOMPARE(confirmed,
                 QStringList({"KY-2", "A", "05/07/2025", "14:07", "B", "05/07/2025", "18:30"}));
        QCOMPARE(Msg::Test::last().text,
                 QStringLiteral("La riconsegna del mezzo è stata registrata con successo."));
        QVERIFY(frmAvvio->isVisible());

        FleetFile f;
        f.openForWriting();
        const TScheda card = f.readAt(2);
        QCOMPARE(card.Stato, QStringLiteral("Disponibile"));
        QCOMPARE(card.PersonaRit, QStringLiteral("A"));
        QCOMPARE(card.DataRit, QStringLiteral("05/07/2025"));
        QCOMPARE(card.OraRit, QStringLiteral("14:07"));
        QCOMPARE(card.PersonaRic, QStringLiteral("B"));
        QCOMPARE(card.DataRic, QStringLiteral("05/07/2025"));
        QCOMPARE(card.OraRic, QStringLiteral("18:30"));
        f.close();

        QCOMPARE(QFileInfo(HistoryFile::path()).size(), TNoleggio::kSize);
        HistoryFile h;
        h.openForWriting();
        QList<TNoleggio> all;
        h.scan([&](qint64, const TNoleggio& r) {
            all << r;
            return true;
        });
        QCOMPARE(all.size(), 1);
        const TNoleggio& r = all.first();
        QCOMPARE(QStringList({r.Codice, r.Tipo, r.Utilizzo, r.Luogo, r.Persone, r.PersonaRit,
                              r.DataRit, r.OraRit, r.PersonaRic, r.DataRic, r.OraRic}),
                 QStringList({"KY-2", "Kayak biposto", "20 € l'ora", "Rastrelliera 2",
                              "Documento d'identità", "A", "05/07/2025", "14:07", "B", "05/07/2025",
                              "18:30"}));
        Screens::destroyAll();
    }
};

QTEST_MAIN(TestRentalFlow)
#include "tst_rental_flow.moc"
