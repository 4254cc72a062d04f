#include "idindex.h"

#include <algorithm>

namespace identify {

IdIndex::IdIndex(const std::vector<int> &ids)
{
    if (ids.empty())
        return;
    const auto [lo, hi] = std::minmax_element(ids.begin(), ids.end());
    const long long range = static_cast<long long>(*hi) - *lo + 1;
    if (range <= 4 * static_cast<long long>(ids.size()) + 4096) {
        m_flat = true;
        m_min = *lo;
        m_table.assign(static_cast<size_t>(range), -1);
        for (size_t i = 0; i < ids.size(); ++i) {
            int &slot = m_table[static_cast<size_t>(static_cast<long long>(ids[i]) - m_min)];
            if (slot < 0)
                slot = static_cast<int>(i);
        }
    } else {
        m_hash.reserve(ids.size());
        for (size_t i = 0; i < ids.size(); ++i)
            m_hash.emplace(ids[i], static_cast<int>(i)); // keeps the first
    }
}

} // namespace identify
