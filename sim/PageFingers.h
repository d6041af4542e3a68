#pragma once

// The fingers of the pages that drive one phone. Each page numbers its own fingers from 0; each
// (page, finger) that is down holds a finger of the phone's touch driver that no other page holds,
// so that two pages dragging at once are two fingers, not one finger put down twice. Used on the
// phone's thread only.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

class PageFingers {
public:
    // Driver fingers handed out: 0 up to this (the driver's own pinch uses 100 and 101).
    static constexpr int kDriverFingers = 64;

    // The driver finger for a page's finger going down; none when every one is taken or the
    // page's finger holds one already.
    std::optional<int> press(const std::string& page, int finger);
    // The driver finger a page's finger holds.
    std::optional<int> held(const std::string& page, int finger) const;
    void release(const std::string& page, int finger);
    // Lets go of every finger of the page; answers the driver fingers it held.
    std::vector<int> releaseAll(const std::string& page);
    // A new phone: nobody holds anything.
    void clear() { m_held.clear(); }

private:
    std::map<std::pair<std::string, int>, int> m_held;
};

} // namespace sim
