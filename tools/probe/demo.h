#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "tools/probe/host_session.h"
#include "tools/probe/outcome.h"
#include "tools/probe/settings_builder.h"

namespace orvane::tessel::probe {

// The guided tour: every check, every meta-scan with its discovered table, then a sensor created from
// a discovered row of each kind (and a cost sensor), scanned and shown as a channel table. Failures go
// to the outcome.
void run_demo(host_session& session, const nlohmann::ordered_json& document, std::ostream& out,
              const settings_request& credentials, outcome& result);

}  // namespace orvane::tessel::probe
