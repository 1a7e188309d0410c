#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <cstdlib>
#include <set>
#include <thread>
#include <unordered_set>
#include <vector>

#include "aws/clients/client_access.h"
#include "aws/clients/client_configuration.h"
#include "aws/clients/credential_settings.h"
#include "aws/clients/ec2_client_interface.h"
#include "tests/support/environment.h"

namespace {

using namespace orvane::tessel;
using namespace orvane::tessel::aws;

struct ScopedEnvironment {
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (value == nullptr) {
            vexa_test::unset_environment(name);
        } else {
            vexa_test::set_environment(name, value);
        }
    }
    ~ScopedEnvironment() { vexa_test::unset_environment(name_); }
    const char* name_;
};

credential_settings key(std::string region = "us-east-1") {
    return {"AKID", "secret", {}, std::move(region)};
}

TEST(ClientConfiguration, RegionIsSetUnlessItIsTheGlobalPseudoRegion) {
    const ScopedEnvironment region("AWS_DEFAULT_REGION", "ap-south-1");
    EXPECT_EQ(make_client_configuration({}, "aws-global").region, "ap-south-1");  // the SDK's default
    EXPECT_EQ(make_client_configuration({}, "us-east-1").region, "us-east-1");
    EXPECT_EQ(make_client_configuration({}, "").region, "");
}

TEST(ClientConfiguration, AnyValueOfTheVariableTurnsVerificationOff) {
    {
        const ScopedEnvironment unset("VEXA_AWS_DISABLE_VERIFY_SSL", nullptr);
        EXPECT_TRUE(make_client_configuration({}, "us-east-1").verifySSL);
    }
    {
        const ScopedEnvironment empty("VEXA_AWS_DISABLE_VERIFY_SSL", "");
        EXPECT_TRUE(make_client_configuration({}, "us-east-1").verifySSL);
    }
    for (const char* value : {"0", "false", "1"}) {
        const ScopedEnvironment set("VEXA_AWS_DISABLE_VERIFY_SSL", value);
        EXPECT_FALSE(make_client_configuration({}, "us-east-1").verifySSL) << value;
    }
}

TEST(ClientConfiguration, ProxyNeedsHostAndPortAndThenSkipsVerification) {
    const ScopedEnvironment unset("VEXA_AWS_DISABLE_VERIFY_SSL", nullptr);
    const auto proxied = make_client_configuration({"proxy.local", 3128, "", ""}, "eu-west-1");
    EXPECT_EQ(proxied.proxyHost, "proxy.local");
    EXPECT_EQ(proxied.proxyPort, 3128u);
    EXPECT_EQ(proxied.proxyScheme, Aws::Http::Scheme::HTTP);
    EXPECT_EQ(proxied.proxyUserName, "");
    EXPECT_EQ(proxied.proxyPassword, "");
    EXPECT_FALSE(proxied.verifySSL);

    const auto no_port = make_client_configuration({"proxy.local", std::nullopt, "u", "p"}, "eu-west-1");
    EXPECT_EQ(no_port.proxyHost, "");
    EXPECT_TRUE(no_port.verifySSL);
    const auto no_host = make_client_configuration({"", 3128, "u", "p"}, "eu-west-1");
    EXPECT_EQ(no_host.proxyHost, "");
    EXPECT_TRUE(no_host.verifySSL);
}

TEST(ClientConfiguration, EverythingElseKeepsTheSdkDefaults) {
    const auto made = make_client_configuration({}, "us-east-1");
    const Aws::Client::ClientConfiguration defaults;
    EXPECT_EQ(made.requestTimeoutMs, defaults.requestTimeoutMs);
    EXPECT_EQ(made.connectTimeoutMs, defaults.connectTimeoutMs);
    EXPECT_EQ(made.maxConnections, defaults.maxConnections);
    EXPECT_EQ(made.scheme, defaults.scheme);
    EXPECT_EQ(made.endpointOverride, "");
}

TEST(CredentialSettings, EqualKeysHashEquallyAndEveryFieldCounts) {
    const credential_settings_hash hash;
    const auto base = credential_settings{"AKID", "secret", {"proxy", 8080, "u", "p"}, "us-east-1"};
    EXPECT_EQ(hash(base), hash(credential_settings(base)));
    std::vector<credential_settings> variants(6, base);
    variants[0].access_key = "AKID2";
    variants[1].secret_key = "secret2";
    variants[2].region = "us-east-2";
    variants[3].proxy.host = "";
    variants[4].proxy.port = std::nullopt;
    variants[5].proxy.password = "q";
    std::unordered_set<std::size_t> hashes{hash(base)};
    for (const auto& variant : variants) {
        EXPECT_NE(variant, base);
        hashes.insert(hash(variant));
    }
    EXPECT_EQ(hashes.size(), variants.size() + 1);
}

TEST(CredentialSettings, TextNeverShowsSecrets) {
    const auto text = key_text({"AKID", "TOPSECRET", {"proxy", 3128, "user", "PROXYSECRET"}, "eu-west-1"});
    EXPECT_EQ(text, "access key AKID, region eu-west-1, proxy proxy:3128");
}

TEST(CredentialSettings, ComeFromTheSettingsGroups) {
    settings::credentials_group credentials{"AKID", libvexahelper::secure_string("s")};
    settings::httpproxygroup proxy;
    proxy.name = "p";
    proxy.port = 8080;
    proxy.password = libvexahelper::secure_string("pw");
    const auto made = make_credential_settings(credentials, proxy, "sa-east-1");
    EXPECT_EQ(made, (credential_settings{"AKID", "s", {"p", 8080, "", "pw"}, "sa-east-1"}));
}

// ---- the client cache ----------------------------------------------------------------------------

class counted_client final : public ec2_client_interface {
public:
    explicit counted_client(credential_settings key) : key(std::move(key)) {}
    std::vector<std::string> get_regions(const logger_ptr&) override { return {}; }
    std::vector<ec2_instance_info> get_instances(const logger_ptr&) override { return {}; }
    bool can_describe_instances() override { return true; }
    ebs_volume_info get_volume(const std::string&, const logger_ptr&) override { return {}; }
    std::vector<ebs_volume_info> get_volumes(const logger_ptr&) override { return {}; }
    bool can_describe_volumes() override { return true; }
    credential_settings key;
};

struct ClientCache : ::testing::Test {
    libvexahelper::service_container container;
    std::atomic<int> made{0};

    void SetUp() override {
        container.factories().add<client_factory_function<ec2_client_interface>>(
            [this](credential_settings k) {
                ++made;
                return std::make_unique<counted_client>(std::move(k));
            });
    }
    std::shared_ptr<ec2_client_interface> obtain(const credential_settings& k) {
        return obtain_client<ec2_client_interface>(container, k);
    }
};

TEST_F(ClientCache, OverlappingScansShareSequentialScansDoNot) {
    auto first = obtain(key());
    auto second = obtain(key());
    EXPECT_EQ(first, second);
    first.reset();
    second.reset();
    const auto later = obtain(key());
    EXPECT_EQ(made, 2);
}

TEST_F(ClientCache, RegionsAndProxiesGetTheirOwnClients) {
    const auto east = obtain(key("us-east-1"));
    const auto west = obtain(key("us-west-2"));
    auto proxied_key = key("us-east-1");
    proxied_key.proxy = {"proxy", 3128, "", ""};
    const auto proxied = obtain(proxied_key);
    EXPECT_NE(east, west);
    EXPECT_NE(east, proxied);
    EXPECT_EQ(static_cast<counted_client&>(*proxied).key.proxy.host, "proxy");
}

TEST_F(ClientCache, ManyThreadsMakeExactlyOneClientPerKey) {
    constexpr int threads = 32;
    std::barrier start(threads);
    std::vector<std::shared_ptr<ec2_client_interface>> seen(threads);
    std::vector<std::jthread> workers;
    for (int i = 0; i < threads; ++i) {
        workers.emplace_back([&, i] {
            start.arrive_and_wait();
            seen[i] = obtain(key(i % 2 == 0 ? "eu-central-1" : "ap-northeast-1"));
        });
    }
    workers.clear();
    EXPECT_EQ(made, 2);
    EXPECT_EQ(std::set<std::shared_ptr<ec2_client_interface>>(seen.begin(), seen.end()).size(), 2u);
}

TEST(SdkGuard, OnlyTheFirstStartsAndOnlyTheLastStops) {
    const auto before = aws_sdk_guard::live_count();
    {
        aws_sdk_guard first;
        {
            const ScopedEnvironment verbose("VEXA_AWS_VERBOSE_LOGGING", "1");
            aws_sdk_guard second;  // the SDK runs already: verbose logging is not reconsidered
            EXPECT_EQ(aws_sdk_guard::live_count(), before + 2);
            EXPECT_EQ(second.options().loggingOptions.logLevel, Aws::Utils::Logging::LogLevel::Off);
        }
        EXPECT_EQ(aws_sdk_guard::live_count(), before + 1);
    }
    EXPECT_EQ(aws_sdk_guard::live_count(), before);
}

}  // namespace
