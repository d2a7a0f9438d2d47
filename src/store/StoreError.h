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
