#include "host/type_name.h"

#include <cstdlib>
#include <memory>

#if defined(__GNUG__)
#include <cxxabi.h>
#endif

namespace orvane::tessel::libvexahelper {

std::string type_name(const std::type_info& type) {
#if defined(__GNUG__)
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    if (status == 0 && demangled) {
        return demangled.get();
    }
#endif
    return type.name();
}

}  // namespace orvane::tessel::libvexahelper
