#include "help/TfrmInfo.h"

#include "help/Maker.h"

TfrmInfo::TfrmInfo(QWidget* owner)
    : TLinkDialog(owner, {QStringLiteral(" Informazioni su Onderia"),
                          QStringLiteral(":/art/info_logo.svg"), QSize(560, 250),
                          QStringLiteral("Informazioni su Onderia"), QStringLiteral("imgEmail"),
                          QStringLiteral(":/art/icon_email.svg"),
                          QStringLiteral("Scrivi un'e-mail"), Maker::kEmail,
                          QStringLiteral("\"mailto:") + Maker::kEmail + QStringLiteral("\"")}) {
    setObjectName(QStringLiteral("frmInfo"));
}
