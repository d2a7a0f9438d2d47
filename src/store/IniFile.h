#pragma once
#include <QByteArray>
#include <QString>

#include <functional>
#include <stdexcept>

// A small reader and writer of INI files that behaves as the Windows private-profile functions
// do where it matters: section and key names match without regard to letter case; a missing
// file, section or key reads as the default and creates nothing; a value is seen up to 2047
// characters; CRLF and LF line ends read the same; writing keeps every other line of the file.
namespace IniFile {

class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString read(const QString& path, const QString& section, const QString& key,
             const QString& defaultValue = QString());
// The same reading over the bytes of a file already in memory.
QString readBytes(const QByteArray& bytes, const QString& section, const QString& key,
                  const QString& defaultValue = QString());
// Creates the file, the section and the key when missing. Raises WriteError when the file
// cannot be written; the old content then stays in place.
void write(const QString& path, const QString& section, const QString& key, const QString& value);
// The same, with the new value computed from the current one under the file's exclusive lock,
// so that a check of the current value and the write are one step for every workstation.
// `compute` returns a null text to leave the file as it is; returns whether it was written.
bool update(const QString& path, const QString& section, const QString& key,
            const std::function<QString(const QString& current)>& compute);
// The new bytes of a file that held `bytes` (`existed` false when there was no file) once the
// key is set: what `write` puts in place.
QByteArray writeBytes(const QByteArray& bytes, bool existed, const QString& section,
                      const QString& key, const QString& value);

} // namespace IniFile
