#include "framework/settings/records.h"

#include <array>
#include <initializer_list>
#include <span>
#include <utility>

#include "framework/settings/reader.h"

namespace orvane::tessel::aws::settings {

namespace {

constexpr std::array<option<on_off>, 2> on_off_options{
    {{"disabled", on_off::disabled}, {"enabled", on_off::enabled}}};

constexpr std::array<option<ip_version>, 4> ip_version_options{{{"IPv4", ip_version::ipv4},
                                                                {"0", ip_version::ipv4},
                                                                {"IPv6", ip_version::ipv6},
                                                                {"1", ip_version::ipv6}}};

constexpr std::array<option<cost_type>, 5> forecast_type_options{{
    {"blended_cost", cost_type::blended},
    {"amortized_cost", cost_type::amortized},
    {"net_amortized_cost", cost_type::net_amortized},
    {"unblended_cost", cost_type::unblended},
    {"net_unblended_cost", cost_type::net_unblended},
}};

// Blended costs are always reported, so they are no additional type.
constexpr std::span<const option<cost_type>> cost_type_options = std::span(forecast_type_options).subspan(1);

template <class Group>
reader group_reader(const sensor_data_wrapper& settings, std::string_view section) {
    return reader(settings, section, Group::group);
}

// A group of text settings only, read in the order the table lists them.
template <class Group>
Group text_group(const sensor_data_wrapper& settings, std::string_view section,
                 std::initializer_list<std::pair<std::string_view, std::string Group::*>> fields) {
    const auto r = group_reader<Group>(settings, section);
    Group group;
    for (const auto& [name, field] : fields) {
        group.*field = r.text(name);
    }
    return group;
}

}  // namespace

common_settings common_settings::parse(const sensor_data_wrapper& settings) {
    const reader r(settings);
    common_settings result;
    result.host = r.text("host");
    result.logging = r.selection<on_off>("logging", on_off_options);
    result.timeout = r.integer("timeout", 0, std::nullopt);
    result.orvanecloudapikey = r.secret("orvanecloudapikey");
    result.ipversion = r.selection<ip_version>("ipversion", ip_version_options);
    result.interval = r.integer("interval", 1, std::nullopt);
    return result;
}

credentials_group credentials_group::parse(const sensor_data_wrapper& settings, std::string_view section) {
    const auto r = group_reader<credentials_group>(settings, section);
    return {r.text("access_key"), r.secret("secret_key")};
}

httpproxygroup httpproxygroup::parse(const sensor_data_wrapper& settings, std::string_view section) {
    const auto r = group_reader<httpproxygroup>(settings, section);
    httpproxygroup result;
    result.name = r.text("name");
    result.port = r.integer("port", 1, 65535);
    result.user = r.text("user");
    result.password = r.secret("password");
    return result;
}

cost_optional_channel_group cost_optional_channel_group::parse(const sensor_data_wrapper& settings,
                                                               std::string_view section) {
    const auto r = group_reader<cost_optional_channel_group>(settings, section);
    cost_optional_channel_group result;
    result.optional_channel = r.selection<on_off>("optional_channel", on_off_options);
    result.cost_types = r.flags<settings::cost_types>("cost_types", cost_type_options);
    return result;
}

cost_forecast_group cost_forecast_group::parse(const sensor_data_wrapper& settings,
                                               std::string_view section) {
    const auto r = group_reader<cost_forecast_group>(settings, section);
    cost_forecast_group result;
    result.forecast_additional = r.selection<on_off>("forecast_additional", on_off_options);
    result.forecast_cost_types =
        r.flags<settings::forecast_cost_types>("forecast_cost_types", forecast_type_options);
    return result;
}

alarm_metascan_group alarm_metascan_group::parse(const sensor_data_wrapper& settings,
                                                 std::string_view section) {
    using g = alarm_metascan_group;
    return text_group<g>(settings, section,
                         {{"name", &g::name},
                          {"type", &g::type},
                          {"description", &g::description},
                          {"region", &g::region},
                          {"region_display_name", &g::region_display_name}});
}

ebs_metascan_group ebs_metascan_group::parse(const sensor_data_wrapper& settings, std::string_view section) {
    using g = ebs_metascan_group;
    return text_group<g>(settings, section,
                         {{"id", &g::id},
                          {"name", &g::name},
                          {"size", &g::size},
                          {"type", &g::type},
                          {"state", &g::state},
                          {"attachment_information", &g::attachment_information},
                          {"region", &g::region},
                          {"region_display_name", &g::region_display_name}});
}

ec2_metascan_group ec2_metascan_group::parse(const sensor_data_wrapper& settings, std::string_view section) {
    using g = ec2_metascan_group;
    return text_group<g>(settings, section,
                         {{"id", &g::id},
                          {"name", &g::name},
                          {"region", &g::region},
                          {"region_display_name", &g::region_display_name}});
}

elb_metascan_group elb_metascan_group::parse(const sensor_data_wrapper& settings, std::string_view section) {
    using g = elb_metascan_group;
    return text_group<g>(settings, section,
                         {{"id", &g::id},
                          {"name", &g::name},
                          {"type", &g::type},
                          {"region", &g::region},
                          {"region_display_name", &g::region_display_name}});
}

rds_metascan_group rds_metascan_group::parse(const sensor_data_wrapper& settings, std::string_view section) {
    using g = rds_metascan_group;
    return text_group<g>(settings, section,
                         {{"identifier", &g::identifier},
                          {"engine", &g::engine},
                          {"region", &g::region},
                          {"region_display_name", &g::region_display_name}});
}

access_settings access_settings::parse(const sensor_data_wrapper& settings) {
    access_settings result;
    result.common = common_settings::parse(settings);
    result.credentials = credentials_group::parse(settings, credentials_group::section);
    result.proxy = httpproxygroup::parse(settings, httpproxygroup::section);
    return result;
}

template <class Resource>
resource_sensor_settings<Resource> resource_sensor_settings<Resource>::parse(
    const sensor_data_wrapper& settings) {
    resource_sensor_settings result;
    result.common = common_settings::parse(settings);
    result.credentials = credentials_group::parse(settings, credentials_group::section);
    result.proxy = httpproxygroup::parse(settings, httpproxygroup::section);
    result.resource = Resource::parse(settings, Resource::section);
    return result;
}

awscost_settings awscost_settings::parse(const sensor_data_wrapper& settings) {
    awscost_settings result;
    result.common = common_settings::parse(settings);
    result.optional_channels =
        cost_optional_channel_group::parse(settings, cost_optional_channel_group::section);
    result.forecasts = cost_forecast_group::parse(settings, cost_forecast_group::section);
    result.credentials = credentials_group::parse(settings, credentials_group::section);
    result.proxy = httpproxygroup::parse(settings, httpproxygroup::section);
    return result;
}

template struct resource_sensor_settings<alarm_metascan_group>;
template struct resource_sensor_settings<ebs_metascan_group>;
template struct resource_sensor_settings<ec2_metascan_group>;
template struct resource_sensor_settings<elb_metascan_group>;
template struct resource_sensor_settings<rds_metascan_group>;

}  // namespace orvane::tessel::aws::settings
