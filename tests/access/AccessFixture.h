#pragma once
#include "TestSupport.h"

#include "access/TfrmPassword.h"
#include "app/Screens.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The persistent screens over a fresh program folder holding the store as installed, with the
// login screen shown as at start-up.
struct AccessFixture {
    TestSandbox sandbox;

    AccessFixture() {
        QFile::copy(sourcePath(QStringLiteral("resources/unins000.dll")), storePath());
        QFile(storePath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        Screens::createAll();
        frmPassword->show();
    }
    ~AccessFixture() { Screens::destroyAll(); }

    QString storePath() const { return sandbox.file(QStringLiteral("unins000.dll")); }
    QByteArray store() const { return sandbox.readBytes(QStringLiteral("unins000.dll")); }
};

template <typename T> T* control(QWidget* screen, const char* name) {
    T* found = screen->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline QLineEdit* field(QWidget* screen, const char* name) {
    return control<QLineEdit>(screen, name);
}

inline QPushButton* button(QWidget* screen, const char* name) {
    return control<QPushButton>(screen, name);
}

// The text the user enters replaces what the field holds (typed when it is plain ASCII,
// pasted otherwise).
inline void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->clear();
    bool ascii = true;
    for (const QChar ch : text)
        ascii = ascii && ch.unicode() >= 0x20 && ch.unicode() < 0x7F;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}
