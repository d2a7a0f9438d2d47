#pragma once
#include <QByteArray>

// The checksum that tells a whole journal entry from one cut short by a crash (FNV-1a, 64 bits),
// as 16 hexadecimal digits.
inline QByteArray journalChecksum(const char* data, qsizetype size) {
    quint64 h = 1469598103934665603ULL;
    for (qsizetype i = 0; i < size; ++i) {
        h ^= static_cast<unsigned char>(data[i]);
        h *= 1099511628211ULL;
    }
    return QByteArray::number(h, 16).rightJustified(16, '0');
}
