#include "tools/probe/diagnosis.h"

#include "libs/stringutils/safe_text.h"

#include <algorithm>
#include <array>

namespace orvane::tessel::probe {

namespace {

struct code_text {
    std::int32_t code;
    const char* meaning;
};

// The entry points' own codes and the dispatcher's (docs/host-protocol.md).
constexpr std::array<code_text, 6> common_codes{{
    {2, "an exception escaped the module"},
    {3, "the module is not initialised"},
    {10, "the module has no kind of that name"},
    {11, "the settings buffer is not a JSON object of the host's form"},
    {13, "a sensor with this id exists already"},
    {14, "no sensor with this id exists"},
}};

struct hint_rule {
    std::array<std::string_view, 5> needles;  // any of them in the failure text; empty ones never match
    const char* hint;
};

// First match wins: the specific causes come before the message keys that also cover them.
constexpr std::array<hint_rule, 10> hint_rules{{
    {{"SignatureDoesNotMatch", "InvalidSignatureException", "signature we calculated does not match"},
     "AWS could not verify the request's signature: the secret key does not belong to the access "
     "key. Check --secret-key or AWS_SECRET_ACCESS_KEY, and that this machine's clock is right."},
    {{"AuthFailure", "InvalidClientTokenId", "UnrecognizedClientException",
      "security token included in the request is invalid", "not able to validate the provided access"},
     "AWS did not accept the credentials: check the access key and the secret key. If they work in "
     "other regions, this region is not enabled for the account (opt-in regions are enabled in the "
     "account settings) or an organisation's policy denies it."},
    {{"curlCode", "Couldn't connect", "Couldn't resolve", "Timeout was reached", "Failed to connect"},
     "The AWS endpoint could not be reached: check the network and DNS, the proxy settings "
     "(httpproxy.httpproxygroup.name and .port), and --endpoint or AWS_ENDPOINT_URL."},
    {{"error.no_regions_accessible"},
     "Every region refused the listing: the credentials lack the permissions the module needs "
     "(docs/user-guide.md has the IAM policy)."},
    {{"error.access_denied", "error.unauthorized_operation", "AccessDenied", "UnauthorizedOperation"},
     "The credentials lack a permission the module needs (docs/user-guide.md has the IAM policy), "
     "or an organisation's policy denies it."},
    {{"error.no_datapoints_found", "error.no_alarm_found", "error.no_volume_found"},
     "AWS has no data for this resource: check its id and region (probe metascan lists what exists), "
     "or wait a few minutes after the resource started."},
    {{"error.limit_exceeded", "Throttling", "RequestLimitExceeded", "LimitExceeded"},
     "AWS throttled the requests: try again later, or scan less often."},
    {{"error.data_unavailable", "DataUnavailable"},
     "Cost Explorer has no data yet: it must be enabled for the account and takes up to a day to fill."},
    {{"libvexahelper.error.setting_", "setting \"", "could not be parsed into selection type"},
     "A setting is missing or invalid: give it with --set KEY=VALUE (docs/user-guide.md lists the "
     "settings)."},
    {{"error.unknown_loadbalancer_type", "error.unknown_alarm_type"},
     "The resource's type setting is not one the sensor supports: take the row the meta-scan lists."},
}};

bool is_noise(const log_entry& entry) {
    return entry.text.starts_with("### ") || entry.text.starts_with("{");
}

bool mentions_failure(const std::string& text) {
    return text.find("error") != std::string::npos || text.find("failed") != std::string::npos;
}

}  // namespace

std::string code_meaning(module_export call, std::int32_t code) {
    if (code == 12) {
        return call == module_export::create ? "the settings were rejected or the sensor could not be built"
                                             : "the settings were rejected";
    }
    const auto known = std::find_if(common_codes.begin(), common_codes.end(),
                                    [code](const code_text& row) { return row.code == code; });
    return known == common_codes.end() ? "an undocumented result" : known->meaning;
}

std::vector<std::string> reasons(const std::vector<log_entry>& entries) {
    const bool ended =
        std::any_of(entries.begin(), entries.end(), [](const log_entry& e) { return e.level == 0; });
    std::vector<std::string> lines;
    for (const auto& entry : entries) {
        const bool wanted = ended ? entry.level == 0 : !is_noise(entry) && mentions_failure(entry.text);
        if (wanted) {
            lines.push_back(entry.text);
        }
    }
    return lines;
}

std::string hint_for(std::string_view failure) {
    for (const auto& rule : hint_rules) {
        for (const auto needle : rule.needles) {
            if (!needle.empty() && failure.find(needle) != std::string_view::npos) {
                return rule.hint;
            }
        }
    }
    return {};
}

std::string silent_check_hint() {
    return "No region accepted the check's test request: the credentials lack the permission for it "
           "(docs/user-guide.md has the IAM policy).";
}

std::string printable_line(std::string_view text) {
    std::string out;
    libstringutils::append_log_text(out, text);
    return out;
}

}  // namespace orvane::tessel::probe
