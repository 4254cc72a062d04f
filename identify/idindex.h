#pragma once
// Maps database ids to positions, keeping the first position given for an id.

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace identify {

class IdIndex {
public:
    // Ids come from generators and are mostly dense; a flat table is used when the range
    // is small compared to the count, a hash otherwise.
    explicit IdIndex(const std::vector<int> &ids);
    // Position of the first id equal to `id`, or -1.
    int find(int id) const
    {
        if (m_flat) {
            const long long k = static_cast<long long>(id) - m_min;
            return (k < 0 || k >= static_cast<long long>(m_table.size())) ? -1 : m_table[static_cast<std::size_t>(k)];
        }
        const auto it = m_hash.find(id);
        return it == m_hash.end() ? -1 : it->second;
    }

private:
    bool m_flat = false;
    int m_min = 0;
    std::vector<int> m_table;
    std::unordered_map<int, int> m_hash;
};

} // namespace identify
