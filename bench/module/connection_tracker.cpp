#include "bench/module/connection_tracker.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

namespace orvane::tessel::bench {

namespace {

// Splits at runs of blanks.
std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> result;
    std::size_t begin = line.find_first_not_of(' ');
    while (begin != std::string_view::npos) {
        const std::size_t end = line.find(' ', begin);
        result.push_back(line.substr(begin, end - begin));
        begin = end == std::string_view::npos ? end : line.find_first_not_of(' ', end);
    }
    return result;
}

template <class Number>
std::optional<Number> number(std::string_view text, int base) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "0100007F:C9BA" -> 0xC9BA
std::optional<std::uint16_t> port_of(std::string_view address) {
    const auto colon = address.rfind(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    return number<std::uint16_t>(address.substr(colon + 1), 16);
}

std::optional<std::uint16_t> inet_port(const sockaddr_storage& address) {
    if (address.ss_family != AF_INET) {
        return std::nullopt;
    }
    sockaddr_in inet{};
    static_assert(sizeof inet <= sizeof address);
    std::memcpy(&inet, &address, sizeof inet);
    return ntohs(inet.sin_port);
}

struct socket_ends {
    std::optional<std::uint16_t> local;
    std::optional<std::uint16_t> peer;
};

socket_ends ends_of(int descriptor) {
    socket_ends ends;
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        ends.local = inet_port(address);
    }
    length = sizeof address;
    if (::getpeername(descriptor, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        ends.peer = inet_port(address);
    }
    return ends;
}

}  // namespace

std::vector<tcp_entry> parse_tcp_table(std::string_view text) {
    std::vector<tcp_entry> entries;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const auto columns = fields(text.substr(begin, end - begin));
        begin = end + 1;
        // sl local rem st tx:rx tr:when retrnsmt uid timeout inode ...
        if (columns.size() < 10 || columns[0].empty() || columns[0].back() != ':') {
            continue;
        }
        const auto local = port_of(columns[1]);
        const auto remote = port_of(columns[2]);
        const auto state = number<std::uint8_t>(columns[3], 16);
        const auto inode = number<std::uint64_t>(columns[9], 10);
        if (!local || !remote || !state || !inode) {
            continue;
        }
        entries.push_back({*local, *remote, *state, *inode});
    }
    return entries;
}

connection_tracker::connection_tracker(std::uint16_t server_port, std::chrono::seconds sweep_every)
    : server_port_(server_port), sweep_every_(sweep_every), last_sweep_(std::chrono::steady_clock::now()) {
    // What an earlier server on the same port left in TIME_WAIT is not ours.
    sweep_table();
    preexisting_ = std::move(client_ports_);
    client_ports_.clear();
}

std::size_t connection_tracker::sample_descriptors() {
    std::size_t open = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        int descriptor = 0;
        const std::string name = entry.path().filename().string();
        if (std::from_chars(name.data(), name.data() + name.size(), descriptor).ec != std::errc()) {
            continue;
        }
        struct stat status {};
        if (::fstat(descriptor, &status) != 0 || !S_ISSOCK(status.st_mode)) {
            continue;
        }
        const auto ends = ends_of(descriptor);
        if (!ends.local || !ends.peer) {
            continue;  // not TCP over IPv4, or not connected (the listener)
        }
        if (*ends.peer == server_port_) {
            record(*ends.local);
            ++open;
        } else if (*ends.local == server_port_) {
            record(*ends.peer);  // the server's end of a client's connection
        }
    }
    return open;
}

void connection_tracker::sweep_table() {
    std::ifstream file("/proc/self/net/tcp");
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    add_table(parse_tcp_table(text));
    last_sweep_ = std::chrono::steady_clock::now();
}

void connection_tracker::sample() {
    sample_descriptors();
    if (std::chrono::steady_clock::now() - last_sweep_ >= sweep_every_) {
        sweep_table();
    }
}

void connection_tracker::add_table(const std::vector<tcp_entry>& entries) {
    for (const auto& entry : entries) {
        if (entry.remote_port == server_port_) {
            record(entry.local_port);
        } else if (entry.local_port == server_port_ && entry.state != tcp_listen) {
            record(entry.remote_port);
        }
    }
}

void connection_tracker::record(std::uint16_t client_port) {
    if (!preexisting_.contains(client_port)) {
        client_ports_.insert(client_port);
    }
}

}  // namespace orvane::tessel::bench
