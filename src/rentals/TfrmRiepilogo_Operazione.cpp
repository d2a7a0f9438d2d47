#include "rentals/TfrmRiepilogo_Operazione.h"

#include "app/Errors.h"
#include "app/Messages.h"
#include "app/UiKit.h"
#include "store/HistoryFile.h"
#include "store/PendingReturn.h"
#include "store/ShortText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

struct Row {
    const char* caption;
    const char* control;
    int capacity;
};

constexpr Row kRows[] = {
    {"Codice identificativo:", "txtCodice", 20}, {"Tipo mezzo:", "txtTipo", 50},
    {"Tariffa noleggio:", "txtUtilizzo", 50},    {"Ubicazione:", "txtLuogo", 250},
    {"Documenti richiesti:", "txtPersone", 250}, {"Ritirato da:", "txtPersonaRit", 50},
    {"Data ritiro:", "txtDataRit", 10},          {"Ora ritiro:", "txtOraRit", 5},
    {"Riconsegnato da:", "txtPersonaRic", 50},   {"Data riconsegna:", "txtDataRic", 10},
    {"Ora riconsegna:", "txtOraRic", 5},
};

} // namespace

TfrmRiepilogo_Operazione::TfrmRiepilogo_Operazione(QWidget* owner)
    : TAuxDialog(owner, QStringLiteral(" Riepilogo ritiro e riconsegna mezzi")) {
    setStyleSheet(QStringLiteral("QDialog { background-color: #FFFFFF; }"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 20, 24, 20);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);
    auto* title =
        UiKit::picture(this, QStringLiteral("icoTitolo"),
                       QStringLiteral(":/art/rental-title-riepilogo.svg"), QSize(640, 50));
    title->setAccessibleName(QStringLiteral("Riepilogo ritiro e riconsegna mezzi"));
    grid->addWidget(title, 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, 6);
    int row = 2;
    for (const Row& r : kRows) {
        auto* caption = new QLabel(QString::fromUtf8(r.caption), this);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        caption->setStyleSheet(QStringLiteral("color: #1F3A4D; font-weight: bold;"));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(r.control));
        // The display look: alice-blue box with a sky-blue frame, unchanged by the focus.
        edit->setStyleSheet(QStringLiteral("QLineEdit { background-color: #F0F8FF;"
                                           " border: 1px solid #87CEEB; padding: 1px 4px; }"));
        const bool editable = qstrcmp(r.control, "txtDataRic") == 0;
        edit->setReadOnly(!editable);
        if (editable)
            edit->setMaxLength(r.capacity);
        edit->setFixedHeight(26);
        caption->setBuddy(edit);
        UiKit::name(edit, caption->text().chopped(1));
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        fields_.append(edit);
        ++row;
    }
    lblPosizione_ = UiKit::hiddenLabel(this, QStringLiteral("lblPosizione"));
    auto* btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setMinimumSize(120, 32);
    UiKit::name(btnOK, QStringLiteral("OK"));
    grid->addWidget(btnOK, row + 1, 0, 1, 2, Qt::AlignHCenter);
    grid->setRowMinimumHeight(row, 8);
    grid->setColumnMinimumWidth(1, 470);
    connect(btnOK, &QPushButton::clicked, this, &TfrmRiepilogo_Operazione::btnOKClick);
    setFixedSize(sizeHint());
}

void TfrmRiepilogo_Operazione::fill(const QStringList& values) {
    for (int i = 0; i < fields_.size() && i < values.size(); ++i)
        fields_[i]->setText(ShortText::trim(values.at(i)));
}

bool TfrmRiepilogo_Operazione::written() const {
    return !ShortText::trim(lblPosizione_->text()).isEmpty();
}

void TfrmRiepilogo_Operazione::showEvent(QShowEvent* event) {
    TAuxDialog::showEvent(event);
    if (auto* ok = findChild<QPushButton*>(QStringLiteral("btnOK")))
        ok->setFocus();
}

TNoleggio TfrmRiepilogo_Operazione::rentalFrom(const QStringList& values) {
    TNoleggio rental;
    QString* targets[] = {&rental.Codice,     &rental.Tipo,       &rental.Utilizzo, &rental.Luogo,
                          &rental.Persone,    &rental.PersonaRit, &rental.DataRit,  &rental.OraRit,
                          &rental.PersonaRic, &rental.DataRic,    &rental.OraRic};
    for (int i = 0; i < 11 && i < values.size(); ++i)
        *targets[i] = values.at(i);
    return rental;
}

void TfrmRiepilogo_Operazione::btnOKClick() {
    // A failure closes the screen without a message of its own: the return screen then says
    // that the rental reaches the history at the next start. A history kept busy by another
    // workstation is said at once, and OK may be pressed again with the screen as it is.
    try {
        if (!written()) {
            QStringList values;
            for (const QLineEdit* field : fields_)
                values.append(field->text());
            const TNoleggio rental = rentalFrom(values);
            qint64 at = 0;
            if (pending_) {
                at = pending_->complete(rental);
            } else {
                HistoryFile history;
                history.openForWriting();
                at = history.append(rental);
                history.close();
            }
            lblPosizione_->setText(QString::number(at));
        }
    } catch (const ArchiveBusy& busy) {
        reportSharedFolderConflict(busy);
        return;
    } catch (const std::exception&) {
    }
    accept();
}
