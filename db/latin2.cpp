#include "latin2.h"

#include <QList>

#include <array>

namespace latin2 {
namespace {

// Code points of the bytes 0xA0..0xFF; below 0xA0 ISO-8859-2 equals Latin-1.
constexpr std::array<char16_t, 96> kHigh = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7,
    0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD, 0x017D, 0x017B,
    0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

struct ReverseTable {
    std::array<unsigned char, 0x800> bytes{}; // indexed by code point < 0x800; 0 = none
    ReverseTable()
    {
        for (int i = 0; i < 96; ++i)
            bytes[kHigh[i]] = static_cast<unsigned char>(0xA0 + i);
    }
};

const ReverseTable &reverse()
{
    static const ReverseTable table;
    return table;
}

int encodeChar(char16_t c)
{
    if (c < 0xA0)
        return c;
    if (c < 0x800) {
        const unsigned char b = reverse().bytes[c];
        if (b)
            return b;
    }
    return -1;
}

} // namespace

QByteArray fromUnicode(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const int b = encodeChar(c);
        if (b < 0) {
            QString shown = text.at(i);
            if (text.at(i).isHighSurrogate() && i + 1 < text.size())
                shown += text.at(i + 1);
            throw EncodingError(QStringLiteral("A(z) \u201e%1\u201d karakter (U+%2) nem tárolható az adatbázisban (ISO-8859-2).")
                                    .arg(shown)
                                    .arg(QString::number(shown.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0'))
                                    .toStdString());
        }
        dst[i] = static_cast<char>(b);
    }
    return out;
}

QString toUnicode(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        dst[i] = QChar(b < 0xA0 ? char16_t(b) : kHigh[b - 0xA0]);
    }
    return out;
}

bool canEncode(const QString &text)
{
    for (QChar c : text)
        if (encodeChar(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace latin2
