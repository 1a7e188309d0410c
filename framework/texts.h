#pragma once

#include "libs/i18n/i18n.h"

// English texts of the module's own messages. The definition document carries the same keys with
// their translations; a test keeps both identical.
namespace orvane::tessel::aws::texts {

using libi18n::i18n_text;

inline constexpr i18n_text access_denied{"error.access_denied",
                                         "You do not have permission to perform this request. %0:s"};
inline constexpr i18n_text alarm_has_wrong_metric{
    "error.alarm_has_wrong_metric",
    "The monitored alarm %0:s changed its metric from %1:s to %2:s. Please create the sensor anew."};
inline constexpr i18n_text alarm_has_wrong_type{
    "error.alarm_has_wrong_type",
    "The monitored alarm %0:s changed its type from %1:s to %2:s. Please create the sensor anew."};
inline constexpr i18n_text alarm_has_wrong_unit{"error.alarm_has_wrong_unit",
                                                "The monitored alarm %0:s changed the unit of its metric "
                                                "from %1:s to %2:s. Please create the sensor anew."};
inline constexpr i18n_text authentication_failed{"error.authentication_failed",
                                                 "The sensor could not authenticate with AWS. Check your "
                                                 "credentials for AWS or select 'Store result' under "
                                                 "Debug Options | Result Handling in the sensor settings, "
                                                 "rescan, and check the \\Logs\\sensors subfolder of the "
                                                 "Halden data directory on the probe system. %0:s"};
inline constexpr i18n_text changed_billing_currency{
    "error.changed_billing_currency",
    "You have changed your billing currency, this leads to wrong values. Please add this sensor anew or "
    "change your "
    "billing currency back to the previous setting."};
inline constexpr i18n_text conversion_failed{"error.conversion_failed",
                                             "Could not find a valid double-precision floating-point number "
                                             "inside the result \"%0:s\" for conversion."};
inline constexpr i18n_text data_unavailable{"error.data_unavailable",
                                            "The requested data is not available. If you have recently "
                                            "activated the Cost Explorer, it might take a few "
                                            "days for the data to be available."};
inline constexpr i18n_text invalid_date{"error.invalid_date", "Invalid date: %0:s"};
inline constexpr i18n_text limit_exceeded{
    "error.limit_exceeded", "You made too many API calls in a short period of time. Try again later."};
inline constexpr i18n_text no_alarm_found{"error.no_alarm_found", "No alarm with the name %0:s was found."};
inline constexpr i18n_text no_datapoints_found{"error.no_datapoints_found",
                                               "There is no data for any of the requested metrics."};
inline constexpr i18n_text no_regions_accessible{
    "error.no_regions_accessible",
    "Access to all regions was denied or has been restricted via the AWS Control Tower. Make sure that your "
    "AWS "
    "credentials are valid for all the regions you want to monitor."};
inline constexpr i18n_text no_volume_found{"error.no_volume_found", "No volume with the ID %0:s was found."};
inline constexpr i18n_text result_pages_overflow{"error.result_pages_overflow",
                                                 "Too many results. Reached limit of %0:s pages."};
inline constexpr i18n_text unauthorized_operation{
    "error.unauthorized_operation",
    "The access to the operation was denied or has been restricted via AWS Control Tower. %0:s"};
inline constexpr i18n_text unknown_alarm_type{"error.unknown_alarm_type",
                                              "The alarm type %0:s is not supported."};
inline constexpr i18n_text unknown_loadbalancer_type{"error.unknown_loadbalancer_type",
                                                     "The load balancer type %0:s is not supported."};
inline constexpr i18n_text unsupported_statistic_type{"error.unsupported_statistic_type",
                                                      "The statistic type %0:s is not supported."};

inline constexpr i18n_text alarm_sensor_instance_name{"metascan.alarm_sensor_instance_name",
                                                      "AWS Alarm: %0:s (%1:s)"};
inline constexpr i18n_text ebs_sensor_instance_name{"metascan.ebs_sensor_instance_name", "AWS EBS: %0:s"};
inline constexpr i18n_text ec2_sensor_instance_name{"metascan.ec2_sensor_instance_name", "AWS EC2: %0:s"};
inline constexpr i18n_text elb_sensor_instance_name{"metascan.elb_sensor_instance_name",
                                                    "AWS ELB: %0:s (%1:s)"};
inline constexpr i18n_text rds_sensor_instance_name{"metascan.rds_sensor_instance_name",
                                                    "AWS RDS: %0:s (%1:s)"};
inline constexpr i18n_text requesting_alarms{"metascan.requesting_alarms",
                                             "Requesting alarms for region %0:s"};
inline constexpr i18n_text requesting_ec2_instances{"metascan.requesting_ec2_instances",
                                                    "Requesting EC2 instances for region %0:s"};
inline constexpr i18n_text requesting_elb_instances{"metascan.requesting_elb_instances",
                                                    "Requesting ELB instances for region %0:s"};
inline constexpr i18n_text requesting_rds_instances{"metascan.requesting_rds_instances",
                                                    "Requesting RDS instances for region %0:s"};
inline constexpr i18n_text requesting_regions{"metascan.requesting_regions", "Requesting available regions"};
inline constexpr i18n_text requesting_volumes{"metascan.requesting_volumes",
                                              "Requesting EBS volumes for region %0:s"};

inline constexpr i18n_text all[] = {
    access_denied,
    alarm_has_wrong_metric,
    alarm_has_wrong_type,
    alarm_has_wrong_unit,
    authentication_failed,
    changed_billing_currency,
    conversion_failed,
    data_unavailable,
    invalid_date,
    limit_exceeded,
    no_alarm_found,
    no_datapoints_found,
    no_regions_accessible,
    no_volume_found,
    result_pages_overflow,
    unauthorized_operation,
    unknown_alarm_type,
    unknown_loadbalancer_type,
    unsupported_statistic_type,
    alarm_sensor_instance_name,
    ebs_sensor_instance_name,
    ec2_sensor_instance_name,
    elb_sensor_instance_name,
    rds_sensor_instance_name,
    requesting_alarms,
    requesting_ec2_instances,
    requesting_elb_instances,
    requesting_rds_instances,
    requesting_regions,
    requesting_volumes,
};

}  // namespace orvane::tessel::aws::texts
