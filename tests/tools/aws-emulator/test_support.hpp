// A fixed clock, a small scenario, and a client that signs the way the SDKs do.
#pragma once

#include "aws_emulator/emulator.hpp"
#include "aws_emulator/sigv4.hpp"

#include <gtest/gtest.h>
#include <httplib.h>
#include <pugixml.hpp>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace emu_test {

namespace emu = orvane::tessel::emulator;

// 2024-05-15T12:00:00Z: a Wednesday in the middle of a 31-day month.
inline constexpr std::int64_t fixed_now = 1715774400;
inline std::chrono::system_clock::time_point at(std::int64_t seconds) {
    return std::chrono::system_clock::time_point(std::chrono::seconds(seconds));
}

inline const emu::sigv4::credentials demo_credentials{"AKIDEXAMPLE",
                                                      "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY", ""};

struct service_call {
    std::string service;  // ec2, monitoring, elasticloadbalancing, rds, ce
    std::string body;     // form parameters or JSON
    std::string target;   // X-Amz-Target for ce
};

// A Query API call from one text, "service Action rest", for example
// request("ec2 DescribeInstances MaxResults=5"): its body is "Action=...&Version=<service's>&rest".
inline service_call request(const std::string& line) {
    static const std::map<std::string, std::string> versions{{"ec2", "2016-11-15"},
                                                             {"monitoring", "2010-08-01"},
                                                             {"elasticloadbalancing", "2015-12-01"},
                                                             {"rds", "2014-10-31"}};
    const auto first = line.find(' ');
    const auto second = line.find(' ', first + 1);
    const auto service = line.substr(0, first);
    return {service,
            "Action=" + line.substr(first + 1, second - first - 1) + "&Version=" + versions.at(service) +
                (second == std::string::npos ? "" : "&" + line.substr(second + 1)),
            {}};
}

inline service_call cost(const std::string& operation, const std::string& json) {
    return {"ce", json, "AWSInsightsIndexService." + operation};
}

struct response {
    bool transport_ok = false;
    int status = 0;
    std::string body;
    httplib::Headers headers;
    pugi::xml_document xml;

    // Text of the first node matching an XPath such as //Error/Code.
    [[nodiscard]] std::string text(const char* xpath) const {
        const auto node = xml.select_node(xpath);
        return node ? node.node().text().get() : std::string{};
    }
    // Texts of all matching nodes in document order, separated by blanks.
    [[nodiscard]] std::string texts(const char* xpath) const {
        std::string out;
        for (const auto& node : xml.select_nodes(xpath)) {
            out += (out.empty() ? "" : " ") + std::string(node.node().text().get());
        }
        return out;
    }
    [[nodiscard]] std::size_t count(const char* xpath) const { return xml.select_nodes(xpath).size(); }
    [[nodiscard]] std::string error_code() const {
        if (auto code = text("//Error/Code"); !code.empty()) {
            return code;
        }
        const auto it = headers.find("x-amzn-ErrorType");
        return it == headers.end() ? std::string{} : it->second;
    }
};

// The request an SDK sends for `call` to 127.0.0.1:`port`, before signing.
inline emu::sigv4::http_request wire_request(std::uint16_t port, const service_call& call) {
    emu::sigv4::http_request request;
    request.headers.emplace_back("Host", "127.0.0.1:" + std::to_string(port));
    request.headers.emplace_back("Content-Type", call.service == "ce"
                                                     ? "application/x-amz-json-1.1"
                                                     : "application/x-www-form-urlencoded; charset=utf-8");
    if (!call.target.empty()) {
        request.headers.emplace_back("X-Amz-Target", call.target);
    }
    request.body = call.body;
    return request;
}

class client {
public:
    explicit client(const emu::server& server, emu::sigv4::credentials credentials = demo_credentials,
                    std::chrono::milliseconds patience = std::chrono::seconds(30))
        : credentials(std::move(credentials)), port_(server.port()), http_("127.0.0.1", server.port()) {
        http_.set_read_timeout(patience);
        http_.set_tcp_nodelay(true);
    }

    emu::sigv4::credentials credentials;
    std::string region = "us-east-1";
    std::chrono::system_clock::time_point signing_time = at(fixed_now);
    // Runs after signing, before sending: lets a test alter what goes over the wire.
    std::function<void(emu::sigv4::http_request&)> tamper;
    bool sign = true;

    response send(const service_call& call) {
        auto request = wire_request(port_, call);
        if (sign) {
            emu::sigv4::sign(request, credentials, region, call.service, signing_time);
        }
        if (tamper) {
            tamper(request);
        }
        httplib::Request req;
        req.method = request.method;
        req.path = request.target;
        req.body = request.body;
        for (const auto& [name, value] : request.headers) {
            req.headers.emplace(name, value);
        }
        response out;
        auto result = http_.send(req);
        if (!result) {
            return out;
        }
        out.transport_ok = true;
        out.status = result->status;
        out.body = result->body;
        out.headers = result->headers;
        out.xml.load_string(out.body.c_str());
        return out;
    }

private:
    std::uint16_t port_;
    httplib::Client http_;
};

// One account (the demo credentials) with two regions holding a little of everything.
inline const char* const base_scenario = R"json({
  "accounts": [{
    "id": "111122223333",
    "credentials": [{"access_key": "AKIDEXAMPLE", "secret_key": "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"}],
    "regions": {
      "us-east-1": {
        "instances": [
          {"id": "i-0000000000000001", "name": "web-1"},
          {"id": "i-0000000000000002", "name": "web-2", "state": "stopped"},
          {"id": "i-0000000000000003", "auto_scaling_group": "asg-1"}, {"id": "i-0000000000000004"},
          {"id": "i-0000000000000005", "name": "db-host"}, {"id": "i-0000000000000006", "name": "batch"},
          {"id": "i-0000000000000007", "name": "cache"}
        ],
        "volumes": [
          {"id": "vol-0000000000000001", "size": 100, "attachments": [{"instance": "i-0000000000000001", "device": "/dev/xvda"}]},
          {"id": "vol-0000000000000002"}
        ],
        "load_balancers": [
          {"name": "alb-1"}, {"name": "nlb-1", "type": "network"}, {"name": "gwlb-1", "type": "gateway"}
        ],
        "db_instances": [{"identifier": "db-1"}, {"identifier": "db-1-replica", "replica_of": "db-1"}],
        "metric_alarms": [
          {"name": "cpu-high", "namespace": "AWS/EC2", "metric": "CPUUtilization", "dimensions": {"InstanceId": "i-0000000000000001"}, "state": "ALARM"},
          {"name": "disk-low", "namespace": "AWS/EBS", "metric": "BurstBalance", "dimensions": {"VolumeId": "vol-0000000000000001"}}
        ],
        "composite_alarms": [{"name": "service-down", "rule": "ALARM(\"cpu-high\") OR ALARM(\"disk-low\")", "state": "ALARM"}],
        "metrics": [
          {"namespace": "AWS/EC2", "name": "CPUUtilization", "dimensions": {"InstanceId": "i-0000000000000001"}, "unit": "Percent",
           "datapoints": [
             {"ago": 0, "SampleCount": 1, "Average": 10, "Sum": 10, "Minimum": 10, "Maximum": 10},
             {"ago": 60, "SampleCount": 1, "Average": 20, "Sum": 20, "Minimum": 20, "Maximum": 20},
             {"ago": 120, "SampleCount": 1, "Average": 30, "Sum": 30, "Minimum": 30, "Maximum": 30},
             {"ago": 300, "SampleCount": 1, "Average": 40, "Sum": 40, "Minimum": 40, "Maximum": 40},
             {"ago": 600, "SampleCount": 1, "Average": 50, "Sum": 50, "Minimum": 50, "Maximum": 50},
             {"ago": 900, "SampleCount": 1, "Average": 60, "Sum": 60, "Minimum": 60, "Maximum": 60}
           ]},
          {"namespace": "AWS/EC2", "name": "NetworkIn", "dimensions": {"InstanceId": "i-0000000000000001"}, "unit": "Bytes",
           "series": {"every": 60, "count": 1500, "Sum": 1000}}
        ]
      },
      "eu-central-1": {"instances": [{"id": "i-00000000000000e1"}]}
    },
    "costs": {
      "currency": "USD",
      "months": {
        "2024-03": {"UnblendedCost": 310, "BlendedCost": 310},
        "-1": {"UnblendedCost": 300, "BlendedCost": 300},
        "0": {"UnblendedCost": 150, "BlendedCost": 150}
      }
    }
  }]
})json";

// A started emulator over `scenario_json` with the fixed clock.
inline std::unique_ptr<emu::server> start(const std::string& scenario_json = base_scenario) {
    emu::server_options options;
    options.clock = [] { return at(fixed_now); };
    options.threads = 8;
    auto server = std::make_unique<emu::server>(emu::scenario::from_json(scenario_json), std::move(options));
    server->start();
    return server;
}

}  // namespace emu_test
