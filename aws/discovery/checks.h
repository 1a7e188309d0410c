#pragma once

#include "aws/discovery/region_check.h"
#include "framework/settings/records.h"
#include "framework/templates/check_base.h"

// The six checks: whether the credentials a user entered can read what the sensor kind needs.
namespace orvane::tessel::aws {

class ec2_check final : public discovery::region_walking_check {
public:
    explicit ec2_check(libvexahelper::check_context<settings_type> context);

private:
    bool probe(const credential_settings& key) override;
};

class ebs_check final : public discovery::region_walking_check {
public:
    explicit ebs_check(libvexahelper::check_context<settings_type> context);

private:
    bool probe(const credential_settings& key) override;
};

class elb_check final : public discovery::region_walking_check {
public:
    explicit elb_check(libvexahelper::check_context<settings_type> context);

private:
    bool probe(const credential_settings& key) override;
};

class rds_check final : public discovery::region_walking_check {
public:
    explicit rds_check(libvexahelper::check_context<settings_type> context);

private:
    bool probe(const credential_settings& key) override;
};

class alarm_check final : public discovery::region_walking_check {
public:
    explicit alarm_check(libvexahelper::check_context<settings_type> context);

private:
    bool probe(const credential_settings& key) override;
};

// Cost Explorer is global: one real query of the current month's costs decides.
class awscost_check final : public libvexahelper::checks::check_base<settings::access_settings> {
public:
    explicit awscost_check(libvexahelper::check_context<settings_type> context);
    void work() override;
};

}  // namespace orvane::tessel::aws
