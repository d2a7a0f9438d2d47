#pragma once
#include "store/ShortText.h"

#include <QByteArray>
#include <QString>

#include <span>

// One short text field of a record: where it lies and which member carries it.
template <typename Rec> struct FieldDef {
    const char* name;
    int offset;
    int capacity;
    QString Rec::*member;
};

// Packs and unpacks a record of short text fields by its field table.
template <typename Rec>
QByteArray packRecord(const Rec& record, std::span<const FieldDef<Rec>> fields, int size) {
    QByteArray bytes(size, '\0');
    for (const FieldDef<Rec>& f : fields)
        ShortText::store(bytes.data() + f.offset, f.capacity, record.*(f.member));
    return bytes;
}

template <typename Rec> Rec unpackRecord(const char* bytes, std::span<const FieldDef<Rec>> fields) {
    Rec record;
    for (const FieldDef<Rec>& f : fields)
        record.*(f.member) = ShortText::read(bytes + f.offset, f.capacity);
    return record;
}

// Whether the first `size` bytes of a record (all of it, or the piece an append cut short left)
// hold length bytes that fit their fields: a file of another layout rarely does.
template <typename Rec>
bool fieldsFit(const char* bytes, qsizetype size, std::span<const FieldDef<Rec>> fields) {
    for (const FieldDef<Rec>& f : fields) {
        const bool inPiece = f.offset < size;
        if (inPiece && static_cast<unsigned char>(bytes[f.offset]) > f.capacity)
            return false;
    }
    return true;
}
