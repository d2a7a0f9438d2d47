#pragma once
#include "store/StoreSupport.h"

// One test's sandbox: a fresh temporary program folder, message boxes, file dialogs and the
// shell recorded instead of shown or launched, the clock back to real time. Everything is
// undone when the sandbox goes away.
class TestSandbox : public StoreSandbox {
public:
    TestSandbox();
    ~TestSandbox();
};
