// The attachments screen driven from the fleet card screen.
#include "ModalHelpers.h"
#include "TestSupport.h"

#include "app/FileDialogs.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Screens.h"
#include "fleet/TfrmAllegaCartella.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "store/FleetFile.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Opens the attachments screen from the fleet card screen, runs `work` on it once it is up
// (work must close it), and waits until it has closed.
void withAttachments(const std::function<void(QDialog*)>& work) {
    bool done = false;
    std::function<void()> poll;
    poll = [&] {
        auto* dialog = qobject_cast<TfrmAllegaCartella*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(0, poll);
            return;
        }
        QPointer<QDialog> open(dialog);
        work(dialog);
        if (open && open->isVisible())
            open->done(QDialog::Rejected); // a failed check inside must not leave it up
        done = true;
    };
    QTimer::singleShot(0, poll);
    TfrmAllegaCartella::open(frmSchedario_Chiavi);
    QVERIFY(done);
}

QLineEdit* edit(QWidget* w, const QString& name) {
    return w->findChild<QLineEdit*>(name);
}
QPushButton* button(QWidget* w, const QString& name) {
    return w->findChild<QPushButton*>(name);
}
QLabel* cardLabel(const QString& name) {
    return frmSchedario_Chiavi->findChild<QLabel*>(name);
}

} // namespace

class TestAttachments : public QObject {
    Q_OBJECT

    TestSandbox* box = nullptr;
    QTemporaryDir outside; // where the user's documents come from

    QString document(const QString& name, const QByteArray& content) {
        const QString path = QDir(outside.path()).filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        return path;
    }

    QString attached(const QString& name) const {
        return box->file(QStringLiteral("Documenti_Allegati/") + name);
    }

    QByteArray attachedBytes(const QString& name) const {
        return box->readBytes(QStringLiteral("Documenti_Allegati/") + name);
    }

private slots:
    void init() {
        box = new TestSandbox;
        Screens::createAll();
        frmSchedario_Chiavi->showScreen();
    }

    void cleanup() {
        Screens::destroyAll();
        delete box;
    }

    void attachCopiesIntoANewFolderAndOpens() {
        FileDialogs::Test::choose(document(QStringLiteral("libretto.pdf"), "PDF-1"));
        withAttachments([&](QDialog* d) {
            QVERIFY(!button(d, "btnApri01")->isEnabled());
            button(d, "btnSfoglia01")->click();
            QCOMPARE(FileDialogs::Test::lastTitle(),
                     QStringLiteral("Selezionare il file da allegare:"));
            QCOMPARE(FileDialogs::Test::lastFilter(), QStringLiteral("Tutti i file (*.*)"));
            QCOMPARE(edit(d, "txtFile01")->text(), QStringLiteral("libretto.pdf"));
            QVERIFY(button(d, "btnApri01")->isEnabled());
            QVERIFY(!button(d, "btnApri02")->isEnabled());
            button(d, "btnApri01")->click();
            edit(d, "txtDesc01")->setText(QStringLiteral("  Libretto  "));
            button(d, "btnApplica")->click();
        });
        QCOMPARE(attachedBytes(QStringLiteral("libretto.pdf")), QByteArray("PDF-1"));
        QVERIFY(Msg::Test::shown().isEmpty());
        QCOMPARE(TMisc::recorded(),
                 QStringList(QLatin1Char('"') +
                             QDir::toNativeSeparators(box->file("Documenti_Allegati")) +
                             QDir::separator() + QStringLiteral("libretto.pdf\"")));
        QCOMPARE(cardLabel("lblFile01")->text(), QStringLiteral("libretto.pdf"));
        QCOMPARE(cardLabel("lblDesc01")->text(), QStringLiteral("Libretto"));
    }

    void openingShowsTheCardsSlots() {
        cardLabel("lblFile02")->setText(QStringLiteral(" fattura.pdf "));
        cardLabel("lblDesc02")->setText(QStringLiteral("Fattura"));
        withAttachments([&](QDialog* d) {
            QCOMPARE(edit(d, "txtFile02")->text(), QStringLiteral("fattura.pdf"));
            QCOMPARE(edit(d, "txtDesc02")->text(), QStringLiteral("Fattura"));
            QCOMPARE(button(d, "btnApri01")->isEnabled(), false);
            QCOMPARE(button(d, "btnApri02")->isEnabled(), true);
            QCOMPARE(button(d, "btnApri03")->isEnabled(), false);
            button(d, "btnAnnulla")->click();
        });
    }

    void overwriteQuestion_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes replaces") << true;
        QTest::newRow("no keeps the folder's file") << false;
    }

    void overwriteQuestion() {
        QFETCH(bool, yes);
        QDir(box->folder()).mkpath(QStringLiteral("Documenti_Allegati"));
        box->writeBytes(QStringLiteral("Documenti_Allegati/foto.jpg"), "OLD");
        FileDialogs::Test::choose(document(QStringLiteral("foto.jpg"), "NEW"));
        Msg::Test::answer(yes);
        withAttachments([&](QDialog* d) {
            button(d, "btnSfoglia03")->click();
            QCOMPARE(edit(d, "txtFile03")->text(), QStringLiteral("foto.jpg"));
            button(d, "btnApplica")->click();
        });
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().form, Msg::Form::Question);
        QCOMPARE(Msg::Test::last().text,
                 QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un "
                                "file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file "
                                "esistente?"));
        QCOMPARE(attachedBytes(QStringLiteral("foto.jpg")),
                 yes ? QByteArray("NEW") : QByteArray("OLD"));
        QCOMPARE(cardLabel("lblFile03")->text(), QStringLiteral("foto.jpg"));
    }

    void cancellingTheDialogChangesNothing() {
        cardLabel("lblFile01")->setText(QStringLiteral("a.pdf"));
        FileDialogs::Test::choose(QString());
        withAttachments([&](QDialog* d) {
            button(d, "btnSfoglia01")->click();
            QCOMPARE(edit(d, "txtFile01")->text(), QStringLiteral("a.pdf"));
            QVERIFY(button(d, "btnApri01")->isEnabled());
            button(d, "btnAnnulla")->click();
        });
        QVERIFY(Msg::Test::shown().isEmpty());
        QVERIFY(!QFileInfo::exists(box->file(QStringLiteral("Documenti_Allegati"))));
    }

    void eraserKeepsDescriptionAndFile() {
        QDir(box->folder()).mkpath(QStringLiteral("Documenti_Allegati"));
        box->writeBytes(QStringLiteral("Documenti_Allegati/a.pdf"), "A");
        cardLabel("lblFile01")->setText(QStringLiteral("a.pdf"));
        cardLabel("lblDesc01")->setText(QStringLiteral("Manuale"));
        withAttachments([&](QDialog* d) {
            d->findChild<QAbstractButton*>(QStringLiteral("imgCancella01"))->click();
            QCOMPARE(edit(d, "txtFile01")->text(), QString());
            QVERIFY(!button(d, "btnApri01")->isEnabled());
            button(d, "btnApplica")->click();
        });
        QCOMPARE(cardLabel("lblFile01")->text(), QString());
        QCOMPARE(cardLabel("lblDesc01")->text(), QStringLiteral("Manuale"));
        QVERIFY(QFileInfo::exists(attached(QStringLiteral("a.pdf"))));
    }

    void cancelAfterACopyLeavesTheCard() {
        FileDialogs::Test::choose(document(QStringLiteral("b.pdf"), "B"));
        withAttachments([&](QDialog* d) {
            button(d, "btnSfoglia02")->click();
            edit(d, "txtDesc02")->setText(QStringLiteral("Nuova"));
            button(d, "btnAnnulla")->click();
        });
        QCOMPARE(cardLabel("lblFile02")->text(), QString());
        QCOMPARE(cardLabel("lblDesc02")->text(), QString());
        QVERIFY(QFileInfo::exists(attached(QStringLiteral("b.pdf"))));
    }

    void applyThenSaveStoresTheAttachments() {
        for (auto [name, text] : {std::pair{"txtCodice", "K-1"},
                                  {"txtTipo", "Canoa"},
                                  {"txtUtilizzo", "10 € l'ora"},
                                  {"txtLuogo", "Riva"},
                                  {"txtPersone", "Documento"}})
            frmSchedario_Chiavi->findChild<QLineEdit*>(QString::fromLatin1(name))
                ->setText(QString::fromUtf8(text));
        FileDialogs::Test::choose(document(QStringLiteral("c.pdf"), "C"));
        withAttachments([&](QDialog* d) {
            button(d, "btnSfoglia01")->click();
            edit(d, "txtDesc01")->setText(QStringLiteral("Certificato"));
            edit(d, "txtDesc03")->setText(QStringLiteral("Solo descrizione"));
            button(d, "btnApplica")->click();
        });
        frmSchedario_Chiavi->findChild<QAbstractButton*>(QStringLiteral("cmdSalva"))->click();
        FleetFile f;
        f.openForWriting();
        QCOMPARE(f.count(), 1);
        const TScheda card = f.readAt(1);
        QCOMPARE(card.File01, QStringLiteral("c.pdf"));
        QCOMPARE(card.Desc01, QStringLiteral("Certificato"));
        QCOMPARE(card.File03, QString());
        QCOMPARE(card.Desc03, QStringLiteral("Solo descrizione"));
    }

    void aFailedCopyIsReportedAndTheSlotKeepsItsName() {
        // A file stands where the attachments folder should be: nothing can be copied.
        box->writeBytes(QStringLiteral("Documenti_Allegati"), "not a folder");
        cardLabel("lblFile01")->setText(QStringLiteral("vecchio.pdf"));
        FileDialogs::Test::choose(document(QStringLiteral("nuovo.pdf"), "N"));
        withAttachments([&](QDialog* d) {
            button(d, "btnSfoglia01")->click();
            QCOMPARE(edit(d, "txtFile01")->text(), QStringLiteral("vecchio.pdf"));
            button(d, "btnApplica")->click();
        });
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Error);
        QCOMPARE(Msg::Test::last().text,
                 QStringLiteral("Attenzione: non è stato possibile copiare il file nella cartella "
                                "dei documenti allegati.\n\r\n\rAccertarsi di possedere i "
                                "privilegi di scrittura nella cartella di installazione del "
                                "programma."));
        QCOMPARE(cardLabel("lblFile01")->text(), QStringLiteral("vecchio.pdf"));
    }

    void openStaysInsideTheAttachmentsFolder_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened");
        QTest::newRow("plain name") << "a.pdf"
                                    << "a.pdf";
        QTest::newRow("parent folders") << "../../segreti.txt"
                                        << "segreti.txt";
        QTest::newRow("absolute path") << "/etc/passwd"
                                       << "passwd";
        QTest::newRow("windows path") << "C:\\Windows\\win.ini"
                                      << "win.ini";
    }

    void openStaysInsideTheAttachmentsFolder() {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        cardLabel("lblFile01")->setText(stored);
        withAttachments([&](QDialog* d) {
            button(d, "btnApri01")->click();
            button(d, "btnAnnulla")->click();
        });
        QCOMPARE(TMisc::recorded(),
                 QStringList(QLatin1Char('"') +
                             QDir::toNativeSeparators(box->file("Documenti_Allegati")) +
                             QDir::separator() + opened + QLatin1Char('"')));
    }

    void keyboard() {
        // Enter in a field presses no button; Tab follows the table's order and leaves out the
        // erasers; Enter on a button that has the focus presses it.
        cardLabel("lblFile01")->setText(QStringLiteral("libretto.pdf"));
        FileDialogs::Test::choose(document(QStringLiteral("altro.pdf"), "X"));
        withAttachments([&](QDialog* d) {
            QVERIFY(QTest::qWaitForWindowActive(d));
            for (const char* name : {"txtDesc01", "txtFile02", "txtDesc03"}) {
                edit(d, name)->setFocus();
                QTest::keyClick(edit(d, name), Qt::Key_Return);
                QTest::keyClick(edit(d, name), Qt::Key_Enter);
            }
            QVERIFY(d->isVisible());
            QCOMPARE(FileDialogs::Test::lastTitle(), QString()); // no file dialog was asked for
            QCOMPARE(edit(d, "txtFile01")->text(), QStringLiteral("libretto.pdf"));
            for (QPushButton* b : d->findChildren<QPushButton*>())
                QVERIFY2(!b->isDefault() && !b->autoDefault(), qPrintable(b->objectName()));

            QStringList order;
            edit(d, "txtFile01")->setFocus();
            for (int i = 0; i < 14; ++i) {
                order << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(order, QStringList({"txtFile01", "btnSfoglia01", "btnApri01", "txtDesc01",
                                         "txtFile02", "btnSfoglia02", "txtDesc02", "txtFile03",
                                         "btnSfoglia03", "txtDesc03", "btnApplica", "btnAnnulla",
                                         "txtFile01", "btnSfoglia01"}));
            button(d, "btnSfoglia01")->setFocus();
            QTest::keyClick(button(d, "btnSfoglia01"), Qt::Key_Return);
            QCOMPARE(edit(d, "txtFile01")->text(), QStringLiteral("altro.pdf"));
            button(d, "btnAnnulla")->setFocus();
            QTest::keyClick(button(d, "btnAnnulla"), Qt::Key_Return);
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(cardLabel("lblFile01")->text(), QStringLiteral("libretto.pdf"));
    }

    void namesTheCardCannotHoldAreRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        const QString chars = QStringLiteral("caratteri che non possono essere memorizzati");
        QTest::newRow("outside Windows-1252") << QStringLiteral("Ελλάδα.pdf") << chars;
        QTest::newRow("Euro sign fits") << QStringLiteral("ricevuta € 20.pdf") << QString();
        QTest::newRow("blank at the end") << QStringLiteral("nota.txt ") << chars;
        QTest::newRow("250 characters") << QString(246, QLatin1Char('a')) + ".pdf" << QString();
        QTest::newRow("251 characters")
            << QString(247, QLatin1Char('a')) + ".pdf" << QStringLiteral("troppo lungo");
    }

    void namesTheCardCannotHoldAreRefused() {
        // A name the card would store changed must not be attached: the card would name a file
        // that is not in the folder.
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        cardLabel("lblFile01")->setText(QStringLiteral("libretto.pdf"));
        FileDialogs::Test::choose(document(name, "DOC"));
        withAttachments([&](QDialog* d) {
            button(d, "btnSfoglia01")->click();
            button(d, "btnApplica")->click();
        });
        if (refusal.isEmpty()) {
            QVERIFY2(Msg::Test::shown().isEmpty(),
                     qPrintable(Msg::Test::shown().isEmpty() ? QString() : Msg::Test::last().text));
            QCOMPARE(cardLabel("lblFile01")->text(), name);
            QCOMPARE(attachedBytes(name), QByteArray("DOC"));
            return;
        }
        QCOMPARE(Msg::Test::shown().size(), 1);
        QCOMPARE(Msg::Test::last().icon, Msg::Icon::Warning);
        QVERIFY2(Msg::Test::last().text.contains(refusal), qPrintable(Msg::Test::last().text));
        QCOMPARE(cardLabel("lblFile01")->text(), QStringLiteral("libretto.pdf"));
        QVERIFY(
            !QDir(box->file(QStringLiteral("Documenti_Allegati"))).exists() ||
            QDir(box->file(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files).isEmpty());
    }

    void fileDialogListsEveryFile() {
        // "Tutti i file (*.*)" shows names without an extension too.
        QTemporaryDir folder;
        for (const char* name : {"LEGGIMI", "fattura.pdf"}) {
            QFile f(QDir(folder.path()).filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        FileDialogs::Test::record(false);
        QStringList listed;
        QString caption;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            caption = dialog->nameFilters().join(QLatin1Char('|'));
            dialog->setDirectory(folder.path());
            auto* model = dialog->findChild<QFileSystemModel*>();
            QVERIFY(model);
            const QModelIndex at = model->index(folder.path());
            QTRY_VERIFY(model->rowCount(at) >= 1);
            QTest::qWait(50);
            for (int r = 0; r < model->rowCount(at); ++r)
                listed << model->index(r, 0, at).data().toString();
            dialog->reject();
        });
        withAttachments([&](QDialog* d) {
            button(d, "btnSfoglia01")->click();
            button(d, "btnAnnulla")->click();
        });
        QCOMPARE(caption, QStringLiteral("Tutti i file (*.*)"));
        listed.sort();
        QCOMPARE(listed, QStringList({"LEGGIMI", "fattura.pdf"}));
    }
};

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
