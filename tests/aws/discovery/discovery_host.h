#pragma once

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "framework/settings/records.h"
#include "host/sensor_interfaces.h"
#include "host/service_container.h"
#include "tests/aws/support/client_mocks.h"

namespace orvane::tessel::test_support {

// The AWS fake host's mocks, logs and record of obtained clients, behind a container whose message
// service keeps member order and whose client factories can be told to fail for one region.
class discovery_host {
public:
    discovery_host();

    aws_fake_host aws;
    std::shared_ptr<libvexahelper::service_container> container =
        std::make_shared<libvexahelper::service_container>();
    // Keeps member order: the order of a row's settings is part of what the host receives.
    std::shared_ptr<basic_message_recorder<nlohmann::ordered_json>> messages =
        std::make_shared<basic_message_recorder<nlohmann::ordered_json>>();

    // From now on, obtaining any regional client for `region` throws `failure`.
    void fail_obtaining(const std::string& region, std::exception_ptr failure);

    // The settings every check and meta-scan carries.
    static aws::settings::access_settings settings();

    template <class Kind>
    void run_metascan(std::int32_t id = 7, std::uint32_t request_number = 3) {
        Kind kind(libvexahelper::metascan_context<aws::settings::access_settings>{
            container, id, request_number, settings(), "1.0"});
        kind.execute();
    }

    template <class Kind>
    void run_check(std::int32_t id = 9) {
        Kind kind(
            libvexahelper::check_context<aws::settings::access_settings>{container, id, settings(), "1.0"});
        kind.work();
    }

    std::vector<log_line> log() const { return aws.runtime_log->lines(); }
    // Whatever happened, the secret key reaches neither the host nor the log.
    void expect_no_secret() const;
    // The lines written at one level, in order.
    std::vector<std::string> log_at(std::int32_t level) const;

private:
    template <class Interface>
    void forward_clients();
    void throw_if_failing(const std::string& region) const;

    mutable std::mutex mutex_;
    std::map<std::string, std::exception_ptr> failing_regions_;
};

// The secret of the credentials that settings() carries.
inline constexpr std::string_view secret_key = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY";

}  // namespace orvane::tessel::test_support
