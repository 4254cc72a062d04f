#pragma once
// Conversion between the programs' UTF-16 text and the key database's ISO-8859-2.

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace latin2 {

class EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws EncodingError naming the first character that ISO-8859-2 cannot hold,
// so that nothing is ever stored as a silent "?".
QByteArray fromUnicode(const QString &text);

// Every byte has a meaning in ISO-8859-2, so decoding cannot fail.
QString toUnicode(const char *data, qsizetype size);
inline QString toUnicode(const QByteArray &bytes) { return toUnicode(bytes.constData(), bytes.size()); }

// True when every character of the text has an ISO-8859-2 code.
bool canEncode(const QString &text);

} // namespace latin2
