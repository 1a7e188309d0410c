#include "module/module_slot.h"

#include <utility>

namespace orvane::tessel::libvexahelper::module {

std::int32_t module_slot::initialize(const std::function<std::unique_ptr<module_instance>()>& make) noexcept {
    if (adapter_ != nullptr) {
        try {
            adapter_->log("InitializeModule called on already initialized module.");
        } catch (...) {
        }
        return 1;
    }
    try {
        auto adapter = std::make_unique<module_instance_adapter>(make());
        adapter_ = adapter.release();
        return 0;
    } catch (...) {
        return 1;
    }
}

void module_slot::cleanup() noexcept {
    std::unique_ptr<module_instance_adapter> adapter(std::exchange(adapter_, nullptr));
    try {
        adapter.reset();
    } catch (...) {
        // Destructors do not throw; this only keeps the promise that nothing escapes.
    }
}

}  // namespace orvane::tessel::libvexahelper::module
