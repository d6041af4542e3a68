#include "Selector.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace objc {

SEL sel_registerName(std::string_view name)
{
    struct Entry {
        std::string text;
        Selector selector;
    };
    static std::mutex mutex;
    static std::unordered_map<std::string_view, std::unique_ptr<Entry>> table;

    std::lock_guard lock(mutex);
    if (auto it = table.find(name); it != table.end())
        return &it->second->selector;
    auto entry = std::make_unique<Entry>();
    entry->text = std::string(name);
    entry->selector.name = entry->text.c_str();
    SEL sel = &entry->selector;
    std::string_view key = entry->text;
    table.emplace(key, std::move(entry));
    return sel;
}

} // namespace objc
