#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "aws_emulator/emulator.hpp"

namespace orvane::tessel::bench {

// The emulator in a child process of its own, as AWS is outside the host's process: its worker
// threads then share neither the module's allocator arenas nor its heap readings. Construct it before
// this process starts any thread (it forks). The child answers the parent over two pipes.
class emulator_process {
public:
    emulator_process(const emulator::scenario& scenario, bool tls, std::size_t workers);
    ~emulator_process();
    emulator_process(const emulator_process&) = delete;
    emulator_process& operator=(const emulator_process&) = delete;

    [[nodiscard]] const std::string& base_url() const { return m_url; }
    struct reading {
        emulator::traffic_counts traffic;
        std::int64_t cpu_ns = 0;  // the child's CPU time so far, all its threads
    };
    [[nodiscard]] reading read() const;

private:
    pid_t m_pid = -1;
    int m_commands = -1;  // parent → child
    int m_answers = -1;   // child → parent
    std::string m_url;
};

}  // namespace orvane::tessel::bench
