#pragma once
#include "store/PasswordFile.h"

#include <QString>

// The one password of the installation, kept scrambled (normal form) in the password store
// (store/PasswordFile).
namespace PasswordStore {

inline QString path() {
    return PasswordFile::path();
}

// The stored password in normal form ("" when the file, section or key is missing). Never
// creates or changes the file. Raises Crypt::Error when the stored value is not hexadecimal.
QString readStored();
// Stores a new password (its normal form, scrambled). Raises IniFile::WriteError when the
// store cannot be written; the old value then stays.
void store(const QString& newPassword);
// Stores a new password only if the stored one is still `oldPassword` (in normal form), checked
// under the store's lock: false, and nothing written, when it is not. Raises as store() does.
bool change(const QString& oldPassword, const QString& newPassword);

// Whether the store can hold the password so that typing it again matches: every character
// within U+0000..U+00FF, and at most 1023 characters in normal form.
bool canHold(const QString& password);

inline constexpr const char* kFirstAccessPassword = "ormeggiodiprua";

} // namespace PasswordStore
