#include "fleet/TfrmSchedario_Chiavi.h"

#include "app/DateSettings.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Theme.h"
#include "app/UiKit.h"
#include "fleet/FleetLists.h"
#include "fleet/TfrmAllegaCartella.h"
#include "help/Help.h"
#include "output/TfrmExpChiavi.h"
#include "output/TfrmStampaScheda.h"
#include "rentals/Dates.h"
#include "store/FleetFile.h"
#include "store/ShortText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

TfrmSchedario_Chiavi* frmSchedario_Chiavi = nullptr;

namespace {

const QString kReady = QStringLiteral("Pronto per archiviare una nuova scheda...");
const QString kAvailable = QStringLiteral("Disponibile");
const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");

// Geometry of the content (1280x660): toolbar band on top, the sea picture on the left, the
// form on the right, the status line at the bottom.
constexpr int kToolbarHeight = 76;
constexpr int kFormLeft = 330;
constexpr int kCaptionWidth = 230;
constexpr int kFieldLeft = kFormLeft + kCaptionWidth + 12;
constexpr int kFieldRight = 1250;
constexpr int kFirstRow = 102;
constexpr int kRowStep = 47;
constexpr int kFieldHeight = 30;
constexpr int kStatusHeight = 28;

QString art(const char* name) {
    return QStringLiteral(":/art/card-%1.svg").arg(QLatin1String(name));
}

QComboBox* hiddenDropDown(QWidget* parent, const QString& name, const QStringList& items) {
    QComboBox* box = UiKit::listDropDown(parent, name, items);
    box->hide();
    return box;
}

QFrame* separator(QWidget* parent, int x) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("shpSeparatore%1").arg(x));
    line->setGeometry(x, 16, 1, kToolbarHeight - 32);
    line->setStyleSheet(QStringLiteral("background-color: #B8D3E3;"));
    return line;
}

} // namespace

TfrmSchedario_Chiavi::TfrmSchedario_Chiavi()
    : TAppScreen(QStringLiteral(" Onderia - Vuvedi Duvav")) {
    DateSettings::apply();
    panInfo = new QLabel(content());
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setGeometry(0, Theme::kContentSize.height() - kStatusHeight,
                         Theme::kContentSize.width(), kStatusHeight);
    panInfo->setText(kReady);
    UiKit::name(panInfo, QStringLiteral("Riga di stato"));
    status_ = new UiKit::StatusLine(panInfo);
    status_->background(this);
    status_->background(content());

    buildToolbar();
    buildForm();
    buildHiddenCarriers();
    startNewCard(false);
}

void TfrmSchedario_Chiavi::buildToolbar() {
    auto* band = new QFrame(content());
    band->setObjectName(QStringLiteral("shpToolbar"));
    band->setGeometry(1, 1, Theme::kContentSize.width() - 2, kToolbarHeight);
    band->setStyleSheet(QStringLiteral(
        "QFrame#shpToolbar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #F3F9FC, stop:1 #E2EFF6); border: none; border-bottom: 1px solid #B8D3E3;"
        " border-top-left-radius: 8px; border-top-right-radius: 8px; }"));
    status_->background(band);

    const QSize icon(44, 44);
    const QSize wide(124, 44);
    const int top = (kToolbarHeight - 50) / 2;
    auto place = [&](const char* name, const char* svg, const QSize& size, const QString& what,
                     int x) {
        QPushButton* b =
            UiKit::pictureButton(band, QString::fromLatin1(name), art(svg), size, what);
        b->move(x, top);
        return b;
    };

    cmdNuovo = place("cmdNuovo", "nuovo", icon, QStringLiteral("Nuova scheda"), 14);
    cmdDuplica = place("cmdDuplica", "duplica", icon, QStringLiteral("Duplica scheda"), 68);
    cmdSalva = place("cmdSalva", "salva", icon, QStringLiteral("Salva scheda"), 122);
    cmdTrova = place("cmdTrova", "trova", icon, QStringLiteral("Trova scheda"), 176);
    separator(band, 236);
    cmdFile = place("cmdFile", "allega", wide, QStringLiteral("Allega file"), 248);
    cmdStampa = place("cmdStampa", "stampa", wide, QStringLiteral("Stampa"), 386);
    separator(band, 528);

    // Navigation in the middle, the position between the arrows.
    cmdPrimo = place("cmdPrimo", "primo", icon, QStringLiteral("Prima scheda"), 604);
    cmdIndietro = place("cmdIndietro", "indietro", icon, QStringLiteral("Scheda precedente"), 658);
    lblPosizione = new QLabel(band);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(716, top + 7, 80, 36);
    lblPosizione->setAlignment(Qt::AlignCenter);
    lblPosizione->setStyleSheet(
        QStringLiteral("QLabel#lblPosizione { background-color: #FFFFFF; color: #0B5F8A;"
                       " border: 1px solid #87CEEB; border-radius: 5px; font-size: 13pt;"
                       " font-weight: bold; }"));
    UiKit::name(lblPosizione, QStringLiteral("Posizione della scheda in archivio"));
    cmdAvanti = place("cmdAvanti", "avanti", icon, QStringLiteral("Scheda successiva"), 800);
    cmdUltimo = place("cmdUltimo", "ultimo", icon, QStringLiteral("Ultima scheda"), 854);

    separator(band, 1040);
    cmdEsporta =
        place("cmdEsporta", "esporta", icon, QStringLiteral("Esporta in Microsoft Excel"), 1050);
    cmdSmarrite = place("cmdSmarrite", "smarrite", icon,
                        QStringLiteral("Elenco mezzi non noleggiabili"), 1104);
    separator(band, 1164);
    cmdGuida = place("cmdGuida", "guida", icon, QStringLiteral("Guida in linea"), 1170);
    cmdEsci = place("cmdEsci", "esci", icon, QStringLiteral("Esci"), 1224);

    status_->hint(cmdNuovo,
                  QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda."));
    status_->hint(cmdDuplica, QStringLiteral("Prepara la schermata per la registrazione di una "
                                             "nuova scheda duplicando i dati correnti."));
    status_->hint(cmdSalva, QStringLiteral("Salva la scheda corrente in archivio."));
    status_->hint(cmdTrova, QStringLiteral("Trova una scheda in archivio."));
    status_->hint(cmdFile, QStringLiteral("Allega file alla scheda corrente."));
    status_->hint(cmdStampa, QStringLiteral("Stampa la scheda corrente."));
    status_->hint(cmdPrimo, QStringLiteral("Visualizza la prima scheda in archivio."));
    status_->hint(cmdIndietro, QStringLiteral("Visualizza la scheda precedente in archivio."));
    status_->hint(cmdAvanti, QStringLiteral("Visualizza la scheda successiva in archivio."));
    status_->hint(cmdUltimo, QStringLiteral("Visualizza l'ultima scheda in archivio."));
    status_->hint(cmdEsporta, QStringLiteral("Esporta le schede in archivio in un file di "
                                             "Microsoft Excel."));
    status_->hint(cmdSmarrite, QStringLiteral("Visualizza l'elenco dei mezzi non noleggiabili."));
    status_->hint(cmdGuida, QStringLiteral("Visualizza la guida in linea."));
    status_->hint(cmdEsci, QStringLiteral("Esci da questa schermata."));

    connect(cmdNuovo, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdNuovoClick);
    connect(cmdDuplica, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdDuplicaClick);
    connect(cmdSalva, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdSalvaClick);
    connect(cmdTrova, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdTrovaClick);
    connect(cmdFile, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdFileClick);
    connect(cmdStampa, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdStampaClick);
    connect(cmdPrimo, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdPrimoClick);
    connect(cmdIndietro, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdIndietroClick);
    connect(cmdAvanti, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdAvantiClick);
    connect(cmdUltimo, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdUltimoClick);
    connect(cmdEsporta, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdEsportaClick);
    connect(cmdSmarrite, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdSmarriteClick);
    connect(cmdGuida, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdGuidaClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmSchedario_Chiavi::cmdEsciClick);
}

void TfrmSchedario_Chiavi::buildForm() {
    QWidget* c = content();

    // The sea picture on the left: decoration only.
    QLabel* side = UiKit::picture(c, QStringLiteral("imgMare"), art("mare"), QSize(286, 514));
    side->move(18, kToolbarHeight + 18);
    UiKit::name(side, QStringLiteral("Vuvedi Duvav - Schedario dei mezzi a noleggio"));
    status_->background(side);

    txtScheda = UiKit::hiddenLabel(c, QStringLiteral("txtScheda"));

    struct Row {
        QLineEdit** field;
        const char* name;
        const char* caption; // caption picture, or nullptr for the notes row
        QString accessible;
        int maxLength;
        int width; // 0: up to the right edge of the form
    };
    const Row rows[] = {
        {&txtCodice, "txtCodice", "codice", QStringLiteral("Codice identificativo"), 20, 260},
        {&txtTipo, "txtTipo", "tipo", QStringLiteral("Tipo mezzo"), 50, 470},
        {&txtUtilizzo, "txtUtilizzo", "tariffa", QStringLiteral("Tariffa noleggio"), 50, 470},
        {&txtStato, "txtStato", "stato", QStringLiteral("Stato attuale"), 250, 0},
        {&txtDuplicati, "txtDuplicati", "caratteristiche", QStringLiteral("Caratteristiche mezzo"),
         250, 0},
        {&txtLuogo, "txtLuogo", "ubicazione", QStringLiteral("Ubicazione"), 250, 0},
        {&txtResponsabile, "txtResponsabile", "accessori", QStringLiteral("Accessori in dotazione"),
         250, 0},
        {&txtRecapiti, "txtRecapiti", "requisiti", QStringLiteral("Requisiti per noleggio"), 250,
         0},
        {&txtPersone, "txtPersone", "documenti", QStringLiteral("Documenti richiesti"), 250, 0},
        {&txtNote, "txtNote", nullptr, QStringLiteral("Note"), 250, 0},
    };

    QFont fieldFont = font();
    fieldFont.setPointSize(10);
    int y = kFirstRow;
    for (const Row& row : rows) {
        const QString name = QString::fromLatin1(row.name);
        auto* edit = new QLineEdit(c);
        edit->setObjectName(name);
        edit->setMaxLength(row.maxLength);
        edit->setFont(fieldFont);
        const int width = row.width ? row.width : kFieldRight - kFieldLeft;
        edit->setGeometry(kFieldLeft, y, width, kFieldHeight);
        UiKit::name(edit, row.accessible);
        *row.field = edit;

        const int captionTop = y + (kFieldHeight - 28) / 2;
        if (row.caption) {
            QLabel* caption = UiKit::picture(c, QStringLiteral("ico") + name.mid(3),
                                             art(row.caption), QSize(kCaptionWidth, 28));
            caption->move(kFormLeft, captionTop);
            UiKit::name(caption, row.accessible + QLatin1Char(':'));
            caption->setBuddy(edit);
            status_->background(caption);
        } else {
            // Notes: a plain label with the picture of a writing hand before it.
            auto* label = new QLabel(QStringLiteral("Note:"), c);
            label->setObjectName(QStringLiteral("lblNote"));
            QFont captionFont = font();
            captionFont.setPointSize(10);
            captionFont.setBold(true);
            label->setFont(captionFont);
            label->setStyleSheet(QStringLiteral("color: #1F3A4D;"));
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setGeometry(kFormLeft, captionTop, kCaptionWidth - 6, 28);
            label->setBuddy(edit);
            status_->background(label);
            QLabel* hand = UiKit::picture(c, QStringLiteral("icoNote"), art("mano"), QSize(34, 28));
            const int textWidth = QFontMetrics(captionFont).horizontalAdvance(label->text());
            hand->move(kFormLeft + kCaptionWidth - 6 - textWidth - 40, captionTop);
            status_->background(hand);
        }
        y += kRowStep;
    }

    txtStato->setReadOnly(true);
    txtStato->setFocusPolicy(Qt::StrongFocus);

    // The not-rentable flag under the notes, beside its warning triangle.
    QLabel* triangle =
        UiKit::picture(c, QStringLiteral("icoSmarrita"), art("triangolo"), QSize(28, 26));
    triangle->move(kFieldLeft, y + 2);
    status_->background(triangle);
    chkSmarrita = new QCheckBox(QStringLiteral("Non noleggiabile"), c);
    chkSmarrita->setObjectName(QStringLiteral("chkSmarrita"));
    QFont checkFont = font();
    checkFont.setPointSize(10);
    checkFont.setBold(true);
    chkSmarrita->setFont(checkFont);
    chkSmarrita->setStyleSheet(
        QStringLiteral("QCheckBox { color: #8A4B00; spacing: 8px; }"
                       " QCheckBox::indicator { width: 17px; height: 17px; }"));
    chkSmarrita->setGeometry(kFieldLeft + 36, y, 260, kFieldHeight);
    chkSmarrita->setCursor(Qt::PointingHandCursor);
    UiKit::name(chkSmarrita, QStringLiteral("Non noleggiabile"));
    status_->hint(chkSmarrita, QStringLiteral("Spunta questa casella per indicare che il mezzo "
                                              "non è noleggiabile."));

    const QList<QLineEdit*> visible = {txtCodice,    txtTipo,  txtUtilizzo,     txtStato,
                                       txtDuplicati, txtLuogo, txtResponsabile, txtRecapiti,
                                       txtPersone,   txtNote};
    for (QLineEdit* edit : visible)
        UiKit::colourOnFocus(edit);
    for (qsizetype i = 0; i + 1 < visible.size(); ++i)
        setTabOrder(visible.at(i), visible.at(i + 1));
    setTabOrder(txtNote, chkSmarrita);

    UiKit::enterChain({txtCodice, txtTipo, txtUtilizzo, txtDuplicati, txtLuogo, txtResponsabile,
                       txtRecapiti, txtPersone, txtNote});
    // The chain skips the read-only state; Enter there goes on to the features.
    txtStato->installEventFilter(this);
}

void TfrmSchedario_Chiavi::buildHiddenCarriers() {
    QWidget* c = content();
    const QStringList& days = Dates::dayItems();
    const QStringList& hours = Dates::hourItems();
    const QStringList& minutes = Dates::minuteItems();

    txtPersonaRit = UiKit::hiddenEdit(c, QStringLiteral("txtPersonaRit"));
    txtPersonaRic = UiKit::hiddenEdit(c, QStringLiteral("txtPersonaRic"));

    txtGiornoRit = hiddenDropDown(c, QStringLiteral("txtGiornoRit"), days);
    txtMeseRit = hiddenDropDown(c, QStringLiteral("txtMeseRit"), Dates::monthNames());
    txtOreRit = hiddenDropDown(c, QStringLiteral("txtOreRit"), hours);
    txtMinutiRit = hiddenDropDown(c, QStringLiteral("txtMinutiRit"), minutes);
    lblAnnoRit = UiKit::hiddenLabel(c, QStringLiteral("lblAnnoRit"));
    lblDataRit = UiKit::hiddenLabel(c, QStringLiteral("lblDataRit"));
    lblOraRit = UiKit::hiddenLabel(c, QStringLiteral("lblOraRit"));

    txtGiornoRic = hiddenDropDown(c, QStringLiteral("txtGiornoRic"), days);
    txtMeseRic = hiddenDropDown(c, QStringLiteral("txtMeseRic"), Dates::monthNames());
    txtOreRic = hiddenDropDown(c, QStringLiteral("txtOreRic"), hours);
    txtMinutiRic = hiddenDropDown(c, QStringLiteral("txtMinutiRic"), minutes);
    lblAnnoRic = UiKit::hiddenLabel(c, QStringLiteral("lblAnnoRic"));
    lblDataRic = UiKit::hiddenLabel(c, QStringLiteral("lblDataRic"));
    lblOraRic = UiKit::hiddenLabel(c, QStringLiteral("lblOraRic"));

    lblFile01 = UiKit::hiddenLabel(c, QStringLiteral("lblFile01"));
    lblFile02 = UiKit::hiddenLabel(c, QStringLiteral("lblFile02"));
    lblFile03 = UiKit::hiddenLabel(c, QStringLiteral("lblFile03"));
    lblDesc01 = UiKit::hiddenLabel(c, QStringLiteral("lblDesc01"));
    lblDesc02 = UiKit::hiddenLabel(c, QStringLiteral("lblDesc02"));
    lblDesc03 = UiKit::hiddenLabel(c, QStringLiteral("lblDesc03"));
}

bool TfrmSchedario_Chiavi::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtStato && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtDuplicati->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return TAppScreen::eventFilter(watched, event);
}

void TfrmSchedario_Chiavi::FormShow() {
    // The status line keeps what it showed: its starting text is not restored.
    startNewCard(false);
}

void TfrmSchedario_Chiavi::startNewCard(bool keepDescription) {
    if (!keepDescription) {
        for (QLineEdit* edit : {txtCodice, txtTipo, txtUtilizzo, txtDuplicati, txtLuogo,
                                txtResponsabile, txtRecapiti, txtPersone, txtNote})
            edit->clear();
    }
    txtStato->setText(kAvailable);
    txtStato->setCursorPosition(0);
    chkSmarrita->setChecked(false);
    txtScheda->clear();
    txtPersonaRit->clear();
    txtPersonaRic->clear();
    for (QComboBox* box : {txtGiornoRit, txtMeseRit, txtOreRit, txtMinutiRit, txtGiornoRic,
                           txtMeseRic, txtOreRic, txtMinutiRic}) {
        box->setCurrentIndex(-1);
        box->clearEditText();
    }
    for (QLabel* label : {lblAnnoRit, lblDataRit, lblOraRit, lblAnnoRic, lblDataRic, lblOraRic,
                          lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03})
        label->clear();
    lblPosizione->clear();
    shownBytes_.clear();
    txtCodice->setFocus(Qt::OtherFocusReason);
}

void TfrmSchedario_Chiavi::putCard(const TScheda& card, qint64 position, const QByteArray& stored) {
    const std::pair<QLineEdit*, const QString*> edits[] = {
        {txtCodice, &card.Codice},
        {txtTipo, &card.Tipo},
        {txtUtilizzo, &card.Utilizzo},
        {txtStato, &card.Stato},
        {txtDuplicati, &card.Duplicati},
        {txtLuogo, &card.Luogo},
        {txtResponsabile, &card.Responsabile},
        {txtRecapiti, &card.Recapiti},
        {txtPersone, &card.Persone},
        {txtNote, &card.Note},
        {txtPersonaRit, &card.PersonaRit},
        {txtPersonaRic, &card.PersonaRic},
    };
    for (const auto& [edit, value] : edits) {
        edit->setText(*value);
        edit->setCursorPosition(0); // long texts show their beginning
    }
    txtScheda->setText(card.Scheda);
    if (card.Smarrita == QStringLiteral("Sì"))
        chkSmarrita->setChecked(true);
    else if (card.Smarrita == QStringLiteral("No"))
        chkSmarrita->setChecked(false);

    const std::pair<QComboBox*, const QString*> boxes[] = {
        {txtGiornoRit, &card.GiornoRit}, {txtMeseRit, &card.MeseRit},
        {txtOreRit, &card.OreRit},       {txtMinutiRit, &card.MinutiRit},
        {txtGiornoRic, &card.GiornoRic}, {txtMeseRic, &card.MeseRic},
        {txtOreRic, &card.OreRic},       {txtMinutiRic, &card.MinutiRic},
    };
    for (const auto& [box, value] : boxes)
        box->setEditText(*value);

    const std::pair<QLabel*, const QString*> labels[] = {
        {lblAnnoRit, &card.AnnoRit}, {lblDataRit, &card.DataRit}, {lblOraRit, &card.OraRit},
        {lblAnnoRic, &card.AnnoRic}, {lblDataRic, &card.DataRic}, {lblOraRic, &card.OraRic},
        {lblFile01, &card.File01},   {lblFile02, &card.File02},   {lblFile03, &card.File03},
        {lblDesc01, &card.Desc01},   {lblDesc02, &card.Desc02},   {lblDesc03, &card.Desc03},
    };
    for (const auto& [label, value] : labels)
        label->setText(*value);

    lblPosizione->setText(position > 0 ? QString::number(position) : QString());
    shownBytes_ = stored.isEmpty() ? card.toBytes() : stored;
}

TScheda TfrmSchedario_Chiavi::cardFromControls() const {
    TScheda card;
    card.Scheda = txtScheda->text();
    card.Codice = txtCodice->text();
    card.Tipo = txtTipo->text();
    card.Utilizzo = txtUtilizzo->text();
    card.Stato = txtStato->text();
    card.Duplicati = txtDuplicati->text();
    card.Luogo = txtLuogo->text();
    card.Responsabile = txtResponsabile->text();
    card.Recapiti = txtRecapiti->text();
    card.Persone = txtPersone->text();
    card.Note = txtNote->text();
    card.Smarrita = chkSmarrita->isChecked() ? QStringLiteral("Sì") : QStringLiteral("No");
    card.GiornoRit = txtGiornoRit->currentText();
    card.MeseRit = txtMeseRit->currentText();
    card.AnnoRit = lblAnnoRit->text();
    card.DataRit = lblDataRit->text();
    card.OreRit = txtOreRit->currentText();
    card.MinutiRit = txtMinutiRit->currentText();
    card.OraRit = lblOraRit->text();
    card.GiornoRic = txtGiornoRic->currentText();
    card.MeseRic = txtMeseRic->currentText();
    card.AnnoRic = lblAnnoRic->text();
    card.DataRic = lblDataRic->text();
    card.OreRic = txtOreRic->currentText();
    card.MinutiRic = txtMinutiRic->currentText();
    card.OraRic = lblOraRic->text();
    card.PersonaRit = txtPersonaRit->text();
    card.PersonaRic = txtPersonaRic->text();
    card.File01 = lblFile01->text();
    card.File02 = lblFile02->text();
    card.File03 = lblFile03->text();
    card.Desc01 = lblDesc01->text();
    card.Desc02 = lblDesc02->text();
    card.Desc03 = lblDesc03->text();
    return card;
}

// --- Browsing -------------------------------------------------------------------------------

void TfrmSchedario_Chiavi::browse(Step step) {
    const QString shown = lblPosizione->text().trimmed();
    const qint64 p = shown.toLongLong(); // an empty position stands before the first card
    std::optional<TScheda> card;
    QByteArray bytes;
    qint64 position = 0;
    bool emptyArchive = false;
    bool forgetPosition = false;

    const bool done = guarded(
        [&] {
            FleetFile file;
            file.openForReading();
            const qint64 n = file.count();
            auto load = [&](qint64 at) {
                bytes = file.readBytesAt(at);
                card = TScheda::fromBytes(bytes);
                position = at;
            };
            switch (step) {
            case Step::First:
                if (n == 0)
                    emptyArchive = true;
                else
                    load(1);
                break;
            case Step::Last:
                if (n == 0)
                    emptyArchive = true;
                else
                    load(n);
                break;
            case Step::Next:
                if (n == 0) {
                    forgetPosition = true;
                    emptyArchive = true;
                } else if (p < n) {
                    load(p + 1);
                }
                break;
            case Step::Previous:
                if (shown == QStringLiteral("1"))
                    break; // the first card is shown: nothing before it
                if (n == 0)
                    emptyArchive = true;
                else if (shown.isEmpty())
                    load(1);
                else
                    load(p - 1);
                break;
            }
            file.close();
        },
        [] { Msg::error(kArchiveAccessError); });
    if (!done)
        return;
    if (forgetPosition)
        lblPosizione->clear();
    if (card)
        putCard(*card, position, bytes);
    if (emptyArchive)
        Msg::information(kEmptyArchive);
}

void TfrmSchedario_Chiavi::cmdPrimoClick() {
    browse(Step::First);
}

void TfrmSchedario_Chiavi::cmdIndietroClick() {
    browse(Step::Previous);
}

void TfrmSchedario_Chiavi::cmdAvantiClick() {
    browse(Step::Next);
}

void TfrmSchedario_Chiavi::cmdUltimoClick() {
    browse(Step::Last);
}

// --- New, duplicate, save -------------------------------------------------------------------

void TfrmSchedario_Chiavi::cmdNuovoClick() {
    startNewCard(false);
}

void TfrmSchedario_Chiavi::cmdDuplicaClick() {
    if (lblPosizione->text().trimmed().isEmpty()) {
        Msg::warning(QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire "
                                    "soltanto dopo che questa è stata inserita in archivio."));
        return;
    }
    startNewCard(true);
    const bool done = guarded(
        [] {
            FleetFile file;
            file.openForReading();
            file.close();
        },
        [] { Msg::error(kArchiveAccessError); });
    txtCodice->setFocus(Qt::OtherFocusReason);
    if (done)
        Msg::information(QStringLiteral("E' ora possibile apportare le proprie modifiche alla "
                                        "scheda corrente.\n\r\n\rAl termine premere Salva per "
                                        "inserire la scheda in archivio."));
}

void TfrmSchedario_Chiavi::cmdSalvaClick() {
    // The required fields, in the order they are checked.
    const std::pair<QLineEdit*, QString> required[] = {
        {txtCodice, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                   "codice identificativo del mezzo.")},
        {txtTipo, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                 "tipo di mezzo.")},
        {txtUtilizzo, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare "
                                     "la tariffa di noleggio.")},
        {txtLuogo, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare "
                                  "l'ubicazione del mezzo.")},
        {txtPersone, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i "
                                    "documenti richiesti al cliente per il noleggio.")},
    };
    for (const auto& [field, message] : required) {
        if (ShortText::trim(field->text()).isEmpty()) {
            Msg::warning(message);
            field->setFocus(Qt::OtherFocusReason);
            return;
        }
    }

    TScheda card = cardFromControls();
    const QString shown = lblPosizione->text().trimmed();
    qint64 stored = 0;
    QByteArray written;
    const bool done = guarded(
        [&] {
            // Locked from the count to the append, so two workstations saving new cards at
            // once never give two of them one number.
            FleetFile file;
            file.openForWriting();
            if (!shown.isEmpty()) {
                bool number = false;
                const qint64 p = shown.toLongLong(&number);
                if (!number)
                    throw FileError(QStringLiteral("no position %1").arg(shown));
                written = file.rewriteIfUnchanged(p, shownBytes_, card);
                stored = p;
            } else {
                card.Scheda = TScheda::numberFor(file.count() + 1);
                written = card.toBytes();
                stored = file.append(card);
            }
            file.close();
        },
        [] { Msg::error(kArchiveAccessError); });
    if (!done)
        return; // the screen keeps what it showed; a new card stays without a position
    shownBytes_ = written;

    if (!shown.isEmpty()) {
        Msg::information(QStringLiteral("Le modifiche apportate alla scheda corrente sono state "
                                        "salvate in archivio."));
        return;
    }
    txtScheda->setText(card.Scheda);
    lblPosizione->setText(QString::number(stored));
    Msg::information(QStringLiteral("La scheda corrente è stata inserita in archivio."));
}

// --- Toolbar screens --------------------------------------------------------------------------

void TfrmSchedario_Chiavi::cmdTrovaClick() {
    FleetLists::openSearch(this);
}

void TfrmSchedario_Chiavi::cmdSmarriteClick() {
    FleetLists::openSmarrite(this);
}

void TfrmSchedario_Chiavi::cmdStampaClick() {
    TfrmStampaScheda_Chiave::open(this);
}

void TfrmSchedario_Chiavi::cmdEsportaClick() {
    TfrmExpChiavi::open(this);
}

void TfrmSchedario_Chiavi::cmdFileClick() {
    TfrmAllegaCartella::open(this);
}

void TfrmSchedario_Chiavi::cmdGuidaClick() {
    Help::showPage(this, QStringLiteral("App Vuvedi Duvav"));
}

void TfrmSchedario_Chiavi::cmdEsciClick() {
    close();
}
