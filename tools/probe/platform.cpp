#include "tools/probe/platform.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace orvane::tessel::probe::platform {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): the probe's one thread
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

bool error_output_is_terminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return ::isatty(STDERR_FILENO) != 0;
#endif
}

// On Windows _putenv_s also sets the process environment, which is what the module reads there.
void set_environment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);  // NOLINT(concurrency-mt-unsafe): the probe's one thread
#endif
}

void unset_environment(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");  // an empty value removes the variable
#else
    ::unsetenv(name);                  // NOLINT(concurrency-mt-unsafe): the probe's one thread
#endif
}

std::filesystem::path make_private_folder(const std::string& prefix) {
    const auto base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path = base / (prefix + std::to_string(random() % 1000000000));
        std::error_code error;
        if (std::filesystem::create_directory(path, error)) {  // false when it exists: try another name
            std::filesystem::permissions(path, std::filesystem::perms::owner_all, error);
            return path;
        }
    }
    throw std::runtime_error("cannot make a temporary folder in " + base.string());
}

#ifdef _WIN32
void* load_library(const std::string& path) {
    HMODULE library = ::LoadLibraryA(path.c_str());
    if (library == nullptr) {
        throw std::runtime_error("cannot load the module " + path + ": error " +
                                 std::to_string(::GetLastError()));
    }
    return reinterpret_cast<void*>(library);
}

void* library_symbol(void* library, const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}
#else
void* load_library(const std::string& path) {
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        throw std::runtime_error("cannot load the module " + path + ": " +
                                 ::dlerror());  // NOLINT(concurrency-mt-unsafe)
    }
    return library;
}

void* library_symbol(void* library, const char* name) {
    return ::dlsym(library, name);
}
#endif

}  // namespace orvane::tessel::probe::platform
