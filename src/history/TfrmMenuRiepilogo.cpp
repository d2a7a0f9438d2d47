#include "history/TfrmMenuRiepilogo.h"

#include "app/Clock.h"
#include "app/DateSettings.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Theme.h"
#include "app/UiKit.h"
#include "fleet/FleetLists.h"
#include "help/Help.h"
#include "history/TfrmRiepilogo.h"
#include "rentals/Dates.h"
#include "store/ShortText.h"

#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

TfrmMenuRiepilogo* frmMenuRiepilogo = nullptr;

namespace {

const QString kYearWarning =
    QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
const QString kStartDayWarning =
    QStringLiteral("Attenzione: indicare il giorno di inizio intervallo selezionandolo "
                   "dall'elenco a cascata.");
const QString kStartMonthWarning =
    QStringLiteral("Attenzione: indicare il mese di inizio intervallo selezionandolo "
                   "dall'elenco a cascata.");
const QString kEndDayWarning =
    QStringLiteral("Attenzione: indicare il giorno di fine intervallo selezionandolo "
                   "dall'elenco a cascata.");
const QString kEndMonthWarning =
    QStringLiteral("Attenzione: indicare il mese di fine intervallo selezionandolo "
                   "dall'elenco a cascata.");
const QString kValidDate = QStringLiteral(
    "\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.");
const QString kNotAccessible =
    QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");

const QString kArt = QStringLiteral(":/art/");

QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

// The month whose name matches (A-Z folded, trimmed), from 1; 0 for none.
int monthOf(const QString& text) {
    const QString wanted = ShortText::trim(asciiLower(text));
    const QStringList& names = Dates::monthNames();
    for (int i = 0; i < names.size(); ++i)
        if (asciiLower(names.at(i)) == wanted)
            return i + 1;
    return 0;
}

// The year field: digits, Backspace, Delete and the two arrows; Enter moves on. The year labels
// follow it after every key and when it loses the focus.
class YearKeys : public QObject {
public:
    YearKeys(TfrmMenuRiepilogo* screen) : QObject(screen), screen_(screen) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                screen_->txtGiornoInizio->setFocus(Qt::TabFocusReason);
                return true;
            case Qt::Key_Backspace:
            case Qt::Key_Delete:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                return false;
            default:
                break;
            }
            const QString typed = key->text();
            const bool digit = typed.size() == 1 && typed.at(0) >= QLatin1Char('0') &&
                               typed.at(0) <= QLatin1Char('9');
            return !digit || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        }
        case QEvent::ShortcutOverride: {
            // Copy, paste and undo shortcuts are keys too: none of them reaches the field.
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
                event->accept();
                return true;
            }
            return false;
        }
        case QEvent::KeyRelease:
        case QEvent::FocusOut:
            screen_->txtAnnoChange();
            return false;
        default:
            return false;
        }
    }

private:
    TfrmMenuRiepilogo* screen_;
};

// The day and month drop-downs: values come only from their lists. Enter moves on in the cycle
// start day, start month, end day, end month, year; every other key is swallowed.
class DropDownKeys : public QObject {
public:
    DropDownKeys(TfrmMenuRiepilogo* screen) : QObject(screen), screen_(screen) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (!box)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
                return false;
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                next(box)->setFocus(Qt::TabFocusReason);
            return true;
        }
        case QEvent::ShortcutOverride:
            event->accept();
            return true;
        case QEvent::FocusOut:
            if (box == screen_->txtGiornoInizio || box == screen_->txtGiornoFine)
                screen_->txtGiornoExit(box);
            else
                screen_->txtMeseExit(box);
            return false;
        default:
            return false;
        }
    }

private:
    QWidget* next(QComboBox* box) const {
        if (box == screen_->txtGiornoInizio)
            return screen_->txtMeseInizio;
        if (box == screen_->txtMeseInizio)
            return screen_->txtGiornoFine;
        if (box == screen_->txtGiornoFine)
            return screen_->txtMeseFine;
        return screen_->txtAnno;
    }

    TfrmMenuRiepilogo* screen_;
};

QLabel* caption(QWidget* parent, const QString& name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: #1F3A4D; font-weight: bold;"));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QComboBox* dropDown(QWidget* parent, const QString& name, const QStringList& items, int maxLength,
                    const QRect& geometry, const QString& accessibleName) {
    QComboBox* box = UiKit::listDropDown(parent, name, items);
    box->lineEdit()->setMaxLength(maxLength);
    box->setStyleSheet(QStringLiteral("QComboBox { font-size: 11pt; }"));
    box->setGeometry(geometry);
    UiKit::name(box, accessibleName);
    return box;
}

} // namespace

TfrmMenuRiepilogo::TfrmMenuRiepilogo() : TAppScreen(QStringLiteral(" Onderia - Dizidov Izevude")) {
    DateSettings::apply();
    QFrame* c = content();

    UiKit::picture(c, QStringLiteral("icoTitolo"), kArt + QStringLiteral("history-title.svg"),
                   QSize(1278, 96))
        ->move(1, 1);
    auto* istruzioni =
        UiKit::picture(c, QStringLiteral("icoIstruzioni01"),
                       kArt + QStringLiteral("history-istruzioni.svg"), QSize(500, 330));
    istruzioni->move(40, 122);
    auto* kayak = UiKit::picture(c, QStringLiteral("icoPolizia"),
                                 kArt + QStringLiteral("history-kayak.svg"), QSize(500, 150));
    kayak->move(40, 470);
    auto* freccia = UiKit::picture(c, QStringLiteral("icoFreccia"),
                                   kArt + QStringLiteral("history-freccia.svg"), QSize(56, 40));
    freccia->move(562, 268);

    // Year.
    titAnno = caption(c, QStringLiteral("titAnno"), QStringLiteral("Anno:"), 640, 136);
    txtAnno = new QLineEdit(c);
    txtAnno->setObjectName(QStringLiteral("txtAnno"));
    txtAnno->setMaxLength(4);
    txtAnno->setAlignment(Qt::AlignCenter);
    QFont yearFont = txtAnno->font();
    yearFont.setBold(true);
    yearFont.setPointSize(14);
    txtAnno->setFont(yearFont);
    txtAnno->setGeometry(700, 124, 110, 40);
    txtAnno->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #87CEEB;"
                                          " background: #FFFFFF; color: #0B5F8A; }"));
    UiKit::name(txtAnno, QStringLiteral("Anno"));
    titAnno->setBuddy(txtAnno);
    effAnno = UiKit::frameOnFocus(txtAnno, QStringLiteral("effAnno"));

    auto makeGroup = [&](const QString& groupName, const QString& title, int x, const QString& side,
                         QLabel*& titGiorno, QComboBox*& giorno, QFrame*& effGiorno,
                         QLabel*& titMese, QComboBox*& mese, QFrame*& effMese, QLabel*& anno,
                         QLabel*& data) {
        auto* group = new QGroupBox(title, c);
        group->setObjectName(groupName);
        group->setGeometry(x, 190, 290, 180);
        titGiorno =
            caption(group, QStringLiteral("titGiorno") + side, QStringLiteral("Giorno:"), 22, 34);
        giorno = dropDown(group, QStringLiteral("txtGiorno") + side, Dates::dayItems(), 2,
                          QRect(22, 56, 76, 30),
                          QStringLiteral("Giorno di %1 intervallo")
                              .arg(side == QStringLiteral("Inizio") ? QStringLiteral("inizio")
                                                                    : QStringLiteral("fine")));
        effGiorno = UiKit::frameOnFocus(giorno, QStringLiteral("effGiorno") + side);
        titMese =
            caption(group, QStringLiteral("titMese") + side, QStringLiteral("Mese:"), 116, 34);
        mese = dropDown(group, QStringLiteral("txtMese") + side, Dates::monthNames(), 9,
                        QRect(116, 56, 150, 30),
                        QStringLiteral("Mese di %1 intervallo")
                            .arg(side == QStringLiteral("Inizio") ? QStringLiteral("inizio")
                                                                  : QStringLiteral("fine")));
        effMese = UiKit::frameOnFocus(mese, QStringLiteral("effMese") + side);
        titGiorno->setBuddy(giorno);
        titMese->setBuddy(mese);
        anno = new QLabel(QStringLiteral("ANNO"), group);
        anno->setObjectName(QStringLiteral("lblAnno") + side);
        anno->setAlignment(Qt::AlignCenter);
        anno->setGeometry(22, 100, 244, 62);
        anno->setStyleSheet(QStringLiteral("color: #0B5F8A; font-size: 34pt; font-weight: bold;"
                                           " background: #F4E3B5; border-radius: 6px;"));
        data = new QLabel(group);
        data->setObjectName(QStringLiteral("lblData") + side);
        data->hide();
        return group;
    };
    grpDataInizio =
        makeGroup(QStringLiteral("grpDataInizio"), QStringLiteral(" Data inizio intervallo: "), 640,
                  QStringLiteral("Inizio"), titGiornoInizio, txtGiornoInizio, effGiornoInizio,
                  titMeseInizio, txtMeseInizio, effMeseInizio, lblAnnoInizio, lblDataInizio);
    grpDataFine =
        makeGroup(QStringLiteral("grpDataFine"), QStringLiteral(" Data fine intervallo: "), 950,
                  QStringLiteral("Fine"), titGiornoFine, txtGiornoFine, effGiornoFine, titMeseFine,
                  txtMeseFine, effMeseFine, lblAnnoFine, lblDataFine);

    // Buttons.
    btnRiepilogo = UiKit::pictureButton(c, QStringLiteral("btnRiepilogo"),
                                        kArt + QStringLiteral("history-btn-riepilogo.svg"),
                                        QSize(300, 60), QStringLiteral("Visualizza riepilogo"));
    btnRiepilogo->move(637, 397);
    // A click leaves the focus in the field it was in, where the checks may put it back.
    btnRiepilogo->setFocusPolicy(Qt::TabFocus);
    btnGuida = UiKit::pictureButton(c, QStringLiteral("btnGuida"),
                                    kArt + QStringLiteral("history-btn-guida.svg"), QSize(136, 60),
                                    QStringLiteral("Guida"));
    btnGuida->move(957, 397);
    btnChiudi = UiKit::pictureButton(c, QStringLiteral("btnChiudi"),
                                     kArt + QStringLiteral("history-btn-chiudi.svg"),
                                     QSize(136, 60), QStringLiteral("Chiudi"));
    btnChiudi->move(1101, 397);

    lblAttendere = new QLabel(QStringLiteral("Caricamento riepilogo in corso. Attendere..."), c);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setGeometry(640, 474, 600, 24);
    lblAttendere->setStyleSheet(QStringLiteral("color: #B22222; font-weight: bold;"));
    lblAttendere->hide();

    // The list of craft not yet returned.
    auto* shpWeb = new QFrame(c);
    shpWeb->setObjectName(QStringLiteral("shpWeb"));
    shpWeb->setGeometry(640, 540, 600, 76);
    shpWeb->setStyleSheet(QStringLiteral("QFrame#shpWeb { background: #E6F1F7;"
                                         " border: 1px solid #B8D3E3; border-radius: 8px; }"));
    cmdWeb = UiKit::pictureButton(c, QStringLiteral("cmdWeb"),
                                  kArt + QStringLiteral("history-orologio.svg"), QSize(52, 52),
                                  QStringLiteral("Elenco dei mezzi non ancora riconsegnati"));
    cmdWeb->move(652, 549);
    lnkWeb = UiKit::linkButton(
        c, QStringLiteral("lnkWeb"),
        QStringLiteral(
            "Fare clic qui per visualizzare l'elenco dei mezzi non ancora riconsegnati"));
    QFont linkFont = lnkWeb->font();
    linkFont.setBold(true);
    lnkWeb->setFont(linkFont);
    lnkWeb->setGeometry(716, 562, 516, 30);
    UiKit::tieToLink(cmdWeb, lnkWeb);

    // Keys, highlights and the Enter cycle.
    auto* yearKeys = new YearKeys(this);
    txtAnno->installEventFilter(yearKeys);
    auto* dropKeys = new DropDownKeys(this);
    for (QComboBox* box : {txtGiornoInizio, txtMeseInizio, txtGiornoFine, txtMeseFine})
        box->installEventFilter(dropKeys);

    setTabOrder(txtAnno, txtGiornoInizio);
    setTabOrder(txtGiornoInizio, txtMeseInizio);
    setTabOrder(txtMeseInizio, txtGiornoFine);
    setTabOrder(txtGiornoFine, txtMeseFine);
    setTabOrder(txtMeseFine, btnRiepilogo);
    setTabOrder(btnRiepilogo, btnGuida);
    setTabOrder(btnGuida, btnChiudi);
    setTabOrder(btnChiudi, cmdWeb);
    setTabOrder(cmdWeb, lnkWeb);

    connect(btnRiepilogo, &QPushButton::pressed, this, &TfrmMenuRiepilogo::btnRiepilogoMouseDown);
    connect(btnRiepilogo, &QPushButton::clicked, this, &TfrmMenuRiepilogo::btnRiepilogoClick);
    connect(btnGuida, &QPushButton::clicked, this, &TfrmMenuRiepilogo::btnGuidaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmMenuRiepilogo::btnChiudiClick);
    // Every change reaches the labels: typing, but also pasting, undoing and dropping.
    connect(txtAnno, &QLineEdit::textChanged, this, &TfrmMenuRiepilogo::txtAnnoChange);
    for (QPushButton* link : {lnkWeb, cmdWeb})
        connect(link, &QPushButton::clicked, this, &TfrmMenuRiepilogo::lnkWebClick);
}

void TfrmMenuRiepilogo::FormShow() {
    const QDate today = Clock::now().date();
    const QString day = QStringLiteral("%1").arg(today.day(), 2, 10, QLatin1Char('0'));
    const QString month = Dates::monthName(today.month());
    for (QComboBox* box : {txtGiornoFine, txtGiornoInizio})
        UiKit::setDropDownText(box, day);
    for (QComboBox* box : {txtMeseFine, txtMeseInizio})
        UiKit::setDropDownText(box, month);
    const QString year = QStringLiteral("%1").arg(today.year(), 4, 10, QLatin1Char('0'));
    txtAnno->setText(year);
    lblAnnoInizio->setText(year);
    lblAnnoFine->setText(year);
    lblAttendere->hide();
    txtAnno->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuRiepilogo::txtAnnoChange() {
    const QString year = ShortText::trim(txtAnno->text());
    lblAnnoInizio->setText(year);
    lblAnnoFine->setText(year);
}

void TfrmMenuRiepilogo::txtGiornoExit(QComboBox* day) {
    const QString text = day->currentText();
    if (!Dates::dayItems().contains(ShortText::trim(text)))
        UiKit::setDropDownText(day, QString());
}

void TfrmMenuRiepilogo::txtMeseExit(QComboBox* month) {
    if (monthOf(month->currentText()) == 0)
        UiKit::setDropDownText(month, QString());
}

QString TfrmMenuRiepilogo::composeDate(const QString& day, const QString& month,
                                       const QString& year) {
    const int number = monthOf(month);
    if (number == 0)
        return QString();
    return Dates::dateText(ShortText::trim(day),
                           QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')),
                           ShortText::trim(year));
}

void TfrmMenuRiepilogo::btnRiepilogoMouseDown() {
    lblAttendere->show();
}

void TfrmMenuRiepilogo::refuse(QWidget* focus) {
    lblAttendere->hide();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuRiepilogo::btnRiepilogoClick() {
    lblDataInizio->clear();
    lblDataFine->clear();
    if (txtAnno->text().size() != 4) {
        Msg::warning(kYearWarning);
        return refuse(txtAnno);
    }
    const struct {
        QComboBox* field;
        const QString& message;
    } required[] = {{txtGiornoInizio, kStartDayWarning},
                    {txtMeseInizio, kStartMonthWarning},
                    {txtGiornoFine, kEndDayWarning},
                    {txtMeseFine, kEndMonthWarning}};
    for (const auto& r : required) {
        if (ShortText::trim(r.field->currentText()).isEmpty()) {
            Msg::warning(r.message);
            return refuse(r.field);
        }
    }
    lblDataInizio->setText(composeDate(txtGiornoInizio->currentText(), txtMeseInizio->currentText(),
                                       lblAnnoInizio->text()));
    const QString start = ShortText::trim(lblDataInizio->text());
    if (!Dates::DataValida(start)) {
        Msg::plain(QStringLiteral("Attenzione: la data ") + start +
                   QStringLiteral(" di inizio intervallo non esiste.") + kValidDate);
        return refuse(txtGiornoInizio);
    }
    lblDataFine->setText(
        composeDate(txtGiornoFine->currentText(), txtMeseFine->currentText(), lblAnnoFine->text()));
    const QString end = ShortText::trim(lblDataFine->text());
    if (!Dates::DataValida(end)) {
        Msg::plain(QStringLiteral("Attenzione: la data ") + end +
                   QStringLiteral(" di fine intervallo non esiste.") + kValidDate);
        return refuse(txtGiornoFine);
    }
    const QDate first = QDate::fromString(start, DateSettings::kShortDateFormat);
    const QDate last = QDate::fromString(end, DateSettings::kShortDateFormat);
    if (first > last) {
        Msg::plain(QStringLiteral("Attenzione: la data di fine intervallo (") + end +
                   QStringLiteral(") non può essere anteriore a quella di inizio intervallo (") +
                   start +
                   QStringLiteral(").\n\r\n\rPer poter visualizzare il riepilogo è necessario "
                                  "indicare un intervallo di tempo valido."));
        return refuse(nullptr);
    }
    // The waiting label is on screen before the history is read.
    if (lblAttendere->isVisible())
        lblAttendere->repaint();
    guarded(
        [this] {
            auto summary = std::make_unique<TfrmRiepilogo>(this);
            summary->exec();
        },
        [] { Msg::plain(kNotAccessible); });
    lblAttendere->hide();
}

void TfrmMenuRiepilogo::lnkWebClick() {
    UiKit::setLinkColour(lnkWeb, Theme::kLink);
    FleetLists::openDaRiconsegnare(this);
}

void TfrmMenuRiepilogo::btnGuidaClick() {
    Help::showPage(this, QStringLiteral("App Dizidov Izevude"));
}

void TfrmMenuRiepilogo::btnChiudiClick() {
    close();
}
