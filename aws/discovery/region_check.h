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

}  // namespace orvane::tessel::aws::discovery
