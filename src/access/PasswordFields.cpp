#include "access/PasswordFields.h"

#include "app/UiKit.h"

#include <QLineEdit>
#include <QPushButton>
#include <limits>

QLineEdit* PasswordFields::field(QWidget* parent, const QString& objectName,
                                 const QString& accessibleName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(std::numeric_limits<int>::max());
    QFont font = edit->font();
    font.setPointSize(14);
    font.setBold(true);
    edit->setFont(font);
    edit->setMinimumHeight(34);
    edit->setProperty("password", true);
    UiKit::name(edit, accessibleName);
    return edit;
}

QPushButton* PasswordFields::button(QWidget* parent, const QString& objectName,
                                    const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setMinimumWidth(100);
    UiKit::name(button, caption);
    return button;
}
