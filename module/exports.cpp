// The nine functions the host calls. They are the only place where exceptions become return codes:
// nothing of any type leaves them.
#include <memory>
#include <utility>

#include "module/module_instance_adapter.h"
#include "module/module_slot.h"
#include "module/vexa_module_aws.h"
#include "vexa_module.h"

namespace {

using orvane::tessel::libvexahelper::module::module_instance_adapter;
using orvane::tessel::libvexahelper::module::module_slot;

constexpr std::int32_t exception_escaped = 2;
constexpr std::int32_t no_module = 3;

template <class Operation>
std::int32_t with_module(Operation&& operation) noexcept {
    module_instance_adapter* adapter = module_slot::adapter();
    if (adapter == nullptr) {
        return no_module;
    }
    try {
        return operation(*adapter);
    } catch (...) {
        return exception_escaped;
    }
}

}  // namespace

extern "C" {

VEXA_API int32_t InitializeModule(uint64_t handle, vexa_message_callback callback) {
    if (callback == nullptr && module_slot::adapter() == nullptr) {
        return 1;  // every message would go nowhere
    }
    return module_slot::initialize(
        [&] { return std::make_unique<orvane::tessel::aws::VexaModuleAWS>(handle, callback); });
}

VEXA_API void GetModuleInformation(bool loadLanguages) {
    with_module([loadLanguages](module_instance_adapter& adapter) {
        adapter.get_module_information(loadLanguages);
        return 0;
    });
}

VEXA_API int32_t GetApiLevel(void) {
    return 6;
}

VEXA_API int32_t CreateSensorInstance(int32_t sensor_id, const uint8_t* settings, uint32_t length) {
    return with_module([&](module_instance_adapter& adapter) {
        return adapter.create_sensor_instance(sensor_id, settings, length);
    });
}

VEXA_API int32_t DestroySensorInstance(int32_t sensor_id) {
    return with_module(
        [&](module_instance_adapter& adapter) { return adapter.destroy_sensor_instance(sensor_id); });
}

VEXA_API int32_t ExecuteSensorScan(int32_t sensor_id) {
    return with_module(
        [&](module_instance_adapter& adapter) { return adapter.execute_sensor_scan(sensor_id); });
}

VEXA_API int32_t ExecuteCheck(int32_t id, const uint8_t* settings, uint32_t length) {
    return with_module(
        [&](module_instance_adapter& adapter) { return adapter.execute_check(id, settings, length); });
}

VEXA_API int32_t ExecuteMetaScan(int32_t id, uint32_t request_number, const uint8_t* settings,
                                 uint32_t length) {
    return with_module([&](module_instance_adapter& adapter) {
        return adapter.execute_meta_scan(id, request_number, settings, length);
    });
}

VEXA_API int32_t CleanupModule(void) {
    module_slot::cleanup();
    return 0;
}

}  // extern "C"

#if defined(_WIN32)
#include <windows.h>

// Loading does no work of its own; per-thread notifications are not needed. Windows grants the
// request only to images without static thread-local storage, and every image mingw-w64 links carries
// its runtime's TLS directory: built that way the request is refused and notifications keep coming,
// to no effect (tests/module/dll_host_test.cpp shows which case a build is in).
BOOL APIENTRY DllMain(HMODULE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
#endif
