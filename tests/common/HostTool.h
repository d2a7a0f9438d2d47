#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// The poppler tools (pdftotext, pdftoppm) that read printed pages back. On Linux they run as
// they are. The Windows tests run under Wine, which has no Windows build of them but can start
// the Linux ones: through start.exe /unix, with every file named by its Unix path, and their
// output taken from a file (a Unix program started so writes to no pipe of ours).
namespace HostTool {

// Whether the tool can be run here.
bool available(const QString& program);

// Runs the tool and returns what it wrote to its standard output. Arguments that name an
// existing file, or a file in an existing folder, are passed as paths of this system.
QByteArray run(const QString& program, const QStringList& args, int timeoutMs = 60000);

} // namespace HostTool
