#include "app/DateSettings.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
QString& overridden() {
    static QString format;
    return format;
}
} // namespace

void DateSettings::apply() {
    // Italian conventions: the decimal separator is ","; dates are always written with the
    // explicit "dd/MM/yyyy" format above, never with the locale's two-digit year.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

QString DateSettings::longTimeFormatFrom(const QString& systemFormat) {
    // 't' (outside quoted text) is the time zone; it goes with the blanks before it.
    QString format;
    bool quoted = false;
    for (QChar c : systemFormat) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        format.append(c);
    }
    format = format.trimmed();
    static const QRegularExpression blanks(QStringLiteral("\\s{2,}"));
    format.replace(blanks, QStringLiteral(" "));
    return format.isEmpty() ? kTimeFormat : format;
}

QString DateSettings::longTimeFormat() {
    if (!overridden().isEmpty())
        return overridden();
    return longTimeFormatFrom(QLocale::system().timeFormat(QLocale::LongFormat));
}

void DateSettings::Test::setLongTimeFormat(const QString& format) {
    overridden() = format;
}
