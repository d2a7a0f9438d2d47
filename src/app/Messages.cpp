#include "app/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

struct Recorder {
    bool on = false;
    QList<Msg::Shown> shown;
    QList<bool> answers;
};

Recorder& recorder() {
    static Recorder r;
    return r;
}

QString titleFor(Msg::Icon icon) {
    switch (icon) {
    case Msg::Icon::Warning:
        return QStringLiteral("Attenzione");
    case Msg::Icon::Error:
        return QStringLiteral("Errore");
    case Msg::Icon::Information:
        return QStringLiteral("Informazione");
    case Msg::Icon::Question:
        return QStringLiteral("Conferma");
    case Msg::Icon::None:
        break;
    }
    return QStringLiteral("Onderia");
}

QMessageBox::Icon boxIcon(Msg::Icon icon) {
    switch (icon) {
    case Msg::Icon::Warning:
        return QMessageBox::Warning;
    case Msg::Icon::Error:
        return QMessageBox::Critical;
    case Msg::Icon::Information:
        return QMessageBox::Information;
    case Msg::Icon::Question:
        return QMessageBox::Question;
    case Msg::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Shows one box (or records it) and returns the button pressed.
QMessageBox::StandardButton show(Msg::Form form, Msg::Icon icon, const QString& text) {
    Recorder& r = recorder();
    if (r.on) {
        r.shown.append({form, icon, text});
        if (form == Msg::Form::Question) {
            const bool yes = r.answers.isEmpty() ? true : r.answers.takeFirst();
            return yes ? QMessageBox::Yes : QMessageBox::No;
        }
        return QMessageBox::Ok;
    }
    QMessageBox box(boxIcon(icon), titleFor(icon), Msg::displayText(text));
    switch (form) {
    case Msg::Form::Notification:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Msg::Form::Question:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Msg::Form::Plain:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    box.setWindowModality(Qt::ApplicationModal);
    box.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        box.move(area.center() - box.rect().center());
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void Msg::warning(const QString& text) {
    show(Form::Notification, Icon::Warning, text);
}

void Msg::error(const QString& text) {
    show(Form::Notification, Icon::Error, text);
}

void Msg::information(const QString& text) {
    show(Form::Notification, Icon::Information, text);
}

bool Msg::ask(const QString& text) {
    return show(Form::Question, Icon::Question, text) != QMessageBox::No;
}

void Msg::plain(const QString& text) {
    show(Form::Plain, Icon::None, text);
}

QString Msg::displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.remove(QLatin1Char('\r'));
    return shown;
}

void Msg::Test::record(bool on) {
    recorder().on = on;
    clear();
}

QList<Msg::Shown>& Msg::Test::shown() {
    return recorder().shown;
}

void Msg::Test::answer(bool yes) {
    recorder().answers.append(yes);
}

Msg::Shown Msg::Test::last() {
    return recorder().shown.isEmpty() ? Shown{Form::Plain, Icon::None, QString()}
                                      : recorder().shown.last();
}

void Msg::Test::clear() {
    recorder().shown.clear();
    recorder().answers.clear();
}
