#include "fold.h"

namespace identify {

unsigned char FoldAttrValue(std::string_view v)
{
    // Positions 2..5 of the value followed by "12345"; the first character takes no part.
    char padded[5];
    const std::string_view tail = "12345";
    for (int i = 1; i <= 4; ++i) {
        const size_t pos = static_cast<size_t>(i);
        padded[i] = pos < v.size() ? v[pos] : tail[pos - v.size()];
    }
    const auto c2 = static_cast<unsigned char>(padded[1]);
    const auto c3 = static_cast<unsigned char>(padded[2]);
    const auto c4 = static_cast<unsigned char>(padded[3]);
    const auto c5 = static_cast<unsigned char>(padded[4]);
    unsigned code = 0;
    code |= ((c2 >> 5) & 1u) << 7;
    code |= ((c3 >> 5) & 1u) << 6;
    code |= ((c4 >> 4) & 1u) << 5;
    code |= ((c5 >> 5) & 1u) << 4;
    code |= ((c4 >> 2) & 1u) << 3;
    code |= ((c3 >> 1) & 1u) << 2;
    code |= (c5 & 1u) << 1;
    code |= (c2 & 1u);
    return static_cast<unsigned char>(code);
}

unsigned char storedValueCode(std::string_view stored)
{
    size_t b = 0, e = stored.size();
    while (b < e && static_cast<unsigned char>(stored[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(stored[e - 1]) <= ' ')
        --e;
    if (b == e)
        return 0;
    const std::string_view v = stored.substr(b, e - b);
    return v.size() == 1 ? static_cast<unsigned char>(v[0]) : FoldAttrValue(v);
}

} // namespace identify
