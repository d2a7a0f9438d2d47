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

// While it lives, file permissions bind this thread even when the tests run as root (which
// otherwise writes a read-only file or folder anyway): root's override of them is set aside on
// Linux and given back at the end. Elsewhere it changes nothing, and bound() tells.
class PermissionsBind {
public:
    PermissionsBind();
    ~PermissionsBind();
    PermissionsBind(const PermissionsBind&) = delete;
    PermissionsBind& operator=(const PermissionsBind&) = delete;
    // Whether a file without write permission now refuses this thread's writes.
    bool bound() const { return bound_; }

private:
    bool dropped_ = false;
    bool bound_ = false;
};

// Bytes from a hex text with blanks allowed ("02 53 EC").
QByteArray hexBytes(const char* hex);
// The source tree, for fixtures.
QString sourcePath(const QString& relative);
