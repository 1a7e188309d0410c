#include "tools/probe/module_library.h"

#include <stdexcept>

#include "tools/probe/platform.h"

namespace orvane::tessel::probe {

namespace {

template <class Function>
void bind(void* library, const char* name, Function& target) {
    void* symbol = platform::library_symbol(library, name);
    if (symbol == nullptr) {
        throw std::runtime_error(std::string("the module does not export ") + name);
    }
    target = reinterpret_cast<Function>(symbol);
}

}  // namespace

module_library::module_library(const std::string& path) {
    void* library = platform::load_library(path);
    bind(library, "InitializeModule", initialize);
    bind(library, "GetModuleInformation", get_module_information);
    bind(library, "GetApiLevel", get_api_level);
    bind(library, "CreateSensorInstance", create_sensor_instance);
    bind(library, "DestroySensorInstance", destroy_sensor_instance);
    bind(library, "ExecuteSensorScan", execute_sensor_scan);
    bind(library, "ExecuteCheck", execute_check);
    bind(library, "ExecuteMetaScan", execute_meta_scan);
    bind(library, "CleanupModule", cleanup);
}

}  // namespace orvane::tessel::probe
