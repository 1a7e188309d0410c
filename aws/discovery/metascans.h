#pragma once

#include "aws/discovery/discovery_frame.h"

// The five meta-scans: each offers every resource of its kind in every region the account can use.
namespace orvane::tessel::aws {

extern const discovery::metascan_row ec2_metascan_row;
extern const discovery::metascan_row ebs_metascan_row;
extern const discovery::metascan_row elb_metascan_row;
extern const discovery::metascan_row rds_metascan_row;
extern const discovery::metascan_row alarm_metascan_row;

using ec2_metascan = discovery::region_metascan<ec2_metascan_row>;
using ebs_metascan = discovery::region_metascan<ebs_metascan_row>;
using elb_metascan = discovery::region_metascan<elb_metascan_row>;
using rds_metascan = discovery::region_metascan<rds_metascan_row>;
using alarm_metascan = discovery::region_metascan<alarm_metascan_row>;

}  // namespace orvane::tessel::aws
