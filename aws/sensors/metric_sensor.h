#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/credential_settings.h"
#include "aws/clients/logger.h"
#include "aws/sensors/sensor_support.h"
#include "framework/templates/sensor_base.h"

namespace orvane::tessel::aws {

// One scan of a metric sensor as its kind sees it while it prepares the reading of its table.
template <class S>
struct metric_scan {
    const S& settings;
    libvexahelper::service_container& container;
    const logger_ptr& logger;  // empty while the sensor's logging is off
    const sensor_support::scan_periods& periods;
    libvexahelper::sensor_scan_result& result;

    // The client of an AWS service for the sensor's credentials, in the resource's region.
    template <class Client>
    std::shared_ptr<Client> client() const {
        return obtain_client<Client>(container, make_credential_settings(settings.credentials, settings.proxy,
                                                                         settings.resource.region));
    }

    // The newest value of a row's statistic over the row's period.
    sensor_support::reading newest(cloudwatch_client_interface& cloudwatch, const dimension_list& dimensions,
                                   std::string_view cloudwatch_namespace,
                                   const sensor_support::metric_row& row) const {
        return sensor_support::value_of(
            cloudwatch.get_metric_statistics(logger, dimensions, std::string(cloudwatch_namespace),
                                             std::string(row.metric), row.statistic, periods.of(row.period)));
    }

    // The line that announces a row's request, naming the service and the resource.
    void announce(std::string_view service, const sensor_support::metric_row& row,
                  std::string_view resource) const {
        trace(logger, "Get statistics for " + std::string(service) + " metric '" + std::string(row.metric) +
                          "' of instance: '" + std::string(resource) + "' in region '" +
                          settings.resource.region + "' from AWS");
    }
};

// A metric sensor kind as one row: its metric table and how a scan reads it.
template <class S>
struct metric_kind {
    std::string_view display_name;
    std::span<const sensor_support::metric_row> metrics;
    // Prepares a scan: sets on the result what is not a metric, and answers how each row is read.
    sensor_support::metric_reader (*start_scan)(const metric_scan<S>& scan);
    sensor_support::missing_data missing = sensor_support::missing_data::reported;
    // Channels that are not metrics, defined at creation before the table's.
    std::span<const sensor_support::channel_shape> other_channels = {};
};

// The one scan of every metric sensor: read the kind's table in order, report what arrived, send.
template <class S, const metric_kind<S>& Kind>
class metric_sensor final : public libvexahelper::sensors::sensor_base<S> {
public:
    explicit metric_sensor(libvexahelper::sensor_context<S> context)
        : libvexahelper::sensors::sensor_base<S>(std::move(context), Kind.display_name) {
        for (const auto& shape : Kind.other_channels) {
            this->define_channel(sensor_support::channel_options(shape));
        }
        sensor_support::define_creation_channels(Kind.metrics, definer());
    }

    void work() override {
        auto result = this->make_result(libi18n::i18n_msg::plain("OK"), libvexahelper::scan_ok);
        const sensor_support::scan_periods periods(this->interval());
        const metric_scan<S> scan{this->settings(), *this->container(), this->logger(), periods, result};
        const auto read = Kind.start_scan(scan);
        sensor_support::metric_reporter reporter(result, definer(), this->logger(), periods);
        reporter.run(Kind.metrics, read, Kind.missing);
        this->log(sensor_support::response_line(result));
        this->send(result);
    }

private:
    sensor_support::channel_definer definer() {
        return
            [this](const libvexahelper::dynamic_channel_options& options) { this->define_channel(options); };
    }
};

}  // namespace orvane::tessel::aws
