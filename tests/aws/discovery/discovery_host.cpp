#include "tests/aws/discovery/discovery_host.h"

#include <gtest/gtest.h>

#include "host/message_service.h"
#include "tests/support/settings_buffer.h"

namespace orvane::tessel::test_support {

discovery_host::discovery_host() {
    auto& factories = container->factories();
    factories.add<std::unique_ptr<libvexahelper::message_service_interface>()>([recorder = messages] {
        return std::make_unique<recording_message_service<nlohmann::ordered_json>>(recorder);
    });
    factories.add<std::unique_ptr<liblog::log_interface>()>(
        [book = aws.runtime_log]() -> std::unique_ptr<liblog::log_interface> {
            return std::make_unique<memory_log>(book);
        });
    forward_clients<aws::ec2_client_interface>();
    forward_clients<aws::elb_client_interface>();
    forward_clients<aws::rds_client_interface>();
    forward_clients<aws::cloudwatch_client_interface>();
    factories.add<aws::cost_api_factory_function>([this](aws::cost_api_arguments arguments) {
        return aws.container->factories().invoke<aws::cost_api_factory_function>(std::move(arguments));
    });
    factories.add<aws::utils::today_function>(
        [this] { return aws.container->factories().invoke<aws::utils::today_function>(); });
}

template <class Interface>
void discovery_host::forward_clients() {
    container->factories().add<aws::client_factory_function<Interface>>([this](aws::credential_settings key) {
        throw_if_failing(key.region);
        return aws.container->factories().invoke<aws::client_factory_function<Interface>>(std::move(key));
    });
}

void discovery_host::fail_obtaining(const std::string& region, std::exception_ptr failure) {
    std::lock_guard lock(mutex_);
    failing_regions_[region] = std::move(failure);
}

void discovery_host::throw_if_failing(const std::string& region) const {
    std::exception_ptr failure;
    {
        std::lock_guard lock(mutex_);
        if (const auto it = failing_regions_.find(region); it != failing_regions_.end()) {
            failure = it->second;
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

aws::settings::access_settings discovery_host::settings() {
    return aws::settings::access_settings::parse(
        settings_buffer("ec2_metascan")
            .secure("awscredentials.credentials_group.secret_key", std::string(secret_key))
            .wrapper());
}

void discovery_host::expect_no_secret() const {
    for (const auto& line : log()) {
        EXPECT_EQ(line.text.find(secret_key), std::string::npos) << line.text;
    }
    for (const auto* type : {"metascan_progress", "meta_scan_result", "check_result"}) {
        for (const auto& message : messages->of_type(type)) {
            EXPECT_EQ(message.dump().find(secret_key), std::string::npos);
        }
    }
}

std::vector<std::string> discovery_host::log_at(std::int32_t level) const {
    std::vector<std::string> texts;
    for (const auto& line : log()) {
        if (line.level == level) {
            texts.push_back(line.text);
        }
    }
    return texts;
}

}  // namespace orvane::tessel::test_support
