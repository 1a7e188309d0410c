#include "core/signer.h"
#include "core/string_utils.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

struct GeneratedCase {
    std::string method, path, query, body, date, region, service, token;
    std::vector<std::pair<std::string, std::string>> headers;
};

// Varied paths, query strings, bodies, header cases, dates, regions, services and session tokens.
std::vector<GeneratedCase> MakeCases() {
    std::mt19937 random(20240501);  // fixed seed: the same cases every run
    const auto pick = [&random](const std::vector<std::string>& from) {
        return from[random() % from.size()];
    };
    const std::vector<std::string> paths = {"/", "/a", "/a/b c/", "/x~y/z_1.2-3", "/%-odd", "/deep/er/path"};
    const std::vector<std::string> values = {"v",  "a b", "x/y", "k=v", "~tilde", "", "\xC3\xA9t\xC3\xA9",
                                             "1+1"};
    std::vector<GeneratedCase> cases(60);
    for (int i = 0; i < 60; ++i) {
        GeneratedCase& c = cases[static_cast<size_t>(i)];
        c.method = i % 3 == 0 ? "GET" : "POST";
        c.path = pick(paths);
        for (auto params = random() % 4; params > 0; --params) {
            c.query += (c.query.empty() ? "" : "&") +
                       Aws::Internal::UrlEncode("P" + std::to_string(random() % 3)) + "=" +
                       Aws::Internal::UrlEncode(pick(values));
        }
        if (i % 2 != 0) {
            c.body =
                "Action=DescribeVolumes&VolumeId.1=vol-" + std::to_string(random()) + "&Version=2016-11-15";
        }
        std::array<char, 32> date{};
        std::snprintf(date.data(), date.size(), "2024%02d%02dT%02d%02d%02dZ", 1 + i % 12,
                      1 + static_cast<int>(random() % 28), static_cast<int>(random() % 24), i % 60,
                      (i * 7) % 60);
        c.date = date.data();
        c.region = pick({"us-east-1", "eu-west-1", "cn-north-1", "us-gov-west-1"});
        c.service = pick({"ec2", "monitoring", "elasticloadbalancing", "rds", "ce"});
        c.token = i % 5 == 0 ? "token/" + std::to_string(i) : "";
        c.headers = {{"Host", "svc.example.com"}, {"Content-Type", "application/x-www-form-urlencoded"}};
        if (i % 4 == 0) {
            c.headers.emplace_back("X-Custom-Header", "  spaced   value  ");
        }
        if (i % 6 == 0) {
            c.headers.emplace_back("X-Amz-Target", "AWSInsightsIndexService.GetCostForecast");
        }
    }
    return cases;
}

TEST(BotocoreSigner, GeneratedRequestsSignIdentically) {
    if (std::system("/usr/bin/python3 -c 'import botocore.auth' >/dev/null 2>&1") != 0) {  // NOLINT
        GTEST_SKIP() << "botocore is not available";
    }
    constexpr const char* kAccess = "AKIDEXAMPLE";
    constexpr const char* kSecret = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY";
    const auto cases = MakeCases();
    const std::string input = ::testing::TempDir() + "awssdk_botocore_cases.jsonl";
    const std::string output = input + ".out";
    {
        std::ofstream out(input);
        for (const auto& c : cases) {
            nlohmann::json line = {
                {"method", c.method},
                {"url", "https://svc.example.com" + c.path + (c.query.empty() ? "" : "?" + c.query)},
                {"headers", nlohmann::json(std::map(c.headers.begin(), c.headers.end()))},
                {"body", c.body},
                {"date", c.date},
                {"region", c.region},
                {"service", c.service},
                {"access_key", kAccess},
                {"secret_key", kSecret}};
            if (!c.token.empty()) {
                line["token"] = c.token;
            }
            out << line.dump() << '\n';
        }
    }
    const std::string command =
        "/usr/bin/python3 " AWSSDK_TEST_SOURCE_DIR "/botocore_sign.py < " + input + " > " + output;
    ASSERT_EQ(std::system(command.c_str()), 0);  // NOLINT(concurrency-mt-unsafe)
    std::ifstream expected(output);
    for (const auto& c : cases) {
        std::string authorization;
        ASSERT_TRUE(std::getline(expected, authorization));
        // botocore adds these two itself before signing.
        std::vector<std::pair<std::string, std::string>> headers = c.headers;
        headers.emplace_back("X-Amz-Date", c.date);
        if (!c.token.empty()) {
            headers.emplace_back("X-Amz-Security-Token", c.token);
        }
        const std::string hash = Aws::Internal::HexSha256(c.body);
        Aws::Internal::SigningRequest request{
            c.method, c.path, c.query, {headers.begin(), headers.end()}, hash};
        EXPECT_EQ(Aws::Internal::Sign(request, {c.date, c.region, c.service}, kAccess, kSecret).authorization,
                  authorization)
            << c.method << " " << c.path << "?" << c.query;
    }
}

}  // namespace
