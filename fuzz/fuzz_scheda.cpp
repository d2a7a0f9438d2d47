// Fleet records: the bytes of one 3581-byte card as the fleet file holds them.
#include "RecordChecks.h"
#include "store/TScheda.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz::checkRecord<TScheda>(data, size);
    return 0;
}
