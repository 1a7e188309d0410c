#pragma once

#include <filesystem>
#include <optional>
#include <string>

// What the probe needs of the operating system, the same on Linux and Windows.
namespace orvane::tessel::probe::platform {

// The environment the module reads; set before the module starts, on the probe's one thread.
std::optional<std::string> environment(const char* name);
void set_environment(const char* name, const std::string& value);
void unset_environment(const char* name);

// Whether the probe's error output is a terminal, where progress lines help rather than clutter.
bool error_output_is_terminal();

// A new folder under the system's temporary folder that no other process uses.
std::filesystem::path make_private_folder(const std::string& prefix);

// The module as a loaded library; it stays loaded until the process ends, as with a host that
// loads its modules once (the module's SDK keeps objects in statics that unloading would strand).
void* load_library(const std::string& path);
void* library_symbol(void* library, const char* name);

}  // namespace orvane::tessel::probe::platform
