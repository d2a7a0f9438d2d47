#include "TestSupport.h"

#include "app/Clock.h"
#include "app/FileDialogs.h"
#include "app/Messages.h"
#include "app/OpenURL.h"

TestSandbox::TestSandbox() {
    Msg::Test::record(true);
    FileDialogs::Test::record(true);
    TMisc::recordForTest(true);
    Clock::setFixed(QDateTime());
}

TestSandbox::~TestSandbox() {
    Clock::setFixed(QDateTime());
}
