#include "tools/probe/module_library.h"

#include <dlfcn.h>

#include <stdexcept>

namespace orvane::tessel::probe {

namespace {

template <class Function>
void bind(void* library, const char* name, Function& target) {
    void* symbol = ::dlsym(library, name);
    if (symbol == nullptr) {
        throw std::runtime_error(std::string("the module does not export ") + name);
    }
    target = reinterpret_cast<Function>(symbol);
}

}  // namespace

// The library stays loaded until the process ends, as with a host that loads its modules once: the
// module's AWS SDK keeps OpenSSL objects in statics, which unloading would strand.
module_library::module_library(const std::string& path) {
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        throw std::runtime_error("cannot load the module " + path + ": " +
                                 ::dlerror());  // NOLINT(concurrency-mt-unsafe)
    }
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
