#include "tools/probe/module_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <stdexcept>

namespace orvane::tessel::probe {

namespace {

#ifdef _WIN32
void* load(const std::string& path) {
    void* library = ::LoadLibraryA(path.c_str());
    if (library == nullptr) {
        throw std::runtime_error("cannot load the module " + path + ": error " +
                                 std::to_string(::GetLastError()));
    }
    return library;
}
void* symbol(void* library, const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}
void unload(void* library) {
    ::FreeLibrary(static_cast<HMODULE>(library));
}
#else
void* load(const std::string& path) {
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        throw std::runtime_error("cannot load the module " + path + ": " +
                                 ::dlerror());  // NOLINT(concurrency-mt-unsafe)
    }
    return library;
}
void* symbol(void* library, const char* name) {
    return ::dlsym(library, name);
}
void unload(void* library) {
    ::dlclose(library);
}
#endif

template <class Function>
void bind(void* library, const char* name, Function& target) {
    void* found = symbol(library, name);
    if (found == nullptr) {
        throw std::runtime_error(std::string("the module does not export ") + name);
    }
    target = reinterpret_cast<Function>(found);
}

}  // namespace

module_library::module_library(const std::string& path) : handle_(load(path)) {
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
        unload(handle_);
    }
}

}  // namespace orvane::tessel::probe
