// Micro benchmarks of the request path: signing, parsing a large page, building clients.
#include "core/signer.h"
#include "core/xml_operation.h"
#include "ec2/ec2_unmarshal.h"

#include <aws/core/Aws.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/ec2/EC2Client.h>
#include <aws/monitoring/CloudWatchClient.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr const char* kSecret = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY";
constexpr const char* kDate = "20240501T101530Z";

// A DescribeVolumes request with the headers a client signs; both signing benchmarks sign this one,
// so that they differ only in the key derivation.
Aws::Internal::SigningRequest TypicalRequest() {
    static const std::string body =
        "Action=DescribeVolumes&MaxResults=500&NextToken=abcdefghijklmnopqrstuvwxyz&Version=2016-11-15";
    Aws::Internal::SigningRequest request;
    request.method = "POST";
    request.path = "/";
    const std::string hash = Aws::Internal::HexSha256(body);
    request.payloadHash = hash;
    request.headers = {{"amz-sdk-invocation-id", "4E1D3C2B-1A09-4F87-9E6D-5C4B3A291807"},
                       {"amz-sdk-request", "attempt=1"},
                       {"content-length", std::to_string(body.size())},
                       {"content-type", "application/x-www-form-urlencoded"},
                       {"host", "ec2.eu-west-1.amazonaws.com"},
                       {"x-amz-api-version", "2016-11-15"},
                       {"x-amz-content-sha256", hash},
                       {"x-amz-date", kDate}};
    return request;
}

void SignTypicalRequest(benchmark::State& state) {
    for (auto _ : state) {
        auto signature =
            Aws::Internal::Sign(TypicalRequest(), {kDate, "eu-west-1", "ec2"}, "AKIDEXAMPLE", kSecret);
        benchmark::DoNotOptimize(signature);
    }
}
BENCHMARK(SignTypicalRequest);

// The client caches the derived key per day, so a request pays only for the final HMAC.
void SignWithCachedKey(benchmark::State& state) {
    const auto key = Aws::Internal::DeriveSigningKey(kSecret, "20240501", "eu-west-1", "ec2");
    for (auto _ : state) {
        auto signature =
            Aws::Internal::SignWithKey(TypicalRequest(), {kDate, "eu-west-1", "ec2"}, "AKIDEXAMPLE", key);
        benchmark::DoNotOptimize(signature);
    }
}
BENCHMARK(SignWithCachedKey);

std::string InstancesPage(int count) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DescribeInstancesResponse "
        "xmlns=\"http://ec2.amazonaws.com/doc/2016-11-15/\"><requestId>r</requestId><reservationSet>";
    for (int i = 0; i < count; ++i) {
        const std::string id = std::to_string(100000 + i);
        xml.append("<item><reservationId>r-").append(id);
        xml.append(
            "</reservationId><ownerId>123456789012</ownerId><groupSet/><instancesSet><item><instanceId>i-0");
        xml.append(id);
        xml.append(
            "</instanceId><imageId>ami-12345678</imageId><instanceState><code>16</code><name>running</name>"
            "</instanceState><privateDnsName>ip-10-0-0-1.ec2.internal</privateDnsName><dnsName/><reason/>"
            "<amiLaunchIndex>0</amiLaunchIndex><productCodes/><instanceType>t3.micro</instanceType>"
            "<launchTime>2024-05-01T10:20:30.000Z</launchTime><placement><availabilityZone>us-east-1a"
            "</availabilityZone><groupName/><tenancy>default</tenancy></placement><monitoring><state>disabled"
            "</state></monitoring><subnetId>subnet-1</subnetId><vpcId>vpc-1</vpcId><privateIpAddress>10.0.0.1"
            "</privateIpAddress><ipAddress>203.0.113.1</ipAddress><tagSet><item><key>Name</key><value>web-");
        xml.append(id);
        xml.append(
            "</value></item><item><key>team</key><value>platform</value></item></tagSet></item>"
            "</instancesSet></item>");
    }
    xml += "</reservationSet><nextToken>next</nextToken></DescribeInstancesResponse>";
    return xml;
}

void ParseDescribeInstancesPage(benchmark::State& state) {
    const std::string page = InstancesPage(1000);
    for (auto _ : state) {
        std::string body = page;  // the transport hands over an owned body; parsing happens in place
        pugi::xml_document doc;
        pugi::xml_node node;
        Aws::Internal::CoreError error;
        Aws::Internal::LoadXmlResult(body, "DescribeInstances", false, doc, node, error);
        Aws::EC2::Model::DescribeInstancesResponse result;
        Aws::EC2::Model::UnmarshalDescribeInstancesResponse(node, result);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(ParseDescribeInstancesPage)->Unit(benchmark::kMicrosecond);

void BuildConfigurationAndClient(benchmark::State& state) {
    const Aws::Auth::AWSCredentials credentials("AKIDEXAMPLE", "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY");
    for (auto _ : state) {
        Aws::Client::ClientConfiguration config(Aws::Client::ClientConfigurationInitValues{true});
        config.region = "eu-west-1";
        const Aws::CloudWatch::CloudWatchClient client(credentials, config);
        benchmark::DoNotOptimize(&client);
    }
}
BENCHMARK(BuildConfigurationAndClient);

}  // namespace

int main(int argc, char** argv) {
    Aws::SDKOptions options;
    Aws::InitAPI(options);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Aws::ShutdownAPI(options);
    return 0;
}
