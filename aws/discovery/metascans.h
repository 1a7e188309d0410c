#pragma once

#include "aws/discovery/discovery_frame.h"

// The five meta-scans: each offers every resource of its kind in every region the account can use.
namespace orvane::tessel::aws {

class ec2_metascan final : public discovery::discovery_metascan {
public:
    explicit ec2_metascan(libvexahelper::metascan_context<settings_type> context);

private:
    discovery::region_listing open_region(const credential_settings& key) override;
};

class ebs_metascan final : public discovery::discovery_metascan {
public:
    explicit ebs_metascan(libvexahelper::metascan_context<settings_type> context);

private:
    discovery::region_listing open_region(const credential_settings& key) override;
};

class elb_metascan final : public discovery::discovery_metascan {
public:
    explicit elb_metascan(libvexahelper::metascan_context<settings_type> context);

private:
    discovery::region_listing open_region(const credential_settings& key) override;
};

class rds_metascan final : public discovery::discovery_metascan {
public:
    explicit rds_metascan(libvexahelper::metascan_context<settings_type> context);

private:
    discovery::region_listing open_region(const credential_settings& key) override;
};

class alarm_metascan final : public discovery::discovery_metascan {
public:
    explicit alarm_metascan(libvexahelper::metascan_context<settings_type> context);

private:
    discovery::region_listing open_region(const credential_settings& key) override;
};

}  // namespace orvane::tessel::aws
