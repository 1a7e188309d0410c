#include "core/signer.h"
#include "core/string_utils.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

struct GeneratedCase {
    std::string method, path, query, body, date, region, service, token;
    std::vector<std::pair<std::string, std::string>> headers;
};

std::vector<GeneratedCase> MakeCases() {
    std::mt19937 random(20240501);  // fixed seed: the same cases every run
    const std::vector<std::string> paths = {"/", "/a", "/a/b c/", "/x~y/z_1.2-3", "/%-odd", "/deep/er/path"};
    const std::vector<std::string> values = {"v",  "a b", "x/y", "k=v", "~tilde", "", "\xC3\xA9t\xC3\xA9",
                                             "1+1"};
    const std::vector<std::string> regions = {"us-east-1", "eu-west-1", "cn-north-1", "us-gov-west-1"};
    const std::vector<std::string> services = {"ec2", "monitoring", "elasticloadbalancing", "rds", "ce"};
    std::vector<GeneratedCase> cases;
    for (int i = 0; i < 60; ++i) {
        GeneratedCase c;
        c.method = i % 3 == 0 ? "GET" : "POST";
        c.path = paths[random() % paths.size()];
        const int params = static_cast<int>(random() % 4);
        for (int p = 0; p < params; ++p) {
            if (!c.query.empty()) {
                c.query += '&';
            }
            c.query += Aws::Internal::UrlEncode(std::string("P").append(std::to_string(random() % 3))) + "=" +
                       Aws::Internal::UrlEncode(values[random() % values.size()]);
        }
        if (i % 2 != 0) {
            c.body = std::string("Action=DescribeVolumes&VolumeId.1=vol-")
                         .append(std::to_string(random()))
                         .append("&Version=2016-11-15");
        }
        const int day = 1 + static_cast<int>(random() % 28);
        const int hour = static_cast<int>(random() % 24);
        std::array<char, 20> date{};
        std::snprintf(date.data(), date.size(), "2024%02d%02dT%02d%02d%02dZ", 1 + i % 12, day, hour, i % 60,
                      (i * 7) % 60);
        c.date = date.data();
        c.region = regions[random() % regions.size()];
        c.service = services[random() % services.size()];
        if (i % 5 == 0) {
            c.token = std::string("token/").append(std::to_string(i));
        }
        c.headers = {{"Host", "svc.example.com"}, {"Content-Type", "application/x-www-form-urlencoded"}};
        if (i % 4 == 0) {
            c.headers.emplace_back("X-Custom-Header", "  spaced   value  ");
        }
        if (i % 6 == 0) {
            c.headers.emplace_back("X-Amz-Target", "AWSInsightsIndexService.GetCostForecast");
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

TEST(BotocoreSigner, GeneratedRequestsSignIdentically) {
    const char* python = "/usr/bin/python3";
    const std::string script = std::string(AWSSDK_TEST_SOURCE_DIR) + "/botocore_sign.py";
    if (access(python, X_OK) != 0 ||
        std::system("/usr/bin/python3 -c 'import botocore.auth' >/dev/null 2>&1") != 0) {  // NOLINT
        GTEST_SKIP() << "botocore is not available";
    }
    constexpr const char* kAccess = "AKIDEXAMPLE";
    constexpr const char* kSecret = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY";
    const auto cases = MakeCases();
    const std::string input = ::testing::TempDir() + "awssdk_botocore_cases.jsonl";
    {
        std::ofstream out(input);
        for (const auto& c : cases) {
            nlohmann::json headers = nlohmann::json::object();
            for (const auto& [name, value] : c.headers) {
                headers[name] = value;
            }
            nlohmann::json line = {
                {"method", c.method},
                {"url", "https://svc.example.com" + c.path + (c.query.empty() ? "" : "?" + c.query)},
                {"headers", headers},
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
    const std::string command = std::string(python) + " " + script + " < " + input;
    FILE* pipe = popen(command.c_str(), "r");  // NOLINT(cert-env33-c)
    ASSERT_NE(pipe, nullptr);
    std::vector<std::string> expected;
    std::array<char, 1024> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr) {
        std::string line(buffer.data());
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        expected.push_back(line);
    }
    ASSERT_EQ(pclose(pipe), 0);
    ASSERT_EQ(expected.size(), cases.size());

    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& c = cases[i];
        // botocore adds these two itself before signing.
        std::vector<std::pair<std::string, std::string>> headers = c.headers;
        headers.emplace_back("X-Amz-Date", c.date);
        if (!c.token.empty()) {
            headers.emplace_back("X-Amz-Security-Token", c.token);
        }
        Aws::Internal::SigningRequest request;
        request.method = c.method;
        request.path = c.path;
        request.query = c.query;
        for (const auto& [name, value] : headers) {
            request.headers.emplace_back(name, value);
        }
        const std::string hash = Aws::Internal::HexSha256(c.body);
        request.payloadHash = hash;
        const auto signature = Aws::Internal::Sign(request, {c.date, c.region, c.service}, kAccess, kSecret);
        EXPECT_EQ(signature.authorization, expected[i])
            << "case " << i << " " << c.method << " " << c.path << "?" << c.query;
    }
}

}  // namespace
