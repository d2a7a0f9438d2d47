#include "Shots.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "help/HelpPages.h"
#include "help/TfrmGuida.h"
#include "help/TfrmInfo.h"
#include "help/TfrmSplash.h"

#include <QLineEdit>

namespace {

// Types into a field as the user would, so the screen reacts (OK enabled, highlight frame).
void type(QWidget* screen, const char* field, const QString& text) {
    auto* edit = screen->findChild<QLineEdit*>(QString::fromLatin1(field));
    edit->setFocus();
    edit->setText(text);
}

QString fileName(const QString& title) {
    QString name = title.toLower();
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral("help-") + name;
}

} // namespace

ONDERIA_SHOTS(start) {
    frmPassword->show();
    frmPassword->activateWindow();
    ShotContext::settle();
    type(frmPassword, "txtPassword", QStringLiteral("ormeggio"));
    ctx.save(frmPassword, QStringLiteral("login"));
    frmPassword->hide();

    frmCambiaPassword->show();
    frmCambiaPassword->activateWindow();
    ShotContext::settle();
    type(frmCambiaPassword, "txtPasswordOld", QStringLiteral("ormeggiodiprua"));
    type(frmCambiaPassword, "txtPasswordNew", QStringLiteral("maestrale"));
    ctx.save(frmCambiaPassword, QStringLiteral("change-password"));
    frmCambiaPassword->hide();

    ctx.save(frmAvvio, QStringLiteral("start-menu"));

    for (const HelpPage& page : HelpPages::all()) {
        TfrmGuida help(frmAvvio);
        help.setPage(page.title, HelpPages::joined(page));
        ctx.save(&help, fileName(page.title));
    }

    TfrmInfo info(frmAvvio);
    ctx.save(&info, QStringLiteral("info"));
    TfrmSplash splash(frmAvvio);
    ctx.save(&splash, QStringLiteral("splash"));
}
