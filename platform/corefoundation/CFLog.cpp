#include "CFLog.h"

#include "platform/runtime/Runtime.h"

#include <iostream>
#include <mutex>

namespace corefoundation {

namespace {
struct LogState {
    std::mutex mutex;
    std::vector<std::string> lines;
};
} // namespace

void writeSystemLog(int level, const std::string& message)
{
    std::cerr << "[log " << level << "] " << message << std::endl;
    if (objc::Runtime* runtime = objc::Runtime::currentOrNull()) {
        auto& state = runtime->state<LogState>();
        std::lock_guard lock(state.mutex);
        state.lines.push_back(message);
    }
}

std::vector<std::string> systemLogLines()
{
    objc::Runtime* runtime = objc::Runtime::currentOrNull();
    if (!runtime)
        return {};
    auto& state = runtime->state<LogState>();
    std::lock_guard lock(state.mutex);
    return state.lines;
}

} // namespace corefoundation
