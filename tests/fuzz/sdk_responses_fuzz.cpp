// AWS answers made of the fuzzer's bytes, taken through the module's clients and the SDK subset's
// public client path: EC2 XML, Query XML and JSON 1.1 bodies, error bodies in every protocol, and
// headers such as Date (clock skew) and x-amzn-ErrorType. The answer may echo the request: the
// markers @SECRET@ and @BASIC@ stand for the secret key (also the proxy password here) and the
// proxy's Basic credentials. Checked: no crash, every failure becomes a message that is strict UTF-8
// JSON, and no piece of a secret reaches a message, a module log line or an SDK trace line.
#include <aws/ce/model/GetCostAndUsageRequest.h>
#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/utils/logging/AWSLogging.h>
#include <aws/core/utils/logging/FormattedLogSystem.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "aws/clients/aws_cost_api.h"
#include "aws/clients/client_configuration.h"
#include "aws/clients/client_factories.h"
#include "core/transport.h"
#include "host/log_services.h"
#include "host/messages.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

namespace fuzz = orvane::tessel::fuzz;
namespace aws = orvane::tessel::aws;
using orvane::tessel::libvexahelper::sensor_scan_result;

constexpr std::string_view proxy_user = "proxyuser";
constexpr std::string_view basic =
    "cHJveHl1c2VyOlF6OFZ4M0twN1dtMlJ5NlRuNExiOUhj";  // base64 of proxyuser:secret

void require_hidden(std::string_view where, std::string_view text) {
    fuzz::require_no_secret(where, text);
    if (text.find(basic) != std::string_view::npos) {
        fuzz::fail(std::string("the proxy's Basic credentials in ").append(where), text);
    }
}

// Collects the SDK's trace statements in memory.
class trace_lines final : public Aws::Utils::Logging::FormattedLogSystem {
public:
    trace_lines() : FormattedLogSystem(Aws::Utils::Logging::LogLevel::Trace) {}
    void Flush() override {}
    std::vector<std::string> statements;

protected:
    void ProcessFormattedStatement(Aws::String&& statement) override {
        statements.push_back(std::move(statement));
    }
};

class module_lines final : public orvane::tessel::liblog::log_interface {
public:
    void log(std::int32_t level, std::string_view text) override {
        lines.push_back(orvane::tessel::libvexahelper::format_log_line({}, level, text));
    }
    std::vector<std::string> lines;
};

Aws::Internal::HttpResponse answer;

Aws::Internal::HttpResponse respond(const Aws::Internal::TransportSettings&,
                                    const Aws::Internal::HttpRequest&) {
    return answer;
}

void replace_all(std::string& text, std::string_view marker, std::string_view with) {
    for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at + with.size())) {
        text.replace(at, marker.size(), with);
    }
}

// What AWS would echo, in the forms it travels in.
std::string echoed(std::string text) {
    replace_all(text, "@SECRET@", fuzz::secret);
    replace_all(text, "@BASIC@", basic);
    return text;
}

// Status line choices, then "name: value" lines up to an empty line, then the body.
void read_answer(std::string_view input) {
    static constexpr long statuses[] = {200, 200, 200, 400, 401, 403, 404, 500, 503, 302, -1};
    answer = {};
    answer.status = statuses[static_cast<unsigned char>(input[0]) % std::size(statuses)];
    if (answer.status < 0) {
        answer.curlCode = 28;  // a transfer that timed out
        answer.curlMessage = "Timeout was reached";
    }
    input.remove_prefix(1);
    while (!input.empty()) {
        const auto end = input.find('\n');
        const std::string_view line = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        if (line.empty()) {
            break;
        }
        const auto colon = line.find(':');
        std::string name(line.substr(0, colon));
        for (auto& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        answer.headers[name] =
            echoed(std::string(colon == std::string_view::npos ? "" : line.substr(colon + 1)));
    }
    answer.body = echoed(std::string(input));
}

void quick(Aws::Client::ClientConfiguration& configuration) {
    configuration.retryStrategy = std::make_shared<Aws::Client::DefaultRetryStrategy>(1, 0);
}

// Runs one of the eleven operations through the module's client for it.
void run(unsigned operation, const aws::logger_ptr& logger) {
    aws::credential_settings key{"AKIDEXAMPLE",
                                 std::string(fuzz::secret),
                                 {"proxy.invalid", 3128, std::string(proxy_user), std::string(fuzz::secret)},
                                 "eu-west-1"};
    switch (operation % 10) {
        case 0:
            aws::get_ec2_client_factory()(key)->get_regions(logger);
            break;
        case 1:
            aws::get_ec2_client_factory()(key)->get_instances(logger);
            break;
        case 2:
            aws::get_ec2_client_factory()(key)->get_volume("vol-1", logger);
            break;
        case 3:
            aws::get_cloudwatch_client_factory()(key)->get_metric_statistics(
                logger, {}, "AWS/EC2", "CPUUtilization", Aws::CloudWatch::Model::Statistic::Average, 300);
            break;
        case 4:
            aws::get_cloudwatch_client_factory()(key)->list_metrics(logger, "AWS/ELB", "LoadBalancer",
                                                                    "app/x/1");
            break;
        case 5:
            aws::get_cloudwatch_client_factory()(key)->get_alarms(logger, true);
            break;
        case 6:
            aws::get_elb_client_factory()(key)->list_load_balancers(logger);
            break;
        case 7:
            aws::get_rds_client_factory()(key)->list_db_instances(logger);
            break;
        default: {
            auto api = aws::get_cost_api_factory()({key, logger});
            const aws::forecast_types forecasts{true, true, true, true, true};
            aws::aws_cost_explorer explorer(&forecasts, api.get(), logger);
            if (operation % 10 == 8) {
                explorer.get_costs("2024-01-01", "2024-03-01");
            } else {
                explorer.get_forecasts("2024-01-01", "2024-03-01");
            }
        }
    }
}

trace_lines* sdk_trace = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Aws::Internal::SetTransportHook(&respond);
    aws::set_configuration_adjuster(&quick);
    auto lines = std::make_shared<trace_lines>();
    sdk_trace = lines.get();
    Aws::Utils::Logging::InitializeAWSLogging(lines);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (size < 2 || fuzz::holds_secret_fragment(input) ||
        input.find(basic.substr(0, 8)) != std::string_view::npos) {
        return -1;
    }
    read_answer(input.substr(1));
    auto log = std::make_shared<module_lines>();
    sdk_trace->statements.clear();
    std::string message;
    try {
        run(data[0], log);
    } catch (const orvane::tessel::libi18n::i18n_exception& error) {
        message = sensor_scan_result(1, error).serialize();
    } catch (const std::exception& error) {
        message = sensor_scan_result(1, error).serialize();
    }
    if (!message.empty()) {
        fuzz::require_strict_json(message);
        require_hidden("a message", message);
    }
    for (const auto& line : log->lines) {
        fuzz::require_log_line(std::string_view(line).substr(0, line.size() - 1));
        require_hidden("a module log line", line);
    }
    for (const auto& statement : sdk_trace->statements) {
        fuzz::require_log_line(std::string_view(statement).substr(0, statement.size() - 1));
        require_hidden("an SDK trace line", statement);
    }
    return 0;
}
