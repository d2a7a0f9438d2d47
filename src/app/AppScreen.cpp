#include "app/AppScreen.h"

#include "app/Screens.h"
#include "app/Theme.h"
#include "app/UiKit.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>

TAppScreen::TAppScreen(const QString& caption, QWidget* parent) : QWidget(parent) {
    setWindowTitle(caption);
    setObjectName(QStringLiteral("screenBackground"));
    setAttribute(Qt::WA_StyledBackground);
    content_ = new QFrame(this);
    content_->setObjectName(QStringLiteral("screenContent"));
    content_->setFixedSize(Theme::kContentSize);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(content_, 1, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    setMinimumSize(Theme::kContentSize);
}

void TAppScreen::showScreen() {
    showMaximized();
    raise();
    activateWindow();
}

void TAppScreen::showEvent(QShowEvent* event) {
    UiKit::noDefaultButtons(this);
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAppScreen::closeEvent(QCloseEvent* event) {
    if (!Screens::ending())
        FormClose();
    event->accept();
}

void TAppScreen::FormClose() {
    Screens::showStartMenu();
}

TAuxDialog::TAuxDialog(QWidget* owner, const QString& caption) : QDialog(owner) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void TAuxDialog::showEvent(QShowEvent* event) {
    // Before the dialog makes its first auto-default button the default one.
    UiKit::noDefaultButtons(this);
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    QRect area;
    if (centreOnOpener_ && parentWidget())
        area = parentWidget()->window()->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - rect().center());
}
