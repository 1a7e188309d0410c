// ELBv2 DescribeLoadBalancers and RDS DescribeDBInstances (both awsQuery with Marker paging).
#include "common.hpp"

#include <algorithm>

namespace orvane::tessel::emulator::detail {
namespace {

std::size_t read_marker(const call_context& ctx, std::string_view invalid_code, std::string_view message) {
    const auto* marker = find_param(ctx.params, "Marker");
    if (marker == nullptr || marker->empty()) {
        return 0;
    }
    const auto offset = decode_token(ctx.op.name, *marker);
    if (!offset) {
        throw api_error(std::string(invalid_code), std::string(message));
    }
    return *offset;
}

void write_load_balancer(xml_writer& w, const load_balancer& lb) {
    w.open("member");
    w.leaf("LoadBalancerArn", lb.arn);
    w.leaf("DNSName", lb.dns_name);
    w.leaf("CanonicalHostedZoneId", "Z35SXDOTRQ7X7K");
    w.leaf("CreatedTime", iso8601(lb.created_time, true));
    w.leaf("LoadBalancerName", lb.name);
    w.leaf("Scheme", lb.scheme);
    w.leaf("VpcId", lb.vpc_id);
    w.open("State");
    w.leaf("Code", lb.state);
    w.leaf_if("Reason", lb.state_reason);
    w.close("State");
    w.leaf("Type", lb.type);
    w.open("AvailabilityZones");
    for (std::size_t i = 0; i < lb.availability_zones.size(); ++i) {
        w.open("member");
        w.leaf("ZoneName", lb.availability_zones[i]);
        w.leaf("SubnetId", "subnet-0" + std::to_string(100000 + i) + "abcdef0");
        w.empty("LoadBalancerAddresses");
        w.close("member");
    }
    w.close("AvailabilityZones");
    if (lb.type == "application") {
        w.open("SecurityGroups");
        w.leaf("member", "sg-0123456789abcdef0");
        w.close("SecurityGroups");
    }
    w.leaf("IpAddressType", lb.ip_address_type);
    w.close("member");
}

}  // namespace

reply describe_load_balancers(const call_context& ctx) {
    const auto arns = list_param(ctx.params, "LoadBalancerArns.member");
    const auto names = list_param(ctx.params, "Names.member");
    const auto size = int_param(ctx.params, "PageSize", "ValidationError");
    if (size && (*size < 1 || *size > 400)) {
        throw api_error("ValidationError",
                        "1 validation error detected: Value '" + std::to_string(*size) +
                            "' at 'pageSize' failed to satisfy constraint: Member must have value " +
                            (*size < 1 ? "greater than or equal to 1" : "less than or equal to 400"));
    }
    if (!arns.empty() && !names.empty()) {
        throw api_error("ValidationError",
                        "Load balancer names and load balancer ARNs cannot be specified at the "
                        "same time");
    }
    const auto& all = ctx.region.load_balancers;
    std::vector<const load_balancer*> selected;
    const auto lookup = [&](const std::vector<std::string>& wanted, auto key) {
        for (const auto& w : wanted) {
            const auto it =
                std::find_if(all.begin(), all.end(), [&](const load_balancer& lb) { return key(lb) == w; });
            if (it == all.end()) {
                throw api_error("LoadBalancerNotFound", arns.empty()
                                                            ? "One or more load balancers not found"
                                                            : "Load balancers '[" + w + "]' not found");
            }
            selected.push_back(&*it);
        }
    };
    if (!arns.empty()) {
        lookup(arns, [](const load_balancer& lb) -> const std::string& { return lb.arn; });
    } else if (!names.empty()) {
        lookup(names, [](const load_balancer& lb) -> const std::string& { return lb.name; });
    }
    // Unfiltered pages are read from the region's list itself, so that a page costs its own size and
    // not the whole list's: ten thousand pages of one stay linear.
    const bool whole = arns.empty() && names.empty();
    const auto offset = read_marker(ctx, "ValidationError", "Invalid Marker");
    const auto p = paginate(ctx, whole ? all.size() : selected.size(), offset,
                            static_cast<std::size_t>(size.value_or(400)));
    xml_writer w;
    w.open("LoadBalancers");
    for (auto k = p.begin; k < p.end; ++k) {
        write_load_balancer(w, whole ? all[k] : *selected[k]);
    }
    w.close("LoadBalancers");
    w.leaf_if("NextMarker", p.next_token);
    return xml_reply(ctx, w.take());
}

namespace {

struct db_filter {
    std::string name;
    std::vector<std::string> values;
};

// The C++ SDK writes Filters.member.N.Name / .Value.M; botocore Filters.Filter.N.Name / .Values.Value.M.
std::vector<db_filter> read_db_filters(const param_map& params) {
    std::vector<db_filter> out;
    for (const auto* prefix : {"Filters.member", "Filters.Filter"}) {
        for (const auto& item : struct_list(params, prefix)) {
            db_filter f;
            if (const auto* name = find_param(item, "Name")) {
                f.name = *name;
            }
            for (const auto& [key, value] : item) {
                if (key != "Name") {
                    f.values.push_back(value);
                }
            }
            out.push_back(std::move(f));
        }
    }
    return out;
}

bool db_filter_matches(const db_filter& f, const db_instance& d) {
    static const std::vector<std::pair<std::string_view, std::string db_instance::*>> fields{
        {"db-instance-id", &db_instance::identifier},
        {"engine", &db_instance::engine},
        {"dbi-resource-id", &db_instance::identifier},
    };
    for (const auto& [name, member] : fields) {
        if (f.name == name) {
            const auto& value = d.*member;
            const bool by_id = name == "db-instance-id";
            return std::any_of(f.values.begin(), f.values.end(),
                               [&](const std::string& v) { return v == value || (by_id && v == d.arn); });
        }
    }
    throw api_error("InvalidParameterValue", "Unrecognized filter name: " + f.name);
}

void write_db_instance(xml_writer& w, const db_instance& d) {
    w.open("DBInstance");
    w.leaf("DBInstanceIdentifier", d.identifier);
    w.leaf("DBInstanceClass", d.instance_class);
    w.leaf("Engine", d.engine);
    w.leaf("DBInstanceStatus", d.status);
    w.leaf("MasterUsername", "admin");
    w.open("Endpoint");
    w.leaf("Address", d.endpoint);
    w.leaf("Port", d.port);
    w.leaf("HostedZoneId", "Z2R2ITUGPM61AM");
    w.close("Endpoint");
    w.leaf("AllocatedStorage", d.allocated_storage);
    w.leaf("InstanceCreateTime", iso8601(d.create_time, true));
    w.leaf("PreferredBackupWindow", "03:00-04:00");
    w.leaf("BackupRetentionPeriod", d.replica_source.empty() ? 7 : 0);
    w.leaf("AvailabilityZone", d.availability_zone);
    w.leaf("PreferredMaintenanceWindow", "sun:05:00-sun:06:00");
    w.leaf("MultiAZ", d.multi_az);
    w.leaf("EngineVersion", d.engine_version);
    w.leaf("AutoMinorVersionUpgrade", true);
    w.leaf_if("ReadReplicaSourceDBInstanceIdentifier", d.replica_source);
    w.open("ReadReplicaDBInstanceIdentifiers");
    for (const auto& r : d.read_replicas) {
        w.leaf("ReadReplicaDBInstanceIdentifier", r);
    }
    w.close("ReadReplicaDBInstanceIdentifiers");
    w.leaf("LicenseModel", d.engine == "postgres" ? "postgresql-license" : "general-public-license");
    w.leaf("PubliclyAccessible", false);
    w.leaf("StorageType", d.storage_type);
    w.leaf("DbInstancePort", 0);
    w.leaf("StorageEncrypted", false);
    w.leaf("DbiResourceId", "db-" + d.identifier);
    w.leaf("DBInstanceArn", d.arn);
    w.open("TagList");
    for (const auto& t : d.tags) {
        w.open("Tag");
        w.leaf("Key", t.key);
        w.leaf("Value", t.value);
        w.close("Tag");
    }
    w.close("TagList");
    w.close("DBInstance");
}

}  // namespace

reply describe_db_instances(const call_context& ctx) {
    const auto* id = find_param(ctx.params, "DBInstanceIdentifier");
    const auto max = int_param(ctx.params, "MaxRecords", "InvalidParameterValue");
    if (max && (*max < 20 || *max > 100)) {
        throw api_error("InvalidParameterValue", "Invalid value " + std::to_string(*max) +
                                                     " for MaxRecords. Must be between 20 and 100");
    }
    const auto filters = read_db_filters(ctx.params);
    const auto& all = ctx.region.db_instances;
    // As for load balancers: unfiltered pages are read from the region's list itself.
    const bool whole = id == nullptr && filters.empty();
    std::vector<const db_instance*> selected;
    if (!whole) {
        for (const auto& d : all) {
            const bool by_id = id == nullptr || *id == d.identifier || *id == d.arn;
            if (by_id && std::all_of(filters.begin(), filters.end(),
                                     [&](const db_filter& f) { return db_filter_matches(f, d); })) {
                selected.push_back(&d);
            }
        }
    }
    if (id != nullptr && selected.empty()) {
        throw api_error("DBInstanceNotFound", "DBInstance " + *id + " not found.", 404);
    }
    const auto offset = read_marker(ctx, "InvalidParameterValue", "Invalid marker");
    const auto p = paginate(ctx, whole ? all.size() : selected.size(), offset,
                            static_cast<std::size_t>(max.value_or(100)));
    xml_writer w;
    w.open("DBInstances");
    for (auto k = p.begin; k < p.end; ++k) {
        write_db_instance(w, whole ? all[k] : *selected[k]);
    }
    w.close("DBInstances");
    w.leaf_if("Marker", p.next_token);
    return xml_reply(ctx, w.take());
}

}  // namespace orvane::tessel::emulator::detail
