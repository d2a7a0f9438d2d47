#pragma once
// The checks both record harnesses make on one record's bytes, as a file holds them.
#include "FuzzSupport.h"
#include "store/ShortText.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace Fuzz {

// The field table lies inside the record, in order, without overlaps.
template <typename Rec> bool checkLayout() {
    int end = 0;
    for (const auto& f : Rec::fields()) {
        FUZZ_CHECK(f.offset >= end && f.capacity > 0 && f.capacity <= 255);
        end = f.offset + 1 + f.capacity;
        FUZZ_CHECK(end <= Rec::kSize);
    }
    return true;
}

template <typename Rec> void checkRecord(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool layout = checkLayout<Rec>();
    // Exactly one record, so a read past its end is caught; a short input is a record cut
    // short, the rest zeros.
    std::unique_ptr<char[]> in(new char[Rec::kSize]);
    std::memset(in.get(), 0, Rec::kSize);
    if (size > 0)
        std::memcpy(in.get(), data, std::min<size_t>(size, Rec::kSize));

    const Rec rec = Rec::fromBytes(in.get());
    for (const auto& f : Rec::fields()) {
        const QString& text = rec.*(f.member);
        // The text comes from the field's own bytes, up to the length byte or the capacity,
        // and so does the undecoded view the summary reads (the short text harness checks the
        // trimming itself byte by byte).
        const char* first = in.get() + f.offset + 1;
        const char* last = first + std::min<int>(uint8_t(in[f.offset]), f.capacity);
        FUZZ_CHECK(text.size() <= last - first);
        FUZZ_CHECK(isTrimmed(text));
        const QByteArrayView view = ShortText::storedText(in.get() + f.offset, f.capacity);
        FUZZ_CHECK(view.data() >= first && view.data() + view.size() <= last);
        FUZZ_CHECK(text == ShortText::fromWindows1252(view.data(), view.size()));
    }

    // Decode, encode, decode again: the same record. The bytes written are canonical: every
    // byte outside a text is zero.
    const QByteArray out = rec.toBytes();
    FUZZ_CHECK(out.size() == Rec::kSize);
    FUZZ_CHECK(Rec::fromBytes(out) == rec);
    static const QByteArray zeros(Rec::kSize, '\0');
    int end = 0;
    for (const auto& f : Rec::fields()) {
        FUZZ_CHECK(std::memcmp(out.constData() + end, zeros.constData(), size_t(f.offset - end)) ==
                   0);
        const int length = uint8_t(out[f.offset]);
        FUZZ_CHECK(length <= f.capacity);
        const int textEnd = f.offset + 1 + length;
        end = f.offset + 1 + f.capacity;
        FUZZ_CHECK(
            std::memcmp(out.constData() + textEnd, zeros.constData(), size_t(end - textEnd)) == 0);
    }
    FUZZ_CHECK(std::memcmp(out.constData() + end, zeros.constData(), size_t(Rec::kSize - end)) ==
               0);
}

} // namespace Fuzz
