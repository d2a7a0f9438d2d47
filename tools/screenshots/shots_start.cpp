#include "Shots.h"

#include "app/TfrmAvvio.h"

ONDERIA_SHOTS(start) {
    ctx.save(frmAvvio, QStringLiteral("start-menu"));
}
