#pragma once

#include <exception>
#include <string>

namespace orvane::tessel::libexception {

// Root of every exception the module raises itself: one message, returned by what().
class exception : public std::exception {
public:
    explicit exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Layer that every class of the family puts between itself and its base; it adds no data.
template <class Base>
class _exception : public Base {
public:
    using Base::Base;
};

}  // namespace orvane::tessel::libexception
