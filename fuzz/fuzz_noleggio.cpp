// History records: the bytes of one 761-byte rental as the history file holds them.
#include "RecordChecks.h"
#include "store/TNoleggio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz::checkRecord<TNoleggio>(data, size);
    return 0;
}
