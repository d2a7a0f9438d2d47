#pragma once
#include <QString>

// The program folder: the folder that holds the executable. Every data file lives there,
// so the whole folder can be copied to a USB stick and used from there.
namespace ProgramFolder {

QString path();
// Full path of a file (or folder) of the program folder.
QString file(const QString& name);
// Tests point the program folder at a temporary folder; an empty text restores the real one.
void setOverride(const QString& folder);

} // namespace ProgramFolder
