#pragma once

#include "aws/discovery/region_check.h"
#include "framework/settings/records.h"
#include "framework/templates/check_base.h"

// The six checks: whether the credentials a user entered can read what the sensor kind needs.
namespace orvane::tessel::aws {

extern const discovery::check_row ec2_check_row;
extern const discovery::check_row ebs_check_row;
extern const discovery::check_row elb_check_row;
extern const discovery::check_row rds_check_row;
extern const discovery::check_row alarm_check_row;

using ec2_check = discovery::region_check<ec2_check_row>;
using ebs_check = discovery::region_check<ebs_check_row>;
using elb_check = discovery::region_check<elb_check_row>;
using rds_check = discovery::region_check<rds_check_row>;
using alarm_check = discovery::region_check<alarm_check_row>;

// Cost Explorer is global: one real query of the current month's costs decides.
class awscost_check final : public libvexahelper::checks::check_base<settings::access_settings> {
public:
    explicit awscost_check(libvexahelper::check_context<settings_type> context);
    void work() override;
};

}  // namespace orvane::tessel::aws
