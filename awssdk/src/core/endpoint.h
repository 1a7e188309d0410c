#pragma once

#include <aws/core/client/ClientConfiguration.h>
#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace Internal {

struct ServiceNames {
    const char* signingName;      // SigV4 service, e.g. "monitoring"
    const char* endpointPrefix;   // host prefix, e.g. "monitoring"
    const char* envSuffix;        // AWS_ENDPOINT_URL_<this>, e.g. "CLOUDWATCH"
    const char* envPrefixSuffix;  // also accepted, e.g. "MONITORING"
    bool globalCostExplorer;      // one endpoint per partition, signed for its home region
};

struct Endpoint {
    Aws::String url;        // scheme://authority/path
    Aws::String authority;  // the Host header: host[:port]
    Aws::String path;       // at least "/"
    Aws::String signingRegion;
};

// endpointOverride, then AWS_ENDPOINT_URL_<SERVICE>, then AWS_ENDPOINT_URL (unless
// AWS_IGNORE_CONFIGURED_ENDPOINT_URLS is set), then the partition's regional pattern.
Endpoint ResolveEndpoint(const ServiceNames& service, const Aws::Client::ClientConfiguration& config);

// aws-global and s3-external-1 sign as us-east-1; "fips-" prefixes and "-fips" suffixes are dropped.
Aws::String SignerRegion(const Aws::String& region);

}  // namespace Internal
}  // namespace Aws
