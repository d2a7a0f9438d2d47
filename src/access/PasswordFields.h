#pragma once
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

// The parts the login and change-password screens share.
namespace PasswordFields {

// A password field: typed characters shown masked, no maximum length, bold 14-point text.
QLineEdit* field(QWidget* parent, const QString& objectName, const QString& accessibleName);

// A button of these screens: Enter never presses it by default; named by its caption.
QPushButton* button(QWidget* parent, const QString& objectName, const QString& caption);

} // namespace PasswordFields
