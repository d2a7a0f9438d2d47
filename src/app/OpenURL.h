#pragma once
#include <QString>
#include <QStringList>

// Hands a document, folder, web address or "mailto:" address to the desktop shell to open.
// The text may be a path in double quotes, a path without them, a web address or a mail
// address. Nothing is reported back: the shell's answer is not examined.
class TMisc {
public:
    static void Open(const QString& command);

    // Tests: record the commands instead of launching anything.
    static void recordForTest(bool on);
    static QStringList& recorded();
};
