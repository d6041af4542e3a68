#pragma once

// Wall-clock seconds a call takes: for the few tests that bound how long hostile input may cost.

#include <chrono>

namespace testing_support {

template<class F>
double secondsFor(F&& f)
{
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace testing_support
