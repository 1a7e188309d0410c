#include "bench/module/emulator_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <ctime>
#include <limits>
#include <stdexcept>

namespace orvane::tessel::bench {

namespace {

constexpr char ask_traffic = 't';

// Moves all `size` bytes through `io` (::read or ::write), resuming after signals and short counts.
template <typename Buffer, typename Io>
bool transfer_all(Io io, int fd, Buffer* data, std::size_t size) {
    auto* bytes = data;
    while (size > 0) {
        const auto n = io(fd, bytes, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool write_all(int fd, const void* data, std::size_t size) {
    return transfer_all(::write, fd, static_cast<const char*>(data), size);
}

bool read_all(int fd, void* data, std::size_t size) {
    return transfer_all(::read, fd, static_cast<char*>(data), size);
}

// The child: serves until the parent closes its end of the command pipe.
[[noreturn]] void serve(const emulator::scenario& scenario, bool tls, std::size_t workers, int commands,
                        int answers) {
    int status = 0;
    try {
        emulator::server_options settings;
        settings.threads = workers;
        settings.keep_request_log = false;
        settings.keep_alive_max_requests = std::numeric_limits<std::size_t>::max();
        emulator::server aws(scenario, settings);
        aws.start(0, tls);
        const int port = aws.port();
        write_all(answers, &port, sizeof(port));
        char command = 0;
        while (read_all(commands, &command, 1)) {
            if (command == ask_traffic) {
                emulator_process::reading answer{aws.traffic()};
                timespec cpu{};
                ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
                answer.cpu_ns = std::int64_t{cpu.tv_sec} * 1'000'000'000 + cpu.tv_nsec;
                write_all(answers, &answer, sizeof(answer));
            }
        }
        aws.stop();
    } catch (...) {
        status = 1;
    }
    ::_exit(status);
}

}  // namespace

emulator_process::emulator_process(const emulator::scenario& scenario, bool tls, std::size_t workers) {
    std::array<int, 2> commands{};
    std::array<int, 2> answers{};
    if (::pipe(commands.data()) != 0 || ::pipe(answers.data()) != 0) {
        throw std::runtime_error("cannot create the pipes to the emulator process");
    }
    m_pid = ::fork();
    if (m_pid < 0) {
        throw std::runtime_error("cannot start the emulator process");
    }
    if (m_pid == 0) {
        ::close(commands[1]);
        ::close(answers[0]);
        serve(scenario, tls, workers, commands[0], answers[1]);
    }
    ::close(commands[0]);
    ::close(answers[1]);
    m_commands = commands[1];
    m_answers = answers[0];
    int port = 0;
    if (!read_all(m_answers, &port, sizeof(port))) {
        throw std::runtime_error("the emulator process did not start");
    }
    m_url = std::string(tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(port);
}

emulator_process::~emulator_process() {
    ::close(m_commands);  // the child stops serving and ends
    ::close(m_answers);
    if (m_pid > 0) {
        ::waitpid(m_pid, nullptr, 0);
    }
}

emulator_process::reading emulator_process::read() const {
    reading answer;
    if (!write_all(m_commands, &ask_traffic, 1) || !read_all(m_answers, &answer, sizeof(answer))) {
        throw std::runtime_error("the emulator process stopped answering");
    }
    return answer;
}

}  // namespace orvane::tessel::bench
