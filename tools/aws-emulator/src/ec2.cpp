// EC2 (ec2 protocol): DescribeRegions, DescribeInstances, DescribeVolumes.
#include "common.hpp"

#include <algorithm>
#include <functional>
#include <unordered_map>

namespace orvane::tessel::emulator::detail {
namespace {

struct filter {
    std::string name;
    std::vector<std::string> values;
};

std::vector<filter> read_filters(const param_map& params) {
    std::vector<filter> out;
    for (const auto& item : struct_list(params, "Filter")) {
        filter f;
        if (const auto* name = find_param(item, "Name")) {
            f.name = *name;
        }
        for (const auto& [key, value] : item) {
            if (key.rfind("Value.", 0) == 0) {
                f.values.push_back(value);
            }
        }
        out.push_back(std::move(f));
    }
    return out;
}

// EC2 filter values may use * and ? wildcards.
bool wildcard_match(std::string_view pattern, std::string_view text) {
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t star = std::string_view::npos;
    std::size_t mark = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool any_value_matches(const filter& f, const std::vector<std::string>& candidates) {
    return std::any_of(f.values.begin(), f.values.end(), [&](const std::string& v) {
        return std::any_of(candidates.begin(), candidates.end(),
                           [&](const std::string& c) { return wildcard_match(v, c); });
    });
}

std::vector<std::string> tag_values(const std::vector<tag>& tags, std::string_view key) {
    std::vector<std::string> out;
    for (const auto& t : tags) {
        if (t.key == key) {
            out.push_back(t.value);
        }
    }
    return out;
}

std::vector<std::string> tag_keys(const std::vector<tag>& tags) {
    std::vector<std::string> out;
    out.reserve(tags.size());
    for (const auto& t : tags) {
        out.push_back(t.key);
    }
    return out;
}

template <typename Item>
using field_table =
    std::unordered_map<std::string_view, std::function<std::vector<std::string>(const Item&)>>;

const field_table<instance>& instance_fields() {
    static const field_table<instance> table{
        {"instance-id", [](const instance& i) { return std::vector{i.id}; }},
        {"instance-type", [](const instance& i) { return std::vector{i.type}; }},
        {"instance-state-name", [](const instance& i) { return std::vector{i.state}; }},
        {"availability-zone", [](const instance& i) { return std::vector{i.availability_zone}; }},
        {"reservation-id", [](const instance& i) { return std::vector{i.reservation_id}; }},
        {"vpc-id", [](const instance& i) { return std::vector{i.vpc_id}; }},
        {"tag-key", [](const instance& i) { return tag_keys(i.tags); }},
    };
    return table;
}

const field_table<volume>& volume_fields() {
    static const field_table<volume> table{
        {"volume-id", [](const volume& v) { return std::vector{v.id}; }},
        {"volume-type", [](const volume& v) { return std::vector{v.type}; }},
        {"status", [](const volume& v) { return std::vector{v.state}; }},
        {"size", [](const volume& v) { return std::vector{std::to_string(v.size)}; }},
        {"availability-zone", [](const volume& v) { return std::vector{v.availability_zone}; }},
        {"tag-key", [](const volume& v) { return tag_keys(v.tags); }},
        {"attachment.instance-id",
         [](const volume& v) {
             std::vector<std::string> out;
             for (const auto& a : v.attachments) {
                 out.push_back(a.instance_id);
             }
             return out;
         }},
        {"attachment.status",
         [](const volume& v) {
             std::vector<std::string> out;
             for (const auto& a : v.attachments) {
                 out.push_back(a.state);
             }
             return out;
         }},
    };
    return table;
}

template <typename Item>
std::function<bool(const Item&)> build_predicate(const std::vector<filter>& filters,
                                                 const field_table<Item>& fields) {
    for (const auto& f : filters) {
        if (f.name.rfind("tag:", 0) != 0 && fields.find(f.name) == fields.end()) {
            throw api_error("InvalidParameterValue", "The filter '" + f.name + "' is invalid");
        }
    }
    return [filters, &fields](const Item& item) {
        return std::all_of(filters.begin(), filters.end(), [&](const filter& f) {
            if (f.name.rfind("tag:", 0) == 0) {
                return any_value_matches(f, tag_values(item.tags, std::string_view(f.name).substr(4)));
            }
            return any_value_matches(f, fields.at(f.name)(item));
        });
    };
}

void write_tags(xml_writer& w, const std::vector<tag>& tags) {
    if (tags.empty()) {
        return;
    }
    w.open("tagSet");
    for (const auto& t : tags) {
        w.open("item");
        w.leaf("key", t.key);
        w.leaf("value", t.value);
        w.close("item");
    }
    w.close("tagSet");
}

int state_code(std::string_view state) {
    static constexpr std::array<std::pair<std::string_view, int>, 6> codes{{{"pending", 0},
                                                                            {"running", 16},
                                                                            {"shutting-down", 32},
                                                                            {"terminated", 48},
                                                                            {"stopping", 64},
                                                                            {"stopped", 80}}};
    for (const auto& [name, code] : codes) {
        if (name == state) {
            return code;
        }
    }
    return 0;
}

std::optional<std::size_t> read_max_results(const call_context& ctx, long long low, long long high,
                                            bool has_ids, std::string_view ids_name) {
    const auto max = int_param(ctx.params, "MaxResults", "InvalidParameterValue");
    if (!max) {
        return std::nullopt;
    }
    if (has_ids) {
        throw api_error("InvalidParameterCombination", "The parameter " + std::string(ids_name) +
                                                           " cannot be used with the parameter maxResults");
    }
    if (*max < low || *max > high) {
        throw api_error("InvalidParameterValue",
                        "Value ( " + std::to_string(*max) +
                            " ) for parameter maxResults is invalid. Expecting a value "
                            "between " +
                            std::to_string(low) + " and " + std::to_string(high) + ".");
    }
    return static_cast<std::size_t>(*max);
}

std::size_t read_offset(const call_context& ctx) {
    const auto* token = find_param(ctx.params, "NextToken");
    if (token == nullptr || token->empty()) {
        return 0;
    }
    const auto offset = decode_token(ctx.op.name, *token);
    if (!offset) {
        throw api_error("InvalidParameterValue", "The parameter NextToken is invalid");
    }
    return *offset;
}

}  // namespace

reply describe_regions(const call_context& ctx) {
    struct listed {
        std::string name;
        std::string_view opt_in;
    };
    std::vector<listed> regions;
    for (const auto& r : ctx.acct.regions) {
        regions.push_back({r.name, "opt-in-not-required"});
    }
    const auto* all = find_param(ctx.params, "AllRegions");
    if (all != nullptr && *all == "true") {
        for (const auto& r : ctx.acct.disabled_regions) {
            regions.push_back({r, "not-opted-in"});
        }
    }
    const auto names = list_param(ctx.params, "RegionName");
    for (const auto& n : names) {
        if (std::none_of(regions.begin(), regions.end(), [&](const listed& r) { return r.name == n; })) {
            throw api_error("InvalidParameterValue", "Invalid region: " + n);
        }
    }
    const auto filters = read_filters(ctx.params);
    xml_writer w;
    w.open("regionInfo");
    for (const auto& r : regions) {
        if (!names.empty() && std::find(names.begin(), names.end(), r.name) == names.end()) {
            continue;
        }
        const bool keep = std::all_of(filters.begin(), filters.end(), [&](const filter& f) {
            if (f.name == "region-name") {
                return any_value_matches(f, {r.name});
            }
            if (f.name == "opt-in-status") {
                return any_value_matches(f, {std::string(r.opt_in)});
            }
            if (f.name == "endpoint") {
                return any_value_matches(f, {"ec2." + r.name + ".amazonaws.com"});
            }
            throw api_error("InvalidParameterValue", "The filter '" + f.name + "' is invalid");
        });
        if (!keep) {
            continue;
        }
        w.open("item");
        w.leaf("regionName", r.name);
        w.leaf("regionEndpoint", "ec2." + r.name + ".amazonaws.com");
        w.leaf("optInStatus", r.opt_in);
        w.close("item");
    }
    w.close("regionInfo");
    return xml_reply(ctx, w.take());
}

namespace {

// The region's volumes attached to the instance.
void write_block_devices(xml_writer& w, const instance& i, const region_data& region) {
    w.open("blockDeviceMapping");
    for (const auto& v : region.volumes) {
        for (const auto& a : v.attachments) {
            if (a.instance_id != i.id) {
                continue;
            }
            w.open("item");
            w.leaf("deviceName", a.device);
            w.open("ebs");
            w.leaf("volumeId", v.id);
            w.leaf("status", a.state);
            w.leaf("attachTime", iso8601(a.attach_time, true));
            w.leaf("deleteOnTermination", a.delete_on_termination);
            w.close("ebs");
            w.close("item");
        }
    }
    w.close("blockDeviceMapping");
}

void write_instance(xml_writer& w, const instance& i, const region_data& region) {
    w.open("item");
    w.leaf("instanceId", i.id);
    w.leaf("imageId", i.image_id);
    w.open("instanceState");
    w.leaf("code", state_code(i.state));
    w.leaf("name", i.state);
    w.close("instanceState");
    w.leaf("privateDnsName", "ip-" + i.private_ip + "." + region.name + ".compute.internal");
    w.leaf("dnsName", i.public_ip.empty() || i.state != "running"
                          ? ""
                          : "ec2-" + i.public_ip + ".compute.amazonaws.com");
    w.leaf("reason", i.state == "stopped" ? "User initiated" : "");
    w.leaf("amiLaunchIndex", 0);
    w.empty("productCodes");
    w.leaf("instanceType", i.type);
    w.leaf("launchTime", iso8601(i.launch_time, true));
    w.open("placement");
    w.leaf("availabilityZone", i.availability_zone);
    w.empty("groupName");
    w.leaf("tenancy", "default");
    w.close("placement");
    w.leaf_if("platform", i.platform);
    w.open("monitoring");
    w.leaf("state", "disabled");
    w.close("monitoring");
    w.leaf("subnetId", i.subnet_id);
    w.leaf("vpcId", i.vpc_id);
    w.leaf("privateIpAddress", i.private_ip);
    if (i.state == "running") {
        w.leaf_if("ipAddress", i.public_ip);
    }
    w.leaf("architecture", "x86_64");
    w.leaf("rootDeviceType", "ebs");
    w.leaf("rootDeviceName", "/dev/xvda");
    write_block_devices(w, i, region);
    w.leaf("virtualizationType", "hvm");
    w.leaf("hypervisor", "xen");
    write_tags(w, i.tags);
    if (i.state == "stopped") {
        w.open("stateReason");
        w.leaf("code", "Client.UserInitiatedShutdown");
        w.leaf("message", "Client.UserInitiatedShutdown: User initiated shutdown");
        w.close("stateReason");
    }
    w.close("item");
}

}  // namespace

reply describe_instances(const call_context& ctx) {
    const auto ids = list_param(ctx.params, "InstanceId");
    const auto limit = read_max_results(ctx, 5, 1000, !ids.empty(), "instancesSet");
    const auto keep = build_predicate(read_filters(ctx.params), instance_fields());
    std::vector<const instance*> selected;
    for (const auto& i : ctx.region.instances) {
        if ((ids.empty() || std::find(ids.begin(), ids.end(), i.id) != ids.end()) && keep(i)) {
            selected.push_back(&i);
        }
    }
    for (const auto& id : ids) {
        if (id.rfind("i-", 0) != 0) {
            throw api_error("InvalidInstanceID.Malformed", "Invalid id: \"" + id + "\"");
        }
        if (std::none_of(selected.begin(), selected.end(), [&](const instance* i) { return i->id == id; }) &&
            std::none_of(ctx.region.instances.begin(), ctx.region.instances.end(),
                         [&](const instance& i) { return i.id == id; })) {
            throw api_error("InvalidInstanceID.NotFound", "The instance ID '" + id + "' does not exist");
        }
    }
    const auto p = paginate(ctx, selected.size(), read_offset(ctx), limit);
    xml_writer w;
    w.open("reservationSet");
    // Consecutive instances of one reservation share an item, as EC2 groups them.
    for (std::size_t k = p.begin; k < p.end;) {
        const auto& reservation = selected[k]->reservation_id;
        w.open("item");
        w.leaf("reservationId", reservation);
        w.leaf("ownerId", ctx.acct.id);
        w.empty("groupSet");
        w.open("instancesSet");
        for (; k < p.end && selected[k]->reservation_id == reservation; ++k) {
            write_instance(w, *selected[k], ctx.region);
        }
        w.close("instancesSet");
        w.close("item");
    }
    w.close("reservationSet");
    w.leaf_if("nextToken", p.next_token);
    return xml_reply(ctx, w.take());
}

namespace {

void write_volume(xml_writer& w, const volume& v) {
    w.open("item");
    w.leaf("volumeId", v.id);
    w.leaf("size", v.size);
    w.leaf("snapshotId", v.snapshot_id);
    w.leaf("availabilityZone", v.availability_zone);
    w.leaf("status", v.state);
    w.leaf("createTime", iso8601(v.create_time, true));
    w.open("attachmentSet");
    for (const auto& a : v.attachments) {
        w.open("item");
        w.leaf("volumeId", v.id);
        w.leaf("instanceId", a.instance_id);
        w.leaf("device", a.device);
        w.leaf("status", a.state);
        w.leaf("attachTime", iso8601(a.attach_time, true));
        w.leaf("deleteOnTermination", a.delete_on_termination);
        w.close("item");
    }
    w.close("attachmentSet");
    write_tags(w, v.tags);
    w.leaf("volumeType", v.type);
    if (v.iops) {
        w.leaf("iops", *v.iops);
    }
    if (v.throughput) {
        w.leaf("throughput", *v.throughput);
    }
    w.leaf("encrypted", v.encrypted);
    w.leaf("multiAttachEnabled", false);
    w.close("item");
}

}  // namespace

reply describe_volumes(const call_context& ctx) {
    const auto ids = list_param(ctx.params, "VolumeId");
    const auto limit = read_max_results(ctx, 5, 500, !ids.empty(), "volumeSet");
    for (const auto& id : ids) {
        if (id.rfind("vol-", 0) != 0) {
            throw api_error("InvalidVolumeID.Malformed",
                            "Invalid id: \"" + id + "\" (expecting \"vol-...\")");
        }
        if (std::none_of(ctx.region.volumes.begin(), ctx.region.volumes.end(),
                         [&](const volume& v) { return v.id == id; })) {
            throw api_error("InvalidVolume.NotFound", "The volume '" + id + "' does not exist.");
        }
    }
    const auto keep = build_predicate(read_filters(ctx.params), volume_fields());
    std::vector<const volume*> selected;
    for (const auto& v : ctx.region.volumes) {
        if ((ids.empty() || std::find(ids.begin(), ids.end(), v.id) != ids.end()) && keep(v)) {
            selected.push_back(&v);
        }
    }
    const auto p = paginate(ctx, selected.size(), read_offset(ctx), limit);
    xml_writer w;
    w.open("volumeSet");
    for (auto k = p.begin; k < p.end; ++k) {
        write_volume(w, *selected[k]);
    }
    w.close("volumeSet");
    w.leaf_if("nextToken", p.next_token);
    return xml_reply(ctx, w.take());
}

}  // namespace orvane::tessel::emulator::detail
