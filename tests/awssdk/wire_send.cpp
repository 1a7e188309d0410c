// Shows that both transports put the same request on the wire. "capture FILE" lets the EC2 client
// build and sign a DescribeVolumes request and keeps it, unsent, in FILE; "send FILE" sends exactly
// that request through this platform's transport (libcurl or WinHTTP) and prints the status.
#include "core/transport.h"

#include <aws/core/Aws.h>
#include <aws/ec2/EC2Client.h>
#include <aws/ec2/model/DescribeVolumesRequest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
#include <string>

namespace {

using Aws::Internal::HttpRequest;
using Aws::Internal::HttpResponse;
using Aws::Internal::TransportSettings;
using nlohmann::json;

json g_captured;

HttpResponse Capture(const TransportSettings& /*settings*/, const HttpRequest& request) {
    g_captured["url"] = request.url;
    g_captured["body"] = request.body;
    for (const auto& [name, value] : request.headers) {
        g_captured["headers"].push_back({name, value});
    }
    HttpResponse response;
    response.status = 200;
    response.body = "<DescribeVolumesResponse/>";
    return response;
}

int CaptureTo(const std::string& file) {
    Aws::Internal::SetTransportHook(&Capture);
    Aws::EC2::Model::DescribeVolumesRequest request;
    request.SetMaxResults(500);
    Aws::EC2::EC2Client(Aws::Auth::AWSCredentials("AKIDEXAMPLE", "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY"))
        .DescribeVolumes(request);
    Aws::Internal::SetTransportHook(nullptr);
    std::ofstream(file) << g_captured.dump();
    return g_captured.empty() ? 1 : 0;
}

int SendFrom(const std::string& file) {
    const json captured = json::parse(std::ifstream(file));
    const std::string url = captured.at("url");
    const std::string body = captured.at("body");
    std::vector<std::pair<std::string, std::string>> headers;
    for (const auto& header : captured.at("headers")) {
        headers.emplace_back(header.at(0), header.at(1));
    }
    HttpRequest request;
    request.url = url;
    request.body = body;
    std::string authority;
    for (const auto& [name, value] : headers) {
        request.headers.emplace_back(name, value);
        if (name == "host") {
            authority = value;
        }
    }
    const Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
    const auto response = Aws::Internal::Perform(TransportSettings::From(config, authority, true), request);
    std::cout << "status " << response.status << "\n";
    return response.status == 200 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: wire_send capture|send FILE\n";
        return 2;
    }
    const std::string mode = argv[1];
    Aws::SDKOptions options;
    Aws::InitAPI(options);
    const int code = mode == "capture" ? CaptureTo(argv[2]) : SendFrom(argv[2]);
    Aws::ShutdownAPI(options);
    return code;
}
