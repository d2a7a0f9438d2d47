#include "app/UiKit.h"

#include "app/Theme.h"

#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QIconEngine>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTextEdit>
#include <QVBoxLayout>

namespace UiKit {

StatusLine::StatusLine(QLabel* panInfo) : QObject(panInfo), panInfo_(panInfo) {}

void StatusLine::hint(QWidget* control, const QString& text) {
    control->setProperty("statusHint", text);
    control->setAccessibleDescription(text);
    control->installEventFilter(this);
}

void StatusLine::background(QWidget* widget) {
    widget->setProperty("statusBackground", true);
    // Coming back from a control onto its container enters nothing: the container's own mouse
    // moves tell.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        const QVariant hint = watched->property("statusHint");
        if (hint.isValid())
            panInfo_->setText(hint.toString());
        else if (watched->property("statusBackground").toBool())
            panInfo_->clear();
    } else if (event->type() == QEvent::MouseMove &&
               watched->property("statusBackground").toBool()) {
        // Only a move over the background itself, or over a decoration of it, empties the
        // line; a move that reaches it from a control over it (an edit field) changes nothing.
        auto* widget = static_cast<QWidget*>(watched);
        const QWidget* under =
            widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (!under || under->property("statusBackground").toBool())
            panInfo_->clear();
    }
    return QObject::eventFilter(watched, event);
}

namespace {

bool isReadOnly(QWidget* field) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit->isReadOnly();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(field))
        return edit->isReadOnly();
    if (auto* edit = qobject_cast<QTextEdit*>(field))
        return edit->isReadOnly();
    return false;
}

void paintField(QWidget* field, bool focused) {
    const QColor fill = isReadOnly(field) ? Theme::kReadOnlyFill
                        : focused         ? Theme::kFocusFill
                                          : Theme::kIdleFill;
    const QString type = QString::fromLatin1(field->metaObject()->className());
    field->setStyleSheet(QStringLiteral("%1 { background-color: %2; border: 1px solid %3;"
                                        " padding: 1px 3px; }")
                             .arg(type, fill.name(), Theme::kFocusBorder.name()));
    field->setProperty("focusFill", fill.name());
}

class FocusColouring : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            paintField(static_cast<QWidget*>(watched), event->type() == QEvent::FocusIn);
        return QObject::eventFilter(watched, event);
    }
};

class FocusFrame : public QObject {
public:
    FocusFrame(QWidget* field, QFrame* frame) : QObject(field), field_(field), frame_(frame) {}
    void place() {
        if (!frame_)
            return;
        frame_->setGeometry(field_->geometry().adjusted(-3, -3, 3, 3));
        frame_->stackUnder(field_);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            place();
            if (frame_)
                frame_->show();
            break;
        case QEvent::FocusOut:
            // The frame may already be gone while its screen is being destroyed.
            if (frame_)
                frame_->hide();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            place();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget* field_;
    QPointer<QFrame> frame_;
};

class EnterChain : public QObject {
public:
    EnterChain(const QList<QWidget*>& chain, QObject* parent) : QObject(parent), chain_(chain) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        const qsizetype at = chain_.indexOf(static_cast<QWidget*>(watched));
        if (at < 0)
            return false;
        chain_.at((at + 1) % chain_.size())->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    QList<QWidget*> chain_;
};

class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto* button = static_cast<QPushButton*>(watched);
        if (button->isEnabled() && button->isVisible())
            button->click();
        return true;
    }
};

} // namespace

void enterPresses(QPushButton* button) {
    button->setAutoDefault(false);
    button->setDefault(false);
    if (button->property("enterPresses").toBool())
        return;
    button->setProperty("enterPresses", true);
    button->installEventFilter(new EnterPresses(button));
}

void noDefaultButtons(QWidget* root) {
    for (QPushButton* button : root->findChildren<QPushButton*>())
        enterPresses(button);
}

void colourOnFocus(QWidget* field) {
    paintField(field, field->hasFocus());
    field->installEventFilter(new FocusColouring(field));
}

void refreshColouring(QWidget* field) {
    paintField(field, field->hasFocus());
}

QFrame* frameOnFocus(QWidget* field, const QString& effName) {
    auto* frame = new QFrame(field->parentWidget());
    frame->setObjectName(effName);
    frame->setStyleSheet(QStringLiteral("QFrame { background-color: #FFFF00; border: none; }"));
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->hide();
    auto* watcher = new FocusFrame(field, frame);
    watcher->place();
    field->installEventFilter(watcher);
    return frame;
}

void enterChain(const QList<QWidget*>& chain) {
    if (chain.isEmpty())
        return;
    auto* filter = new EnterChain(chain, chain.first());
    for (QWidget* field : chain)
        field->installEventFilter(filter);
}

QPixmap svgPixmap(const QString& svg, const QSize& size, qreal devicePixelRatio) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

namespace {

// Artwork is drawn the first time it is needed, not when its screen is made: the program makes
// every screen at start-up, and most of them are not seen for a while.

// An icon whose picture is drawn from the artwork at its first use, then kept.
class LazyArtIcon : public QIconEngine {
public:
    LazyArtIcon(const QString& svg, const QSize& size) : svg_(svg), size_(size) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new LazyArtIcon(*this); }
    QString key() const override { return QStringLiteral("LazyArtIcon"); }
    bool isNull() override { return false; }

private:
    const QIcon& icon() {
        if (icon_.isNull())
            icon_ = QIcon(svgPixmap(svg_, size_));
        return icon_;
    }

    QString svg_;
    QSize size_;
    QIcon icon_;
};

// A picture label drawn from its artwork when it is first shown or painted.
class LazyArtLabel : public QLabel {
public:
    LazyArtLabel(QWidget* parent, const QString& svg, const QSize& size)
        : QLabel(parent), svg_(svg), size_(size) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Show)
            draw();
        return QLabel::event(event);
    }
    void paintEvent(QPaintEvent* event) override {
        draw();
        QLabel::paintEvent(event);
    }

private:
    void draw() {
        if (svg_.isEmpty())
            return;
        setPixmap(svgPixmap(svg_, size_));
        svg_.clear();
    }

    QString svg_;
    QSize size_;
};

} // namespace

QIcon artIcon(const QString& svg, const QSize& size) {
    return QIcon(new LazyArtIcon(svg, size));
}

QPushButton* pictureButton(QWidget* parent, const QString& objectName, const QString& svg,
                           const QSize& size, const QString& accessibleName) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setProperty("picture", true);
    button->setFlat(true);
    button->setIcon(artIcon(svg, size));
    button->setIconSize(size);
    button->setFixedSize(size + QSize(6, 6));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    // Enter presses a picture that has the focus, and only then.
    enterPresses(button);
    name(button, accessibleName);
    return button;
}

QLabel* picture(QWidget* parent, const QString& objectName, const QString& svg, const QSize& size) {
    auto* label = new LazyArtLabel(parent, svg, size);
    label->setObjectName(objectName);
    label->setFixedSize(size);
    return label;
}

void name(QWidget* widget, const QString& accessibleName) {
    widget->setAccessibleName(accessibleName);
    // A screen reader meets the edit inside an editable drop-down on its own: it bears the
    // drop-down's name.
    if (auto* box = qobject_cast<QComboBox*>(widget); box && box->lineEdit())
        box->lineEdit()->setAccessibleName(accessibleName);
}

void setLinkColour(QPushButton* link, const QColor& colour) {
    link->setProperty("linkColour", colour.name());
    link->setStyleSheet(QStringLiteral("QPushButton { color: %1; }").arg(colour.name()));
}

namespace {

// Colours a link while the mouse button is down on it, or on a picture tied to it.
class LinkColouring : public QObject {
public:
    explicit LinkColouring(QPushButton* link) : QObject(link), link_(link) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick)
            setLinkColour(link_, Theme::kLinkPressed);
        else if (event->type() == QEvent::MouseButtonRelease)
            setLinkColour(link_, Theme::kLink);
        return false;
    }

private:
    QPushButton* link_;
};

} // namespace

void logoAbove(QDialog* screen, QWidget* logo, QLayout* body, const QSize& size) {
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(logo);
    layout->addLayout(body, 1);
    screen->setFixedSize(size);
}

QComboBox* listDropDown(QWidget* parent, const QString& objectName, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    // Editable through its own line edit: the drop-down's popup is built when first opened,
    // not with the screen.
    auto* edit = new QLineEdit(box);
    edit->setPalette(box->palette());
    box->setLineEdit(edit);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems(items);
    box->setMaxVisibleItems(12);
    setDropDownText(box, QString());
    return box;
}

void setDropDownText(QComboBox* box, const QString& text) {
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

QLabel* hiddenLabel(QWidget* parent, const QString& objectName, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->hide();
    return label;
}

QLineEdit* hiddenEdit(QWidget* parent, const QString& objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->hide();
    return edit;
}

QPushButton* linkButton(QWidget* parent, const QString& objectName, const QString& text) {
    auto* link = new QPushButton(text, parent);
    link->setObjectName(objectName);
    link->setProperty("link", true);
    link->setFlat(true);
    enterPresses(link);
    link->setCursor(Qt::PointingHandCursor);
    link->setFocusPolicy(Qt::StrongFocus);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    setLinkColour(link, Theme::kLink);
    link->installEventFilter(new LinkColouring(link));
    name(link, text);
    return link;
}

void tieToLink(QAbstractButton* picture, QPushButton* link) {
    picture->installEventFilter(new LinkColouring(link));
}

} // namespace UiKit
