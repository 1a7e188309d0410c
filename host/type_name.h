#pragma once

#include <string>
#include <typeinfo>

namespace orvane::tessel::libvexahelper {

// The readable name of a type as the platform's run-time type information spells it.
std::string type_name(const std::type_info& type);

template <class T>
std::string type_name() {
    return type_name(typeid(T));
}

}  // namespace orvane::tessel::libvexahelper
