#include "store/IniFile.h"

#include "store/Durable.h"
#include "store/FileLock.h"
#include "store/StoreError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr qsizetype kMaxValue = 2047; // the private-profile read's buffer, less its terminator

QString decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                  (bytes.size() - 2) / 2);
    return QString::fromLatin1(bytes);
}

QStringList linesOf(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// "[name]" -> name, or a null text when the line is no section header.
QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return QString();
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    return close < 0 ? QString() : t.mid(1, close - 1).trimmed();
}

bool keyLine(const QString& line, const QString& key, QString* value) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value) {
        QString v = line.mid(eq + 1).trimmed();
        if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
            v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        *value = v;
    }
    return true;
}

} // namespace

QString IniFile::read(const QString& path, const QString& section, const QString& key,
                      const QString& defaultValue) {
    QFile file(path);
    if (!Durable::openFile(file, QIODevice::ReadOnly))
        return defaultValue.left(kMaxValue);
#ifdef Q_OS_WIN
    // Windows locks are mandatory: during another desk's write every read of the file fails
    // and would read as no password. A shared lock waits for that write to end.
    try {
        FileLock::acquire(file, FileLock::Mode::Shared);
    } catch (const std::exception&) {
    }
#endif
    return readBytes(file.readAll(), section, key, defaultValue);
}

QString IniFile::readBytes(const QByteArray& bytes, const QString& section, const QString& key,
                           const QString& defaultValue) {
    bool inSection = false;
    for (const QString& line : linesOf(decode(bytes))) {
        const QString name = sectionName(line);
        if (!name.isNull()) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && keyLine(line, key, &value))
            return value.left(kMaxValue);
    }
    return defaultValue.left(kMaxValue);
}

// The new text of the file: the key set in its section, every other line kept.
QByteArray IniFile::writeBytes(const QByteArray& bytes, bool existed, const QString& section,
                               const QString& key, const QString& value) {
    const bool crlf = !existed || bytes.contains("\r\n") || !bytes.contains('\n');
    QStringList lines = linesOf(decode(bytes));
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionAt = -1;
    qsizetype lastOfSection = -1;
    bool written = false;
    for (qsizetype i = 0; i < lines.size() && !written; ++i) {
        const QString name = sectionName(lines.at(i));
        if (!name.isNull()) {
            if (sectionAt >= 0)
                break; // the next section begins: the key was not there
            if (name.compare(section, Qt::CaseInsensitive) == 0)
                sectionAt = lastOfSection = i;
            continue;
        }
        if (sectionAt < 0)
            continue;
        if (keyLine(lines.at(i), key, nullptr)) {
            lines[i] = entry;
            written = true;
        } else if (!lines.at(i).trimmed().isEmpty()) {
            lastOfSection = i;
        }
    }
    if (!written) {
        if (sectionAt >= 0) {
            lines.insert(lastOfSection + 1, entry);
        } else {
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        }
    }
    const QString eol = crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return (lines.join(eol) + eol).toLatin1();
}

void IniFile::write(const QString& path, const QString& section, const QString& key,
                    const QString& value) {
    update(path, section, key, [&](const QString&) { return value; });
}

bool IniFile::update(const QString& path, const QString& section, const QString& key,
                     const std::function<QString(const QString& current)>& compute) {
    // Two workstations may change the store at once: each holds the lock of the file it read
    // until its new file is in place, and one that waited on a file replaced meanwhile starts
    // again from the new one, so no change is lost. A missing file is created empty to carry
    // the lock, and removed again when nothing is written.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QFile current(path);
        bool created = false;
        if (!Durable::openFile(current, QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
            if (QFileInfo::exists(path))
                throw WriteError("cannot read the INI file");
            if (!Durable::openFile(current, QIODevice::ReadWrite | QIODevice::NewOnly))
                continue; // created elsewhere a moment ago, or refused: look again
            created = true;
        }
        try {
            FileLock::acquire(current, FileLock::Mode::Exclusive);
            if (!FileLock::stillAt(current, path))
                continue;
            const QByteArray bytes = current.readAll();
            const bool existed = !created;
            const QString value = compute(readBytes(bytes, section, key));
            if (value.isNull()) {
                if (created)
                    Durable::remove(path);
                return false;
            }
            // On the disk before the new password is reported stored.
            Durable::replaceLocked(current, path, writeBytes(bytes, existed, section, key, value));
            return true;
        } catch (const ArchiveBusy&) {
            throw;
        } catch (const FileError& e) {
            if (created)
                Durable::remove(path);
            throw WriteError(e.what());
        } catch (...) {
            if (created)
                Durable::remove(path);
            throw;
        }
    }
    throw WriteError("the INI file keeps changing");
}
