#pragma once
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QColor;
class QComboBox;
class QDialog;
class QFrame;
class QPixmap;
class QIcon;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// The user-interface conventions every screen shares: status line hints, the two styles of
// focus highlight, the Enter chain, picture buttons and accessible names.
namespace UiKit {

// The one-line status text at the bottom of a screen. Moving the mouse over a control with a
// hint shows the hint; moving it over the background empties the line.
class StatusLine : public QObject {
    Q_OBJECT
public:
    explicit StatusLine(QLabel* panInfo);
    // Gives a control its hint; the hint is also its accessible description.
    void hint(QWidget* control, const QString& text);
    // Mouse over this widget (window, container, decoration) empties the status line.
    void background(QWidget* widget);
    QLabel* label() const { return panInfo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* panInfo_;
};

// Background colouring: yellow while the field has the focus, white otherwise, a sky-blue
// border; a read-only field stays beige.
void colourOnFocus(QWidget* field);
// Re-applies the colouring after the field's read-only state changed.
void refreshColouring(QWidget* field);

// Highlight frame: a yellow rectangle slightly larger than the field, behind it, visible only
// while the field has the focus. Returns the frame (named effName).
QFrame* frameOnFocus(QWidget* field, const QString& effName);

// Enter in any field of the chain moves the focus to the next one; the last leads back to the
// first.
void enterChain(const QList<QWidget*>& chain);

// Enter presses a push button only while it has the focus: no button of `root` is default or
// auto-default, so Enter in a field never presses a button nobody chose.
void noDefaultButtons(QWidget* root);
// Enter (or Return) on the focused button presses it.
void enterPresses(QPushButton* button);

// A clickable picture: a real, focusable button drawn from SVG artwork, with a hand cursor.
QPushButton* pictureButton(QWidget* parent, const QString& objectName, const QString& svg,
                           const QSize& size, const QString& accessibleName);

// A drop-down edit whose values come from a fixed list: editable, but nothing typed is added to
// the list or completed from it; no item selected and no text to start with.
QComboBox* listDropDown(QWidget* parent, const QString& objectName, const QStringList& items);
// Puts a text in a drop-down edit with no list item selected.
void setDropDownText(QComboBox* box, const QString& text);

// Invisible controls that carry values a screen keeps without showing them.
QLabel* hiddenLabel(QWidget* parent, const QString& objectName, const QString& text = QString());
QLineEdit* hiddenEdit(QWidget* parent, const QString& objectName);

// Lays a dialog out as its logo across the top and the body below it, at a fixed size.
void logoAbove(QDialog* screen, QWidget* logo, QLayout* body, const QSize& size);

// A label that shows SVG artwork, crisp at its size.
QLabel* picture(QWidget* parent, const QString& objectName, const QString& svg, const QSize& size);

// Renders SVG artwork to a pixmap of the given logical size (sharp on high-density screens).
QPixmap svgPixmap(const QString& svg, const QSize& size, qreal devicePixelRatio = 2.0);
// An icon of the artwork at that size, drawn at its first use.
QIcon artIcon(const QString& svg, const QSize& size);

// Gives a widget its Italian accessible name (its visible caption or its action).
void name(QWidget* widget, const QString& accessibleName);

// A link text: a real, focusable button drawn as underlined dark-blue text, with a hand cursor.
// Pressing the mouse on it turns the text orange, releasing it turns it dark blue again.
QPushButton* linkButton(QWidget* parent, const QString& objectName, const QString& text);
// A picture beside a link: pressing and releasing the mouse on the picture colours the link
// as a press and release on the link itself do.
void tieToLink(QAbstractButton* picture, QPushButton* link);
// Sets the link's text colour (kept in its "linkColour" property as "#rrggbb").
void setLinkColour(QPushButton* link, const QColor& colour);

} // namespace UiKit
