#include "aws/discovery/discovery_frame.h"

#include <cstdint>

#include "aws/clients/client_access.h"
#include "aws/clients/ec2_client_interface.h"
#include "aws/discovery/regions.h"
#include "framework/exceptions.h"
#include "framework/templates/progress_tracker.h"
#include "framework/texts.h"

namespace orvane::tessel::aws::discovery {

using libvexahelper::meta_scan_result;
using libvexahelper::metascans::progress_tracker;

entry_settings_builder& entry_settings_builder::add(std::string_view setting, std::string value) {
    settings_.emplace_back(prefix_ + std::string(setting), std::move(value));
    return *this;
}

libvexahelper::entry_settings entry_settings_builder::finish(const std::string& region) && {
    add("region", region);
    add("region_display_name", region_display_name(region));
    return std::move(settings_);
}

discovery_metascan::discovery_metascan(libvexahelper::metascan_context<settings_type> context,
                                       const discovery_texts& texts)
    : metascan_base(std::move(context), texts.kind_name), texts_(texts) {}

void discovery_metascan::work() {
    meta_scan_result result(get_id(), get_request_number());

    // One percent for the region list, the rest shared by the regions.
    progress_tracker progress(100);
    report_progress(progress.step(), libi18n::i18n_msg(texts::requesting_regions));
    const auto regions = list_regions();
    progress.step();
    progress.set_maximum(static_cast<std::uint32_t>(regions.size()));

    bool any_region_answered = false;
    for (const auto& region : regions) {
        const auto percentage = progress.percentage();
        progress.step();
        report_progress(percentage, libi18n::i18n_msg(texts_.requesting, region));
        log_with_level(std::string(texts_.request_line) + region + std::string(texts_.request_line_end),
                       liblog::info);
        const auto list = open_region(credentials_for(region));
        try {
            auto findings = list(logger());
            log_with_level(found_line(findings.listed), liblog::info);
            for (auto& row : findings.entries) {
                result.add_entry(std::move(row.display_name), std::move(row.settings));
            }
            any_region_answered = true;
        } catch (const exceptions::access_denied& refusal) {
            log(refusal.what());
        } catch (const exceptions::unauthorized_operation& refusal) {
            log(refusal.what());
        }
    }
    if (!any_region_answered) {
        throw exceptions::no_regions_accessible();
    }
    send(result);
}

std::vector<std::string> discovery_metascan::list_regions() {
    const auto ec2 =
        obtain_client<ec2_client_interface>(*container(), credentials_for(std::string(global_region)));
    return ec2->get_regions(logger());
}

credential_settings discovery_metascan::credentials_for(std::string region) const {
    return make_credential_settings(settings().credentials, settings().proxy, std::move(region));
}

std::string discovery_metascan::found_line(std::size_t listed) const {
    std::string line = "Found ";
    line += std::to_string(listed);
    line += listed > 1 ? texts_.found_many : texts_.found_one;
    return line;
}

}  // namespace orvane::tessel::aws::discovery
