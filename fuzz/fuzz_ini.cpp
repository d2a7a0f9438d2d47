// The INI reader and the new file a write makes. The input is a file's bytes followed by two
// bytes: the length of the value to write (times 9, so values past the 2047 characters a read
// sees turn up) and a selector of the section and key used and of the check made besides the
// read (each read parses the whole file, so one run makes one of the costlier checks).
#include "FuzzSupport.h"
#include "store/IniFile.h"

namespace {

const QString kSections[] = {QStringLiteral("Accesso"), QStringLiteral("Altro")};
const QString kKeys[] = {QStringLiteral("Valore"), QStringLiteral("Chiave")};
const QString kDefault = QStringLiteral("predefinito");
const QString kOtherDefault = QStringLiteral("altro");

// The digits of a scrambled password, as the store writes them.
QString digits(int length, uint8_t seed) {
    static const QString pattern = [] {
        QString text;
        for (int i = 0; i < 255 * 9 + 16; ++i)
            text.append(QLatin1Char("0123456789ABCDEF"[(i * 7) & 15]));
        return text;
    }();
    return pattern.mid(seed & 15, length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint8_t selector = data[size - 1];
    const int valueLength = data[size - 2] * 9;
    const QByteArray file = Fuzz::bytes(data, size - 2);
    const int s = selector & 1, k = (selector >> 1) & 1;
    const QString& section = kSections[s];
    const QString& key = kKeys[k];
    const bool utf16 = file.startsWith("\xFF\xFE");

    // What a read sees: at most 2047 characters of one line.
    const QString value = IniFile::readBytes(file, section, key, kDefault);
    FUZZ_CHECK(value.size() <= 2047);
    FUZZ_CHECK(!value.contains(QLatin1Char('\n')));

    switch ((selector >> 2) & 3) {
    case 0: {
        // The default only when the key is missing, whatever the default is.
        const QString other = IniFile::readBytes(file, section, key, kOtherDefault);
        FUZZ_CHECK(value == kDefault || other == value);
        FUZZ_CHECK(other == kOtherDefault || other == value);
        break;
    }
    case 1:
        // Names match without regard to letter case; CRLF and LF line ends read the same (a
        // UTF-16 file has other bytes for them).
        FUZZ_CHECK(IniFile::readBytes(file, section.toUpper(), key.toLower(), kDefault) == value);
        if (!utf16) {
            QByteArray lf = file;
            lf.replace("\r\n", "\n");
            FUZZ_CHECK(IniFile::readBytes(lf, section, key, kDefault) == value);
        }
        break;
    case 2: {
        // Writing a scrambled password's digits: the key reads back as written (up to what a
        // read sees), and every other key reads as before (in a file of one byte per
        // character: a UTF-8 or UTF-16 one is written back in one byte per character).
        const QString written = digits(valueLength, selector);
        const QByteArray after = IniFile::writeBytes(file, true, section, key, written);
        FUZZ_CHECK(IniFile::readBytes(after, section, key, kDefault) == written.left(2047));
        if (utf16 || file.startsWith("\xEF\xBB\xBF"))
            break;
        const int os = s ^ ((selector >> 4) & 1), ok = (os == s) ? (k ^ 1) : ((selector >> 5) & 1);
        FUZZ_CHECK(IniFile::readBytes(after, kSections[os], kKeys[ok], kDefault) ==
                   IniFile::readBytes(file, kSections[os], kKeys[ok], kDefault));
        break;
    }
    case 3: {
        // A new file holds the section and the key alone.
        const QString written = digits(valueLength, selector);
        const QByteArray created = IniFile::writeBytes(QByteArray(), false, section, key, written);
        FUZZ_CHECK(created == (QLatin1Char('[') + section + QStringLiteral("]\r\n") + key +
                               QLatin1Char('=') + written + QStringLiteral("\r\n"))
                                  .toLatin1());
        FUZZ_CHECK(IniFile::readBytes(created, section, key, kDefault) == written.left(2047));
        break;
    }
    }
    return 0;
}
