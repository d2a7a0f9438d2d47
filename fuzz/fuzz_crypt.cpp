// Unscramble over the stored value of the password store, and the password's way there and
// back. The first byte chooses how the rest becomes a text: one character per byte, or two
// bytes per UTF-16 code unit.
#include "FuzzSupport.h"
#include "access/Crypt.h"

namespace {

bool isHex(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QString text =
        (data[0] & 1) ? Fuzz::utf16(data + 1, size - 1) : Fuzz::latin1(data + 1, size - 1);

    // Unscramble: refuses exactly the texts with a pair that is no hexadecimal number; a last
    // unpaired character is ignored; what it accepts scrambles back to its digits.
    const qsizetype pairs = text.size() / 2;
    bool hex = true;
    for (qsizetype i = 0; i < 2 * pairs; ++i)
        hex = hex && isHex(text.at(i));
    QString plain;
    bool refused = false;
    try {
        plain = Crypt::Unscramble(text);
    } catch (const Crypt::Error&) {
        refused = true;
    }
    FUZZ_CHECK(refused == !hex);
    if (!refused) {
        FUZZ_CHECK(plain.size() == pairs);
        for (const QChar c : plain)
            FUZZ_CHECK(c.unicode() <= 0xFF);
        FUZZ_CHECK(Crypt::Scramble(plain) == text.left(2 * pairs).toUpper());
    }

    // Scramble: two upper-case digits per character, and Unscramble gives back each
    // character's low 8 bits.
    const QString scrambled = Crypt::Scramble(text);
    FUZZ_CHECK(scrambled.size() == 2 * text.size());
    for (const QChar c : scrambled)
        FUZZ_CHECK(isHex(c) && !(c >= QLatin1Char('a') && c <= QLatin1Char('f')));
    const QString unscrambled = Crypt::Unscramble(scrambled);
    FUZZ_CHECK(unscrambled.size() == text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        FUZZ_CHECK(unscrambled.at(i).unicode() == (text.at(i).unicode() & 0xFF));

    // The normal form is stable, and a password of one-byte characters is read back from the
    // store as its normal form.
    const QString normal = Crypt::Normalize(text);
    FUZZ_CHECK(Crypt::Normalize(normal) == normal);
    FUZZ_CHECK(Fuzz::isTrimmed(normal));
    for (const QChar c : normal)
        FUZZ_CHECK(!(c >= QLatin1Char('a') && c <= QLatin1Char('z')));
    if (!(data[0] & 1)) {
        const QString stored = Crypt::TrimControls(Crypt::Scramble(normal));
        FUZZ_CHECK(Crypt::TrimControls(Crypt::Unscramble(stored)) == normal);
    }
    return 0;
}
