#include "sim/PageFingers.h"

#include <set>

namespace sim {

std::optional<int> PageFingers::press(const std::string& page, int finger)
{
    if (m_held.count({ page, finger }))
        return std::nullopt;
    std::set<int> taken;
    for (const auto& [who, driverFinger] : m_held)
        taken.insert(driverFinger);
    for (int candidate = 0; candidate < kDriverFingers; ++candidate) {
        if (taken.count(candidate))
            continue;
        m_held[{ page, finger }] = candidate;
        return candidate;
    }
    return std::nullopt;
}

std::optional<int> PageFingers::held(const std::string& page, int finger) const
{
    auto it = m_held.find({ page, finger });
    if (it == m_held.end())
        return std::nullopt;
    return it->second;
}

void PageFingers::release(const std::string& page, int finger) { m_held.erase({ page, finger }); }

std::vector<int> PageFingers::releaseAll(const std::string& page)
{
    std::vector<int> released;
    for (auto it = m_held.begin(); it != m_held.end();) {
        if (it->first.first == page) {
            released.push_back(it->second);
            it = m_held.erase(it);
        } else {
            ++it;
        }
    }
    return released;
}

} // namespace sim
