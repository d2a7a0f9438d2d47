#pragma once
#include <QString>

#include <stdexcept>

// A data file could not be opened, created, positioned, read, written or closed.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// Another workstation held the file's lock for longer than the wait: nothing was written.
class ArchiveBusy : public FileError {
public:
    using FileError::FileError;
};

// The stored card is no longer the one the screen loaded (another workstation rewrote it):
// nothing was written.
class CardChanged : public FileError {
public:
    using FileError::FileError;
};

// A data file, a redo file or a journal that is not what this program writes (another layout, a
// size that no interrupted append explains, damaged bytes): it is left as it is and nothing is
// written. fileName() names it for the message.
class BadFile : public FileError {
public:
    explicit BadFile(const QString& path)
        : FileError(QStringLiteral("not a file of this program: %1").arg(path)), path_(path) {}
    QString fileName() const { return path_.section(QLatin1Char('/'), -1); }

private:
    QString path_;
};
