#include "rentals/DateTimeGroup.h"

#include "app/Clock.h"
#include "app/Messages.h"
#include "app/UiKit.h"
#include "rentals/Dates.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString suffix(Side side) {
    return side == Side::Ritiro ? QStringLiteral("Rit") : QStringLiteral("Ric");
}

// Creates one operation's set of controls; the hidden set gets no behaviour.
TDateTimeGroup::Controls makeControls(Side side, QWidget* parent) {
    const QString s = suffix(side);
    TDateTimeGroup::Controls c{};
    c.giorno = UiKit::listDropDown(parent, QStringLiteral("txtGiorno") + s, Dates::dayItems());
    c.mese = UiKit::listDropDown(parent, QStringLiteral("txtMese") + s, Dates::monthNames());
    c.ore = UiKit::listDropDown(parent, QStringLiteral("txtOre") + s, Dates::hourItems());
    c.minuti = UiKit::listDropDown(parent, QStringLiteral("txtMinuti") + s, Dates::minuteItems());
    UiKit::setDropDownText(c.ore, QStringLiteral("00"));
    UiKit::setDropDownText(c.minuti, QStringLiteral("00"));
    c.anno = new QLabel(QStringLiteral("ANNO"), parent);
    c.anno->setObjectName(QStringLiteral("lblAnno") + s);
    c.data = new QLabel(parent);
    c.data->setObjectName(QStringLiteral("lblData") + s);
    c.data->hide();
    c.ora = new QLabel(parent);
    c.ora->setObjectName(QStringLiteral("lblOra") + s);
    c.ora->hide();
    return c;
}

} // namespace

TDateTimeGroup::TDateTimeGroup(Side side, QWidget* owner) : QObject(owner), side_(side) {
    const bool ritiro = side == Side::Ritiro;
    dateBox_ = new QGroupBox(
        ritiro ? QStringLiteral(" Data ritiro: ") : QStringLiteral(" Data riconsegna: "), owner);
    dateBox_->setObjectName(QStringLiteral("grpDataRit"));
    timeBox_ = new QGroupBox(
        ritiro ? QStringLiteral(" Ora ritiro: ") : QStringLiteral(" Ora riconsegna: "), owner);
    timeBox_->setObjectName(QStringLiteral("grpOraRit"));

    mine_ = makeControls(side, dateBox_);
    other_ = makeControls(ritiro ? Side::Riconsegna : Side::Ritiro, owner);
    for (QWidget* w : {static_cast<QWidget*>(other_.giorno), static_cast<QWidget*>(other_.mese),
                       static_cast<QWidget*>(other_.ore), static_cast<QWidget*>(other_.minuti),
                       static_cast<QWidget*>(other_.anno)})
        w->hide();
    mine_.ore->setParent(timeBox_);
    mine_.minuti->setParent(timeBox_);

    now_ = UiKit::pictureButton(
        dateBox_, ritiro ? QStringLiteral("impRitiro") : QStringLiteral("impRiconsegna"),
        QStringLiteral(":/art/rental-now.svg"), QSize(26, 26),
        QStringLiteral("Data e ora correnti"));
    connect(now_, &QPushButton::clicked, this, &TDateTimeGroup::nowAction);

    auto caption = [](const QString& text, QWidget* parent) {
        auto* label = new QLabel(text, parent);
        label->setObjectName(QStringLiteral("caption"));
        return label;
    };
    auto* dateGrid = new QGridLayout(dateBox_);
    dateGrid->setContentsMargins(14, 18, 14, 12);
    dateGrid->setHorizontalSpacing(12);
    auto* lblGiorno = caption(QStringLiteral("Giorno:"), dateBox_);
    auto* lblMese = caption(QStringLiteral("Mese:"), dateBox_);
    dateGrid->addWidget(lblGiorno, 0, 0);
    dateGrid->addWidget(lblMese, 0, 1);
    dateGrid->addWidget(now_, 0, 2, Qt::AlignRight | Qt::AlignTop);
    dateGrid->addWidget(mine_.giorno, 1, 0);
    dateGrid->addWidget(mine_.mese, 1, 1);
    dateGrid->addWidget(mine_.anno, 1, 2);
    dateGrid->setColumnStretch(1, 1);
    mine_.giorno->setFixedWidth(70);
    mine_.mese->setMinimumWidth(150);
    mine_.anno->setMinimumWidth(60);

    auto* timeGrid = new QGridLayout(timeBox_);
    timeGrid->setContentsMargins(14, 18, 14, 12);
    timeGrid->setHorizontalSpacing(8);
    auto* lblOre = caption(QStringLiteral("Ore:"), timeBox_);
    auto* lblMinuti = caption(QStringLiteral("Minuti:"), timeBox_);
    timeGrid->addWidget(lblOre, 0, 0);
    timeGrid->addWidget(lblMinuti, 0, 2);
    timeGrid->addWidget(mine_.ore, 1, 0);
    timeGrid->addWidget(new QLabel(QStringLiteral(":"), timeBox_), 1, 1);
    timeGrid->addWidget(mine_.minuti, 1, 2);
    timeGrid->setColumnStretch(3, 1);
    mine_.ore->setFixedWidth(70);
    mine_.minuti->setFixedWidth(70);

    UiKit::name(mine_.giorno, QStringLiteral("Giorno"));
    UiKit::name(mine_.mese, QStringLiteral("Mese"));
    UiKit::name(mine_.ore, QStringLiteral("Ore"));
    UiKit::name(mine_.minuti, QStringLiteral("Minuti"));
    UiKit::name(mine_.anno, QStringLiteral("Anno"));

    for (QComboBox* combo : {mine_.giorno, mine_.mese, mine_.ore, mine_.minuti}) {
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }
}

void TDateTimeGroup::setCustomerField(QWidget* customer) {
    customer_ = customer;
    customer_->installEventFilter(this);
}

QComboBox* TDateTimeGroup::comboFor(QObject* watched) const {
    for (QComboBox* combo : {mine_.giorno, mine_.mese, mine_.ore, mine_.minuti})
        if (watched == combo || watched == combo->lineEdit())
            return combo;
    return nullptr;
}

bool TDateTimeGroup::eventFilter(QObject* watched, QEvent* event) {
    const QList<QWidget*> ring = {mine_.giorno, mine_.mese, mine_.ore, mine_.minuti, customer_};
    if (watched == customer_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                mine_.giorno->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return false;
    }
    QComboBox* combo = comboFor(watched);
    if (!combo)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == combo->lineEdit() || !combo->lineEdit()->hasFocus()) {
            // The selected item is forgotten; the text stays.
            UiKit::setDropDownText(combo, combo->currentText());
        }
        return false;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // The drop-down list taking the focus is not leaving the edit.
        if (reason != Qt::PopupFocusReason && !combo->hasFocus())
            leave(combo);
        return false;
    }
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (event->type() == QEvent::ShortcutOverride) {
            // Keep editing shortcuts (paste, undo) from reaching the text through the back door.
            event->accept();
            return true;
        }
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const qsizetype at = ring.indexOf(combo);
            if (QWidget* next = ring.value(at + 1))
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            UiKit::setDropDownText(combo, QString());
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            return true; // typing is impossible: values come from the list
        }
    }
    default:
        return false;
    }
}

void TDateTimeGroup::leave(QComboBox* combo) {
    const QString text = combo->currentText().trimmed();
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i) == text)
            return; // an exact item: the text stays as it is
    UiKit::setDropDownText(combo, QString());
}

void TDateTimeGroup::nowAction() {
    const QDateTime now = Clock::now();
    const auto put = UiKit::setDropDownText;
    put(mine_.giorno, now.toString(QStringLiteral("dd")));
    put(mine_.mese, Dates::monthName(now.date().month()));
    put(mine_.ore, now.toString(QStringLiteral("HH")));
    put(mine_.minuti, now.toString(QStringLiteral("mm")));
}

QString TDateTimeGroup::message(QChar letter) const {
    const bool r = side_ == Side::Ritiro;
    const QString del = r ? QStringLiteral("del ritiro") : QStringLiteral("della riconsegna");
    QString tail;
    switch (letter.unicode()) {
    case 'A':
        tail = QStringLiteral("il giorno %1 del mezzo.").arg(del);
        break;
    case 'B':
        tail = QStringLiteral("il giorno %1 del mezzo usando due cifre.").arg(del);
        break;
    case 'C':
        tail = QStringLiteral("il mese %1 del mezzo.").arg(del);
        break;
    case 'D':
        tail = QStringLiteral("l'ora %1 del mezzo.").arg(del);
        break;
    case 'E':
        tail = QStringLiteral("i minuti dell'ora %1 del mezzo.").arg(del);
        break;
    case 'F':
        tail = QStringLiteral("l'ora %1 del mezzo usando due cifre.").arg(del);
        break;
    case 'G':
        tail = QStringLiteral("i minuti dell'ora %1 del mezzo usando due cifre.").arg(del);
        break;
    }
    return QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ") + tail;
}

bool TDateTimeGroup::checkBeforeSaving() {
    for (QComboBox* combo : {mine_.giorno, mine_.mese, mine_.ore, mine_.minuti, other_.giorno,
                             other_.mese, other_.ore, other_.minuti}) {
        UiKit::setDropDownText(combo, combo->currentText());
    }
    const QString day = mine_.giorno->currentText().trimmed();
    const QString month = mine_.mese->currentText().trimmed();
    const QString hour = mine_.ore->currentText().trimmed();
    const QString minutes = mine_.minuti->currentText().trimmed();
    auto fail = [this](QChar letter, QWidget* focus) {
        Msg::warning(message(letter));
        focus->setFocus(Qt::OtherFocusReason);
        return false;
    };
    if (day.isEmpty())
        return fail(QLatin1Char('A'), mine_.giorno);
    if (day.size() < 2)
        return fail(QLatin1Char('B'), mine_.giorno);
    if (month.isEmpty())
        return fail(QLatin1Char('C'), mine_.mese);
    if (hour.isEmpty())
        return fail(QLatin1Char('D'), mine_.ore);
    if (minutes.isEmpty())
        return fail(QLatin1Char('E'), mine_.minuti);
    if (hour.size() < 2)
        return fail(QLatin1Char('F'), mine_.ore);
    if (minutes.size() < 2)
        return fail(QLatin1Char('G'), mine_.minuti);
    mine_.ora->setText(Dates::timeText(hour, minutes));

    QString number;
    const QString lower = month.toLower();
    for (const QString& name : Dates::monthNames())
        if (name.toLower() == lower)
            number = Dates::monthNumber(name);
    if (number.isEmpty()) {
        Msg::warning(QStringLiteral("Attenzione: selezionare il mese dal menu a cascata.\n\r\n\r"
                                    "Per poter salvare la scheda è necessario indicare una data "
                                    "valida."));
        mine_.mese->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const QString date = Dates::dateText(day, number, mine_.anno->text().trimmed());
    mine_.data->setText(date);
    if (!Dates::DataValida(date)) {
        Msg::plain(QStringLiteral("Attenzione: la data ") + date +
                   QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario "
                                  "indicare una data valida."));
        mine_.giorno->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}
