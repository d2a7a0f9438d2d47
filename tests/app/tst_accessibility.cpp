// Every screen walked through the accessibility tree: each control a screen reader can reach
// has an Italian name.
#include "FleetFixtures.h"
#include "TestSupport.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/Screens.h"
#include "app/TfrmAvvio.h"
#include "fleet/FleetListScreens.h"
#include "fleet/FleetListView.h"
#include "fleet/TfrmAllegaCartella.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "fleet/TfrmTrovaSchedario_Chiavi.h"
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "history/TfrmMenuRiepilogo.h"
#include "history/TfrmRiepilogo.h"
#include "output/TfrmExpChiavi.h"
#include "output/TfrmStampaScheda.h"
#include "rentals/TfrmMenuOperazioni.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRiepilogo_Operazione.h"
#include "rentals/TfrmRitiri.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

bool isControl(QWidget* w) {
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

// The controls of a shown screen that have no accessible name.
QStringList unnamed(QWidget* screen) {
    QStringList missing;
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        if (!isControl(w) || !w->isVisibleTo(screen))
            continue;
        // A list's header, scroll bars and corner button are the view's own parts.
        if (qobject_cast<QAbstractItemView*>(w->parentWidget()))
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        const QString name = iface ? iface->text(QAccessible::Name).trimmed() : QString();
        if (name.isEmpty())
            missing << QStringLiteral("%1 (%2 in %3)")
                           .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()),
                                w->parentWidget() ? w->parentWidget()->objectName() : QString());
    }
    return missing;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSandbox> box;

private slots:
    void init() {
        box = std::make_unique<TestSandbox>();
        writeFleet({fleetCard("KY-1", "Kayak", "15")});
        Screens::createAll();
    }
    void cleanup() {
        Screens::destroyAll();
        box.reset();
    }

    void persistentScreens() {
        for (QWidget* screen : std::initializer_list<QWidget*>{
                 frmPassword, frmAvvio, frmCambiaPassword, frmSchedario_Chiavi, frmMenuOperazioni,
                 frmRitiri, frmRiconsegne, frmMenuRiepilogo}) {
            screen->show();
            const QStringList missing = unnamed(screen);
            QVERIFY2(missing.isEmpty(),
                     qPrintable(screen->objectName() + QStringLiteral(": ") + missing.join(", ")));
            screen->hide();
        }
        // Uncovered, the pick-up and return screens show their work area.
        frmRitiri->show();
        frmRitiri->putCard(TScheda(), 1);
        QVERIFY2(unnamed(frmRitiri).isEmpty(), qPrintable(unnamed(frmRitiri).join(", ")));
        frmRiconsegne->show();
        frmRiconsegne->putCard(TScheda(), 1);
        QVERIFY2(unnamed(frmRiconsegne).isEmpty(), qPrintable(unnamed(frmRiconsegne).join(", ")));
    }

    void dropDownEditsBearTheirDropDownsName() {
        for (QWidget* screen :
             std::initializer_list<QWidget*>{frmRitiri, frmRiconsegne, frmMenuRiepilogo}) {
            for (QComboBox* c : screen->findChildren<QComboBox*>()) {
                if (!c->isVisibleTo(screen) || !c->lineEdit())
                    continue;
                QVERIFY(!c->accessibleName().isEmpty());
                QCOMPARE(c->lineEdit()->accessibleName(), c->accessibleName());
            }
        }
    }

    void auxiliaryScreens() {
        frmSchedario_Chiavi->show();
        const std::function<QDialog*()> makers[] = {
            [] { return new TfrmTrovaSchedario_Chiavi(frmSchedario_Chiavi); },
            [] {
                auto* search = new TfrmTrovaSchedario_Chiavi(frmSchedario_Chiavi);
                search->show();
                search->btnCercaClick(); // the result list
                return search;
            },
            [] { return new TfrmRiepSmarrite(frmSchedario_Chiavi); },
            [] { return new TfrmRiepChiaviRitiro(frmRitiri); },
            [] { return new TfrmRiepChiaviRiconsegna(frmRiconsegne); },
            [] { return new TfrmRiepDaRiconsegnare(frmMenuRiepilogo); },
            [] { return new TfrmAllegaCartella(frmSchedario_Chiavi); },
            [] { return new TfrmRiepilogo_Operazione(frmRiconsegne); },
            [] { return new TfrmRiepilogo(frmMenuRiepilogo); },
            [] { return new TfrmExpChiavi(frmSchedario_Chiavi); },
            [] { return new TfrmStampaScheda_Chiave(frmSchedario_Chiavi); },
            [] { return new TfrmStampaScheda_Ritiro(frmRitiri); },
            [] { return new TfrmStampaScheda_Riconsegna(frmRiconsegne); },
            [] { return new TfrmGuida(frmAvvio); },
            [] { return new TfrmInfo(frmAvvio); },
            [] { return new TfrmSplash(frmAvvio); },
        };
        for (const auto& make : makers) {
            std::unique_ptr<QDialog> screen(make());
            screen->show();
            const QStringList missing = unnamed(screen.get());
            QVERIFY2(missing.isEmpty(),
                     qPrintable(QString::fromLatin1(screen->metaObject()->className()) +
                                QStringLiteral(": ") + missing.join(", ")));
            screen->hide();
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
