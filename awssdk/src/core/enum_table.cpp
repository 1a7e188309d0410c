#include "core/enum_table.h"

#include "core/log.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace Aws {
namespace Internal {
namespace {

constexpr const char* kTag = "EnumParseOverflowContainer";

struct OverflowStore {
    std::shared_mutex mutex;
    std::unordered_map<int, Aws::String> values;
};

std::mutex g_storeMutex;
std::shared_ptr<OverflowStore> g_store;

std::shared_ptr<OverflowStore> Store() {
    const std::lock_guard<std::mutex> lock(g_storeMutex);
    return g_store;
}

}  // namespace

int HashString(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    unsigned hash = 0;
    while (const char ch = *text++) {
        hash = static_cast<unsigned>(ch) + 31U * hash;
    }
    return static_cast<int>(hash);
}

int EnumForName(const char* const* names, size_t count, const Aws::String& name) {
    for (size_t i = 0; i < count; ++i) {
        if (name == names[i]) {
            return static_cast<int>(i + 1);
        }
    }
    const auto store = Store();
    if (!store) {
        return 0;
    }
    const int hash = HashString(name.c_str());
    {
        const std::unique_lock<std::shared_mutex> lock(store->mutex);
        store->values[hash] = name;
    }
    return hash;
}

Aws::String NameForEnum(const char* const* names, size_t count, int value) {
    if (value == 0) {
        return {};
    }
    if (value > 0 && static_cast<size_t>(value) <= count) {
        return names[value - 1];
    }
    if (const auto store = Store()) {
        const std::shared_lock<std::shared_mutex> lock(store->mutex);
        const auto it = store->values.find(value);
        if (it != store->values.end()) {
            return it->second;
        }
    }
    AWS_LOGSTREAM_ERROR(kTag, "Could not find a previously stored overflow value.");
    return {};
}

void InitEnumOverflowContainer() {
    const std::lock_guard<std::mutex> lock(g_storeMutex);
    g_store = std::make_shared<OverflowStore>();
}

void CleanupEnumOverflowContainer() {
    const std::lock_guard<std::mutex> lock(g_storeMutex);
    g_store.reset();
}

}  // namespace Internal
}  // namespace Aws
