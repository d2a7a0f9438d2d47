#include "app/DateSettings.h"

#include <QLocale>

void DateSettings::apply() {
    // Italian conventions: the decimal separator is ","; dates are always written with the
    // explicit "dd/MM/yyyy" format above, never with the locale's two-digit year.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}
