#include "help/Help.h"

void Help::showPage(QWidget*, const QString&) {}
