#include "SampleData.h"
#include "Shots.h"

#include "app/Clock.h"
#include "rentals/TfrmMenuOperazioni.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRiepilogo_Operazione.h"
#include "rentals/TfrmRitiri.h"
#include "store/TScheda.h"

#include <QLineEdit>

ONDERIA_SHOTS(rentals) {
    using Shots::sampleCard;
    Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(14, 7)));
    ctx.save(frmMenuOperazioni, QStringLiteral("operations-menu"));
    frmMenuOperazioni->hide();

    frmRitiri->show();
    ctx.save(frmRitiri, QStringLiteral("pickup-covered"));
    frmRitiri->putCard(sampleCard(), 4);
    frmRitiri->findChild<QLineEdit*>(QStringLiteral("txtPersonaRit"))
        ->setText(QStringLiteral("Mario Rossi 347 1234567"));
    ctx.save(frmRitiri, QStringLiteral("pickup-loaded"));
    frmRitiri->hide();

    TScheda out = sampleCard();
    out.Stato = QStringLiteral("Ritirato da Mario Rossi in data 05/07/2025 alle ore 14:07");
    out.PersonaRit = QStringLiteral("Mario Rossi");
    out.GiornoRit = QStringLiteral("05");
    out.MeseRit = QStringLiteral("Luglio");
    out.AnnoRit = QStringLiteral("2025");
    out.DataRit = QStringLiteral("05/07/2025");
    out.OreRit = QStringLiteral("14");
    out.MinutiRit = QStringLiteral("07");
    out.OraRit = QStringLiteral("14:07");
    frmRiconsegne->show();
    ctx.save(frmRiconsegne, QStringLiteral("return-covered"));
    Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(18, 30)));
    frmRiconsegne->putCard(out, 4);
    frmRiconsegne->findChild<QLineEdit*>(QStringLiteral("txtPersonaRic"))
        ->setText(QStringLiteral("Mario Rossi"));
    ctx.save(frmRiconsegne, QStringLiteral("return-loaded"));

    TfrmRiepilogo_Operazione confirmation(frmRiconsegne);
    confirmation.fill({out.Codice, out.Tipo, out.Utilizzo, out.Luogo, out.Persone, out.PersonaRit,
                       out.DataRit, out.OraRit, QStringLiteral("Mario Rossi"),
                       QStringLiteral("05/07/2025"), QStringLiteral("18:30")});
    ctx.save(&confirmation, QStringLiteral("return-confirmation"));
    confirmation.hide();
    frmRiconsegne->hide();
    Clock::setFixed(QDateTime());
}
