#pragma once
// Shared by the harnesses: a check that stops the run with a message (libFuzzer then keeps the
// input), and the ways a harness turns its bytes into texts.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace Fuzz {

// The bytes two by two as UTF-16 code units, so any character (unpaired surrogates included)
// can turn up; a last odd byte is left out.
inline QString utf16(const uint8_t* data, size_t size) {
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    if (size >= 2) // little-endian code units, as the machine holds them
        std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}

inline QString latin1(const uint8_t* data, size_t size) {
    return QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The bytes without leading and trailing bytes up to 32, as a stored text is trimmed.
inline QByteArrayView trimmedView(const char* data, qsizetype size) {
    qsizetype begin = 0, end = size;
    while (begin < end && uint8_t(data[begin]) <= 32)
        ++begin;
    while (end > begin && uint8_t(data[end - 1]) <= 32)
        --end;
    return QByteArrayView(data + begin, end - begin);
}

inline bool isTrimmed(const QString& t) {
    return t.isEmpty() || (t.front().unicode() > 32 && t.back().unicode() > 32);
}

} // namespace Fuzz
