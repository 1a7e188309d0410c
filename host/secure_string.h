#pragma once

#include <string>
#include <string_view>

namespace orvane::tessel::libvexahelper {

// A secret setting (secret key, proxy password). Its memory is wiped when it dies, and it never
// renders itself: callers ask for the plain text explicitly where a secret must be used.
class secure_string {
public:
    secure_string() = default;
    explicit secure_string(std::string_view text) : value_(text) {}
    secure_string(const secure_string& other) = default;
    secure_string(secure_string&& other) noexcept : value_(std::move(other.value_)) { other.wipe(); }
    secure_string& operator=(const secure_string& other);
    secure_string& operator=(secure_string&& other) noexcept;
    ~secure_string() { wipe(); }

    std::string get_as_plaintext() const { return value_; }
    bool empty() const noexcept { return value_.empty(); }
    std::size_t size() const noexcept { return value_.size(); }

private:
    void wipe() noexcept;

    std::string value_;
};

}  // namespace orvane::tessel::libvexahelper
