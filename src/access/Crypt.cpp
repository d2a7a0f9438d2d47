#include "access/Crypt.h"

#include "store/ShortText.h"

namespace {

constexpr quint16 kStartKey = 7613;

quint16 nextKey(quint16 key, unsigned c) {
    return static_cast<quint16>((c + key) * 28361u + 27509u);
}

int hexValue(QChar ch) {
    const char16_t u = ch.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

QString Crypt::Scramble(const QString& text) {
    static const char digits[] = "0123456789ABCDEF";
    QString result;
    result.reserve(text.size() * 2);
    quint16 key = kStartKey;
    for (const QChar ch : text) {
        const unsigned p = ch.unicode() & 0xFFu;
        const unsigned c = p ^ (key >> 8);
        result.append(QLatin1Char(digits[c >> 4]));
        result.append(QLatin1Char(digits[c & 0xF]));
        key = nextKey(key, c);
    }
    return result;
}

QString Crypt::Unscramble(const QString& stored) {
    const qsizetype n = stored.size() / 2;
    QString result;
    result.reserve(n);
    quint16 key = kStartKey;
    for (qsizetype i = 0; i < n; ++i) {
        const int high = hexValue(stored.at(2 * i));
        const int low = hexValue(stored.at(2 * i + 1));
        if (high < 0 || low < 0)
            throw Error("not a hexadecimal pair");
        const unsigned c = static_cast<unsigned>(high * 16 + low);
        result.append(QChar(static_cast<char16_t>(c ^ (key >> 8))));
        key = nextKey(key, c);
    }
    return result;
}

QString Crypt::TrimControls(const QString& text) {
    return ShortText::trim(text);
}

QString Crypt::Normalize(const QString& password) {
    QString upper = password;
    for (QChar& ch : upper)
        if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z'))
            ch = QChar(ch.unicode() - 32);
    return TrimControls(upper);
}
