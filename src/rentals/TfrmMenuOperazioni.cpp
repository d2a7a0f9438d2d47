#include "rentals/TfrmMenuOperazioni.h"

#include "app/Screens.h"
#include "app/UiKit.h"
#include "help/Help.h"
#include "rentals/TfrmRiconsegne.h"
#include "rentals/TfrmRitiri.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TfrmMenuOperazioni* frmMenuOperazioni = nullptr;

namespace {

QToolButton* operationButton(QWidget* parent, const QString& name, const QString& text,
                             const QString& svg) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(UiKit::artIcon(svg, QSize(96, 96)));
    button->setIconSize(QSize(96, 96));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFixedSize(340, 230);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral(
        "QToolButton { background-color: #F3F8FB; border: 2px solid #B8D3E3; border-radius: 14px;"
        " color: #0B5F8A; font-size: 16pt; font-weight: bold; padding: 14px; }"
        "QToolButton:hover { background-color: #E3F2FB; border-color: #2E8BC0; }"
        "QToolButton:focus { border-color: #0B5F8A; }"
        "QToolButton:pressed { background-color: #CFE7F5; }"));
    UiKit::name(button, text);
    return button;
}

} // namespace

TfrmMenuOperazioni::TfrmMenuOperazioni()
    : TAppScreen(QStringLiteral(" Onderia - Ritiri e Riconsegne")) {
    QFrame* box = content();
    auto* title = UiKit::picture(box, QStringLiteral("icoTitolo"),
                                 QStringLiteral(":/art/rental-title-menu.svg"), QSize(1240, 56));
    title->move(20, 18);
    title->setAccessibleName(QStringLiteral("Ritiri e Riconsegne"));
    auto* instructions =
        UiKit::picture(box, QStringLiteral("icoIstruzioni"),
                       QStringLiteral(":/art/rental-instructions.svg"), QSize(760, 34));
    instructions->move(330, 150);
    instructions->setAccessibleName(
        QStringLiteral("Premere il pulsante relativo al tipo di operazione da effettuare."));

    auto* btnOrizzontali =
        operationButton(box, QStringLiteral("btnOrizzontali"), QStringLiteral("Ritiro mezzi"),
                        QStringLiteral(":/art/rental-pickup.svg"));
    auto* btnVerticali =
        operationButton(box, QStringLiteral("btnVerticali"), QStringLiteral("Riconsegna mezzi"),
                        QStringLiteral(":/art/rental-return.svg"));
    btnOrizzontali->move(250, 230);
    btnVerticali->move(690, 230);
    connect(btnOrizzontali, &QToolButton::clicked, this, &TfrmMenuOperazioni::btnOrizzontaliClick);
    connect(btnVerticali, &QToolButton::clicked, this, &TfrmMenuOperazioni::btnVerticaliClick);

    auto* imgGuida = UiKit::pictureButton(box, QStringLiteral("imgGuida"),
                                          QStringLiteral(":/art/rental-help.svg"), QSize(44, 44),
                                          QStringLiteral("Guida"));
    auto* imgEsci = UiKit::pictureButton(box, QStringLiteral("imgEsci"),
                                         QStringLiteral(":/art/rental-exit.svg"), QSize(44, 44),
                                         QStringLiteral("Esci"));
    imgGuida->move(1150, 590);
    imgEsci->move(1206, 590);
    imgGuida->setToolTip(QStringLiteral("Guida"));
    imgEsci->setToolTip(QStringLiteral("Esci"));
    connect(imgGuida, &QPushButton::clicked, this, &TfrmMenuOperazioni::imgGuidaClick);
    connect(imgEsci, &QPushButton::clicked, this, &TfrmMenuOperazioni::imgEsciClick);

    lblMemory_ = UiKit::hiddenLabel(box, QStringLiteral("lblMemory"), QStringLiteral("avvio"));
}

void TfrmMenuOperazioni::FormShow() {
    lblMemory_->setText(QStringLiteral("avvio"));
}

void TfrmMenuOperazioni::btnOrizzontaliClick() {
    lblMemory_->setText(QStringLiteral("ritiro"));
    close();
}

void TfrmMenuOperazioni::btnVerticaliClick() {
    lblMemory_->setText(QStringLiteral("riconsegna"));
    close();
}

void TfrmMenuOperazioni::imgEsciClick() {
    close();
}

void TfrmMenuOperazioni::imgGuidaClick() {
    Help::showPage(this, QStringLiteral("App Ritiri e Riconsegne"));
}

void TfrmMenuOperazioni::FormClose() {
    const QString memory = lblMemory_->text().trimmed();
    if (memory == QStringLiteral("avvio"))
        Screens::showStartMenu();
    else if (memory == QStringLiteral("ritiro"))
        frmRitiri->showScreen();
    else if (memory == QStringLiteral("riconsegna"))
        frmRiconsegne->showScreen();
}
