#pragma once

#include <cstddef>
#include <span>

#include "bench/module/sensor_plan.h"

// The sensors of the scale benchmark: every kind on the demo account, in each region that has the
// resource. Most of them share the account's credentials and region, as in a real account, so they
// share AWS clients whenever their scans overlap.
namespace orvane::tessel::bench {

// The kinds of the module benchmark (us-east-1, the cost sensor global), then the same kinds on the
// resources of eu-central-1 and sa-east-1.
std::span<const sensor_case> scale_cases();

// The case of sensor n: the cases in turn, so that any M of at least scale_cases().size() sensors
// holds every kind in every region.
const sensor_case& scale_case(std::size_t n);

}  // namespace orvane::tessel::bench
