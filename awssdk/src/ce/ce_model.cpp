#include "ce/ce_json.h"
#include "core/json_access.h"
#include "core/log.h"

#include <aws/ce/model/DateInterval.h>
#include <aws/ce/model/GetCostAndUsageRequest.h>
#include <aws/ce/model/GetCostForecastRequest.h>
#include <aws/ce/model/MetricValue.h>

namespace Aws {
namespace CostExplorer {
namespace Model {
namespace {

using Json = nlohmann::json;
using Aws::Utils::Json::JsonValue;

Aws::String StringMember(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : Aws::String();
}

void Read(const Json& json, DateInterval& out) {
    if (json.contains("Start")) {
        out.SetStart(StringMember(json, "Start"));
    }
    if (json.contains("End")) {
        out.SetEnd(StringMember(json, "End"));
    }
}

void Read(const Json& json, MetricValue& out) {
    if (json.contains("Amount")) {
        out.SetAmount(StringMember(json, "Amount"));
    }
    if (json.contains("Unit")) {
        out.SetUnit(StringMember(json, "Unit"));
    }
}

Aws::Map<Aws::String, MetricValue> ReadMetrics(const Json& json) {
    Aws::Map<Aws::String, MetricValue> metrics;
    if (json.is_object()) {
        for (const auto& [key, value] : json.items()) {
            Read(value, metrics[key]);
        }
    }
    return metrics;
}

void Read(const Json& json, Group& out) {
    if (const auto keys = json.find("Keys"); keys != json.end() && keys->is_array()) {
        Aws::Vector<Aws::String> list;
        for (const auto& key : *keys) {
            list.push_back(key.is_string() ? key.get<std::string>() : Aws::String());
        }
        out.SetKeys(std::move(list));
    }
    if (const auto metrics = json.find("Metrics"); metrics != json.end()) {
        out.SetMetrics(ReadMetrics(*metrics));
    }
}

void Read(const Json& json, ResultByTime& out) {
    if (const auto period = json.find("TimePeriod"); period != json.end() && period->is_object()) {
        DateInterval interval;
        Read(*period, interval);
        out.SetTimePeriod(std::move(interval));
    }
    if (const auto total = json.find("Total"); total != json.end()) {
        out.SetTotal(ReadMetrics(*total));
    }
    if (const auto groups = json.find("Groups"); groups != json.end() && groups->is_array()) {
        Aws::Vector<Group> list;
        for (const auto& group : *groups) {
            Read(group, list.emplace_back());
        }
        out.SetGroups(std::move(list));
    }
    if (const auto estimated = json.find("Estimated"); estimated != json.end() && estimated->is_boolean()) {
        out.SetEstimated(estimated->get<bool>());
    }
}

void Read(const Json& json, ForecastResult& out) {
    if (const auto period = json.find("TimePeriod"); period != json.end() && period->is_object()) {
        DateInterval interval;
        Read(*period, interval);
        out.SetTimePeriod(std::move(interval));
    }
    if (json.contains("MeanValue")) {
        out.SetMeanValue(StringMember(json, "MeanValue"));
    }
    if (json.contains("PredictionIntervalLowerBound")) {
        out.SetPredictionIntervalLowerBound(StringMember(json, "PredictionIntervalLowerBound"));
    }
    if (json.contains("PredictionIntervalUpperBound")) {
        out.SetPredictionIntervalUpperBound(StringMember(json, "PredictionIntervalUpperBound"));
    }
}

bool Parse(const Aws::String& body, Json& json, Aws::Internal::CoreError& error) {
    if (body.empty()) {
        json = Json::object();
        return true;
    }
    json = Json::parse(body, nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        error = Aws::Internal::CoreError(Aws::Client::CoreErrors::UNKNOWN, "Json Parser Error",
                                         "Failed to parse JSON response body", false);
        AWS_LOGSTREAM_ERROR("AWSClient", "Json Parser Error: the response body is not a JSON object");
        return false;
    }
    return true;
}

}  // namespace

JsonValue DateInterval::Jsonize() const {
    JsonValue payload;
    if (m_startHasBeenSet) {
        payload.WithString("Start", m_start);
    }
    if (m_endHasBeenSet) {
        payload.WithString("End", m_end);
    }
    return payload;
}

JsonValue MetricValue::Jsonize() const {
    JsonValue payload;
    if (m_amountHasBeenSet) {
        payload.WithString("Amount", m_amount);
    }
    if (m_unitHasBeenSet) {
        payload.WithString("Unit", m_unit);
    }
    return payload;
}

Aws::String GetCostAndUsageRequest::SerializePayload() const {
    JsonValue payload;
    if (m_timePeriodHasBeenSet) {
        payload.WithObject("TimePeriod", m_timePeriod.Jsonize());
    }
    if (m_granularityHasBeenSet) {
        payload.WithString("Granularity", GranularityMapper::GetNameForGranularity(m_granularity));
    }
    if (m_metricsHasBeenSet) {
        payload.WithArray("Metrics", m_metrics);
    }
    if (m_nextPageTokenHasBeenSet) {
        payload.WithString("NextPageToken", m_nextPageToken);
    }
    return payload.View().WriteReadable();
}

Aws::String GetCostForecastRequest::SerializePayload() const {
    JsonValue payload;
    if (m_timePeriodHasBeenSet) {
        payload.WithObject("TimePeriod", m_timePeriod.Jsonize());
    }
    if (m_metricHasBeenSet) {
        payload.WithString("Metric", MetricMapper::GetNameForMetric(m_metric));
    }
    if (m_granularityHasBeenSet) {
        payload.WithString("Granularity", GranularityMapper::GetNameForGranularity(m_granularity));
    }
    if (m_predictionIntervalLevelHasBeenSet) {
        payload.WithInteger("PredictionIntervalLevel", m_predictionIntervalLevel);
    }
    return payload.View().WriteReadable();
}

bool UnmarshalGetCostAndUsageResult(const Aws::String& body, GetCostAndUsageResult& out,
                                    Aws::Internal::CoreError& error) {
    Json json;
    if (!Parse(body, json, error)) {
        return false;
    }
    if (json.contains("NextPageToken")) {
        out.SetNextPageToken(StringMember(json, "NextPageToken"));
    }
    if (const auto results = json.find("ResultsByTime"); results != json.end() && results->is_array()) {
        Aws::Vector<ResultByTime> list;
        list.reserve(results->size());
        for (const auto& item : *results) {
            Read(item, list.emplace_back());
        }
        out.SetResultsByTime(std::move(list));
    }
    return true;
}

bool UnmarshalGetCostForecastResult(const Aws::String& body, GetCostForecastResult& out,
                                    Aws::Internal::CoreError& error) {
    Json json;
    if (!Parse(body, json, error)) {
        return false;
    }
    if (const auto total = json.find("Total"); total != json.end() && total->is_object()) {
        MetricValue value;
        Read(*total, value);
        out.SetTotal(std::move(value));
    }
    if (const auto results = json.find("ForecastResultsByTime");
        results != json.end() && results->is_array()) {
        Aws::Vector<ForecastResult> list;
        for (const auto& item : *results) {
            Read(item, list.emplace_back());
        }
        out.SetForecastResultsByTime(std::move(list));
    }
    return true;
}

}  // namespace Model
}  // namespace CostExplorer
}  // namespace Aws
