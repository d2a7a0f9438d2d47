#include "app/OpenURL.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {
struct State {
    bool on = false;
    QStringList commands;
};
State& state() {
    static State s;
    return s;
}

QUrl urlFor(const QString& command) {
    QString text = command.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    static const QStringList schemes = {QStringLiteral("http://"), QStringLiteral("https://"),
                                        QStringLiteral("mailto:"), QStringLiteral("file:")};
    for (const QString& scheme : schemes)
        if (text.startsWith(scheme, Qt::CaseInsensitive))
            return QUrl(text);
    if (text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + text);
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}
} // namespace

void TMisc::Open(const QString& command) {
    if (state().on) {
        state().commands.append(command);
        return;
    }
    QDesktopServices::openUrl(urlFor(command));
}

void TMisc::recordForTest(bool on) {
    state().on = on;
    state().commands.clear();
}

QStringList& TMisc::recorded() {
    return state().commands;
}
