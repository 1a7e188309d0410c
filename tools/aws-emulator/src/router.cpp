// Reading, verifying and routing an AWS request; server.cpp applies faults and answers it.
#include "router.hpp"

#include <nlohmann/json.hpp>

namespace orvane::tessel::emulator::detail {
namespace {

using json = nlohmann::ordered_json;

constexpr std::string_view ce_target_prefix = "AWSInsightsIndexService.";

const std::string* header(const httplib::Request& req, const char* name) {
    const auto it = req.headers.find(name);
    return it == req.headers.end() ? nullptr : &it->second;
}

void parse_form(std::string_view text, param_map& out) {
    while (!text.empty()) {
        const auto amp = text.find('&');
        const auto item = text.substr(0, amp);
        text = amp == std::string_view::npos ? std::string_view{} : text.substr(amp + 1);
        if (item.empty()) {
            continue;
        }
        const auto eq = item.find('=');
        out.insert_or_assign(
            sigv4::uri_decode(item.substr(0, eq)),
            eq == std::string_view::npos ? std::string{} : sigv4::uri_decode(item.substr(eq + 1)));
    }
}

// Cost Explorer's JSON members, flattened like Query parameters: TimePeriod.Start, Metrics.1.
void flatten(const json& value, const std::string& prefix, std::map<std::string, std::string>& out) {
    if (value.is_object()) {
        for (const auto& [key, child] : value.items()) {
            flatten(child, prefix.empty() ? key : std::string(prefix).append(".").append(key), out);
        }
    } else if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i) {
            flatten(value[i], prefix + "." + std::to_string(i + 1), out);
        }
    } else {
        out[prefix] = value.is_string() ? value.get<std::string>() : value.dump();
    }
}

const service_info& guess_service(const httplib::Request& req, const param_map& params) {
    if (header(req, "X-Amz-Target") != nullptr) {
        return ce_service;
    }
    if (const auto* version = find_param(params, "Version")) {
        for (const auto* s : services) {
            if (s->version == *version) {
                return *s;
            }
        }
    }
    return ec2_service;
}

}  // namespace

inbound read_inbound(const httplib::Request& req) {
    inbound in;
    in.raw = {req.method, req.target, {}, req.body};
    for (const auto& [name, value] : req.headers) {
        in.raw.headers.emplace_back(name, value);
    }
    if (const auto q = req.target.find('?'); q != std::string::npos) {
        parse_form(std::string_view(req.target).substr(q + 1), in.params);
    }
    const auto* content_type = header(req, "Content-Type");
    if (content_type != nullptr && content_type->rfind("application/x-www-form-urlencoded", 0) == 0) {
        parse_form(req.body, in.params);
    }
    in.auth_header = header(req, "Authorization");
    in.auth = in.auth_header != nullptr ? parse_authorization(*in.auth_header) : std::nullopt;
    in.service = in.auth ? find_service(in.auth->scope.service) : nullptr;
    in.dialect = in.service != nullptr ? in.service : &guess_service(req, in.params);
    return in;
}

request_record first_record(const inbound& in, const std::string& body) {
    request_record rec;
    rec.service = std::string(in.dialect->signing_name);
    if (in.auth) {
        rec.region = in.auth->scope.region;
        rec.access_key = in.auth->access_key;
    }
    if (in.dialect->wire == protocol::json) {
        const auto parsed = json::parse(body, nullptr, false);
        if (!parsed.is_discarded()) {
            flatten(parsed, "", rec.parameters);
        }
    } else {
        rec.parameters.insert(in.params.begin(), in.params.end());
    }
    return rec;
}

const account& authenticate(const scenario_model& model, const inbound& in, seconds_t now) {
    const auto wire = in.dialect->wire;
    if (in.auth_header == nullptr) {
        throw auth_error(wire, auth_failure::missing, "");
    }
    if (!in.auth) {
        throw auth_error(wire, auth_failure::malformed,
                         "Authorization header requires 'Credential' parameter. Authorization header "
                         "requires 'Signature' parameter. Authorization header requires 'SignedHeaders' "
                         "parameter. Authorization=" +
                             in.auth_header->substr(0, in.auth_header->find(' ')));
    }
    if (in.service == nullptr) {
        throw auth_error(
            wire, auth_failure::bad_signature,
            "Credential should be scoped to correct service: '" + in.auth->scope.service + "'. ");
    }
    const auto verdict = verify(model, in.raw, *in.auth, now);
    if (verdict.failure != auth_failure::none) {
        throw auth_error(in.service->wire, verdict.failure, verdict.detail);
    }
    return *verdict.acct;
}

const operation_info& resolve_operation(const service_info& service, const httplib::Request& req,
                                        const param_map& params, std::string& name) {
    if (service.wire == protocol::json) {
        const auto* target = header(req, "X-Amz-Target");
        if (target == nullptr || target->rfind(ce_target_prefix, 0) != 0) {
            throw api_error("UnknownOperationException", "", 400);
        }
        name = target->substr(ce_target_prefix.size());
    } else {
        const auto* action = find_param(params, "Action");
        if (action == nullptr || action->empty()) {
            throw api_error("MissingAction", "The request must contain the parameter Action");
        }
        name = *action;
        const auto* version = find_param(params, "Version");
        if (version == nullptr || version->empty()) {
            throw api_error("MissingParameter", "The request must contain the parameter Version");
        }
        if (*version != service.version) {
            throw api_error("InvalidAction", "Could not find operation " + name + " for version " + *version);
        }
    }
    const auto* op = find_operation(name);
    if (op == nullptr || op->service != &service) {
        if (service.wire == protocol::json) {
            throw api_error("UnknownOperationException", "", 400);
        }
        throw api_error("InvalidAction", "The action " + name + " is not valid for this web service.");
    }
    return *op;
}

const region_data& resolve_region(const service_info& service, const account& acct, const std::string& region,
                                  const region_data& empty) {
    if (&service == &ce_service) {
        if (region != ce_region) {
            throw auth_error(service.wire, auth_failure::bad_signature,
                             "Credential should be scoped to a valid region. ");
        }
        const auto* r = acct.region(ce_region);
        return r != nullptr ? *r : empty;
    }
    if (const auto* r = acct.region(region)) {
        return *r;
    }
    // us-east-1 cannot be disabled: without data in the scenario it is simply empty.
    if (region == ce_region) {
        return empty;
    }
    throw auth_error(service.wire, auth_failure::region_disabled, "");
}

handler handler_for(std::string_view operation) {
    static constexpr std::array<std::pair<std::string_view, handler>, operations.size()> table{{
        {"DescribeRegions", describe_regions},
        {"DescribeInstances", describe_instances},
        {"DescribeVolumes", describe_volumes},
        {"GetMetricStatistics", get_metric_statistics},
        {"ListMetrics", list_metrics},
        {"DescribeAlarms", describe_alarms},
        {"DescribeLoadBalancers", describe_load_balancers},
        {"DescribeDBInstances", describe_db_instances},
        {"GetCostAndUsage", get_cost_and_usage},
        {"GetCostForecast", get_cost_forecast},
    }};
    for (const auto& [name, h] : table) {
        if (name == operation) {
            return h;
        }
    }
    throw api_error("InvalidAction",
                    "The action " + std::string(operation) + " is not valid for this web service.");
}

}  // namespace orvane::tessel::emulator::detail
