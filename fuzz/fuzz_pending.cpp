// The journal a return leaves in the program folder while it runs, read back at start-up after
// the program was killed. The first byte chooses the input's kind: even, the rest is a
// journal's bytes as found; odd, the rest describes entries to write (0: "begin", 1:
// "written", 2: "confirm", 3: an entry of any tag and payload, 4: loose bytes), so runs reach
// the deeper states a checksum would otherwise hide and stay short. The last byte says which of two
// checks is made (each reads the 8 kB entries again) and where a copy of the journal is torn.
#include "FuzzSupport.h"
#include "store/PendingReturn.h"
#include "store/TNoleggio.h"
#include "store/TScheda.h"

namespace {

using Journal = PendingReturn::Journal;

QByteArray number(qint64 n) {
    return QByteArray::number(n).rightJustified(20, '0');
}

QByteArray begin(int16_t position, char before, char after, char rental) {
    return PendingReturn::entry('B', number(position) + QByteArray(TScheda::kSize, before) +
                                         QByteArray(TScheda::kSize, after) +
                                         QByteArray(TNoleggio::kSize, rental));
}

QByteArray confirm(qint64 count, char rental) {
    return PendingReturn::entry('C', number(count) + QByteArray(TNoleggio::kSize, rental));
}

QByteArray build(const uint8_t* data, size_t size) {
    QByteArray bytes;
    size_t at = 0;
    auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
    auto next16 = [&]() -> int16_t {
        const uint8_t low = next();
        return int16_t(low | (next() << 8));
    };
    // A real journal has three entries; a few more reach every state of the reading, and more
    // would only make runs slow.
    int begins = 0;
    for (int entries = 0; at < size && entries < 6; ++entries) {
        switch (next() % 5) {
        case 0:
            if (begins++ == 0) { // 8 kB: a second one reads as a torn entry
                const int16_t position = next16();
                const char before = char(next()), after = char(next()), rental = char(next());
                bytes += begin(position, before, after, rental);
            }
            break;
        case 1:
            bytes += PendingReturn::entry('W', QByteArray());
            break;
        case 2: {
            const int count = next16();
            bytes += confirm(count, char(next()));
            break;
        }
        case 3: {
            const char tag = char(next());
            const size_t n = std::min<size_t>(next(), size - at);
            bytes += PendingReturn::entry(tag, Fuzz::bytes(data + at, n));
            at += n;
            break;
        }
        default: {
            const size_t n = std::min<size_t>(next() % 32, size - at);
            bytes += Fuzz::bytes(data + at, n);
            at += n;
        }
        }
    }
    return bytes;
}

void checkShape(const Journal& j) {
    if (!j.begun) {
        FUZZ_CHECK(!j.written && !j.confirmed && j.position == 0 && j.before.isEmpty() &&
                   j.after.isEmpty() && j.rental.isEmpty());
    } else {
        FUZZ_CHECK(j.before.size() == TScheda::kSize && j.after.size() == TScheda::kSize);
        FUZZ_CHECK(j.rental.size() == TNoleggio::kSize);
    }
    if (j.confirmed)
        FUZZ_CHECK(j.confirmedRental.size() == TNoleggio::kSize);
    else
        FUZZ_CHECK(j.historyCount == 0 && j.confirmedRental.isEmpty());
}

bool sameBegin(const Journal& a, const Journal& b) {
    return a.position == b.position && a.before == b.before && a.after == b.after &&
           a.rental == b.rental;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes =
        (data[0] & 1) ? build(data + 1, size - 1) : Fuzz::bytes(data + 1, size - 1);
    const Journal j = PendingReturn::parse(bytes);
    checkShape(j);

    if (data[size - 1] & 1) {
        // A journal torn anywhere says no more than the whole one, and nothing else.
        const qsizetype cut = bytes.size() * data[size - 1] / 255;
        const Journal torn = PendingReturn::parse(bytes.left(cut));
        checkShape(torn);
        if (torn.begun)
            FUZZ_CHECK(j.begun && sameBegin(torn, j));
        FUZZ_CHECK(!torn.written || j.written);
        FUZZ_CHECK(!torn.confirmed || j.confirmed);
    } else if (j.begun && j.position >= 0 && j.historyCount >= 0) {
        // What a journal says, written afresh, reads back the same.
        QByteArray again =
            PendingReturn::entry('B', number(j.position) + j.before + j.after + j.rental);
        if (j.written)
            again += PendingReturn::entry('W', QByteArray());
        if (j.confirmed)
            again += PendingReturn::entry('C', number(j.historyCount) + j.confirmedRental);
        const Journal back = PendingReturn::parse(again);
        FUZZ_CHECK(back.begun && sameBegin(back, j) && back.written == j.written &&
                   back.confirmed == j.confirmed && back.historyCount == j.historyCount &&
                   back.confirmedRental == j.confirmedRental);
    }
    return 0;
}
