#pragma once
#include "store/ProgramFolder.h"

#include <QString>

// The password store unins000.dll in the program folder: an INI file whose section "Accesso"
// holds, under "Valore", the scrambled password (scrambling is the access screens' business).
namespace PasswordFile {

inline constexpr const char* kFileName = "unins000.dll";
inline QString path() {
    return ProgramFolder::file(QString::fromLatin1(kFileName));
}

} // namespace PasswordFile
