#include "output/TfrmStampaScheda.h"

#include "app/Clock.h"
#include "app/DateSettings.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/UiKit.h"
#include "output/report/CardReports.h"
#include "store/ShortText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

Report::Layout layoutFor(TfrmStampaScheda::Kind kind) {
    switch (kind) {
    case TfrmStampaScheda::Kind::Chiave:
        return CardReports::schedaMezzo();
    case TfrmStampaScheda::Kind::Ritiro:
        return CardReports::moduloRitiro();
    case TfrmStampaScheda::Kind::Riconsegna:
        break;
    }
    return CardReports::moduloRiconsegna();
}

// The trimmed text of the caller's control of that name, whatever kind of control it is.
QString controlText(const QWidget* caller, const QString& name) {
    const QWidget* control = caller ? caller->findChild<QWidget*>(name) : nullptr;
    QString text;
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        text = edit->text();
    else if (auto* combo = qobject_cast<const QComboBox*>(control))
        text = combo->currentText();
    else if (auto* label = qobject_cast<const QLabel*>(control))
        text = label->text();
    else
        throw Report::ReportError(QStringLiteral("the calling screen has no control %1").arg(name));
    return ShortText::trim(text);
}

} // namespace

TfrmStampaScheda::TfrmStampaScheda(Kind kind, QWidget* caller)
    : TAuxDialog(caller, QStringLiteral(" Stampa scheda")), kind_(kind), caller_(caller),
      repDocumento_(layoutFor(kind)) {
    setObjectName(QStringLiteral("frmStampaScheda"));
    centreOnOpener(true);
    setStyleSheet(QStringLiteral("QDialog { background-color: #FFFFFF; }"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 18);
    column->setSpacing(10);
    auto* title = UiKit::picture(this, QStringLiteral("imgTitolo"),
                                 QStringLiteral(":/art/print-title.svg"), QSize(500, 64));
    title->setAccessibleName(QStringLiteral("Stampa scheda"));
    auto* first = UiKit::picture(this, QStringLiteral("imgIstruzioni01"),
                                 QStringLiteral(":/art/print-instructions-1.svg"), QSize(500, 52));
    first->setAccessibleName(QStringLiteral("Questa operazione stampa su carta la scheda corrente, "
                                            "con i dati inseriti nella finestra di lavoro."));
    auto* second = UiKit::picture(this, QStringLiteral("imgIstruzioni02"),
                                  QStringLiteral(":/art/print-instructions-2.svg"), QSize(500, 52));
    second->setAccessibleName(QStringLiteral("Premere Stampa per avviare la stampa, oppure "
                                             "Annulla per tornare indietro senza stampare."));
    column->addWidget(title);
    column->addSpacing(4);
    column->addWidget(first);
    column->addWidget(second);
    column->addSpacing(6);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setMinimumSize(110, 30);
    auto* btnStampa = new QPushButton(QStringLiteral("Stampa"), this);
    btnStampa->setObjectName(QStringLiteral("btnStampa"));
    btnStampa->setMinimumSize(110, 30);
    buttons->addWidget(btnAnnulla);
    buttons->addWidget(btnStampa);
    column->addLayout(buttons);
    setTabOrder(btnStampa, btnAnnulla);
    btnStampa->setFocus();
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmStampaScheda::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmStampaScheda::btnStampaClick);
    setFixedSize(sizeHint());
    FormCreate();
}

void TfrmStampaScheda::FormCreate() {
    DateSettings::apply();
}

void TfrmStampaScheda::btnAnnullaClick() {
    close();
}

void TfrmStampaScheda::fillFromCaller() {
    const QWidget* caller = caller_.data();
    auto set = [&](const QString& object, const QString& text) {
        repDocumento_.setText(object, text);
    };
    auto copy = [&](const char* name) {
        const QString n = QString::fromLatin1(name);
        set(n, controlText(caller, n));
    };
    if (kind_ == Kind::Chiave) {
        for (const char* name :
             {"txtCodice", "txtTipo", "txtUtilizzo", "txtStato", "txtDuplicati", "txtLuogo",
              "txtResponsabile", "txtRecapiti", "txtPersone", "txtNote"})
            copy(name);
        return;
    }
    const QString s = kind_ == Kind::Ritiro ? QStringLiteral("Rit") : QStringLiteral("Ric");
    auto text = [&](const QString& prefix) { return controlText(caller, prefix + s); };
    copy("txtCodice");
    copy("txtTipo");
    copy("txtUtilizzo");
    set(QStringLiteral("txtPersona") + s, text(QStringLiteral("txtPersona")));
    // The date with the month's name: "05 Luglio 2025".
    set(QStringLiteral("txtData") + s, text(QStringLiteral("txtGiorno")) + QLatin1Char(' ') +
                                           text(QStringLiteral("txtMese")) + QLatin1Char(' ') +
                                           text(QStringLiteral("lblAnno")));
    set(QStringLiteral("txtOra") + s,
        text(QStringLiteral("txtOre")) + QLatin1Char(':') + text(QStringLiteral("txtMinuti")));
}

void TfrmStampaScheda::btnStampaClick() {
    guarded(
        [&] {
            repDocumento_.setOrientation(QPageLayout::Portrait);
            fillFromCaller();
            repDocumento_.setText(QStringLiteral("txtCalce"), Report::printStamp(Clock::now()));
            repDocumento_.printToDefault(this);
        },
        [] { Msg::warning(kPrintError); });
    close();
}
