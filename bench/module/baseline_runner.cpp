#include "bench/module/baseline_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <nlohmann/json.hpp>
#include <system_error>
#include <utility>

extern char** environ;  // NOLINT(readability-redundant-declaration): POSIX declares it nowhere

namespace orvane::tessel::bench {

namespace {

class unique_fd {
public:
    explicit unique_fd(int descriptor = -1) noexcept : descriptor_(descriptor) {}
    ~unique_fd() { reset(); }
    unique_fd(const unique_fd&) = delete;
    unique_fd& operator=(const unique_fd&) = delete;

    [[nodiscard]] int get() const noexcept { return descriptor_; }
    void reset() noexcept {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
            descriptor_ = -1;
        }
    }

private:
    int descriptor_;
};

class spawn_actions {
public:
    spawn_actions() { ::posix_spawn_file_actions_init(&actions_); }
    ~spawn_actions() { ::posix_spawn_file_actions_destroy(&actions_); }
    spawn_actions(const spawn_actions&) = delete;
    spawn_actions& operator=(const spawn_actions&) = delete;

    posix_spawn_file_actions_t* get() noexcept { return &actions_; }

private:
    posix_spawn_file_actions_t actions_{};
};

// Ours, with `overrides` replacing or adding variables.
std::vector<std::string> child_environment(const std::map<std::string, std::string>& overrides) {
    std::vector<std::string> variables;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const auto name = variable.substr(0, variable.find('='));
        if (!overrides.contains(std::string(name))) {
            variables.emplace_back(variable);
        }
    }
    for (const auto& [name, value] : overrides) {
        variables.push_back(std::string(name).append("=").append(value));
    }
    return variables;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    result.reserve(texts.size() + 1);
    for (auto& text : texts) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

std::vector<double> numbers(const nlohmann::json& report, const char* key) {
    const auto found = report.find(key);
    if (found == report.end() || !found->is_array()) {
        throw baseline_error(std::string("the baseline's report has no list \"") + key + "\"");
    }
    std::vector<double> values;
    for (const auto& value : *found) {
        if (!value.is_number()) {
            throw baseline_error(std::string("the baseline's \"") + key + "\" holds " + value.dump());
        }
        values.push_back(value.get<double>());
    }
    return values;
}

}  // namespace

process_result run_process(const std::vector<std::string>& command,
                           const std::map<std::string, std::string>& environment) {
    if (command.empty()) {
        throw std::runtime_error("no program to run");
    }
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe: " + std::generic_category().message(errno));
    }
    unique_fd reader(ends[0]);
    unique_fd writer(ends[1]);

    spawn_actions actions;
    ::posix_spawn_file_actions_adddup2(actions.get(), writer.get(), STDOUT_FILENO);
    auto arguments = command;
    auto variables = child_environment(environment);
    auto argv = pointers(arguments);
    auto envp = pointers(variables);
    pid_t child = 0;
    // posix_spawn, not fork: the emulator's threads are running in this process.
    const int failed = ::posix_spawn(&child, argv[0], actions.get(), nullptr, argv.data(), envp.data());
    writer.reset();
    if (failed != 0) {
        throw std::runtime_error("cannot run " + command.front() + ": " +
                                 std::generic_category().message(failed));
    }

    process_result result;
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(reader.get(), buffer.data(), buffer.size());
        if (got > 0) {
            result.output.append(buffer.data(), static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        result.exit_code = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.exit_code = 128 + WTERMSIG(status);
    }
    return result;
}

baseline_report parse_baseline_report(std::string_view output) {
    const auto report = nlohmann::json::parse(output, nullptr, false);
    if (report.is_discarded() || !report.is_object()) {
        throw baseline_error("the baseline printed no JSON object: " + std::string(output.substr(0, 200)));
    }
    baseline_report result;
    try {
        result.cpu_us = numbers(report, "cpu_us");
        result.wall_us = numbers(report, "wall_us");
        if (result.cpu_us.size() != result.wall_us.size()) {
            throw baseline_error("the baseline's cpu_us and wall_us differ in length");
        }
        result.connections = report.value("connections", std::size_t{0});
        result.versions = "Python " + report.value("python", std::string("?")) + ", boto3 " +
                          report.value("boto3", std::string("?")) + ", botocore " +
                          report.value("botocore", std::string("?"));
    } catch (const nlohmann::json::exception& error) {
        throw baseline_error(std::string("the baseline's report: ") + error.what());
    }
    return result;
}

}  // namespace orvane::tessel::bench
