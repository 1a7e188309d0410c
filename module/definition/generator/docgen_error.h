#pragma once

#include <stdexcept>
#include <string>

namespace orvane::tessel::aws::definition::docgen {

// Raised for every fault in the document sources; the message names the file and the key at fault.
class docgen_error : public std::runtime_error {
public:
    explicit docgen_error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace orvane::tessel::aws::definition::docgen
