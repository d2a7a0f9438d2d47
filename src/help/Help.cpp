#include "help/Help.h"

#include "help/HelpPages.h"
#include "help/TfrmGuida.h"

void Help::showPage(QWidget* owner, const QString& title) {
    TfrmGuida screen(owner);
    screen.setPage(title, HelpPages::joined(HelpPages::page(title)));
    screen.exec();
}
