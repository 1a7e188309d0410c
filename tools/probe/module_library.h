#pragma once

#include <cstdint>
#include <string>

#include "vexa_module.h"

namespace orvane::tessel::probe {

// The module loaded by path, never linked and never unloaded: the probe talks to it as a host does.
class module_library {
public:
    explicit module_library(const std::string& path);
    ~module_library() = default;
    module_library(const module_library&) = delete;
    module_library& operator=(const module_library&) = delete;

    decltype(&::InitializeModule) initialize = nullptr;
    decltype(&::GetModuleInformation) get_module_information = nullptr;
    decltype(&::GetApiLevel) get_api_level = nullptr;
    decltype(&::CreateSensorInstance) create_sensor_instance = nullptr;
    decltype(&::DestroySensorInstance) destroy_sensor_instance = nullptr;
    decltype(&::ExecuteSensorScan) execute_sensor_scan = nullptr;
    decltype(&::ExecuteCheck) execute_check = nullptr;
    decltype(&::ExecuteMetaScan) execute_meta_scan = nullptr;
    decltype(&::CleanupModule) cleanup = nullptr;
};

}  // namespace orvane::tessel::probe
