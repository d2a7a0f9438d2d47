#include "store/ShortText.h"

#include <QList>

#include <algorithm>
#include <cstring>

namespace {

// Code points of the bytes 0x80..0x9F; the five bytes Windows-1252 leaves undefined map to the
// C1 control of the same value, as Windows does.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeOne(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == code)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString ShortText::trim(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QByteArray ShortText::toWindows1252(const QString& text) {
    // One pass over the UTF-16 units: a surrogate pair is one character (never in the code
    // page), and so is a surrogate standing alone.
    const qsizetype size = text.size();
    const auto* in = reinterpret_cast<const char16_t*>(text.constData());
    QByteArray out(size, Qt::Uninitialized);
    char* data = out.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = in[i];
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            data[n++] = static_cast<char>(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(in[i + 1])) {
            data[n++] = '?';
            ++i;
        } else {
            data[n++] = encodeOne(c);
        }
    }
    out.truncate(n);
    return out;
}

QString ShortText::fromWindows1252(const char* bytes, qsizetype size) {
    QString out(size, Qt::Uninitialized);
    QChar* data = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        data[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kHigh[byte - 0x80]) : QChar(byte);
    }
    return out;
}

void ShortText::appendWindows1252(QString& out, QByteArrayView bytes) {
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    QChar* data = out.data() + at;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        data[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kHigh[byte - 0x80]) : QChar(byte);
    }
}

QByteArrayView ShortText::trimmed(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && static_cast<unsigned char>(bytes[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(bytes[end - 1]) <= 32)
        --end;
    return bytes.sliced(begin, end - begin);
}

void ShortText::store(char* out, int capacity, const QString& text) {
    const QByteArray bytes = toWindows1252(trim(text));
    const int length = static_cast<int>(std::min<qsizetype>(bytes.size(), capacity));
    out[0] = static_cast<char>(length);
    std::memcpy(out + 1, bytes.constData(), static_cast<size_t>(length));
    std::memset(out + 1 + length, 0, static_cast<size_t>(capacity - length));
}

QString ShortText::read(const char* in, int capacity) {
    const int length = std::min(static_cast<int>(static_cast<unsigned char>(in[0])), capacity);
    return trim(fromWindows1252(in + 1, length));
}

QByteArrayView ShortText::storedText(const char* in, int capacity) {
    // Windows-1252 bytes up to 32 are exactly the characters up to U+0020.
    qsizetype begin = 1;
    qsizetype end = 1 + std::min(static_cast<int>(static_cast<unsigned char>(in[0])), capacity);
    while (begin < end && static_cast<unsigned char>(in[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(in[end - 1]) <= 32)
        --end;
    return QByteArrayView(in + begin, end - begin);
}
