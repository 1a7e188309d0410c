#pragma once

#include <memory>
#include <string_view>

#include "host/log_interface.h"

namespace orvane::tessel::aws {

// The caller's logger as the clients take it: possibly empty, in which case nothing is logged.
using logger_ptr = std::shared_ptr<liblog::log_interface>;

// Writes one line at level 7 when there is a logger.
inline void trace(const logger_ptr& logger, std::string_view text) {
    if (logger) {
        logger->log(liblog::trace, text);
    }
}

}  // namespace orvane::tessel::aws
