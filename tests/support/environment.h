#pragma once

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

// Environment and process id for tests, the same on every platform. On Windows _putenv_s also sets
// the process environment, which is what the module reads there.
namespace vexa_test {

inline void set_environment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
#endif
}

inline void unset_environment(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");  // an empty value removes the variable
#else
    ::unsetenv(name);                  // NOLINT(concurrency-mt-unsafe)
#endif
}

inline int process_id() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

}  // namespace vexa_test
