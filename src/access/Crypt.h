#pragma once
#include <QString>

#include <stdexcept>

// Scrambling of the stored password: two upper-case hexadecimal digits per character, each
// the character's low 8 bits mixed with a 16-bit key that walks through the text.
namespace Crypt {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString Scramble(const QString& text);
// Raises Crypt::Error when a pair of digits is not a hexadecimal number. A last unpaired
// character is ignored.
QString Unscramble(const QString& stored);

// The normal form of a password: "a"-"z" become "A"-"Z" (nothing else changes case), then
// leading and trailing characters up to U+0020 are removed.
QString Normalize(const QString& password);
// Removes leading and trailing characters up to U+0020.
QString TrimControls(const QString& text);

} // namespace Crypt
