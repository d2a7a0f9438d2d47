#include "TestSupport.h"

#include "app/Clock.h"
#include "app/DateSettings.h"
#include "app/FileDialogs.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Startup.h"
#include "output/report/Printing.h"

#include <QGuiApplication>

TestSandbox::TestSandbox() {
    // The fonts beside the test program, as the program registers its folder's (the Windows
    // build puts the twins there: Wine has none of the fonts the layouts name).
    // Only where there is a GUI application: Windows' font database needs one.
    static const bool fontsRegistered =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
        (Startup::registerFolderFonts(), true);
    Q_UNUSED(fontsRegistered);
    Msg::Test::record(true);
    FileDialogs::Test::record(true);
    TMisc::recordForTest(true);
    Clock::setFixed(QDateTime());
    Printing::Test::toPdf(folder()); // nothing a test prints reaches a real printer
    DateSettings::Test::setLongTimeFormat(QStringLiteral("hh:mm:ss")); // the same on any machine
}

TestSandbox::~TestSandbox() {
    Printing::Test::toPdf(QString()); // the folder goes away; pages still never reach a queue
    Clock::setFixed(QDateTime());
}
