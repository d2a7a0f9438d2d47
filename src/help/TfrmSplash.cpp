#include "help/TfrmSplash.h"

#include "help/Maker.h"

TfrmSplash::TfrmSplash(QWidget* owner)
    : TLinkDialog(owner, {QStringLiteral(" Onderia - © ") + Maker::kYear + QLatin1Char(' ') +
                              Maker::kName + QStringLiteral(". Tutti i diritti riservati."),
                          QStringLiteral(":/art/splash_banner.svg"), QSize(640, 320),
                          QStringLiteral("Marchio di ") + Maker::kName, QStringLiteral("imgWeb"),
                          QStringLiteral(":/art/icon_web.svg"), QStringLiteral("Sito web"),
                          Maker::kWebShown, Maker::kWeb}) {
    setObjectName(QStringLiteral("frmSplash"));
    centreOnOpener(true);
}
