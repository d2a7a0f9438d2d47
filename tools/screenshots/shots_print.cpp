#include "SampleData.h"
#include "Shots.h"

#include "app/Clock.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "output/TfrmStampaScheda.h"
#include "output/report/Printing.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRitiri.h"
#include "store/TScheda.h"

#include <QLineEdit>

namespace {
void setText(QWidget* screen, const char* name, const QString& text) {
    screen->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
}
} // namespace

ONDERIA_SHOTS(print) {
    using Shots::sampleCard;
    Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(14, 7, 12)));
    frmRitiri->show();
    frmRitiri->putCard(sampleCard(), 4);
    setText(frmRitiri, "txtPersonaRit", QStringLiteral("Mario Rossi"));
    {
        TfrmStampaScheda_Ritiro screen(frmRitiri);
        ctx.save(&screen, QStringLiteral("print-dialog"));
        screen.hide();
    }

    // The three printed pages, each turned into a picture.
    Printing::Test::toPdf(ctx.programFolder);
    TfrmStampaScheda_Ritiro(frmRitiri).btnStampaClick();
    frmRitiri->hide();

    TScheda out = sampleCard();
    out.Stato = QStringLiteral("Ritirato da Mario Rossi in data 05/07/2025 alle ore 14:07");
    Clock::setFixed(QDateTime(QDate(2025, 7, 5), QTime(18, 30, 48)));
    frmRiconsegne->show();
    frmRiconsegne->putCard(out, 4);
    setText(frmRiconsegne, "txtPersonaRic", QStringLiteral("Mario Rossi"));
    TfrmStampaScheda_Riconsegna(frmRiconsegne).btnStampaClick();
    frmRiconsegne->hide();

    frmSchedario_Chiavi->show();
    const TScheda card = sampleCard();
    frmSchedario_Chiavi->txtCodice->setText(card.Codice);
    frmSchedario_Chiavi->txtTipo->setText(card.Tipo);
    frmSchedario_Chiavi->txtUtilizzo->setText(card.Utilizzo);
    frmSchedario_Chiavi->txtStato->setText(card.Stato);
    frmSchedario_Chiavi->txtDuplicati->setText(card.Duplicati);
    frmSchedario_Chiavi->txtLuogo->setText(card.Luogo);
    frmSchedario_Chiavi->txtResponsabile->setText(card.Responsabile);
    frmSchedario_Chiavi->txtRecapiti->setText(card.Recapiti);
    frmSchedario_Chiavi->txtPersone->setText(card.Persone);
    frmSchedario_Chiavi->txtNote->setText(card.Note);
    TfrmStampaScheda_Chiave(frmSchedario_Chiavi).btnStampaClick();
    frmSchedario_Chiavi->hide();

    const QStringList files = Printing::Test::files();
    Printing::Test::toPdf(QString());
    const char* names[] = {"printed-pickup-form", "printed-return-form", "printed-card"};
    for (int i = 0; i < files.size() && i < 3; ++i)
        ctx.savePdfPage(files[i], QString::fromLatin1(names[i]));
    Clock::setFixed(QDateTime());
}
