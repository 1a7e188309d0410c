#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench/module/in_process_host.h"

// The host threads of the scale benchmark: a host's scheduler with every sensor due. The sensors wait
// in one round-robin queue; each thread takes the next one, scans it and takes the next, until the
// run's time is up.
namespace orvane::tessel::bench {

// What one scanning thread did. Each thread writes only its own tally.
struct scan_tally {
    std::uint64_t scans = 0;
    std::uint64_t results = 0;  // sensor_scan_result messages received
    std::uint64_t failed = 0;   // scans answered by a non-zero code or an error result
    std::string first_failure;
    std::chrono::nanoseconds cpu{0};   // the thread's CPU time over the run
    std::chrono::nanoseconds busy{0};  // the sum of its scans' wall times
    std::vector<double> wall_us;       // each scan's wall time

    // Counts a scan result; a result whose response code is not 0 is a failure.
    void count_result(std::string_view message);
    void count_failure(std::string_view what);
};

// Hands each scan result to the tally of the thread that is scanning; other messages (channel
// definitions, persistent data) and threads without a tally are ignored.
class tally_receiver final : public message_receiver {
public:
    // Binds the calling thread to its tally (nullptr unbinds).
    static void bind(scan_tally* tally) noexcept;
    void receive(std::string_view message) override;
};

struct schedule {
    std::span<const std::int32_t> sensors;
    std::size_t threads = 1;
    std::chrono::duration<double> length{1.0};  // no scan starts after it
    std::uint64_t scans_per_thread = 0;         // stops each thread after this many scans; 0: no limit
};

struct schedule_result {
    std::vector<scan_tally> threads;
    std::chrono::duration<double> elapsed{0.0};  // from the start until the last scan ended
};

// Runs the schedule on new threads, all released at the same moment. The host's receiver must be a
// tally_receiver.
schedule_result run_schedule(in_process_host& host, const schedule& plan);

}  // namespace orvane::tessel::bench
