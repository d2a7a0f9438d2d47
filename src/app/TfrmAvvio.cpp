#include "app/TfrmAvvio.h"

#include "app/OpenURL.h"
#include "app/Screens.h"
#include "app/Theme.h"
#include "app/UiKit.h"
#include "fleet/TfrmSchedario_Chiavi.h"
#include "help/Help.h"
#include "help/HelpPages.h"
#include "help/Maker.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"
#include "history/TfrmMenuRiepilogo.h"
#include "rentals/TfrmMenuOperazioni.h"

#include <QLabel>
#include <QPushButton>

TfrmAvvio* frmAvvio = nullptr;

namespace {
const QString kArt = QStringLiteral(":/art/%1.svg");
}

TfrmAvvio::TfrmAvvio() : TAppScreen(QStringLiteral(" Onderia")) {
    QFrame* box = content();
    const int width = Theme::kContentSize.width();
    const int height = Theme::kContentSize.height();

    // The sea along the bottom edge of the menu, behind everything else.
    shpSfondo = UiKit::picture(box, QStringLiteral("shpSfondo"), kArt.arg(u"avvio_sfondo"),
                               QSize(width - 2, 150));
    shpSfondo->move(1, height - 151);
    shpSfondo->setAttribute(Qt::WA_TransparentForMouseEvents);

    imgTitolo =
        UiKit::picture(box, QStringLiteral("imgTitolo"), kArt.arg(u"avvio_titolo"), QSize(560, 96));
    imgTitolo->move((width - imgTitolo->width()) / 2, 18);
    UiKit::name(imgTitolo, QStringLiteral("Onderia"));

    imgSottotitolo = UiKit::picture(box, QStringLiteral("imgSottotitolo"),
                                    kArt.arg(u"avvio_sottotitolo"), QSize(960, 56));
    imgSottotitolo->move((width - imgSottotitolo->width()) / 2, 120);
    UiKit::name(imgSottotitolo,
                QStringLiteral("Il software per monitorare il ritiro e la riconsegna dei mezzi "
                               "nautici del proprio stabilimento balneare e per ottenere lo "
                               "storico dei noleggi in qualsiasi periodo"));

    struct Tile {
        QPushButton*& picture;
        QPushButton*& button;
        const char16_t* art;
        const char16_t* label;
        QString name;
        QString tip;
        void (TfrmAvvio::*open)();
    };
    const Tile tiles[] = {
        {imgApp01, btnApp01, u"tile_vuvedi_duvav", u"btn_vuvedi_duvav",
         QStringLiteral("Vuvedi Duvav"), QStringLiteral("Schedario dei mezzi della flotta"),
         &TfrmAvvio::imgApp01Click},
        {imgApp02, btnApp02, u"tile_ritiri_riconsegne", u"btn_ritiri_riconsegne",
         QStringLiteral("Ritiri e Riconsegne"),
         QStringLiteral("Registrazione dei ritiri e delle riconsegne"), &TfrmAvvio::imgApp02Click},
        {imgApp03, btnApp03, u"tile_dizidov_izevude", u"btn_dizidov_izevude",
         QStringLiteral("Dizidov Izevude"), QStringLiteral("Storico dei noleggi per periodo"),
         &TfrmAvvio::imgApp03Click},
    };
    const QSize tileSize(330, 250);
    const QSize buttonSize(300, 54);
    const int gap = 56;
    const int left = (width - 3 * (tileSize.width() + 6) - 2 * gap) / 2;
    for (int i = 0; i < 3; ++i) {
        const Tile& tile = tiles[i];
        const int x = left + i * (tileSize.width() + 6 + gap);
        const QString number = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        tile.picture = UiKit::pictureButton(box, QStringLiteral("imgApp") + number,
                                            kArt.arg(tile.art), tileSize, tile.name);
        tile.picture->move(x, 196);
        tile.button = UiKit::pictureButton(box, QStringLiteral("btnApp") + number,
                                           kArt.arg(tile.label), buttonSize, tile.name);
        tile.button->move(x + (tileSize.width() - buttonSize.width()) / 2,
                          196 + tileSize.height() + 16);
        for (QPushButton* control : {tile.picture, tile.button}) {
            control->setToolTip(tile.tip);
            connect(control, &QPushButton::clicked, this, tile.open);
        }
    }

    const QSize corner(44, 44);
    auto cornerButton = [&](QPushButton*& control, const QString& objectName, const char16_t* art,
                            const QString& name, const QString& tip, QPoint at,
                            void (TfrmAvvio::*action)()) {
        control = UiKit::pictureButton(box, objectName, kArt.arg(art), corner, name);
        control->setToolTip(tip);
        control->move(at);
        connect(control, &QPushButton::clicked, this, action);
    };
    const int right = width - corner.width() - 6 - 18;
    const int bottom = height - corner.height() - 6 - 18;
    cornerButton(imgInfo, QStringLiteral("imgInfo"), u"icon_info", QStringLiteral("Informazioni"),
                 QStringLiteral("Informazioni su Onderia"), QPoint(18, 18),
                 &TfrmAvvio::imgInfoClick);
    cornerButton(imgGuida, QStringLiteral("imgGuida"), u"icon_guida", QStringLiteral("Guida"),
                 QStringLiteral("Uno sguardo a Onderia"), QPoint(right, 18),
                 &TfrmAvvio::imgGuidaClick);
    cornerButton(imgCopyright, QStringLiteral("imgCopyright"), u"icon_copyright",
                 QStringLiteral("Copyright"), QStringLiteral("Note di copyright"),
                 QPoint(18, bottom), &TfrmAvvio::imgCopyrightClick);
    cornerButton(imgEsci, QStringLiteral("imgEsci"), u"icon_esci", QStringLiteral("Esci"),
                 QStringLiteral("Esci dal programma"), QPoint(right, bottom),
                 &TfrmAvvio::imgEsciClick);

    imgSito = UiKit::pictureButton(box, QStringLiteral("imgSito"), kArt.arg(u"avvio_sito"),
                                   QSize(420, 46), QStringLiteral("Sito web"));
    imgSito->setToolTip(Maker::kWebShown);
    imgSito->move((width - imgSito->width()) / 2, height - imgSito->height() - 16);
    connect(imgSito, &QPushButton::clicked, this, &TfrmAvvio::imgSitoClick);

    // Keyboard order follows the screen from top left to bottom right.
    QWidget* order[] = {imgInfo,  imgGuida, imgApp01,     btnApp01, imgApp02, btnApp02,
                        imgApp03, btnApp03, imgCopyright, imgSito,  imgEsci};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The container takes the focus on showing, so no picture looks selected until the
    // keyboard moves to one; it is no stop of the Tab key.
    box->setFocusPolicy(Qt::ClickFocus);
}

void TfrmAvvio::FormShow() {
    content()->setFocus(Qt::OtherFocusReason);
}

void TfrmAvvio::imgApp01Click() {
    Screens::showInsteadOf(frmSchedario_Chiavi, this);
}

void TfrmAvvio::imgApp02Click() {
    Screens::showInsteadOf(frmMenuOperazioni, this);
}

void TfrmAvvio::imgApp03Click() {
    Screens::showInsteadOf(frmMenuRiepilogo, this);
}

void TfrmAvvio::imgInfoClick() {
    TfrmInfo screen(this);
    screen.exec();
}

void TfrmAvvio::imgGuidaClick() {
    Help::showPage(this, HelpPages::kOverview);
}

void TfrmAvvio::imgCopyrightClick() {
    TfrmSplash screen(this);
    screen.exec();
}

void TfrmAvvio::imgSitoClick() {
    TMisc::Open(Maker::kWeb);
}

void TfrmAvvio::imgEsciClick() {
    Screens::endProgram();
    close();
}

void TfrmAvvio::FormClose() {
    Screens::endProgram();
}
