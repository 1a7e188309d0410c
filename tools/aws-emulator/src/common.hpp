// What the service handlers share: the call context, errors, XML writing, parameter lists and paging.
#pragma once

#include "model.hpp"
#include "operations.hpp"

#include <cstddef>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::tessel::emulator::detail {

using param_map = std::map<std::string, std::string, std::less<>>;

// An error answered in the service's own dialect.
struct api_error : std::runtime_error {
    api_error(std::string code_, std::string message_, int status_ = 400, bool sender_ = true)
        : std::runtime_error(code_ + ": " + message_),
          code(std::move(code_)),
          message(std::move(message_)),
          status(status_),
          sender(sender_) {}
    std::string code;
    std::string message;
    int status;
    bool sender;  // Query errors' <Type>: Sender or Receiver
};

struct reply {
    int status = 200;
    std::string content_type;
    std::string body;
};

struct call_context {
    const account& acct;
    const region_data& region;
    const operation_info& op;
    const param_map& params;  // form or query parameters (EC2 and Query services)
    std::string_view body;    // the raw body (Cost Explorer's JSON)
    seconds_t now;
    std::string request_id;
    std::optional<std::size_t> configured_page_size;
};

// One handler per operation (ec2.cpp, cloudwatch.cpp, elbv2_rds.cpp, cost_explorer.cpp).
reply describe_regions(const call_context& ctx);
reply describe_instances(const call_context& ctx);
reply describe_volumes(const call_context& ctx);
reply get_metric_statistics(const call_context& ctx);
reply list_metrics(const call_context& ctx);
reply describe_alarms(const call_context& ctx);
reply describe_load_balancers(const call_context& ctx);
reply describe_db_instances(const call_context& ctx);
reply get_cost_and_usage(const call_context& ctx);
reply get_cost_forecast(const call_context& ctx);

class xml_writer {
public:
    void open(std::string_view tag);
    void open(std::string_view tag, std::string_view xmlns);
    void close(std::string_view tag);
    void leaf(std::string_view tag, std::string_view value);
    void leaf_if(std::string_view tag, std::string_view value) {
        if (!value.empty()) {
            leaf(tag, value);
        }
    }
    void leaf(std::string_view tag, double value);
    void leaf(std::string_view tag, long long value) { leaf(tag, std::string_view(std::to_string(value))); }
    void leaf(std::string_view tag, int value) { leaf(tag, static_cast<long long>(value)); }
    void leaf(std::string_view tag, bool value) { leaf(tag, std::string_view(value ? "true" : "false")); }
    void leaf(std::string_view tag, const char* value) { leaf(tag, std::string_view(value)); }
    void leaf(std::string_view tag, const std::string& value) { leaf(tag, std::string_view(value)); }
    void empty(std::string_view tag);
    [[nodiscard]] std::string take() { return std::move(out_); }

private:
    std::string out_;
};

void xml_escape(std::string& out, std::string_view text);
[[nodiscard]] std::string format_number(double value);

// <OpResponse xmlns><requestId/>...</OpResponse> for EC2; <OpResponse><OpResult>...</OpResult>
// <ResponseMetadata/></OpResponse> for the Query services.
[[nodiscard]] reply xml_reply(const call_context& ctx, std::string_view inner);
[[nodiscard]] reply error_reply(const service_info& service, const api_error& error,
                                std::string_view request_id);

// Parameter lists. `prefix` is everything before the index: "InstanceId", "AlarmNames.member".
[[nodiscard]] std::vector<std::string> list_param(const param_map& params, std::string_view prefix);
// Lists of structures: index -> (member path -> value), e.g. "Dimensions.member" gives {"Name", "Value"}.
[[nodiscard]] std::vector<param_map> struct_list(const param_map& params, std::string_view prefix);
[[nodiscard]] std::optional<long long> int_param(const param_map& params, std::string_view key,
                                                 std::string_view error_code);
[[nodiscard]] const std::string* find_param(const param_map& params, std::string_view key);

// Opaque paging tokens that name the operation and the next offset.
[[nodiscard]] std::string encode_token(std::string_view operation, std::size_t offset);
[[nodiscard]] std::optional<std::size_t> decode_token(std::string_view operation, std::string_view token);

struct page {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string next_token;  // empty on the last page
};
// `limit`: the request's page size, if any; the configured size caps it.
[[nodiscard]] page paginate(const call_context& ctx, std::size_t total, std::size_t offset,
                            std::optional<std::size_t> limit);

}  // namespace orvane::tessel::emulator::detail
