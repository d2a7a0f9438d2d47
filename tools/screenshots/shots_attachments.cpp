#include "Shots.h"

#include "fleet/TfrmAllegaCartella.h"
#include "fleet/TfrmSchedario_Chiavi.h"

#include <QLabel>

ONDERIA_SHOTS(attachments) {
    frmSchedario_Chiavi->findChild<QLabel*>(QStringLiteral("lblFile01"))
        ->setText(QStringLiteral("libretto_JS-04.pdf"));
    frmSchedario_Chiavi->findChild<QLabel*>(QStringLiteral("lblDesc01"))
        ->setText(QStringLiteral("Libretto di uso e manutenzione"));
    frmSchedario_Chiavi->findChild<QLabel*>(QStringLiteral("lblFile02"))
        ->setText(QStringLiteral("fattura_acquisto_2024.pdf"));
    frmSchedario_Chiavi->findChild<QLabel*>(QStringLiteral("lblDesc02"))
        ->setText(QStringLiteral("Fattura di acquisto"));
    TfrmAllegaCartella screen(frmSchedario_Chiavi);
    screen.fillFromCardForShot();
    ctx.save(&screen, QStringLiteral("attachments"));
}
