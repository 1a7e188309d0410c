#pragma once

#include <ostream>
#include <string>

#include "tools/probe/host_session.h"
#include "tools/probe/renderer.h"
#include "tools/probe/settings_builder.h"

namespace orvane::tessel::probe {

// The guided tour: every check, every meta-scan with its discovered table, then a sensor created from
// a discovered row of each kind (and a cost sensor), scanned and shown as a channel table. Returns
// whether every step succeeded.
bool run_demo(host_session& session, std::ostream& out, const settings_request& credentials);

}  // namespace orvane::tessel::probe
