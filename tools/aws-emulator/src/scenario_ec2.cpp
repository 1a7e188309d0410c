// The scenario's EC2 resources: instances and volumes, read or generated.
#include "scenario_readers.hpp"

namespace orvane::tessel::emulator::detail {
namespace {

std::vector<tag> read_tags(const node& n, bool name_tag_first) {
    std::vector<tag> tags;
    if (name_tag_first && n.has("name")) {
        tags.push_back({"Name", n.text("name")});
    }
    auto more = n.pairs<tag>("tags");
    tags.insert(tags.end(), more.begin(), more.end());
    return tags;
}

std::uint64_t generated_number(long long i) {
    return 0xE000000000000ULL + static_cast<std::uint64_t>(i);
}

}  // namespace

instance read_instance(const node& n, const std::string& region) {
    n.expect_object({"id", "type", "state", "name", "tags", "auto_scaling_group", "reservation",
                     "availability_zone", "image_id", "private_ip", "public_ip", "vpc_id", "subnet_id",
                     "platform", "launch_time"});
    instance i;
    i.id = n.required_text("id");
    i.type = n.text("type", "t3.micro");
    i.state = n.choice("state", {"pending", "running", "shutting-down", "terminated", "stopping", "stopped"},
                       "running");
    i.tags = read_tags(n, true);
    if (n.has("auto_scaling_group")) {
        i.tags.push_back({"aws:autoscaling:groupName", n.required_text("auto_scaling_group")});
    }
    const auto h = mix(i.id);
    i.reservation_id = n.text("reservation", hex_id("r-", h & 0xFFFFFFFFFFFFFULL, 17));
    i.availability_zone = n.text("availability_zone", region + "a");
    i.image_id = n.text("image_id", "ami-0abcdef1234567890");
    i.private_ip =
        n.text("private_ip", "10.0." + std::to_string((h >> 8U) % 250) + "." + std::to_string(h % 250 + 4));
    i.public_ip = n.text("public_ip");
    i.vpc_id = n.text("vpc_id", "vpc-0a1b2c3d4e5f60718");
    i.subnet_id = n.text("subnet_id", "subnet-0123456789abcdef0");
    i.platform = n.text("platform");
    i.launch_time = n.time("launch_time", default_time);
    return i;
}

volume read_volume(const node& n, const std::string& region) {
    n.expect_object({"id", "size", "type", "state", "name", "tags", "attachments", "availability_zone",
                     "snapshot_id", "iops", "throughput", "encrypted", "create_time"});
    volume v;
    v.id = n.required_text("id");
    v.size = static_cast<int>(n.integer("size", 8, 1, 65536));
    v.type = n.choice("type", {"standard", "io1", "io2", "gp2", "sc1", "st1", "gp3"}, "gp3");
    v.tags = read_tags(n, true);
    v.availability_zone = n.text("availability_zone", region + "a");
    v.snapshot_id = n.text("snapshot_id");
    if (n.has("iops")) {
        v.iops = static_cast<int>(n.integer("iops", 0, 0, 1000000));
    } else if (v.type == "gp3" || v.type == "io1" || v.type == "io2") {
        v.iops = 3000;
    }
    if (n.has("throughput")) {
        v.throughput = static_cast<int>(n.integer("throughput", 0, 0, 100000));
    } else if (v.type == "gp3") {
        v.throughput = 125;
    }
    v.encrypted = n.boolean("encrypted", false);
    v.create_time = n.time("create_time", default_time);
    for (const auto& a : n.elements("attachments")) {
        a.expect_object({"instance", "device", "state", "delete_on_termination", "attach_time"});
        v.attachments.push_back(
            {a.required_text("instance"), a.text("device", "/dev/xvdf"),
             a.choice("state", {"attaching", "attached", "detaching", "detached", "busy"}, "attached"),
             a.boolean("delete_on_termination", false), a.time("attach_time", v.create_time)});
    }
    v.state = n.choice("state", {"creating", "available", "in-use", "deleting", "deleted", "error"},
                       v.attachments.empty() ? "available" : "in-use");
    return v;
}

instance generated_instance(long long i, const std::string& region) {
    instance x;
    x.id = hex_id("i-0", generated_number(i), 16);
    x.type = i % 3 == 0 ? "m5.large" : "t3.micro";
    x.state = "running";
    x.tags = {{"Name", "gen-instance-" + std::to_string(i)}};
    x.reservation_id = hex_id("r-0", generated_number(i), 16);
    x.availability_zone = region + "a";
    x.image_id = "ami-0abcdef1234567890";
    x.private_ip = "10.1." + std::to_string(i / 250 % 250) + "." + std::to_string(i % 250 + 4);
    x.vpc_id = "vpc-0a1b2c3d4e5f60718";
    x.subnet_id = "subnet-0123456789abcdef0";
    x.launch_time = default_time;
    return x;
}

volume generated_volume(long long i, const std::string& region) {
    volume v;
    v.id = hex_id("vol-0", generated_number(i), 16);
    v.size = static_cast<int>(8 + i % 100);
    v.type = "gp3";
    v.state = "available";
    v.tags = {{"Name", "gen-volume-" + std::to_string(i)}};
    v.availability_zone = region + "a";
    v.iops = 3000;
    v.throughput = 125;
    v.create_time = default_time;
    return v;
}

}  // namespace orvane::tessel::emulator::detail
