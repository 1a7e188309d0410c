#include "aws/discovery/metascans.h"

#include <functional>
#include <optional>
#include <string>

#include "aws/clients/alarm.h"
#include "aws/clients/client_access.h"
#include "aws/clients/cloudwatch_client_interface.h"
#include "aws/clients/ec2_client_interface.h"
#include "aws/clients/elb_client_interface.h"
#include "aws/clients/rds_client_interface.h"
#include "framework/texts.h"
#include "host/service_container.h"

namespace orvane::tessel::aws {

namespace {

using discovery::discovery_texts;
using discovery::entry;
using discovery::entry_settings_builder;
using libi18n::i18n_msg;
using LoadBalancerType = Aws::ElasticLoadBalancingv2::Model::LoadBalancerTypeEnum;

// The log lines keep their historical spelling, which differs from the localised progress texts.
constexpr discovery_texts ec2_texts{"ec2_metascan",
                                    texts::requesting_ec2_instances,
                                    "Requesting EC2 instances for region ",
                                    "",
                                    " instance(s)",
                                    " instance(s)"};
constexpr discovery_texts ebs_texts{
    "ebs_metascan", texts::requesting_volumes, "Requesting EBS Volumes for region ", "", " volume(s)",
    " volume(s)"};
constexpr discovery_texts elb_texts{"elb_metascan",
                                    texts::requesting_elb_instances,
                                    "Requesting ELB instances for region ",
                                    ".",
                                    " ELB instance(s).",
                                    " ELB instance(s)."};
constexpr discovery_texts rds_texts{
    "rds_metascan", texts::requesting_rds_instances, "Requesting RDS instances for region ", "", " instance.",
    " instances."};
constexpr discovery_texts alarm_texts{
    "alarm_metascan", texts::requesting_alarms, "Requesting alarms for region ", ".", " alarm.", " alarms."};

// "name (id)", or the id alone for an unnamed resource.
std::string name_and_id(const std::string& name, const std::string& id) {
    return name.empty() ? id : name + " (" + id + ")";
}

std::optional<entry> ec2_entry(const ec2_instance_info& instance, const std::string& region) {
    auto settings = entry_settings_builder::of<settings::ec2_metascan_group>()
                        .add("id", instance.id)
                        .add("name", instance.name);
    return entry{i18n_msg::plain(name_and_id(instance.name, instance.id)),
                 std::move(settings).finish(region)};
}

std::optional<entry> ebs_entry(const ebs_volume_info& volume, const std::string& region) {
    auto settings = entry_settings_builder::of<settings::ebs_metascan_group>()
                        .add("id", volume.id)
                        .add("name", volume.name)
                        .add("size", std::to_string(volume.size) + " GB")
                        .add("type", volume.type)
                        .add("state", volume.state)
                        .add("attachment_information", volume.attachment_information);
    return entry{i18n_msg(texts::ebs_sensor_instance_name, name_and_id(volume.name, volume.id)),
                 std::move(settings).finish(region)};
}

// Gateway load balancers have no sensor; they count as listed but get no row.
std::optional<entry> elb_entry(const load_balancer& balancer, const std::string& region) {
    if (balancer.type == LoadBalancerType::gateway) {
        return std::nullopt;
    }
    std::string type =
        Aws::ElasticLoadBalancingv2::Model::LoadBalancerTypeEnumMapper::GetNameForLoadBalancerTypeEnum(
            balancer.type);
    auto settings = entry_settings_builder::of<settings::elb_metascan_group>()
                        .add("id", balancer.id)
                        .add("name", balancer.name)
                        .add("type", type);
    return entry{i18n_msg(texts::elb_sensor_instance_name, balancer.name, std::move(type)),
                 std::move(settings).finish(region)};
}

std::optional<entry> rds_entry(const rds_instance& database, const std::string& region) {
    auto settings = entry_settings_builder::of<settings::rds_metascan_group>()
                        .add("identifier", database.identifier)
                        .add("engine", database.engine);
    return entry{i18n_msg(texts::rds_sensor_instance_name, database.identifier, database.engine),
                 std::move(settings).finish(region)};
}

std::optional<entry> alarm_entry(const std::shared_ptr<Alarm>& alarm, const std::string& region) {
    if (!alarm) {
        return std::nullopt;
    }
    const auto name = alarm->get_name();
    const auto type = alarm->get_type();
    auto description = alarm->get_description();
    if (description.empty()) {
        description = "No description";
    }
    auto settings = entry_settings_builder::of<settings::alarm_metascan_group>()
                        .add("name", name)
                        .add("type", type)
                        .add("description", std::move(description));
    return entry{i18n_msg(texts::alarm_sensor_instance_name, name, type), std::move(settings).finish(region)};
}

std::vector<std::shared_ptr<Alarm>> metric_and_composite_alarms(cloudwatch_client_interface& client,
                                                                const logger_ptr& logger) {
    return client.get_alarms(logger, false);
}

// Opens a region's listing: List on the service's client, every resource it returns made a row by
// MakeEntry (which answers an empty optional for a resource it leaves out).
template <class Client, auto List, auto MakeEntry>
discovery::region_listing open_region(libvexahelper::service_container& container,
                                      const credential_settings& key) {
    return [client = obtain_client<Client>(container, key), region = key.region](const logger_ptr& logger) {
        const auto resources = std::invoke(List, *client, logger);
        discovery::region_findings findings{resources.size(), {}};
        for (const auto& resource : resources) {
            if (auto row = MakeEntry(resource, region)) {
                findings.entries.push_back(std::move(*row));
            }
        }
        return findings;
    };
}

}  // namespace

const discovery::metascan_row ec2_metascan_row{
    ec2_texts, &open_region<ec2_client_interface, &ec2_client_interface::get_instances, &ec2_entry>};
const discovery::metascan_row ebs_metascan_row{
    ebs_texts, &open_region<ec2_client_interface, &ec2_client_interface::get_volumes, &ebs_entry>};
const discovery::metascan_row elb_metascan_row{
    elb_texts, &open_region<elb_client_interface, &elb_client_interface::list_load_balancers, &elb_entry>};
const discovery::metascan_row rds_metascan_row{
    rds_texts, &open_region<rds_client_interface, &rds_client_interface::list_db_instances, &rds_entry>};
const discovery::metascan_row alarm_metascan_row{
    alarm_texts, &open_region<cloudwatch_client_interface, &metric_and_composite_alarms, &alarm_entry>};

}  // namespace orvane::tessel::aws
