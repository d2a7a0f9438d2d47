// The fleet card screen driven through its real controls; what it stores is read back from the
// fleet file through the record module.
#include "TestSupport.h"

#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "fleet/FleetLists.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "store/FleetFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QString kFleet = QString::fromLatin1(FleetFile::kFileName);
const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kSaved =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kDuplicated =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                   "Al termine premere Salva per inserire la scheda in archivio.");
const QString kDuplicateRefused =
    QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                   "questa è stata inserita in archivio.");
const QString kAccess =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");

// A complete stored card: description, rental data and attachments all filled in.
TScheda storedCard(int position) {
    const QString n = QString::number(position);
    TScheda c;
    c.Scheda = TScheda::numberFor(position);
    c.Codice = QStringLiteral("MZ-") + n;
    c.Tipo = QStringLiteral("Moto d'acqua ") + n;
    c.Utilizzo = QStringLiteral("%10 euro l'ora").arg(n);
    c.Stato = QStringLiteral("Disponibile");
    c.Duplicati = QStringLiteral("3 posti, colore rosso ") + n;
    c.Luogo = QStringLiteral("Pontile ") + n;
    c.Responsabile = QStringLiteral("Giubbotti salvagente ") + n;
    c.Recapiti = QStringLiteral("Patente nautica ") + n;
    c.Persone = QStringLiteral("Documento d'identità ") + n;
    c.Note = QStringLiteral("Nota ") + n;
    c.Smarrita = QStringLiteral("No");
    c.GiornoRit = QStringLiteral("05");
    c.MeseRit = QStringLiteral("Luglio");
    c.AnnoRit = QStringLiteral("2025");
    c.DataRit = QStringLiteral("05/07/2025");
    c.OreRit = QStringLiteral("14");
    c.MinutiRit = QStringLiteral("07");
    c.OraRit = QStringLiteral("14:07");
    c.GiornoRic = QStringLiteral("05");
    c.MeseRic = QStringLiteral("Luglio");
    c.AnnoRic = QStringLiteral("2025");
    c.DataRic = QStringLiteral("05/07/2025");
    c.OreRic = QStringLiteral("18");
    c.MinutiRic = QStringLiteral("30");
    c.OraRic = QStringLiteral("18:30");
    c.PersonaRit = QStringLiteral("Anna Bianchi");
    c.PersonaRic = QStringLiteral("Anna Bianchi");
    c.File01 = QStringLiteral("libretto%1.pdf").arg(n);
    c.File02 = QStringLiteral("fattura%1.pdf").arg(n);
    c.File03 = QStringLiteral("foto%1.jpg").arg(n);
    c.Desc01 = QStringLiteral("Libretto");
    c.Desc02 = QStringLiteral("Fattura d'acquisto");
    c.Desc03 = QStringLiteral("Foto");
    return c;
}

// The same card while it is out with a customer.
TScheda outCard(int position) {
    TScheda c = storedCard(position);
    c.Stato = QStringLiteral("Ritirato da Luca Verdi in data 12/08/2025 alle ore 09:45");
    c.GiornoRit = QStringLiteral("12");
    c.MeseRit = QStringLiteral("Agosto");
    c.DataRit = QStringLiteral("12/08/2025");
    c.OreRit = QStringLiteral("09");
    c.MinutiRit = QStringLiteral("45");
    c.OraRit = QStringLiteral("09:45");
    c.PersonaRit = QStringLiteral("Luca Verdi");
    c.GiornoRic = c.MeseRic = c.AnnoRic = c.DataRic = QString();
    c.OreRic = c.MinutiRic = c.OraRic = c.PersonaRic = QString();
    return c;
}

void writeFleet(const QList<TScheda>& cards) {
    FleetFile file;
    file.openForWriting();
    for (const TScheda& c : cards)
        file.append(c);
    file.close();
}

qint64 storedCount() {
    FleetFile file;
    file.openForWriting();
    const qint64 n = file.count();
    file.close();
    return n;
}

TScheda storedAt(qint64 position) {
    FleetFile file;
    file.openForWriting();
    TScheda c = file.readAt(position);
    file.close();
    return c;
}

QList<Msg::Shown>& shown() {
    return Msg::Test::shown();
}

} // namespace

class TestFleetCard : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSandbox> sandbox;
    TfrmSchedario_Chiavi* f = nullptr;

    template <typename T = QWidget> T* control(const char* name) {
        T* w = f->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    QString text(const char* name) { return edit(name)->text(); }
    QString position() { return control<QLabel>("lblPosizione")->text(); }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void type(const char* name, const QString& value) {
        QLineEdit* e = edit(name);
        e->clear();
        // QTest types ASCII only; other texts are put in as a paste would.
        bool ascii = true;
        for (QChar ch : value)
            ascii = ascii && ch.unicode() < 128;
        if (ascii)
            QTest::keyClicks(e, value);
        else
            e->insert(value);
    }
    void fillRequired() {
        type("txtCodice", QStringLiteral("JS-01"));
        type("txtTipo", QStringLiteral("Moto d'acqua"));
        type("txtUtilizzo", QStringLiteral("80 euro l'ora"));
        type("txtLuogo", QStringLiteral("Pontile nord"));
        type("txtPersone", QStringLiteral("Patente nautica"));
    }
    QWidget* focused() { return f->focusWidget(); }
    bool fleetExists() { return QFile::exists(sandbox->file(kFleet)); }
    QByteArray fleetBytes() { return sandbox->readBytes(kFleet); }
    // One message shown since the last clear, of the given kind and text.
    void expectOnly(Msg::Icon icon, const QString& text) {
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown().first().form, Msg::Form::Notification);
        QCOMPARE(shown().first().icon, icon);
        QCOMPARE(shown().first().text, text);
        Msg::Test::clear();
    }
    void expectNone() { QCOMPARE(shown().size(), 0); }

private slots:
    void init() {
        sandbox = std::make_unique<TestSandbox>();
        Screens::createAll();
        f = frmSchedario_Chiavi;
        f->showScreen();
        QVERIFY(f->isVisible());
    }

    void cleanup() {
        Screens::destroyAll();
        f = nullptr;
        sandbox.reset();
    }

    // Every field has its control, hidden or visible, with its capacity as maximum length.
    void fieldsHaveTheirControls() {
        struct Expect {
            const char* name;
            bool visible;
            int maxLength; // 0: not an edit field with a limit
        };
        const Expect controls[] = {
            {"txtScheda", false, 0},     {"txtCodice", true, 20},
            {"txtTipo", true, 50},       {"txtUtilizzo", true, 50},
            {"txtStato", true, 250},     {"txtDuplicati", true, 250},
            {"txtLuogo", true, 250},     {"txtResponsabile", true, 250},
            {"txtRecapiti", true, 250},  {"txtPersone", true, 250},
            {"txtNote", true, 250},      {"chkSmarrita", true, 0},
            {"txtPersonaRit", false, 0}, {"txtPersonaRic", false, 0},
            {"txtGiornoRit", false, 0},  {"txtMeseRit", false, 0},
            {"txtOreRit", false, 0},     {"txtMinutiRit", false, 0},
            {"lblAnnoRit", false, 0},    {"lblDataRit", false, 0},
            {"lblOraRit", false, 0},     {"txtGiornoRic", false, 0},
            {"txtMeseRic", false, 0},    {"txtOreRic", false, 0},
            {"txtMinutiRic", false, 0},  {"lblAnnoRic", false, 0},
            {"lblDataRic", false, 0},    {"lblOraRic", false, 0},
            {"lblFile01", false, 0},     {"lblFile02", false, 0},
            {"lblFile03", false, 0},     {"lblDesc01", false, 0},
            {"lblDesc02", false, 0},     {"lblDesc03", false, 0},
            {"lblPosizione", true, 0},   {"panInfo", true, 0},
        };
        for (const Expect& e : controls) {
            QWidget* w = control(e.name);
            QVERIFY2(w->isVisible() == e.visible, e.name);
            if (e.maxLength)
                QCOMPARE(edit(e.name)->maxLength(), e.maxLength);
        }
        QVERIFY(edit("txtStato")->isReadOnly());
        QCOMPARE(control<QCheckBox>("chkSmarrita")->text(), QStringLiteral("Non noleggiabile"));
        QCOMPARE(f->windowTitle(), QStringLiteral(" Onderia - Vuvedi Duvav"));
        QCOMPARE(control<QComboBox>("txtGiornoRit")->count(), 31);
        QCOMPARE(control<QComboBox>("txtMeseRic")->itemText(11), QStringLiteral("Dicembre"));
        QCOMPARE(control<QComboBox>("txtOreRit")->itemText(23), QStringLiteral("23"));
        QCOMPARE(control<QComboBox>("txtMinutiRic")->count(), 60);

        // Texts longer than a field cannot be typed.
        QTest::keyClicks(edit("txtCodice"), QString(30, QLatin1Char('A')));
        QCOMPARE(text("txtCodice"), QString(20, QLatin1Char('A')));
        // Nor typed into the state field at all.
        QTest::keyClicks(edit("txtStato"), QStringLiteral("xyz"));
        QCOMPARE(text("txtStato"), QStringLiteral("Disponibile"));
    }

    // Texts that reach the controls another way are cut to the field's capacity on saving,
    // and trimmed.
    void longTextsAreCutOnSave() {
        fillRequired();
        control<QLabel>("lblFile01")->setText(QString(300, QLatin1Char('f')));
        edit("txtPersonaRit")->setText(QString(80, QLatin1Char('p')));
        control<QLabel>("lblDesc02")->setText(QStringLiteral("  Descrizione  "));
        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kInserted);
        const TScheda c = storedAt(1);
        QCOMPARE(c.File01, QString(250, QLatin1Char('f')));
        QCOMPARE(c.PersonaRit, QString(50, QLatin1Char('p')));
        QCOMPARE(c.Desc02, QStringLiteral("Descrizione"));
    }

    void hints_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cmdNuovo")
            << "cmdNuovo"
            << "Prepara la schermata per la registrazione di una nuova scheda.";
        QTest::newRow("cmdDuplica") << "cmdDuplica"
                                    << "Prepara la schermata per la registrazione di una nuova "
                                       "scheda duplicando i dati correnti.";
        QTest::newRow("cmdSalva") << "cmdSalva"
                                  << "Salva la scheda corrente in archivio.";
        QTest::newRow("cmdTrova") << "cmdTrova"
                                  << "Trova una scheda in archivio.";
        QTest::newRow("cmdFile") << "cmdFile"
                                 << "Allega file alla scheda corrente.";
        QTest::newRow("cmdStampa") << "cmdStampa"
                                   << "Stampa la scheda corrente.";
        QTest::newRow("cmdPrimo") << "cmdPrimo"
                                  << "Visualizza la prima scheda in archivio.";
        QTest::newRow("cmdIndietro") << "cmdIndietro"
                                     << "Visualizza la scheda precedente in archivio.";
        QTest::newRow("cmdAvanti") << "cmdAvanti"
                                   << "Visualizza la scheda successiva in archivio.";
        QTest::newRow("cmdUltimo") << "cmdUltimo"
                                   << "Visualizza l'ultima scheda in archivio.";
        QTest::newRow("cmdEsporta")
            << "cmdEsporta"
            << "Esporta le schede in archivio in un file di Microsoft Excel.";
        QTest::newRow("cmdSmarrite") << "cmdSmarrite"
                                     << "Visualizza l'elenco dei mezzi non noleggiabili.";
        QTest::newRow("cmdGuida") << "cmdGuida"
                                  << "Visualizza la guida in linea.";
        QTest::newRow("cmdEsci") << "cmdEsci"
                                 << "Esci da questa schermata.";
        QTest::newRow("chkSmarrita")
            << "chkSmarrita"
            << "Spunta questa casella per indicare che il mezzo non è noleggiabile.";
    }

    // Moving over a control puts its hint in the status line; the background empties it.
    void hints() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QLabel* panInfo = control<QLabel>("panInfo");
        QCOMPARE(panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QWidget* w = control(name.toLatin1().constData());
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(w, &enter);
        QCOMPARE(panInfo->text(), hint);
        QCOMPARE(w->accessibleDescription(), hint);
        QVERIFY(!w->accessibleName().isEmpty());
        // Edit fields leave the line alone; the caption pictures and the container empty it.
        QCoreApplication::sendEvent(edit("txtCodice"), &enter);
        QCOMPARE(panInfo->text(), hint);
        QCoreApplication::sendEvent(control("icoCodice"), &enter);
        QCOMPARE(panInfo->text(), QString());
        QCoreApplication::sendEvent(w, &enter);
        QCoreApplication::sendEvent(f->content(), &enter);
        QCOMPARE(panInfo->text(), QString());
    }

    // Enter walks the fields, skipping the read-only state, and wraps round; the visible
    // fields are coloured white, the state beige, the focused field yellow.
    void enterChainAndColouring() {
        const char* chain[] = {"txtCodice", "txtTipo",         "txtUtilizzo", "txtDuplicati",
                               "txtLuogo",  "txtResponsabile", "txtRecapiti", "txtPersone",
                               "txtNote",   "txtCodice"};
        for (int i = 0; i + 1 < 10; ++i) {
            QTest::keyClick(edit(chain[i]), Qt::Key_Return);
            QCOMPARE(focused(), edit(chain[i + 1]));
        }
        QTest::keyClick(edit("txtStato"), Qt::Key_Enter);
        QCOMPARE(focused(), edit("txtDuplicati"));

        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        edit("txtTipo")->setFocus();
        QTRY_COMPARE(edit("txtTipo")->property("focusFill").toString(), QStringLiteral("#ffff00"));
        QCOMPARE(edit("txtCodice")->property("focusFill").toString(), QStringLiteral("#ffffff"));
        edit("txtStato")->setFocus();
        QTRY_VERIFY(edit("txtStato")->hasFocus());
        QCOMPARE(edit("txtStato")->property("focusFill").toString(), QStringLiteral("#f5f5dc"));
        QCOMPARE(edit("txtTipo")->property("focusFill").toString(), QStringLiteral("#ffffff"));
        for (const char* name : chain)
            QVERIFY2(edit(name)->property("focusFill").isValid(), name);
    }

    // Showing the screen starts an empty new card; closing drops the changes and shows the
    // start menu, by the exit picture and by the close box alike.
    void showAndClose_data() {
        QTest::addColumn<bool>("exitPicture");
        QTest::newRow("cmdEsci") << true;
        QTest::newRow("close box") << false;
    }
    void showAndClose() {
        QFETCH(bool, exitPicture);
        writeFleet({outCard(1), storedCard(2)});
        click("cmdPrimo");
        control<QCheckBox>("chkSmarrita")->setChecked(true);
        type("txtNote", QStringLiteral("mai salvata"));
        const QByteArray before = fleetBytes();
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(control("cmdSalva"), &enter);

        if (exitPicture)
            click("cmdEsci");
        else
            f->close();
        QVERIFY(!f->isVisible());
        QVERIFY(frmAvvio->isVisible());
        QCOMPARE(fleetBytes(), before);
        expectNone();

        f->showScreen();
        TScheda empty;
        empty.Stato = QStringLiteral("Disponibile");
        empty.Smarrita = QStringLiteral("No");
        QCOMPARE(f->cardFromControls(), empty);
        QCOMPARE(position(), QString());
        QCOMPARE(focused(), edit("txtCodice"));
        // The status line keeps its last text across showings.
        QCOMPARE(control<QLabel>("panInfo")->text(),
                 QStringLiteral("Salva la scheda corrente in archivio."));
    }

    // New cards go into a missing file with numbers 00001, 00002 and the matching positions.
    void saveNewCardsIntoMissingFile() {
        QVERIFY(!fleetExists());
        fillRequired();
        type("txtDuplicati", QStringLiteral("  3 posti  "));
        type("txtNote", QStringLiteral("Tagliando fatto"));
        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kInserted);
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(control<QLabel>("txtScheda")->text(), QStringLiteral("00001"));
        QCOMPARE(fleetBytes().size(), 3581);
        QCOMPARE(fleetBytes().left(6), hexBytes("05 30 30 30 30 31"));
        QCOMPARE(fleetBytes().mid(1886, 3), hexBytes("02 4E 6F")); // "No"

        TScheda first;
        first.Scheda = QStringLiteral("00001");
        first.Codice = QStringLiteral("JS-01");
        first.Tipo = QStringLiteral("Moto d'acqua");
        first.Utilizzo = QStringLiteral("80 euro l'ora");
        first.Stato = QStringLiteral("Disponibile");
        first.Duplicati = QStringLiteral("3 posti");
        first.Luogo = QStringLiteral("Pontile nord");
        first.Persone = QStringLiteral("Patente nautica");
        first.Note = QStringLiteral("Tagliando fatto");
        first.Smarrita = QStringLiteral("No");
        QCOMPARE(storedAt(1), first);

        click("cmdNuovo");
        expectNone();
        QCOMPARE(position(), QString());
        QCOMPARE(text("txtCodice"), QString());
        fillRequired();
        type("txtCodice", QStringLiteral("JS-02"));
        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kInserted);
        QCOMPARE(position(), QStringLiteral("2"));
        QCOMPARE(storedCount(), 2);
        QCOMPARE(storedAt(2).Scheda, QStringLiteral("00002"));
        QCOMPARE(storedAt(2).Codice, QStringLiteral("JS-02"));
        QCOMPARE(storedAt(1), first);
    }

    // A stored card is rewritten in place: the count stays, the other cards stay.
    void saveStoredCardTwiceRewritesInPlace() {
        writeFleet({storedCard(1), storedCard(2), storedCard(3)});
        click("cmdPrimo");
        click("cmdAvanti");
        QCOMPARE(position(), QStringLiteral("2"));
        type("txtTipo", QStringLiteral("Pedalò"));
        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kSaved);
        QCOMPARE(position(), QStringLiteral("2"));
        QCOMPARE(storedCount(), 3);
        TScheda expected = storedCard(2);
        expected.Tipo = QStringLiteral("Pedalò");
        QCOMPARE(storedAt(2), expected);
        QCOMPARE(storedAt(1), storedCard(1));
        QCOMPARE(storedAt(3), storedCard(3));

        const QByteArray once = fleetBytes();
        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kSaved);
        QCOMPARE(fleetBytes(), once);
        QCOMPARE(fleetBytes().size(), 3 * 3581);
    }

    void requiredFields_data() {
        QTest::addColumn<QStringList>("values"); // code, type, rate, location, documents
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString code = QStringLiteral("Attenzione: per salvare la scheda è necessario "
                                            "indicare il codice identificativo del mezzo.");
        QTest::newRow("empty card") << QStringList{"", "", "", "", ""} << code << "txtCodice";
        QTest::newRow("code of blanks")
            << QStringList{"   ", "Canoa", "10", "Spiaggia", "Nessuno"} << code << "txtCodice";
        QTest::newRow("type")
            << QStringList{"C1", "", "", "", ""}
            << "Attenzione: per salvare la scheda è necessario indicare il tipo di mezzo."
            << "txtTipo";
        QTest::newRow("type before the rest")
            << QStringList{"C1", " ", "10", "Spiaggia", "Nessuno"}
            << "Attenzione: per salvare la scheda è necessario indicare il tipo di mezzo."
            << "txtTipo";
        QTest::newRow("rate")
            << QStringList{"C1", "Canoa", "", "", ""}
            << "Attenzione: per salvare la scheda è necessario indicare la tariffa di noleggio."
            << "txtUtilizzo";
        QTest::newRow("location")
            << QStringList{"C1", "Canoa", "10", "  ", ""}
            << "Attenzione: per salvare la scheda è necessario indicare l'ubicazione del mezzo."
            << "txtLuogo";
        QTest::newRow("documents")
            << QStringList{"C1", "Canoa", "10", "Spiaggia", "\t"}
            << "Attenzione: per salvare la scheda è necessario indicare i documenti richiesti al "
               "cliente per il noleggio."
            << "txtPersone";
    }

    // The first empty required field, in order, is named and gets the focus; no file is made.
    void requiredFields() {
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const char* fields[] = {"txtCodice", "txtTipo", "txtUtilizzo", "txtLuogo", "txtPersone"};
        for (int i = 0; i < 5; ++i)
            edit(fields[i])->setText(values.at(i));
        edit("txtNote")->setFocus();
        click("cmdSalva");
        expectOnly(Msg::Icon::Warning, message);
        QCOMPARE(focused(), edit(focus.toLatin1().constData()));
        QVERIFY(!fleetExists());
        QCOMPARE(position(), QString());
    }

    // Card 3 of 5 duplicated and saved becomes card 6 with the description only.
    void duplicateThirdOfFiveAndSave() {
        TScheda third = outCard(3);
        third.Smarrita = QStringLiteral("Sì");
        writeFleet({storedCard(1), storedCard(2), third, storedCard(4), storedCard(5)});
        click("cmdUltimo");
        click("cmdIndietro");
        click("cmdIndietro");
        QCOMPARE(position(), QStringLiteral("3"));
        QVERIFY(control<QCheckBox>("chkSmarrita")->isChecked());
        const QByteArray before = fleetBytes();

        click("cmdDuplica");
        expectOnly(Msg::Icon::Information, kDuplicated);
        QCOMPARE(fleetBytes(), before);
        QCOMPARE(position(), QString());
        QCOMPARE(focused(), edit("txtCodice"));

        TScheda expected;
        expected.Codice = third.Codice;
        expected.Tipo = third.Tipo;
        expected.Utilizzo = third.Utilizzo;
        expected.Stato = QStringLiteral("Disponibile");
        expected.Duplicati = third.Duplicati;
        expected.Luogo = third.Luogo;
        expected.Responsabile = third.Responsabile;
        expected.Recapiti = third.Recapiti;
        expected.Persone = third.Persone;
        expected.Note = third.Note;
        expected.Smarrita = QStringLiteral("No");
        QCOMPARE(f->cardFromControls(), expected);

        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kInserted);
        QCOMPARE(storedCount(), 6);
        QCOMPARE(position(), QStringLiteral("6"));
        expected.Scheda = QStringLiteral("00006");
        QCOMPARE(storedAt(6), expected);
        QCOMPARE(storedAt(3), third);
    }

    // A card never stored cannot be duplicated; nothing changes and no file is made.
    void duplicateUnsavedCardIsRefused() {
        type("txtCodice", QStringLiteral("NUOVA"));
        edit("txtPersonaRit")->setText(QStringLiteral("Qualcuno"));
        const TScheda before = f->cardFromControls();
        click("cmdDuplica");
        expectOnly(Msg::Icon::Warning, kDuplicateRefused);
        QCOMPARE(f->cardFromControls(), before);
        QCOMPARE(position(), QString());
        QVERIFY(!fleetExists());
    }

    // A card that is out keeps its state and pick-up data through a save; ticking
    // "Non noleggiabile" stores "Sì".
    void saveKeepsRentalDataAndStoresNotRentable() {
        writeFleet({storedCard(1), outCard(2)});
        click("cmdUltimo");
        QCOMPARE(text("txtStato"), outCard(2).Stato);
        type("txtNote", QStringLiteral("Graffio sul lato destro"));
        control<QCheckBox>("chkSmarrita")->setChecked(true);
        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kSaved);
        TScheda expected = outCard(2);
        expected.Note = QStringLiteral("Graffio sul lato destro");
        expected.Smarrita = QStringLiteral("Sì");
        QCOMPARE(storedAt(2), expected);
        QCOMPARE(fleetBytes().mid(3581 + 1886, 3), hexBytes("02 53 EC"));
    }

    // Any arrow with no fleet file creates it empty and says the archive is empty.
    void browseEmptyArchive_data() {
        QTest::addColumn<QString>("arrow");
        QTest::newRow("first") << "cmdPrimo";
        QTest::newRow("previous") << "cmdIndietro";
        QTest::newRow("next") << "cmdAvanti";
        QTest::newRow("last") << "cmdUltimo";
    }
    void browseEmptyArchive() {
        QFETCH(QString, arrow);
        type("txtCodice", QStringLiteral("in corso"));
        click(arrow.toLatin1().constData());
        expectOnly(Msg::Icon::Information, kEmptyArchive);
        QVERIFY(fleetExists());
        QCOMPARE(fleetBytes().size(), 0);
        QCOMPARE(position(), QString());
        QCOMPARE(text("txtCodice"), QStringLiteral("in corso"));
    }

    // The browsing rules with three cards: no wrapping, both arrows lead from a new card to
    // the first, edits are dropped silently.
    void browseThreeCards() {
        writeFleet({storedCard(1), storedCard(2), outCard(3)});
        struct Step {
            const char* button;
            const char* position;
            bool loads; // false: nothing happens, the edit stays on screen
        };
        const Step steps[] = {
            {"cmdPrimo", "1", true},    {"cmdIndietro", "1", false}, {"cmdAvanti", "2", true},
            {"cmdAvanti", "3", true},   {"cmdAvanti", "3", false},   {"cmdUltimo", "3", true},
            {"cmdIndietro", "2", true}, {"cmdNuovo", "", true},      {"cmdIndietro", "1", true},
            {"cmdNuovo", "", true},     {"cmdAvanti", "1", true},    {"cmdNuovo", "", true},
            {"cmdUltimo", "3", true},   {"cmdPrimo", "1", true},
        };
        for (const Step& s : steps) {
            type("txtCodice", QStringLiteral("modificato"));
            click(s.button);
            QCOMPARE(position(), QString::fromLatin1(s.position));
            const qint64 p = QString::fromLatin1(s.position).toLongLong();
            if (!s.loads) {
                QCOMPARE(text("txtCodice"), QStringLiteral("modificato"));
            } else if (!p) {
                QCOMPARE(text("txtCodice"), QString());
            } else {
                const TScheda expected = p == 3 ? outCard(3) : storedCard(int(p));
                QCOMPARE(f->cardFromControls(), expected);
            }
        }
        expectNone();
    }

    // "Sì" ticks, "No" clears, anything else leaves the box as the previous card had it.
    void notRentableBoxFollowsOnlySiAndNo() {
        TScheda si = storedCard(1);
        si.Smarrita = QStringLiteral("Sì");
        TScheda blank = storedCard(2);
        blank.Smarrita = QString();
        TScheda other = storedCard(3);
        other.Smarrita = QStringLiteral("X");
        writeFleet({si, blank, storedCard(4), other});
        QCheckBox* box = control<QCheckBox>("chkSmarrita");
        click("cmdPrimo");
        QVERIFY(box->isChecked());
        click("cmdAvanti");
        QVERIFY(box->isChecked());
        click("cmdAvanti");
        QVERIFY(!box->isChecked());
        click("cmdAvanti");
        QVERIFY(!box->isChecked());
        click("cmdPrimo");
        click("cmdUltimo");
        QVERIFY(box->isChecked());
    }

    // A fleet file that cannot be written: the archive-access error, the screen and the file
    // as they were; a later save of the new card appends it then.
    void writeFailureChangesNothing() {
        writeFleet({storedCard(1), storedCard(2)});
        const QByteArray before = fleetBytes();

        fillRequired();
        const TScheda shownNew = f->cardFromControls();
        RecordFile::failWritesForTest(true);
        click("cmdSalva");
        expectOnly(Msg::Icon::Error, kAccess);
        QCOMPARE(fleetBytes(), before);
        QCOMPARE(f->cardFromControls(), shownNew);
        QCOMPARE(position(), QString());

        click("cmdPrimo");
        type("txtNote", QStringLiteral("non salvata"));
        const TScheda shownStored = f->cardFromControls();
        click("cmdSalva");
        expectOnly(Msg::Icon::Error, kAccess);
        QCOMPARE(fleetBytes(), before);
        QCOMPARE(f->cardFromControls(), shownStored);
        QCOMPARE(position(), QStringLiteral("1"));

        RecordFile::failWritesForTest(false);
        click("cmdNuovo");
        fillRequired();
        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kInserted);
        QCOMPARE(position(), QStringLiteral("3"));
        QCOMPARE(storedAt(3).Scheda, QStringLiteral("00003"));
    }

    // A fleet file that cannot be opened at all (a folder stands in its place): every action
    // reports the archive-access error and the screen keeps what it showed.
    void unreadableArchive() {
        QVERIFY(QDir(sandbox->folder()).mkdir(kFleet));
        f->putCard(storedCard(4), 4);
        const TScheda shown4 = f->cardFromControls();
        for (const char* arrow : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
            click(arrow);
            expectOnly(Msg::Icon::Error, kAccess);
            QCOMPARE(f->cardFromControls(), shown4);
            QCOMPARE(position(), QStringLiteral("4"));
        }
        click("cmdSalva");
        expectOnly(Msg::Icon::Error, kAccess);
        QCOMPARE(f->cardFromControls(), shown4);
        QCOMPARE(position(), QStringLiteral("4"));

        // The duplicate is made before the file is touched, and stays.
        click("cmdDuplica");
        expectOnly(Msg::Icon::Error, kAccess);
        QCOMPARE(position(), QString());
        QCOMPARE(text("txtCodice"), storedCard(4).Codice);
        QCOMPARE(control<QLabel>("lblFile01")->text(), QString());
    }

    // A card handed over by the search or the lists looks exactly like a browsed one, and a
    // save rewrites it at its position.
    void handedOverCardIsRewrittenInPlace() {
        writeFleet({storedCard(1), outCard(2), storedCard(3)});
        click("cmdPrimo");
        click("cmdAvanti");
        const TScheda browsed = f->cardFromControls();
        click("cmdNuovo");
        FleetLists::toFleetCard(storedAt(2), 2);
        QCOMPARE(f->cardFromControls(), browsed);
        QCOMPARE(position(), QStringLiteral("2"));
        type("txtLuogo", QStringLiteral("Rimessaggio"));
        click("cmdSalva");
        expectOnly(Msg::Icon::Information, kSaved);
        QCOMPARE(storedCount(), 3);
        QCOMPARE(storedAt(2).Luogo, QStringLiteral("Rimessaggio"));
        QCOMPARE(storedAt(2).Stato, outCard(2).Stato);
    }
};

QTEST_MAIN(TestFleetCard)
#include "tst_fleetcard.moc"
