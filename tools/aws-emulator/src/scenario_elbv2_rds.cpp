// The scenario's ELBv2 load balancers and RDS DB instances, read or generated.
#include "scenario_readers.hpp"

namespace orvane::tessel::emulator::detail {

load_balancer read_load_balancer(const node& n, const std::string& region, const std::string& account_id) {
    n.expect_object({"arn", "name", "type", "scheme", "state", "state_reason", "dns_name", "vpc_id",
                     "ip_address_type", "availability_zones", "created_time", "target_groups"});
    load_balancer lb;
    lb.type = n.choice("type", {"application", "network", "gateway"}, "application");
    lb.arn = n.text("arn");
    lb.name = n.text("name");
    static constexpr std::string_view marker = ":loadbalancer/";
    if (lb.arn.empty() && lb.name.empty()) {
        n.fail("a load balancer needs \"arn\" or \"name\"");
    }
    if (lb.arn.empty()) {
        const std::string kind = lb.type == "application" ? "app" : lb.type == "network" ? "net" : "gwy";
        lb.arn = "arn:aws:elasticloadbalancing:" + region + ":" + account_id + ":loadbalancer/" + kind + "/" +
                 lb.name + "/" + hex_id("", mix(lb.name) & 0xFFFFFFFFFFFFFFFFULL, 16);
    } else if (lb.name.empty()) {
        const auto pos = lb.arn.find(marker);
        if (pos == std::string::npos) {
            n.at("arn").fail("cannot take the name from an ARN without \":loadbalancer/\"; give \"name\"");
        }
        const auto id = lb.arn.substr(pos + marker.size());  // app/<name>/<hash>
        const auto first = id.find('/');
        const auto second = id.find('/', first + 1);
        lb.name = id.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    }
    lb.scheme = n.choice("scheme", {"internet-facing", "internal"}, "internet-facing");
    lb.state = n.choice("state", {"active", "provisioning", "active_impaired", "failed"}, "active");
    lb.state_reason = n.text("state_reason");
    lb.dns_name = n.text("dns_name", lb.name + "-" + std::to_string(mix(lb.arn) % 1000000000ULL) + "." +
                                         region + ".elb.amazonaws.com");
    lb.vpc_id = n.text("vpc_id", "vpc-0a1b2c3d4e5f60718");
    lb.ip_address_type = n.choice("ip_address_type", {"ipv4", "dualstack"}, "ipv4");
    lb.availability_zones = n.strings("availability_zones");
    if (lb.availability_zones.empty()) {
        lb.availability_zones = {region + "a", region + "b"};
    }
    lb.created_time = n.time("created_time", default_time);
    (void)n.strings("target_groups");  // informational: their metrics are listed under "metrics"
    return lb;
}

db_instance read_db_instance(const node& n, const std::string& region, const std::string& account_id) {
    n.expect_object({"identifier", "arn", "engine", "engine_version", "status", "class", "availability_zone",
                     "storage_type", "endpoint", "port", "allocated_storage", "multi_az", "create_time",
                     "replica_of", "tags"});
    db_instance d;
    d.identifier = n.required_text("identifier");
    d.arn = n.text("arn", "arn:aws:rds:" + region + ":" + account_id + ":db:" + d.identifier);
    d.engine = n.text("engine", "mysql");
    d.engine_version = n.text("engine_version", d.engine == "postgres" ? "15.4" : "8.0.35");
    d.status = n.text("status", "available");
    d.instance_class = n.text("class", "db.t3.micro");
    d.availability_zone = n.text("availability_zone", region + "a");
    d.storage_type = n.text("storage_type", "gp2");
    d.endpoint =
        n.text("endpoint", d.identifier + ".c" + hex_id("", mix(account_id + region) % 0xFFFFFFFFFFULL, 10) +
                               "." + region + ".rds.amazonaws.com");
    d.port = static_cast<int>(n.integer("port", d.engine == "postgres" ? 5432 : 3306, 1, 65535));
    d.allocated_storage = static_cast<int>(n.integer("allocated_storage", 20, 1, 65536));
    d.multi_az = n.boolean("multi_az", false);
    d.create_time = n.time("create_time", default_time);
    d.replica_source = n.text("replica_of");
    d.tags = n.pairs<tag>("tags");
    return d;
}

load_balancer generated_load_balancer(long long i, const std::string& region, const std::string& account_id) {
    load_balancer lb;
    lb.type = i % 2 == 1 ? "application" : "network";
    lb.name = "gen-lb-" + std::to_string(i);
    lb.arn = "arn:aws:elasticloadbalancing:" + region + ":" + account_id + ":loadbalancer/" +
             (lb.type == "application" ? "app/" : "net/") + lb.name + "/" +
             hex_id("", static_cast<std::uint64_t>(i), 16);
    lb.scheme = "internet-facing";
    lb.state = "active";
    lb.dns_name = lb.name + "." + region + ".elb.amazonaws.com";
    lb.vpc_id = "vpc-0a1b2c3d4e5f60718";
    lb.ip_address_type = "ipv4";
    lb.availability_zones = {region + "a"};
    lb.created_time = default_time;
    return lb;
}

db_instance generated_db_instance(long long i, const std::string& region, const std::string& account_id) {
    db_instance d;
    d.identifier = "gen-db-" + std::to_string(i);
    d.arn = "arn:aws:rds:" + region + ":" + account_id + ":db:" + d.identifier;
    d.engine = i % 2 == 1 ? "mysql" : "postgres";
    d.engine_version = i % 2 == 1 ? "8.0.35" : "15.4";
    d.status = "available";
    d.instance_class = "db.t3.micro";
    d.availability_zone = region + "a";
    d.storage_type = "gp2";
    d.endpoint = d.identifier + "." + region + ".rds.amazonaws.com";
    d.port = i % 2 == 1 ? 3306 : 5432;
    d.create_time = default_time;
    return d;
}

}  // namespace orvane::tessel::emulator::detail
