// Settings buffers that are broken where it hurts most, inside a secret, sent to every kind through
// the exported functions: the module must answer as documented and keep every piece of the secret
// out of every message and every log line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "libs/stringutils/safe_text.h"
#include "module/module_slot.h"
#include "tests/support/environment.h"
#include "tests/support/settings_buffer.h"
#include "tests/support/strict_json.h"
#include "vexa_module.h"

namespace {

using namespace orvane::tessel;
namespace fs = std::filesystem;

constexpr std::string_view secret = "Qz8Vx3Kp7Wm2Ry6Tn4Lb9Hc";
constexpr std::size_t fragment = 6;  // no run of this many secret bytes may show anywhere

std::mutex sent_mutex;
std::vector<std::string> sent;

void on_message(std::uint64_t, const std::uint8_t* buffer, std::uint32_t length) {
    std::lock_guard lock(sent_mutex);
    sent.emplace_back(reinterpret_cast<const char*>(buffer), length);
}

std::string first_fragment_in(std::string_view text) {
    for (std::size_t i = 0; i + fragment <= secret.size(); ++i) {
        if (text.find(secret.substr(i, fragment)) != std::string_view::npos) {
            return std::string(secret.substr(i, fragment));
        }
    }
    return {};
}

// How the secret arrives broken; the buffer is valid JSON otherwise.
struct malformation {
    const char* name;
    std::string (*apply)(const std::string& json, std::size_t at);
};

constexpr malformation malformations[] = {
    {"cut_inside", [](const std::string& json, std::size_t at) { return json.substr(0, at + 11); }},
    {"raw_tab",
     [](const std::string& json, std::size_t at) { return std::string(json).insert(at + 11, "\t"); }},
    {"raw_line_feed",
     [](const std::string& json, std::size_t at) { return std::string(json).insert(at + 11, "\n"); }},
    {"not_utf8",
     [](const std::string& json, std::size_t at) { return std::string(json).insert(at + 11, "\xff\xfe"); }},
    {"unescaped_quote",
     [](const std::string& json, std::size_t at) { return std::string(json).insert(at + 11, "\""); }},
    {"secret_in_a_list",
     [](const std::string& json, std::size_t at) {
         return std::string(json).replace(at - 1, secret.size() + 2, "[\"" + std::string(secret) + "\"]");
     }},
};

struct HostileSettings : ::testing::TestWithParam<malformation> {
    fs::path directory =
        fs::temp_directory_path() / ("vexa_hostile_" + std::to_string(vexa_test::process_id()));

    void SetUp() override {
        fs::remove_all(directory);
        // Read when the module starts; no other thread runs yet. Nothing may leave the machine.
        vexa_test::set_environment("VEXA_LOG_DIR", directory.string());
        vexa_test::set_environment("AWS_ENDPOINT_URL", "http://127.0.0.1:9");
        sent.clear();
        ASSERT_EQ(InitializeModule(1, on_message), 0);
    }
    void TearDown() override {
        CleanupModule();
        vexa_test::unset_environment("AWS_ENDPOINT_URL");
        vexa_test::unset_environment("VEXA_LOG_DIR");
        fs::remove_all(directory);
    }

    std::vector<std::string> log_lines() const {
        std::vector<std::string> lines;
        for (const auto& file : fs::directory_iterator(directory)) {
            std::ifstream in(file.path(), std::ios::binary);
            for (std::string line; std::getline(in, line);) {
                lines.push_back(line);
            }
        }
        return lines;
    }
};

TEST_P(HostileSettings, EveryKindAnswersAsDocumentedAndNothingShowsTheSecret) {
    const auto& dispatcher = libvexahelper::module::module_slot::adapter()->module().dispatcher();
    std::int32_t id = 100;
    for (const auto& [category, kind] : dispatcher->registrations()) {
        for (const char* slot :
             {"awscredentials.credentials_group.secret_key", "httpproxy.httpproxygroup.password"}) {
            SCOPED_TRACE(kind + " / " + slot);
            const std::string json = test_support::settings_buffer(kind)
                                         .set("httpproxy.httpproxygroup.user", "proxyuser")
                                         .secure(slot, std::string(secret))
                                         .json();
            const std::string buffer = GetParam().apply(json, json.find(secret));
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
            const auto length = static_cast<std::uint32_t>(buffer.size());
            sent.clear();
            ++id;
            switch (category) {
                case libvexahelper::kind_category::sensor:
                    EXPECT_EQ(CreateSensorInstance(id, bytes, length), 11);
                    EXPECT_TRUE(sent.empty());
                    break;
                case libvexahelper::kind_category::check:
                    EXPECT_EQ(ExecuteCheck(id, bytes, length), 11);
                    ASSERT_EQ(sent.size(), 1U);
                    EXPECT_EQ(test_support::decode_message(sent[0]),
                              (nlohmann::json{{"type", "check_result"}, {"id", id}, {"success", false}}));
                    break;
                case libvexahelper::kind_category::meta_scan: {
                    EXPECT_EQ(ExecuteMetaScan(id, 7, bytes, length), 11);
                    ASSERT_EQ(sent.size(), 1U);
                    const auto result = test_support::decode_message(sent[0]);
                    EXPECT_EQ(result["type"], "meta_scan_result");
                    EXPECT_EQ(result["response"], 5);
                    EXPECT_TRUE(result["message"]["encoded"].get<std::string>().starts_with("#:lib"));
                    break;
                }
            }
            for (const auto& message : sent) {
                EXPECT_EQ(first_fragment_in(message), "") << message;
            }
        }
    }
    const auto lines = log_lines();
    ASSERT_FALSE(lines.empty());
    for (const auto& line : lines) {
        EXPECT_EQ(first_fragment_in(line), "") << line;
        std::string again;
        libstringutils::append_log_text(again, line);
        EXPECT_EQ(again, line) << "not one line of valid UTF-8";
    }
}

INSTANTIATE_TEST_SUITE_P(Buffers, HostileSettings, ::testing::ValuesIn(malformations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
