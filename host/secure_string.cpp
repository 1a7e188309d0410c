#include "host/secure_string.h"

namespace orvane::tessel::libvexahelper {

secure_string& secure_string::operator=(const secure_string& other) {
    if (this != &other) {
        wipe();
        value_ = other.value_;
    }
    return *this;
}

secure_string& secure_string::operator=(secure_string&& other) noexcept {
    if (this != &other) {
        wipe();
        value_ = std::move(other.value_);
        other.wipe();
    }
    return *this;
}

void secure_string::wipe() noexcept {
    // Volatile writes so that the compiler cannot drop the wipe of memory that is about to be freed.
    volatile char* bytes = value_.data();
    for (std::size_t i = 0; i < value_.capacity(); ++i) {
        bytes[i] = 0;
    }
    value_.clear();
}

}  // namespace orvane::tessel::libvexahelper
