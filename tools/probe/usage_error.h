#pragma once

#include <stdexcept>

namespace orvane::tessel::probe {

// What the user typed wrong (an option, a kind, a file): the probe says so and exits with status 2.
class usage_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace orvane::tessel::probe
