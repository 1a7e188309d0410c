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

module_library::module_library(const std::string& path)
    : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        throw std::runtime_error("cannot load the module " + path + ": " +
                                 ::dlerror());  // NOLINT(concurrency-mt-unsafe)
    }
    bind(handle_, "InitializeModule", initialize);
    bind(handle_, "GetModuleInformation", get_module_information);
    bind(handle_, "GetApiLevel", get_api_level);
    bind(handle_, "CreateSensorInstance", create_sensor_instance);
    bind(handle_, "DestroySensorInstance", destroy_sensor_instance);
    bind(handle_, "ExecuteSensorScan", execute_sensor_scan);
    bind(handle_, "ExecuteCheck", execute_check);
    bind(handle_, "ExecuteMetaScan", execute_meta_scan);
    bind(handle_, "CleanupModule", cleanup);
}

module_library::~module_library() {
    if (handle_ != nullptr) {
        ::dlclose(handle_);
    }
}

}  // namespace orvane::tessel::probe
