#include "core/endpoint.h"

#include "core/string_utils.h"

#include <aws/core/platform/Environment.h>

namespace Aws {
namespace Internal {
namespace {

enum class Partition { Aws, China, GovCloud };

Partition PartitionOf(const Aws::String& region) {
    if (region.rfind("cn-", 0) == 0) {
        return Partition::China;
    }
    if (region.rfind("us-gov-", 0) == 0) {
        return Partition::GovCloud;
    }
    return Partition::Aws;
}

bool IgnoreConfiguredEndpoints() {
    const Aws::String value = Aws::Environment::GetEnv("AWS_IGNORE_CONFIGURED_ENDPOINT_URLS");
    return EqualsIgnoreCase(value, "true") || value == "1";
}

Aws::String ConfiguredEndpoint(const ServiceNames& service) {
    if (IgnoreConfiguredEndpoints()) {
        return {};
    }
    for (const char* suffix : {service.envSuffix, service.envPrefixSuffix}) {
        Aws::String value = Aws::Environment::GetEnv((Aws::String("AWS_ENDPOINT_URL_") + suffix).c_str());
        if (!value.empty()) {
            return value;
        }
    }
    return Aws::Environment::GetEnv("AWS_ENDPOINT_URL");
}

void SplitUrl(const Aws::String& url, Endpoint& out) {
    const auto schemeEnd = url.find("://");
    const auto authorityStart = schemeEnd == Aws::String::npos ? 0 : schemeEnd + 3;
    const auto pathStart = url.find('/', authorityStart);
    out.authority = url.substr(
        authorityStart, pathStart == Aws::String::npos ? Aws::String::npos : pathStart - authorityStart);
    out.path = pathStart == Aws::String::npos ? Aws::String("/") : url.substr(pathStart);
    // A default port is not part of the Host header.
    const Aws::String scheme =
        schemeEnd == Aws::String::npos ? Aws::String("https") : ToLower(url.substr(0, schemeEnd));
    const Aws::String defaultPort = scheme == "http" ? ":80" : ":443";
    if (out.authority.size() > defaultPort.size() &&
        out.authority.compare(out.authority.size() - defaultPort.size(), defaultPort.size(), defaultPort) ==
            0) {
        out.authority.resize(out.authority.size() - defaultPort.size());
    }
    out.url = scheme + "://" + out.authority + out.path;
}

}  // namespace

Aws::String SignerRegion(const Aws::String& region) {
    if (region == "aws-global" || region == "fips-aws-global" || region == "s3-external-1") {
        return "us-east-1";
    }
    Aws::String result = region;
    if (result.rfind("fips-", 0) == 0) {
        result.erase(0, 5);
    }
    const Aws::String suffix = "-fips";
    if (result.size() > suffix.size() &&
        result.compare(result.size() - suffix.size(), suffix.size(), suffix) == 0) {
        result.resize(result.size() - suffix.size());
    }
    return result;
}

Endpoint ResolveEndpoint(const ServiceNames& service, const Aws::Client::ClientConfiguration& config) {
    Endpoint endpoint;
    const Aws::String scheme = Aws::Http::SchemeMapper::ToString(config.scheme);
    const Aws::String region = config.region.empty() ? Aws::String("region-not-set") : config.region;
    endpoint.signingRegion = SignerRegion(region);

    Aws::String url = config.endpointOverride;
    if (url.empty()) {
        url = ConfiguredEndpoint(service);
    }
    if (!url.empty()) {
        if (url.find("://") == Aws::String::npos) {
            url = scheme + "://" + url;
        }
        SplitUrl(url, endpoint);
        return endpoint;
    }

    const Partition partition = PartitionOf(endpoint.signingRegion);
    const char* domain = partition == Partition::China ? "amazonaws.com.cn" : "amazonaws.com";
    Aws::String hostRegion = endpoint.signingRegion;
    Aws::String prefix = service.endpointPrefix;
    if (service.globalCostExplorer && partition != Partition::GovCloud) {
        hostRegion = partition == Partition::China ? "cn-northwest-1" : "us-east-1";
        endpoint.signingRegion = hostRegion;
    }
    if (config.useFIPS) {
        prefix = service.globalCostExplorer ? Aws::String("cost-explorer-fips") : prefix + "-fips";
    }
    SplitUrl(scheme + "://" + prefix + "." + hostRegion + "." + domain, endpoint);
    return endpoint;
}

}  // namespace Internal
}  // namespace Aws
