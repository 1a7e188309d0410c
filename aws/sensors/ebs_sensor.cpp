#include "aws/sensors/ebs_sensor.h"

#include <algorithm>
#include <array>
#include <utility>

#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/credential_settings.h"
#include "aws/clients/ec2_client_interface.h"
#include "aws/sensors/sensor_support.h"

namespace orvane::tessel::aws {

namespace {

using namespace sensor_support;

constexpr std::string_view cloudwatch_namespace = "AWS/EBS";

constexpr channel_shape volume_state = channel(0).named("VolumeState").looked_up_in(volume_status_lookup);

constexpr channel_shape bandwidth(std::int32_t id, std::string_view name) {
    return channel(id).named(name).in(unit::bytes_per_second, size::kilobyte).sized_in(size::kilobyte);
}

constexpr channel_shape iops(std::int32_t id, std::string_view name) {
    return channel(id).named(name).in_custom("IOPS");
}

// Every metric is read over P60, so the sums become rates over that same period.
constexpr metric_row rate(std::string_view name, channel_shape feeds) {
    return metric(name, feeds).by(Statistic::Sum).converted(conversion::per_second);
}

constexpr std::array<metric_row, 9> metrics{{
    rate("VolumeReadBytes", bandwidth(1, "ReadBandwidth")),
    rate("VolumeWriteBytes", bandwidth(2, "WriteBandwidth")),
    rate("VolumeReadOps", iops(3, "ReadThroughput")),
    rate("VolumeWriteOps", iops(4, "WriteThroughput")),
    metric("VolumeTotalReadTime", channel(5).named("AverageReadLatency").in(unit::milliseconds))
        .converted(conversion::to_milliseconds)
        .at_first_value(),
    metric("VolumeTotalWriteTime", channel(6).named("AverageWriteLatency").in(unit::milliseconds))
        .converted(conversion::to_milliseconds)
        .at_first_value(),
    metric("VolumeIdleTime", channel(7).named("TimeSpentIdle").in(unit::percent))
        .by(Statistic::Sum)
        .converted(conversion::percent_of_period)
        .at_first_value(),
    metric("VolumeQueueLength", channel(8).named("AverageQueueLength").in(unit::count)),
    metric("BurstBalance", channel(9).named("BurstBalance").in(unit::percent)).at_first_value(),
}};

// Values of the lookup "lookup_volume_status"; any other text is "not set".
constexpr std::array<std::pair<std::string_view, std::int64_t>, 7> volume_states{{
    {"not-set", 0},
    {"creating", 1},
    {"available", 2},
    {"in-use", 3},
    {"deleting", 4},
    {"deleted", 5},
    {"error", 6},
}};

std::int64_t volume_state_value(std::string_view state) {
    const auto* found = std::find_if(volume_states.begin(), volume_states.end(),
                                     [&](const auto& entry) { return entry.first == state; });
    return found == volume_states.end() ? 0 : found->second;
}

// The volume's state comes from EC2 before the metrics; its attachment becomes the scan's message.
sensor_support::metric_reader start_scan(const metric_scan<settings::ebs_sensor>& scan) {
    const auto& volume_settings = scan.settings.resource;
    const auto volume = scan.client<ec2_client_interface>()->get_volume(volume_settings.id, scan.logger);
    if (!volume.attachment_information.empty()) {
        scan.result.set_response_message(libi18n::i18n_msg::plain(volume.attachment_information));
    }
    scan.result.set_value(volume_state.id, volume_state_value(volume.state));

    dimension_list dimensions(1);
    dimensions[0].SetName("VolumeId");
    dimensions[0].SetValue(volume_settings.id);
    return [&scan, cloudwatch = scan.client<cloudwatch_client_interface>(),
            dimensions = std::move(dimensions)](const metric_row& row) {
        return scan.newest(*cloudwatch, dimensions, cloudwatch_namespace, row);
    };
}

constexpr std::array<channel_shape, 1> other_channels{volume_state};

}  // namespace

const metric_kind<settings::ebs_sensor> ebs_kind{"AWS EBS v2", metrics, &start_scan, missing_data::ignored,
                                                 other_channels};

}  // namespace orvane::tessel::aws
