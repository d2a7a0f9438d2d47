#include "access/PasswordStore.h"

#include "access/Crypt.h"
#include "store/IniFile.h"
#include "store/ProgramFolder.h"

namespace {
const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");
constexpr qsizetype kMaxCharacters = 1023; // 2047 digits seen by the read
} // namespace

QString PasswordStore::readStored() {
    return Crypt::TrimControls(Crypt::Unscramble(IniFile::read(path(), kSection, kKey)));
}

void PasswordStore::store(const QString& newPassword) {
    IniFile::write(path(), kSection, kKey,
                   Crypt::TrimControls(Crypt::Scramble(Crypt::Normalize(newPassword))));
}

bool PasswordStore::change(const QString& oldPassword, const QString& newPassword) {
    return IniFile::update(path(), kSection, kKey, [&](const QString& current) {
        if (Crypt::TrimControls(Crypt::Unscramble(current)) != Crypt::Normalize(oldPassword))
            return QString();
        return Crypt::TrimControls(Crypt::Scramble(Crypt::Normalize(newPassword)));
    });
}

bool PasswordStore::canHold(const QString& password) {
    const QString normal = Crypt::Normalize(password);
    if (normal.size() > kMaxCharacters)
        return false;
    for (const QChar ch : normal)
        if (ch.unicode() > 0xFF)
            return false;
    return true;
}
