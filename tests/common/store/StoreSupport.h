#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh temporary program folder for one test, and the storage seams back to normal. Undone
// when it goes away.
class StoreSandbox {
public:
    StoreSandbox();
    ~StoreSandbox();
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
