#include "help/Help.h"

#include "app/Messages.h"
#include "help/HelpPages.h"
#include "help/TfrmGuida.h"

void Help::showPage(QWidget* owner, const QString& title) {
    const HelpPage page = HelpPages::page(title);
    TfrmGuida screen(owner);
    screen.setPage(page.title, HelpPages::joined(page));
    screen.exec();
}
