#include "TestSupport.h"

#include "app/Clock.h"
#include "app/DateSettings.h"
#include "app/FileDialogs.h"
#include "app/Messages.h"
#include "app/OpenURL.h"
#include "output/report/Printing.h"

TestSandbox::TestSandbox() {
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
