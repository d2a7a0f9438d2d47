#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// One test's sandbox: a fresh temporary program folder, message boxes, file dialogs and the
// shell recorded instead of shown or launched, the clock back to real time. Everything is
// undone when the sandbox goes away.
class TestSandbox {
public:
    TestSandbox();
    ~TestSandbox();
    QString folder() const { return dir_.path(); }
    QString file(const QString& name) const;
    QByteArray readBytes(const QString& name) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};

// Bytes from a hex text with blanks allowed ("02 53 EC").
QByteArray hexBytes(const char* hex);
// The source tree, for fixtures.
QString sourcePath(const QString& relative);
