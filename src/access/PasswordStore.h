#pragma once
#include <QString>

// The password store unins000.dll in the program folder: an INI file whose section "Accesso"
// holds, under "Valore", the scrambled normal form of the one password of the installation.
namespace PasswordStore {

inline constexpr const char* kFileName = "unins000.dll";
QString path();

// The stored password in normal form ("" when the file, section or key is missing). Never
// creates or changes the file. Raises Crypt::Error when the stored value is not hexadecimal.
QString readStored();
// Stores a new password (its normal form, scrambled). Raises IniFile::WriteError when the
// store cannot be written; the old value then stays.
void store(const QString& newPassword);

// Whether the store can hold the password so that typing it again matches: every character
// within U+0000..U+00FF, and at most 1023 characters in normal form.
bool canHold(const QString& password);

inline constexpr const char* kFirstAccessPassword = "ormeggiodiprua";

} // namespace PasswordStore
