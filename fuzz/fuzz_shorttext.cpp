// The short text codec. The first byte is the field's capacity (0 reads as 1); the rest is the
// field as a file holds it (length byte, then the text), and also, read two bytes at a time, a
// text typed on screen to store.
#include "FuzzSupport.h"
#include "store/ShortText.h"

#include <QSet>

#include <cstring>
#include <memory>

namespace {

// Every character Windows-1252 can hold.
const QSet<uint>& encodable() {
    static const QSet<uint> set = [] {
        QSet<uint> s;
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            s.insert(ShortText::fromWindows1252(&byte, 1).at(0).unicode());
        }
        return s;
    }();
    return set;
}

// A field of exactly capacity + 1 bytes, so a write or read past it is caught.
std::unique_ptr<char[]> field(int capacity, const uint8_t* data, size_t size) {
    std::unique_ptr<char[]> f(new char[size_t(capacity) + 1]);
    std::memset(f.get(), 0, size_t(capacity) + 1);
    if (size > 0)
        std::memcpy(f.get(), data, std::min(size, size_t(capacity) + 1));
    return f;
}

// A stored field: length within the capacity, the text's bytes, zeros after.
void checkStored(const char* f, int capacity, const QByteArray& expected) {
    const int length = uint8_t(f[0]);
    FUZZ_CHECK(length <= capacity);
    FUZZ_CHECK(QByteArrayView(f + 1, length) == expected);
    static const char zeros[256] = {};
    FUZZ_CHECK(std::memcmp(f + 1 + length, zeros, size_t(capacity - length)) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int capacity = data[0] == 0 ? 1 : data[0];
    ++data;
    --size;

    // Reading a field from a file.
    const auto in = field(capacity, data, size);
    const QString text = ShortText::read(in.get(), capacity);
    const int length = std::min<int>(uint8_t(in[0]), capacity);
    FUZZ_CHECK(text.size() <= capacity);
    FUZZ_CHECK(Fuzz::isTrimmed(text));
    const QByteArrayView raw = Fuzz::trimmedView(in.get() + 1, length);
    FUZZ_CHECK(ShortText::toWindows1252(text) == raw);
    const QByteArrayView view = ShortText::storedText(in.get(), capacity);
    FUZZ_CHECK(view.data() == raw.data() && view.size() == raw.size());

    // Storing what was read gives the canonical field, which reads the same.
    const auto out = field(capacity, nullptr, 0);
    ShortText::store(out.get(), capacity, text);
    checkStored(out.get(), capacity, ShortText::toWindows1252(text));
    FUZZ_CHECK(ShortText::read(out.get(), capacity) == text);

    // Windows-1252 both ways: every byte is one character and comes back as itself.
    const QByteArray bytes = Fuzz::bytes(data, size);
    const QString decoded = ShortText::fromWindows1252(bytes);
    FUZZ_CHECK(decoded.size() == bytes.size());
    FUZZ_CHECK(ShortText::toWindows1252(decoded) == bytes);

    // Any text: one byte per character; a character the code page holds keeps its byte, any
    // other becomes "?".
    const QString typed = Fuzz::utf16(data, size);
    const QByteArray encoded = ShortText::toWindows1252(typed);
    const auto codes = typed.toUcs4();
    FUZZ_CHECK(encoded.size() == codes.size());
    const auto back = ShortText::fromWindows1252(encoded).toUcs4();
    FUZZ_CHECK(back.size() == codes.size());
    for (qsizetype i = 0; i < codes.size(); ++i) {
        if (encodable().contains(codes[i]))
            FUZZ_CHECK(back[i] == codes[i]);
        else
            FUZZ_CHECK(encoded[i] == '?');
    }

    // Storing a typed text: trimmed, encoded, cut at the capacity, never past the field.
    const auto typedOut = field(capacity, nullptr, 0);
    ShortText::store(typedOut.get(), capacity, typed);
    checkStored(typedOut.get(), capacity,
                ShortText::toWindows1252(ShortText::trim(typed)).left(capacity));
    const QString reread = ShortText::read(typedOut.get(), capacity);
    FUZZ_CHECK(reread.size() <= capacity && Fuzz::isTrimmed(reread));
    return 0;
}
