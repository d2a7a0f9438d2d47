#pragma once
#include <QString>

class QWidget;

// The file dialogs. Tests queue the next chosen file (or an empty text for a cancel).
namespace FileDialogs {

// The chosen file's full path, or an empty text when the user cancels.
QString openFile(QWidget* parent, const QString& title, const QString& filter);
// The file to write, `suggested` offered first; an empty text when the user cancels.
QString saveFile(QWidget* parent, const QString& title, const QString& suggested,
                 const QString& filter);

namespace Test {
void record(bool on);
void choose(const QString& path); // the next dialog returns this path ("" cancels)
QString lastTitle();
QString lastFilter();
} // namespace Test

} // namespace FileDialogs
