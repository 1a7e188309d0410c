#pragma once

#include <chrono>
#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

// Counts the TCP connections made to one loopback server in this process. A connection is known by
// its client port. Two views are combined:
//  - the process's descriptors (/proc/self/fd with getsockname/getpeername): cheap, so it can run
//    after every scan, and sees every connection that outlives a scan, from either end;
//  - the kernel's table (/proc/self/net/tcp): slow to read (milliseconds), but it still lists a
//    closed connection for the 60 s of TIME_WAIT, so a sweep at least every 30 s also catches
//    connections opened and closed between two descriptor samples.
namespace orvane::tessel::bench {

// One IPv4 line of /proc/net/tcp.
struct tcp_entry {
    std::uint16_t local_port = 0;
    std::uint16_t remote_port = 0;
    std::uint8_t state = 0;  // TCP_ESTABLISHED 1 ... TCP_LISTEN 10
    std::uint64_t inode = 0;
};

inline constexpr std::uint8_t tcp_listen = 10;

// The entries of a /proc/net/tcp text; the header and unreadable lines are skipped.
std::vector<tcp_entry> parse_tcp_table(std::string_view text);

class connection_tracker {
public:
    explicit connection_tracker(std::uint16_t server_port,
                                std::chrono::seconds sweep_every = std::chrono::seconds(20));

    // Looks at this process's sockets; returns how many client ends to the server are open now.
    std::size_t sample_descriptors();
    // Reads the kernel's table (every state, TIME_WAIT included).
    void sweep_table();
    // Descriptors always; the table when the last sweep is older than sweep_every.
    void sample();

    // Distinct connections seen since construction.
    [[nodiscard]] std::size_t opened() const noexcept { return client_ports_.size(); }
    [[nodiscard]] std::uint16_t server_port() const noexcept { return server_port_; }

    // Feeds one table's entries (what sweep_table reads); public so that tests can drive it.
    void add_table(const std::vector<tcp_entry>& entries);

private:
    void record(std::uint16_t client_port);

    std::uint16_t server_port_;
    std::chrono::seconds sweep_every_;
    std::chrono::steady_clock::time_point last_sweep_;
    std::set<std::uint16_t> client_ports_;
    std::set<std::uint16_t> preexisting_;
};

}  // namespace orvane::tessel::bench
