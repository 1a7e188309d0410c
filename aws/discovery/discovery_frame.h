#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "aws/clients/credential_settings.h"
#include "aws/clients/logger.h"
#include "framework/settings/records.h"
#include "framework/templates/metascan_base.h"
#include "host/messages.h"
#include "libs/i18n/i18n.h"

namespace orvane::tessel::aws::discovery {

// How one kind of resource shows in the progress messages and the log of the region walk.
struct discovery_texts {
    std::string_view kind_name;         // as the module registers it, e.g. "ec2_metascan"
    libi18n::i18n_text requesting;      // progress message; its argument is the region code
    std::string_view request_line;      // level-6 line: this, the region code ...
    std::string_view request_line_end;  // ... and this
    std::string_view found_one;         // "Found " + N + this, for N of 0 or 1 ...
    std::string_view found_many;        // ... and this for more
};

using entry = libvexahelper::meta_scan_result::entry;

// What one region yielded: how many resources the listing returned (left-out ones included) and the
// table rows made of them, in listing order.
struct region_findings {
    std::size_t listed = 0;
    std::vector<entry> entries;
};

// Lists one region through a client obtained beforehand.
using region_listing = std::function<region_findings(const logger_ptr&)>;

// The settings of one table row, keyed "<section>.<group>.<setting>" so that the host can copy them
// into the new sensor as they are. Every row ends with the region and its display name.
class entry_settings_builder {
public:
    entry_settings_builder(std::string_view section, std::string_view group)
        : prefix_(std::string(section) + "." + std::string(group) + ".") {}

    template <class Group>
    static entry_settings_builder of() {
        return {Group::section, Group::group};
    }

    entry_settings_builder& add(std::string_view setting, std::string value);
    libvexahelper::entry_settings finish(const std::string& region) &&;

private:
    std::string prefix_;
    libvexahelper::entry_settings settings_;
};

// A meta-scan's work: lists the regions the account can use, walks them in that order reporting
// progress, skips the regions that refuse access, and sends one table of every row found once the walk
// is over. Any other failure ends the meta-scan with nothing delivered. Kinds say only how a region is
// listed.
class discovery_metascan : public libvexahelper::metascans::metascan_base<settings::access_settings> {
public:
    void work() final;

protected:
    discovery_metascan(libvexahelper::metascan_context<settings_type> context, const discovery_texts& texts);

private:
    // Obtains the kind's client for the region. A failure here is not a refusal: it ends the meta-scan.
    virtual region_listing open_region(const credential_settings& key) = 0;

    std::vector<std::string> list_regions();
    credential_settings credentials_for(std::string region) const;
    std::string found_line(std::size_t listed) const;

    discovery_texts texts_;
};

// A meta-scan kind as one row: its texts and how it opens a region's listing.
struct metascan_row {
    discovery_texts texts;
    region_listing (*open_region)(libvexahelper::service_container& container,
                                  const credential_settings& key);
};

template <const metascan_row& Row>
class region_metascan final : public discovery_metascan {
public:
    explicit region_metascan(libvexahelper::metascan_context<settings_type> context)
        : discovery_metascan(std::move(context), Row.texts) {}

private:
    region_listing open_region(const credential_settings& key) override {
        return Row.open_region(*container(), key);
    }
};

}  // namespace orvane::tessel::aws::discovery
