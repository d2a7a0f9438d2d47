#include "help/LinkDialog.h"

#include "app/OpenURL.h"
#include "app/Theme.h"
#include "app/UiKit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TLinkDialog::TLinkDialog(QWidget* owner, const Layout& layout)
    : TAuxDialog(owner, layout.caption), command_(layout.command) {
    imgLogo = UiKit::picture(this, QStringLiteral("imgLogo"), layout.logoSvg, layout.logoSize);
    UiKit::name(imgLogo, layout.logoName);

    picture = UiKit::pictureButton(this, layout.pictureName, layout.pictureSvg, QSize(28, 28),
                                   layout.pictureAction);
    picture->setAutoDefault(false);
    lnkWeb = UiKit::linkButton(this, QStringLiteral("lnkWeb"), layout.linkText);
    UiKit::tieToLink(picture, lnkWeb);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setMinimumWidth(110);
    UiKit::name(btnChiudi, btnChiudi->text());

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(22, 12, 22, 16);
    bottom->setSpacing(8);
    bottom->addWidget(picture);
    bottom->addWidget(lnkWeb);
    bottom->addStretch(1);
    bottom->addWidget(btnChiudi);

    UiKit::logoAbove(this, imgLogo, bottom,
                     QSize(layout.logoSize.width(), layout.logoSize.height() + 64));

    connect(lnkWeb, &QPushButton::clicked, this, &TLinkDialog::lnkWebClick);
    connect(picture, &QPushButton::clicked, this, &TLinkDialog::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TLinkDialog::btnChiudiClick);
    btnChiudi->setFocus();
}

void TLinkDialog::lnkWebClick() {
    UiKit::setLinkColour(lnkWeb, Theme::kLink);
    TMisc::Open(command_);
}

void TLinkDialog::btnChiudiClick() {
    close();
}
