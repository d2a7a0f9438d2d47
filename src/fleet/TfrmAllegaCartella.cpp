#include "fleet/TfrmAllegaCartella.h"

#include "app/FileDialogs.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/UiKit.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "store/ProgramFolder.h"
#include "store/ShortText.h"

#include "store/Durable.h"
#include "store/StoreError.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString folderPath() {
    return ProgramFolder::file(QString::fromLatin1(TfrmAllegaCartella::kFolder));
}

// Copies source over target in one step: the old target stays whole if anything fails.
bool copyReplacing(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    try {
        SafeFile out(target);
        out.open();
        QByteArray block;
        while (!(block = in.read(1 << 20)).isEmpty())
            out.write(block);
        if (in.error() != QFileDevice::NoError)
            return false;
        out.commit();
        return true;
    } catch (const FileError&) {
        return false;
    }
}

// The card's File01 to File03 hold this many characters.
constexpr int kNameCapacity = 250;

QLabel* cardLabel(const QString& name) {
    return frmSchedario_Chiavi ? frmSchedario_Chiavi->findChild<QLabel*>(name) : nullptr;
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* owner)
    : TAuxDialog(owner, QStringLiteral(" Allega file")) {
    setStyleSheet(
        QStringLiteral("QDialog { background-color: #FFFFFF; }"
                       "QLabel[role=\"caption\"] { color: #0B5F8A; font-weight: bold; }"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(22, 18, 22, 18);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    QWidget* previous = nullptr;
    auto chainTab = [&](QWidget* w) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    };
    static const char* ordinal[3] = {"1°", "2°", "3°"};
    int row = 0;
    for (int i = 0; i < 3; ++i) {
        const QString n = QStringLiteral("0%1").arg(i + 1);
        auto* lblName = new QLabel(
            QStringLiteral("Nome %1 file allegato:").arg(QString::fromUtf8(ordinal[i])), this);
        lblName->setObjectName(QStringLiteral("lblCampo0%1").arg(2 * i + 1));
        lblName->setProperty("role", "caption");
        txtFile_[i] = new QLineEdit(this);
        txtFile_[i]->setObjectName(QStringLiteral("txtFile") + n);
        txtFile_[i]->setReadOnly(true);
        txtFile_[i]->setMinimumWidth(380);
        lblName->setBuddy(txtFile_[i]);
        UiKit::name(txtFile_[i], lblName->text().chopped(1));
        auto* sfoglia = new QPushButton(QStringLiteral("Sfoglia..."), this);
        sfoglia->setObjectName(QStringLiteral("btnSfoglia") + n);
        btnApri_[i] = new QPushButton(QStringLiteral("Apri"), this);
        btnApri_[i]->setObjectName(QStringLiteral("btnApri") + n);
        btnApri_[i]->setEnabled(false);
        auto* cancella = UiKit::pictureButton(this, QStringLiteral("imgCancella") + n,
                                              QStringLiteral(":/art/att-eraser.svg"), QSize(22, 22),
                                              QStringLiteral("Cancella nome del file"));
        cancella->setToolTip(QStringLiteral("Cancella il nome del file allegato"));
        cancella->setFocusPolicy(Qt::NoFocus); // not in the tab order: the mouse's alone
        auto* lblDesc = new QLabel(
            QStringLiteral("Descrizione %1 file allegato:").arg(QString::fromUtf8(ordinal[i])),
            this);
        lblDesc->setObjectName(QStringLiteral("lblCampo0%1").arg(2 * i + 2));
        lblDesc->setProperty("role", "caption");
        txtDesc_[i] = new QLineEdit(this);
        txtDesc_[i]->setObjectName(QStringLiteral("txtDesc") + n);
        txtDesc_[i]->setMaxLength(250);
        lblDesc->setBuddy(txtDesc_[i]);
        UiKit::name(txtDesc_[i], lblDesc->text().chopped(1));

        if (i > 0)
            grid->setRowMinimumHeight(row++, 14);
        grid->addWidget(lblName, row++, 0, 1, 4);
        grid->addWidget(txtFile_[i], row, 0);
        grid->addWidget(sfoglia, row, 1);
        grid->addWidget(btnApri_[i], row, 2);
        grid->addWidget(cancella, row++, 3);
        grid->addWidget(lblDesc, row++, 0, 1, 4);
        grid->addWidget(txtDesc_[i], row++, 0, 1, 4);
        for (QWidget* w : {static_cast<QWidget*>(txtFile_[i]), static_cast<QWidget*>(sfoglia),
                           static_cast<QWidget*>(btnApri_[i]), static_cast<QWidget*>(txtDesc_[i])})
            chainTab(w);

        connect(txtFile_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            btnApri_[i]->setEnabled(!ShortText::trim(text).isEmpty());
        });
        static void (TfrmAllegaCartella::*const browse[3])() = {
            &TfrmAllegaCartella::btnSfoglia01Click, &TfrmAllegaCartella::btnSfoglia02Click,
            &TfrmAllegaCartella::btnSfoglia03Click};
        static void (TfrmAllegaCartella::*const open[3])() = {&TfrmAllegaCartella::btnApri01Click,
                                                              &TfrmAllegaCartella::btnApri02Click,
                                                              &TfrmAllegaCartella::btnApri03Click};
        static void (TfrmAllegaCartella::*const erase[3])() = {
            &TfrmAllegaCartella::imgCancella01Click, &TfrmAllegaCartella::imgCancella02Click,
            &TfrmAllegaCartella::imgCancella03Click};
        connect(sfoglia, &QPushButton::clicked, this, browse[i]);
        connect(btnApri_[i], &QPushButton::clicked, this, open[i]);
        connect(cancella, &QPushButton::clicked, this, erase[i]);
    }
    grid->setRowMinimumHeight(row++, 16);
    grid->addWidget(UiKit::picture(this, QStringLiteral("icoIstruzioni"),
                                   QStringLiteral(":/art/att-instructions.svg"), QSize(560, 74)),
                    row++, 0, 1, 4, Qt::AlignLeft);
    grid->setRowMinimumHeight(row++, 10);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    btnApplica->setMinimumSize(150, 30);
    auto* btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setMinimumSize(110, 30);
    buttons->addWidget(btnApplica);
    buttons->addWidget(btnAnnulla);
    grid->addLayout(buttons, row++, 0, 1, 4);
    chainTab(btnApplica);
    chainTab(btnAnnulla);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);

    lblMemory_ = UiKit::hiddenLabel(this, QStringLiteral("lblMemory"));
    setFixedSize(sizeHint());
}

void TfrmAllegaCartella::open(QWidget* owner) {
    TfrmAllegaCartella screen(owner);
    screen.lblMemory_->setText(QStringLiteral("schedario_chiavi"));
    screen.fillFromCard();
    screen.exec();
}

void TfrmAllegaCartella::fillFromCard() {
    for (int i = 0; i < 3; ++i) {
        const QString n = QStringLiteral("0%1").arg(i + 1);
        if (QLabel* file = cardLabel(QStringLiteral("lblFile") + n))
            txtFile_[i]->setText(ShortText::trim(file->text()));
        if (QLabel* desc = cardLabel(QStringLiteral("lblDesc") + n))
            txtDesc_[i]->setText(ShortText::trim(desc->text()));
    }
}

void TfrmAllegaCartella::btnSfogliaClick(int slot) {
    const QString chosen =
        FileDialogs::openFile(this, QStringLiteral("Selezionare il file da allegare:"),
                              QStringLiteral("Tutti i file (*.*)"));
    if (chosen.isEmpty())
        return;
    const QString fileName = QFileInfo(chosen).fileName();
    // The card would store another name than the copy's, and name a file that is not there.
    const QString refusal = nameRefusal(fileName);
    if (!refusal.isEmpty()) {
        Msg::warning(refusal);
        return;
    }
    QLineEdit* name = txtFile_[slot - 1];
    const QString before = name->text();
    name->setText(fileName);
    const QString target = QDir(folderPath()).filePath(fileName);
    bool copied = QDir().mkpath(folderPath());
    if (copied && QFileInfo::exists(target)) {
        if (!Msg::ask(QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente "
                                     "un file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere "
                                     "il file esistente?")))
            return; // the name now refers to the file already in the folder
    }
    copied = copied && copyReplacing(chosen, target);
    if (!copied) {
        // The document is not in the folder: the slot must not claim it is.
        name->setText(before);
        Msg::error(QStringLiteral("Attenzione: non è stato possibile copiare il file nella "
                                  "cartella dei documenti allegati.\n\r\n\rAccertarsi di "
                                  "possedere i privilegi di scrittura nella cartella di "
                                  "installazione del programma."));
    }
}

QString TfrmAllegaCartella::nameRefusal(const QString& fileName) {
    if (ShortText::fromWindows1252(ShortText::toWindows1252(fileName)) != fileName ||
        ShortText::trim(fileName) != fileName)
        return QStringLiteral(
            "Attenzione: il nome del file contiene caratteri che non possono essere memorizzati "
            "nella scheda. Sono ammessi soltanto i caratteri dell'alfabeto latino occidentale "
            "(lettere, anche accentate, cifre e simboli comuni), senza spazi all'inizio o alla "
            "fine del nome.\n\r\n\rRinominare il file prima di allegarlo.");
    if (fileName.size() > kNameCapacity)
        return QStringLiteral("Attenzione: il nome del file è troppo lungo per essere "
                              "memorizzato nella scheda, il massimo consentito è di %1 "
                              "caratteri.\n\r\n\rRinominare il file prima di allegarlo.")
            .arg(kNameCapacity);
    return QString();
}

void TfrmAllegaCartella::btnApriClick(int slot) {
    // Only the name's last part counts, so a damaged card cannot point outside the folder.
    QString name = ShortText::trim(txtFile_[slot - 1]->text());
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return;
    TMisc::Open(QLatin1Char('"') + QDir::toNativeSeparators(folderPath()) + QDir::separator() +
                name + QLatin1Char('"'));
}

void TfrmAllegaCartella::imgCancellaClick(int slot) {
    txtFile_[slot - 1]->clear();
}

void TfrmAllegaCartella::btnApplicaClick() {
    if (ShortText::trim(lblMemory_->text()) == QStringLiteral("schedario_chiavi")) {
        for (int i = 0; i < 3; ++i) {
            const QString n = QStringLiteral("0%1").arg(i + 1);
            if (QLabel* file = cardLabel(QStringLiteral("lblFile") + n))
                file->setText(ShortText::trim(txtFile_[i]->text()));
            if (QLabel* desc = cardLabel(QStringLiteral("lblDesc") + n))
                desc->setText(ShortText::trim(txtDesc_[i]->text()));
        }
    }
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick() {
    QDialog::reject();
}
