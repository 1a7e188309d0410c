#pragma once

#include <string>
#include <string_view>

#include "aws/clients/credential_settings.h"
#include "framework/settings/records.h"
#include "framework/templates/check_base.h"

namespace orvane::tessel::aws::discovery {

// A check's work for the kinds that live in regions: the credentials work when one region answers a
// cheap read of the kind's service. Regions are tried in the order AWS lists them until one answers;
// failed authentication ends the search at once, any other module failure only skips the region. The
// check always ends with one check_result; why it failed is only logged.
class region_walking_check : public libvexahelper::checks::check_base<settings::access_settings> {
public:
    void work() final;

protected:
    region_walking_check(libvexahelper::check_context<settings_type> context, std::string_view kind_name)
        : check_base(std::move(context), kind_name) {}

private:
    // Obtains the kind's client for the region and asks it whether the read succeeds.
    virtual bool probe(const credential_settings& key) = 0;

    credential_settings credentials_for(std::string region) const;
    bool any_region_answers();
};

// A region-walking kind as one row: its name and the cheap read of its service that decides it.
struct check_row {
    std::string_view kind_name;
    bool (*probe)(libvexahelper::service_container& container, const credential_settings& key);
};

template <const check_row& Row>
class region_check final : public region_walking_check {
public:
    explicit region_check(libvexahelper::check_context<settings_type> context)
        : region_walking_check(std::move(context), Row.kind_name) {}

private:
    bool probe(const credential_settings& key) override { return Row.probe(*container(), key); }
};

}  // namespace orvane::tessel::aws::discovery
