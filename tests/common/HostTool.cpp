#include "HostTool.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

#ifdef Q_OS_WIN
// The Unix path of a Windows one, or an empty text away from Wine.
QString unixPath(const QString& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return QString();
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    char* unix = toUnix(reinterpret_cast<LPCWSTR>(native.utf16()));
    if (!unix)
        return QString();
    const QString result = QString::fromUtf8(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

QString shellQuoted(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
#endif

} // namespace

namespace HostTool {

bool available(const QString& program) {
#ifdef Q_OS_WIN
    return !unixPath(QDir::tempPath()).isEmpty() &&
           QFileInfo::exists(QStringLiteral("Z:/usr/bin/") + program);
#else
    return !QStandardPaths::findExecutable(program).isEmpty();
#endif
}

QByteArray run(const QString& program, const QStringList& args, int timeoutMs) {
#ifdef Q_OS_WIN
    QTemporaryDir work;
    QString script = QStringLiteral("/usr/bin/") + program;
    for (const QString& arg : args) {
        const QFileInfo file(arg);
        // Only an argument with a folder in it: a bare value ("100") would become a file of the
        // working folder.
        const bool isPath = arg != QStringLiteral("-") && !arg.startsWith(QLatin1Char('-')) &&
                            (arg.contains(QLatin1Char('/')) || arg.contains(QLatin1Char('\\'))) &&
                            file.absoluteDir().exists();
        script += QLatin1Char(' ') + shellQuoted(isPath ? unixPath(arg) : arg);
    }
    const QString out = unixPath(work.filePath(QStringLiteral("out")));
    script += QStringLiteral(" >") + shellQuoted(out + QStringLiteral(".part")) +
              QStringLiteral(" 2>/dev/null; mv ") + shellQuoted(out + QStringLiteral(".part")) +
              QLatin1Char(' ') + shellQuoted(out) + QLatin1Char('\n');
    QFile scriptFile(work.filePath(QStringLiteral("run.sh")));
    if (!scriptFile.open(QIODevice::WriteOnly) || scriptFile.write(script.toUtf8()) < 0)
        return QByteArray();
    scriptFile.close();
    QProcess start;
    start.start(QStringLiteral("start.exe"), {QStringLiteral("/unix"), QStringLiteral("/bin/sh"),
                                              unixPath(scriptFile.fileName())});
    start.waitForFinished(timeoutMs);
    // The Unix program runs on its own: its output is complete once it is renamed into place.
    QFile result(work.filePath(QStringLiteral("out")));
    for (QDeadlineTimer deadline(timeoutMs); !result.exists() && !deadline.hasExpired();)
        QThread::msleep(20);
    return result.open(QIODevice::ReadOnly) ? result.readAll() : QByteArray();
#else
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs))
        return QByteArray();
    return p.readAllStandardOutput();
#endif
}

} // namespace HostTool
