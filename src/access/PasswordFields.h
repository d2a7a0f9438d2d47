#pragma once
#include <QString>

class QLineEdit;
class QWidget;

// The password fields of the login and change-password screens: typed characters shown
// masked, no maximum length, bold 14-point text.
namespace PasswordFields {

QLineEdit* field(QWidget* parent, const QString& objectName, const QString& accessibleName);

} // namespace PasswordFields
