#include "rentals/TfrmOperazione.h"

#include "app/Clock.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Screens.h"
#include "app/Theme.h"
#include "app/UiKit.h"
#include "fleet/FleetLists.h"
#include "output/TfrmStampaScheda.h"
#include "rentals/TfrmRiepilogo_Operazione.h"
#include "store/FleetFile.h"
#include "store/PendingReturn.h"
#include "store/ShortText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kStartStatus = QStringLiteral("Pronto per archiviare una nuova scheda...");

QString trimmed(const QString& text) {
    return ShortText::trim(text);
}

} // namespace

TfrmOperazione::TfrmOperazione(Side side)
    : TAppScreen(QStringLiteral(" Onderia - Ritiri e Riconsegne")), side_(side) {
    const bool ritiro = side == Side::Ritiro;
    QFrame* box = content();

    auto* title = UiKit::picture(box, QStringLiteral("icoTitolo"),
                                 ritiro ? QStringLiteral(":/art/rental-title-ritiro.svg")
                                        : QStringLiteral(":/art/rental-title-riconsegna.svg"),
                                 QSize(1240, 56));
    title->move(20, 18);
    title->setAccessibleName(ritiro ? QStringLiteral("Registrazione ritiro mezzi")
                                    : QStringLiteral("Registrazione riconsegna mezzi"));

    // The craft's card, read-only.
    auto* cardBox = new QGroupBox(QStringLiteral(" Dati del mezzo: "), box);
    cardBox->setObjectName(QStringLiteral("grpScheda"));
    cardBox->setGeometry(20, 96, 700, 440);
    auto* cardGrid = new QGridLayout(cardBox);
    cardGrid->setContentsMargins(18, 24, 18, 18);
    cardGrid->setVerticalSpacing(14);
    cardGrid->setHorizontalSpacing(14);
    auto cardField = [&](int row, const QString& name, const QString& caption) {
        auto* label = new QLabel(caption, cardBox);
        label->setObjectName(QStringLiteral("lblCaption") + name.mid(3));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(cardBox);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setFixedHeight(30);
        edit->setStyleSheet(QStringLiteral("QLineEdit { background-color: #F3F8FB;"
                                           " border: 1px solid #B8D3E3; padding: 1px 6px; }"));
        UiKit::name(edit, caption.chopped(1));
        label->setBuddy(edit);
        cardGrid->addWidget(label, row, 0);
        cardGrid->addWidget(edit, row, 1);
        return edit;
    };
    txtCodice_ =
        cardField(0, QStringLiteral("txtCodice"), QStringLiteral("Codice identificativo:"));
    txtTipo_ = cardField(1, QStringLiteral("txtTipo"), QStringLiteral("Tipo mezzo:"));
    txtUtilizzo_ = cardField(2, QStringLiteral("txtUtilizzo"), QStringLiteral("Tariffa noleggio:"));
    txtLuogo_ = cardField(3, QStringLiteral("txtLuogo"), QStringLiteral("Ubicazione:"));
    txtResponsabile_ =
        cardField(4, QStringLiteral("txtResponsabile"), QStringLiteral("Accessori in dotazione:"));
    txtRecapiti_ =
        cardField(5, QStringLiteral("txtRecapiti"), QStringLiteral("Requisiti per noleggio:"));
    txtPersone_ =
        cardField(6, QStringLiteral("txtPersone"), QStringLiteral("Documenti richiesti:"));
    cardGrid->setColumnStretch(1, 1);
    for (int row = 0; row < 7; ++row)
        cardGrid->setRowStretch(row, 1);

    // Date, time and customer of this side.
    dateTime_ = new TDateTimeGroup(side, box);
    dateTime_->dateBox()->setParent(box);
    dateTime_->timeBox()->setParent(box);
    dateTime_->dateBox()->setGeometry(744, 96, 516, 104);
    dateTime_->timeBox()->setGeometry(744, 214, 516, 104);

    auto* customerCaption = new QLabel(ritiro ? QStringLiteral("Cliente che ritira il mezzo:")
                                              : QStringLiteral("Cliente che riconsegna il mezzo:"),
                                       box);
    customerCaption->setObjectName(QStringLiteral("lblCliente"));
    customerCaption->setGeometry(748, 338, 500, 22);
    customerCaption->setStyleSheet(QStringLiteral("font-weight: bold; color: #0B5F8A;"));
    txtPersonaRit_ = new QLineEdit(box);
    txtPersonaRit_->setObjectName(QStringLiteral("txtPersonaRit"));
    txtPersonaRic_ = new QLineEdit(box);
    txtPersonaRic_->setObjectName(QStringLiteral("txtPersonaRic"));
    QLineEdit* customer = ritiro ? txtPersonaRit_ : txtPersonaRic_;
    QLineEdit* otherCustomer = ritiro ? txtPersonaRic_ : txtPersonaRit_;
    otherCustomer->hide();
    customer->setMaxLength(50);
    customer->setGeometry(748, 364, 512, 32);
    customerCaption->setBuddy(customer);
    UiKit::name(customer, customerCaption->text().chopped(1));
    UiKit::colourOnFocus(customer);
    dateTime_->setCustomerField(customer);

    auto* btnStampa = UiKit::pictureButton(box, QStringLiteral("btnStampa"),
                                           QStringLiteral(":/art/rental-print.svg"), QSize(230, 48),
                                           QStringLiteral("Stampa modulo"));
    btnStampa->move(770, 485);
    auto* btnApplica = UiKit::pictureButton(box, QStringLiteral("btnApplica"),
                                            QStringLiteral(":/art/rental-apply.svg"),
                                            QSize(230, 48), QStringLiteral("Applica e chiudi"));
    btnApplica->move(1024, 485);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmOperazione::btnStampaClick);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmOperazione::btnApplicaClick);

    // The rest of the card rides along, hidden.
    txtScheda_ = UiKit::hiddenLabel(box, QStringLiteral("txtScheda"));
    txtStato_ = UiKit::hiddenEdit(box, QStringLiteral("txtStato"));
    txtDuplicati_ = UiKit::hiddenEdit(box, QStringLiteral("txtDuplicati"));
    txtNote_ = UiKit::hiddenEdit(box, QStringLiteral("txtNote"));
    chkSmarrita_ = new QCheckBox(box);
    chkSmarrita_->setObjectName(QStringLiteral("chkSmarrita"));
    chkSmarrita_->hide();
    for (int i = 0; i < 3; ++i) {
        lblFile_[i] = UiKit::hiddenLabel(box, QStringLiteral("lblFile0%1").arg(i + 1));
        lblDesc_[i] = UiKit::hiddenLabel(box, QStringLiteral("lblDesc0%1").arg(i + 1));
    }
    lblPosizione_ = UiKit::hiddenLabel(box, QStringLiteral("lblPosizione"), QStringLiteral("0"));

    // The start panel covers the work area until a craft is chosen.
    panAvvio_ = new QFrame(box);
    panAvvio_->setObjectName(QStringLiteral("panAvvio"));
    panAvvio_->setGeometry(12, 84, 1256, 540);
    panAvvio_->setStyleSheet(QStringLiteral("QFrame#panAvvio { background-color: #F3F8FB;"
                                            " border: 1px solid #D5E6F0; border-radius: 8px; }"));
    auto* btnSeleziona = UiKit::pictureButton(panAvvio_, QStringLiteral("btnSeleziona"),
                                              QStringLiteral(":/art/rental-select-photo.svg"),
                                              QSize(420, 260), QStringLiteral("Seleziona mezzo"));
    auto* cmdSeleziona = cmdSeleziona_ = UiKit::pictureButton(
        panAvvio_, QStringLiteral("cmdSeleziona"), QStringLiteral(":/art/rental-select.svg"),
        QSize(300, 54), QStringLiteral("Seleziona mezzo"));
    auto* panelHint =
        new QLabel(ritiro ? QStringLiteral("Scegliere il mezzo da consegnare al cliente.")
                          : QStringLiteral("Scegliere il mezzo che il cliente riconsegna."),
                   panAvvio_);
    panelHint->setObjectName(QStringLiteral("lblAvvio"));
    panelHint->setStyleSheet(QStringLiteral("color: #1F3A4D; font-size: 13pt;"));
    auto* panelLayout = new QVBoxLayout(panAvvio_);
    panelLayout->addStretch(1);
    panelLayout->addWidget(btnSeleziona, 0, Qt::AlignHCenter);
    panelLayout->addSpacing(18);
    panelLayout->addWidget(cmdSeleziona, 0, Qt::AlignHCenter);
    panelLayout->addSpacing(8);
    panelLayout->addWidget(panelHint, 0, Qt::AlignHCenter);
    panelLayout->addStretch(1);
    connect(btnSeleziona, &QPushButton::clicked, this, &TfrmOperazione::btnSelezionaClick);
    connect(cmdSeleziona, &QPushButton::clicked, this, &TfrmOperazione::btnSelezionaClick);

    auto* panInfo = new QLabel(kStartStatus, box);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setGeometry(0, Theme::kContentSize.height() - 30, Theme::kContentSize.width(), 30);
    status_ = new UiKit::StatusLine(panInfo);
    const QString selectHint = ritiro ? QStringLiteral("Seleziona il mezzo da ritirare.")
                                      : QStringLiteral("Seleziona il mezzo da riconsegnare.");
    status_->hint(btnSeleziona, selectHint);
    status_->hint(cmdSeleziona, selectHint);
    status_->hint(btnStampa,
                  ritiro
                      ? QStringLiteral("Stampa il modulo da firmare per il ritiro del mezzo.")
                      : QStringLiteral("Stampa il modulo da firmare per la riconsegna del mezzo."));
    status_->hint(btnApplica,
                  QStringLiteral("Salva la scheda e chiudi questa finestra di lavoro."));
    status_->hint(dateTime_->nowButton(), QStringLiteral("Inserisci la data e l'ora corrente."));
    for (QWidget* background :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(box), static_cast<QWidget*>(title),
          static_cast<QWidget*>(panAvvio_), static_cast<QWidget*>(cardBox),
          static_cast<QWidget*>(dateTime_->dateBox()), static_cast<QWidget*>(dateTime_->timeBox())})
        status_->background(background);

    covered_ = {
        cardBox,   dateTime_->dateBox(), dateTime_->timeBox(), customerCaption, customer, btnStampa,
        btnApplica};
    cover(true);
}

void TfrmOperazione::cover(bool on) {
    // Disabled, the covered controls leave the tab chain and ignore keys and clicks; the panel
    // hides their look.
    for (QWidget* w : covered_)
        w->setEnabled(!on);
    panAvvio_->setVisible(on);
    if (on)
        panAvvio_->raise();
    loaded_ = !on;
}

void TfrmOperazione::FormShow() {
    cover(true);
    // The customer field is the screen's first field, but it is covered until a craft is loaded:
    // the focus waits on the panel's button and moves to the customer once the work area shows.
    cmdSeleziona_->setFocus();
}

void TfrmOperazione::btnSelezionaClick() {
    if (side_ == Side::Ritiro)
        FleetLists::openChiaviRitiro(this);
    else
        FleetLists::openChiaviRiconsegna(this);
}

void TfrmOperazione::btnStampaClick() {
    if (!loaded_)
        return;
    if (side_ == Side::Ritiro)
        TfrmStampaScheda_Ritiro::open(this);
    else
        TfrmStampaScheda_Riconsegna::open(this);
}

TfrmOperazione::~TfrmOperazione() = default;

void TfrmOperazione::putCard(const TScheda& card, qint64 position, const QByteArray& stored) {
    const bool ritiro = side_ == Side::Ritiro;
    txtScheda_->setText(card.Scheda);
    txtCodice_->setText(card.Codice);
    txtTipo_->setText(card.Tipo);
    txtUtilizzo_->setText(card.Utilizzo);
    txtStato_->setText(card.Stato);
    txtDuplicati_->setText(card.Duplicati);
    txtLuogo_->setText(card.Luogo);
    txtResponsabile_->setText(card.Responsabile);
    txtRecapiti_->setText(card.Recapiti);
    txtPersone_->setText(card.Persone);
    txtNote_->setText(card.Note);
    if (card.Smarrita == QStringLiteral("Sì"))
        chkSmarrita_->setChecked(true);
    else if (card.Smarrita == QStringLiteral("No"))
        chkSmarrita_->setChecked(false);

    const TDateTimeGroup::Controls& rit = dateTime_->ritiro();
    const TDateTimeGroup::Controls& ric = dateTime_->riconsegna();
    const QString year = Clock::now().toString(QStringLiteral("yyyy"));
    if (ritiro) {
        // A new pick-up starts from nothing: the last rental's data are cleared.
        txtPersonaRit_->clear();
        txtPersonaRic_->clear();
        for (QComboBox* c :
             {rit.giorno, rit.mese, rit.ore, rit.minuti, ric.giorno, ric.mese, ric.ore, ric.minuti})
            UiKit::setDropDownText(c, QString());
        for (QLabel* l : {rit.data, rit.ora, ric.anno, ric.data, ric.ora})
            l->clear();
        rit.anno->setText(year);
    } else {
        // A return keeps who took the craft out and when.
        txtPersonaRit_->setText(card.PersonaRit);
        txtPersonaRic_->setText(card.PersonaRic);
        UiKit::setDropDownText(rit.giorno, card.GiornoRit);
        UiKit::setDropDownText(rit.mese, card.MeseRit);
        rit.anno->setText(card.AnnoRit);
        rit.data->setText(card.DataRit);
        UiKit::setDropDownText(rit.ore, card.OreRit);
        UiKit::setDropDownText(rit.minuti, card.MinutiRit);
        rit.ora->setText(card.OraRit);
        UiKit::setDropDownText(ric.giorno, card.GiornoRic);
        UiKit::setDropDownText(ric.mese, card.MeseRic);
        ric.data->setText(card.DataRic);
        UiKit::setDropDownText(ric.ore, card.OreRic);
        UiKit::setDropDownText(ric.minuti, card.MinutiRic);
        ric.ora->setText(card.OraRic);
        ric.anno->setText(year);
    }
    const QString files[3] = {card.File01, card.File02, card.File03};
    const QString descs[3] = {card.Desc01, card.Desc02, card.Desc03};
    for (int i = 0; i < 3; ++i) {
        lblFile_[i]->setText(files[i]);
        lblDesc_[i]->setText(descs[i]);
    }
    lblPosizione_->setText(QString::number(position));
    shownBytes_ = stored.isEmpty() ? card.toBytes() : stored;
    cover(false);
    (ritiro ? txtPersonaRit_ : txtPersonaRic_)->setFocus();
    dateTime_->nowAction();
}

TScheda TfrmOperazione::cardFromScreen() const {
    const TDateTimeGroup::Controls& rit = dateTime_->ritiro();
    const TDateTimeGroup::Controls& ric = dateTime_->riconsegna();
    TScheda c;
    c.Scheda = txtScheda_->text();
    c.Codice = txtCodice_->text();
    c.Tipo = txtTipo_->text();
    c.Utilizzo = txtUtilizzo_->text();
    if (side_ == Side::Ritiro)
        c.Stato = (QStringLiteral("Ritirato da ") + trimmed(txtPersonaRit_->text()) +
                   QStringLiteral(" in data ") + trimmed(rit.data->text()) +
                   QStringLiteral(" alle ore ") + trimmed(rit.ora->text()))
                      .left(250);
    else
        c.Stato = QStringLiteral("Disponibile");
    c.Duplicati = txtDuplicati_->text();
    c.Luogo = txtLuogo_->text();
    c.Responsabile = txtResponsabile_->text();
    c.Recapiti = txtRecapiti_->text();
    c.Persone = txtPersone_->text();
    c.Note = txtNote_->text();
    c.Smarrita = chkSmarrita_->isChecked() ? QStringLiteral("Sì") : QStringLiteral("No");
    c.PersonaRit = txtPersonaRit_->text();
    c.PersonaRic = txtPersonaRic_->text();
    c.GiornoRit = rit.giorno->currentText();
    c.MeseRit = rit.mese->currentText();
    c.AnnoRit = rit.anno->text();
    c.DataRit = rit.data->text();
    c.OreRit = rit.ore->currentText();
    c.MinutiRit = rit.minuti->currentText();
    c.OraRit = rit.ora->text();
    c.GiornoRic = ric.giorno->currentText();
    c.MeseRic = ric.mese->currentText();
    c.AnnoRic = ric.anno->text();
    c.DataRic = ric.data->text();
    c.OreRic = ric.ore->currentText();
    c.MinutiRic = ric.minuti->currentText();
    c.OraRic = ric.ora->text();
    c.File01 = lblFile_[0]->text();
    c.File02 = lblFile_[1]->text();
    c.File03 = lblFile_[2]->text();
    c.Desc01 = lblDesc_[0]->text();
    c.Desc02 = lblDesc_[1]->text();
    c.Desc03 = lblDesc_[2]->text();
    return c;
}

QStringList TfrmOperazione::rentalValues() const {
    const TDateTimeGroup::Controls& rit = dateTime_->ritiro();
    const TDateTimeGroup::Controls& ric = dateTime_->riconsegna();
    return {txtCodice_->text(),     txtTipo_->text(),       txtUtilizzo_->text(), txtLuogo_->text(),
            txtPersone_->text(),    txtPersonaRit_->text(), rit.data->text(),     rit.ora->text(),
            txtPersonaRic_->text(), ric.data->text(),       ric.ora->text()};
}

void TfrmOperazione::writeCard() {
    // Locked from the check to the write: the card is rewritten only while it is still the
    // one loaded, never over a change made meanwhile on another workstation.
    FleetFile fleet;
    fleet.openForWriting();
    bool ok = false;
    const qint64 p = trimmed(lblPosizione_->text()).toLongLong(&ok);
    if (!ok)
        throw FileError(QStringLiteral("no card position"));
    const QByteArray before = fleet.readBytesAt(p);
    if (before != shownBytes_)
        throw CardChanged(QStringLiteral("card %1 changed").arg(p));
    const QByteArray after = cardFromScreen().toBytes();
    historyLater_ = false;
    if (side_ == Side::Riconsegna)
        pending_ = PendingReturn::begin(p, before, after,
                                        TfrmRiepilogo_Operazione::rentalFrom(rentalValues()));
    bool decided = false;
    try {
        if (pending_)
            fleet.rewriteBytesAt(p, after, pending_->name(), [&] {
                decided = true;
                pending_->cardWritten();
            });
        else
            fleet.rewriteBytesAt(p, after);
    } catch (...) {
        if (!decided) {
            if (pending_)
                pending_->abandon();
            pending_.reset();
            throw;
        }
        // The card is rewritten but its journal has no mark: the redo file left beside the
        // fleet file names the journal, and whoever finishes it marks it; the next start-up
        // then puts the rental in the history.
        pending_->release();
        pending_.reset();
        historyLater_ = true;
    }
    shownBytes_ = after;
    lblPosizione_->setText(QString::number(p));
    fleet.close();
}

void TfrmOperazione::btnApplicaClick() {
    if (!loaded_)
        return; // nothing loaded since the screen was shown: the last craft is not applied again
    if (!dateTime_->checkBeforeSaving())
        return;
    const bool ritiro = side_ == Side::Ritiro;
    QLineEdit* customer = ritiro ? txtPersonaRit_ : txtPersonaRic_;
    if (trimmed(customer->text()).isEmpty()) {
        Msg::warning(ritiro ? QStringLiteral("Attenzione: per salvare la scheda è necessario "
                                             "indicare il cliente che ritira il mezzo.")
                            : QStringLiteral("Attenzione: per salvare la scheda è necessario "
                                             "indicare il cliente che riconsegna il mezzo."));
        customer->setFocus();
        return;
    }
    if (trimmed(lblPosizione_->text()).isEmpty())
        return; // no craft loaded: the start panel keeps the apply out of reach
    const bool written = guarded([this] { writeCard(); }, [] { Msg::error(kArchiveAccessError); });
    if (!written)
        return;
    if (ritiro) {
        Msg::information(QStringLiteral("Il ritiro del mezzo è stato registrato con successo."));
    } else if (!historyLater_ && confirmReturn()) {
        Msg::information(
            QStringLiteral("La riconsegna del mezzo è stata registrata con successo."));
    } else {
        Msg::warning(kRentalLater);
    }
    close();
}

bool TfrmOperazione::confirmReturn() {
    TfrmRiepilogo_Operazione confirmation(this);
    confirmation.fill(rentalValues());
    confirmation.setPending(pending_.get());
    confirmation.exec();
    // A journal left behind (the history could not be written) is completed at the next start.
    pending_.reset();
    return confirmation.written();
}
