#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The short text field of both data files: a length byte, then up to `capacity` characters in
// the Windows-1252 code page. Texts are trimmed of characters of code 32 or less when stored and
// when read, and cut silently at the capacity.
namespace ShortText {

// Removes leading and trailing characters whose code is 32 or less.
QString trim(const QString& text);

// Windows-1252, one byte per character; a character the code page cannot hold becomes "?".
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const char* bytes, qsizetype size);
inline QString fromWindows1252(const QByteArray& bytes) {
    return fromWindows1252(bytes.constData(), bytes.size());
}
// Appends the decoded bytes to `out`.
void appendWindows1252(QString& out, QByteArrayView bytes);
// The bytes without those of code 32 or less around them (the same characters in Windows-1252).
QByteArrayView trimmed(QByteArrayView bytes);

// Writes a field of the given capacity (capacity + 1 bytes) at `out`. The bytes after the
// text are zeros, so equal records give equal bytes.
void store(char* out, int capacity, const QString& text);
// Reads a field of the given capacity from `in`. A length byte above the capacity reads as the
// whole capacity and never past the field.
QString read(const char* in, int capacity);
// The stored bytes of a field of the given capacity at `in`, as read() takes them (after the
// length byte, never past the field), not decoded nor trimmed.
inline QByteArrayView bytes(const char* in, int capacity) {
    const int length = static_cast<unsigned char>(in[0]);
    return QByteArrayView(in + 1, length < capacity ? length : capacity);
}
// The bytes of the text `read` gives, undecoded: for readers that need a few fields of many
// records without making texts of them.
QByteArrayView storedText(const char* in, int capacity);

} // namespace ShortText
