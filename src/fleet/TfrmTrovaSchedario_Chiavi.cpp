#include "fleet/TfrmTrovaSchedario_Chiavi.h"

#include "app/DateSettings.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/UiKit.h"
#include "fleet/FleetListView.h"
#include "fleet/FleetLists.h"
#include "store/FleetFile.h"
#include "store/ShortText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

struct FilterField {
    const char* field;
    const char* label;
    const char* caption;
    const char* frame;
    QString TScheda::*member;
};

const FilterField kFilters[] = {
    {"txtCodice", "lblCampo01", "Codice identificativo:", "effCampo01", &TScheda::Codice},
    {"txtTipo", "lblCampo02", "Tipo mezzo:", "effCampo02", &TScheda::Tipo},
    {"txtUtilizzo", "lblCampo03", "Tariffa noleggio:", "effCampo03", &TScheda::Utilizzo},
    {"txtStato", "lblCampo04", "Stato attuale:", "effCampo04", &TScheda::Stato},
    {"txtDuplicati", "lblCampo05", "Caratteristiche mezzo:", "effCampo05", &TScheda::Duplicati},
    {"txtLuogo", "lblCampo06", "Ubicazione:", "effCampo06", &TScheda::Luogo},
    {"txtResponsabile", "lblCampo07", "Accessori in dotazione:", "effCampo07",
     &TScheda::Responsabile},
    {"txtRecapiti", "lblCampo08", "Requisiti per noleggio:", "effCampo08", &TScheda::Recapiti},
    {"txtPersone", "lblCampo09", "Documenti richiesti:", "effCampo09", &TScheda::Persone},
    {"txtNote", "lblCampo10", "Note:", "effCampo10", &TScheda::Note},
};

const QString kMemoryTag = QStringLiteral("schedario_chiavi");

} // namespace

TfrmTrovaSchedario_Chiavi::TfrmTrovaSchedario_Chiavi(QWidget* owner)
    : TAuxDialog(owner, QStringLiteral(" Trova mezzi in flotta")) {
    DateSettings::apply();
    setFixedSize(1320, 630);

    lblMemory = UiKit::hiddenLabel(this, QStringLiteral("lblMemory"));

    FleetListKind kind;
    kind.key = QStringLiteral("TfrmTrovaSchedario_Chiavi");
    kind.caption = windowTitle();
    kind.logo = QStringLiteral(":/art/search-results.svg");
    kind.filter = [](const char*) { return true; };
    kind.row = FleetRows::Format::FourField;
    kind.printedTitle = QStringLiteral("Vuvedi duvav");
    kind.target = [this](const TScheda& card, qint64 position, const QByteArray& stored) {
        if (ShortText::trim(lblMemory->text()) == kMemoryTag)
            FleetLists::toFleetCard(card, position, stored);
    };
    panContainer = new FleetListPanel(kind, FleetListPanel::Look::SearchResult, this);
    panContainer->hide();
    connect(panContainer, &FleetListPanel::closeRequested, this, [this] { done(Rejected); });
    connect(panContainer->btnChiudi, &QPushButton::clicked, this,
            &TfrmTrovaSchedario_Chiavi::btnChiudiClick);

    panAvvio = new QFrame(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->setGeometry(0, 0, 1320, 630);
    panAvvio->setStyleSheet(QStringLiteral(
        "QFrame#panAvvio { background-color: #E6F1F7; }"
        "QPushButton { background-color: #0B5F8A; color: #FFFFFF; border: none;"
        " border-radius: 6px; font-family: Verdana; font-size: 10pt; font-weight: bold; }"
        "QPushButton:hover { background-color: #2E8BC0; }"
        "QPushButton:focus { border: 2px solid #F4E3B5; }"));

    auto* imgTitolo = UiKit::picture(panAvvio, QStringLiteral("imgTitolo"),
                                     QStringLiteral(":/art/search-logo.svg"), QSize(1280, 64));
    imgTitolo->move(20, 14);
    UiKit::name(imgTitolo, QStringLiteral("Trova mezzi in flotta"));

    auto* shpCampi = new QFrame(panAvvio);
    shpCampi->setObjectName(QStringLiteral("shpCampi"));
    shpCampi->setGeometry(20, 90, 880, 476);
    shpCampi->setStyleSheet(QStringLiteral("QFrame#shpCampi { background-color: #FFFFFF;"
                                           " border: 1px solid #B8D3E3; border-radius: 8px; }"));

    QFont labelFont(QStringLiteral("Verdana"), 10);
    labelFont.setBold(true);
    QFont fieldFont(QStringLiteral("Verdana"), 12);
    fieldFont.setBold(true);
    QList<QLineEdit**> members = {&txtCodice,    &txtTipo,  &txtUtilizzo,     &txtStato,
                                  &txtDuplicati, &txtLuogo, &txtResponsabile, &txtRecapiti,
                                  &txtPersone,   &txtNote};
    int y = 104;
    for (int i = 0; i < 10; ++i, y += 45) {
        const FilterField& f = kFilters[i];
        auto* label = new QLabel(QString::fromUtf8(f.caption), panAvvio);
        label->setObjectName(QString::fromLatin1(f.label));
        label->setGeometry(40, y, 230, 32);
        label->setFont(labelFont);
        label->setStyleSheet(QStringLiteral("color: #1F3A4D;"));
        auto* edit = new QLineEdit(panAvvio);
        edit->setObjectName(QString::fromLatin1(f.field));
        edit->setGeometry(280, y, 600, 32);
        edit->setFont(fieldFont);
        edit->setMaxLength(32767);
        UiKit::name(edit, QString::fromUtf8(f.caption).chopped(1));
        label->setBuddy(edit);
        UiKit::frameOnFocus(edit, QString::fromLatin1(f.frame));
        *members[i] = edit;
        filters.append(edit);
    }
    UiKit::enterChain(QList<QWidget*>(filters.begin(), filters.end()));

    imgSpiega = UiKit::picture(panAvvio, QStringLiteral("imgSpiega"),
                               QStringLiteral(":/art/search-spiega.svg"), QSize(380, 476));
    imgSpiega->move(920, 90);
    UiKit::name(imgSpiega,
                QStringLiteral("Digitare nei campi scelti una o più parole consecutive contenute "
                               "nelle schede cercate, lasciando vuoti gli altri campi. Si possono "
                               "usare uno o più campi insieme."));

    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panAvvio);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setGeometry(20, 584, 600, 34);
    lblAttendere->setFont(labelFont);
    lblAttendere->setStyleSheet(QStringLiteral("color: #DC143C;"));
    lblAttendere->hide();

    btnAnnulla = new QPushButton(QStringLiteral("Chiudi"), panAvvio);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setGeometry(1024, 584, 130, 34);
    btnCerca = new QPushButton(QStringLiteral("Cerca"), panAvvio);
    btnCerca->setObjectName(QStringLiteral("btnCerca"));
    btnCerca->setGeometry(1170, 584, 130, 34);
    for (QPushButton* b : {btnAnnulla, btnCerca}) {
        b->setCursor(Qt::PointingHandCursor);
        UiKit::name(b, b->text());
    }

    lblConta = UiKit::hiddenLabel(panAvvio, QStringLiteral("lblConta"), QStringLiteral("0"));

    QWidget* previous = txtNote;
    for (QWidget* next : {static_cast<QWidget*>(btnAnnulla), static_cast<QWidget*>(btnCerca)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmTrovaSchedario_Chiavi::btnAnnullaClick);
    connect(btnCerca, &QPushButton::pressed, this, &TfrmTrovaSchedario_Chiavi::btnCercaMouseDown);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaSchedario_Chiavi::btnCercaClick);
}

void TfrmTrovaSchedario_Chiavi::showEvent(QShowEvent* event) {
    TAuxDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmTrovaSchedario_Chiavi::FormShow() {
    panContainer->reset();
    txtCodice->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaSchedario_Chiavi::btnCercaMouseDown() {
    lblAttendere->show();
    lblAttendere->repaint();
}

void TfrmTrovaSchedario_Chiavi::btnCercaClick() {
    // A filter takes part when it holds more than blanks; it is matched as typed.
    QList<QPair<QString, const FieldDef<TScheda>*>> inUse;
    for (int i = 0; i < filters.size(); ++i)
        if (!ShortText::trim(filters[i]->text()).isEmpty())
            inUse.append(
                {FleetRows::lowerAZ(filters[i]->text()), &TScheda::field(kFilters[i].member)});
    lblConta->setText(QString::number(inUse.size()));

    QStringList rows;
    const bool ok = guarded(
        [&] {
            FleetFile file;
            file.openForReading();
            panContainer->clearRows();
            // Only the fields filtered on are decoded, and the row's once a card matches.
            file.scanRaw([&](qint64, const char* bytes) {
                qsizetype matching = 0;
                for (const auto& [needle, f] : inUse)
                    if (FleetRows::lowerAZ(ShortText::read(bytes + f->offset, f->capacity))
                            .contains(needle))
                        ++matching;
                if (matching == inUse.size())
                    rows.append(FleetRows::row(FleetRows::Format::FourField, bytes));
                return true;
            });
            file.close();
        },
        [] { Msg::plain(kArchiveAccessError); });
    if (!ok) {
        lblAttendere->hide(); // the search is over, though it found nothing
        return;
    }
    panContainer->setRows(std::move(rows));
    panContainer->lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene ") +
                                      QString::number(panContainer->rows().size()) +
                                      QStringLiteral(" schede."));
    panContainer->show();
    panAvvio->hide();
    panContainer->txtTrova->clear();
    panContainer->txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaSchedario_Chiavi::done(int result) {
    panContainer->clearRows();
    lblAttendere->hide();
    TAuxDialog::done(result);
}

void TfrmTrovaSchedario_Chiavi::keyPressEvent(QKeyEvent* event) {
    // Left only through "Chiudi" or a double-click.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    TAuxDialog::keyPressEvent(event);
}
