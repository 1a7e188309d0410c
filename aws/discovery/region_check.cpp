#include "aws/discovery/region_check.h"

#include <exception>

#include "aws/clients/client_access.h"
#include "aws/clients/ec2_client_interface.h"
#include "framework/exceptions.h"
#include "host/log_interface.h"
#include "host/messages.h"

namespace orvane::tessel::aws::discovery {

void region_walking_check::work() {
    libvexahelper::check_result result(get_id());
    try {
        result.set_success(any_region_answers());
    } catch (const std::exception& failure) {
        log_with_level(failure.what(), liblog::failure);
    }
    send(result);
}

bool region_walking_check::any_region_answers() {
    const auto regions =
        obtain_client<ec2_client_interface>(*container(), credentials_for(std::string(global_region)))
            ->get_regions(logger());
    for (const auto& region : regions) {
        try {
            if (probe(credentials_for(region))) {
                return true;
            }
        } catch (const exceptions::authentication_failed&) {
            throw;  // the same keys fail everywhere
        } catch (const exceptions::exception& failure) {
            log(failure.what());
        }
    }
    return false;
}

credential_settings region_walking_check::credentials_for(std::string region) const {
    return make_credential_settings(settings().credentials, settings().proxy, std::move(region));
}

}  // namespace orvane::tessel::aws::discovery
