#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "module/module_instance.h"
#include "module/module_instance_adapter.h"

namespace orvane::tessel::libvexahelper::module {

// The process-wide slot that holds the module between InitializeModule and CleanupModule. A plain
// pointer on purpose: InitializeModule and CleanupModule never overlap any other call, and a
// module the host never cleans up is not destroyed behind its back at exit.
class module_slot {
public:
    static module_instance_adapter* adapter() noexcept { return adapter_; }

    // 0 when the module was built and stored; 1 when the slot is taken (the existing module logs
    // the attempt and stays) or building failed (nothing is logged).
    static std::int32_t initialize(const std::function<std::unique_ptr<module_instance>()>& make) noexcept;

    // Empties the slot first, then destroys the module.
    static void cleanup() noexcept;

private:
    static inline module_instance_adapter* adapter_ = nullptr;
};

}  // namespace orvane::tessel::libvexahelper::module
