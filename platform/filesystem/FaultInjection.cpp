#include "FaultInjection.h"

#include <cerrno>
#include <mutex>

namespace filesystem {

namespace {

struct FaultPlan {
    std::mutex lock;
    bool armed = false;
    FaultKind kind = FaultKind::FailOneChange;
    long at = 0;
    long counted = 0;
    bool struck = false;
};

FaultPlan& plan()
{
    static FaultPlan instance;
    return instance;
}

} // namespace

void armFault(FaultKind kind, long nthChange)
{
    std::lock_guard guard(plan().lock);
    FaultPlan& p = plan();
    p.armed = true;
    p.kind = kind;
    p.at = nthChange;
    p.counted = 0;
    p.struck = false;
}

void disarmFaults()
{
    std::lock_guard guard(plan().lock);
    plan().armed = false;
    plan().counted = 0;
    plan().struck = false;
}

long changesCounted()
{
    std::lock_guard guard(plan().lock);
    return plan().counted;
}

bool faultHasStruck()
{
    std::lock_guard guard(plan().lock);
    return plan().struck;
}

bool allowChange()
{
    std::lock_guard guard(plan().lock);
    FaultPlan& p = plan();
    long number = ++p.counted;
    if (!p.armed)
        return true;
    bool dead = p.kind == FaultKind::DieAtChange && p.struck;
    if (number == p.at || dead) {
        p.struck = true;
        errno = EIO;
        return false;
    }
    return true;
}

} // namespace filesystem
