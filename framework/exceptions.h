#pragma once

#include <string>

#include "framework/texts.h"
#include "host/exceptions.h"
#include "libs/i18n/i18n.h"

namespace orvane::tessel::aws::exceptions {

using libi18n::_i18n_exception;
using libi18n::i18n_msg;

// Base of the module's own failures. Handlers that keep a scan alive catch exactly this family.
class exception : public _i18n_exception<libi18n::i18n_exception> {
protected:
    explicit exception(i18n_msg message) : _i18n_exception(std::move(message)) {}
};

// ---- AWS refused or failed the request ----------------------------------------------------------

class access_denied : public _i18n_exception<exception> {
public:
    explicit access_denied(std::string aws_message)
        : _i18n_exception(i18n_msg(texts::access_denied, std::move(aws_message))) {}

protected:
    explicit access_denied(i18n_msg message) : _i18n_exception(std::move(message)) {}
};

class authentication_failed : public _i18n_exception<exception> {
public:
    explicit authentication_failed(std::string aws_message)
        : _i18n_exception(i18n_msg(texts::authentication_failed, std::move(aws_message))) {}
};

class unauthorized_operation : public _i18n_exception<exception> {
public:
    explicit unauthorized_operation(std::string aws_message)
        : _i18n_exception(i18n_msg(texts::unauthorized_operation, std::move(aws_message))) {}
};

class data_unavailable : public _i18n_exception<exception> {
public:
    data_unavailable() : _i18n_exception(i18n_msg(texts::data_unavailable)) {}
};

class limit_exceeded : public _i18n_exception<exception> {
public:
    limit_exceeded() : _i18n_exception(i18n_msg(texts::limit_exceeded)) {}
};

// Every region refused access; a refusal too, only a wider one.
class no_regions_accessible : public _i18n_exception<access_denied> {
public:
    no_regions_accessible() : _i18n_exception(i18n_msg(texts::no_regions_accessible)) {}
};

// ---- what AWS answered does not fit --------------------------------------------------------------

class conversion_failed : public _i18n_exception<exception> {
public:
    explicit conversion_failed(std::string text)
        : _i18n_exception(i18n_msg(texts::conversion_failed, std::move(text))) {}
};

class no_alarm_found : public _i18n_exception<exception> {
public:
    explicit no_alarm_found(std::string alarm_name)
        : _i18n_exception(i18n_msg(texts::no_alarm_found, std::move(alarm_name))) {}
};

class no_datapoints_found : public _i18n_exception<exception> {
public:
    no_datapoints_found() : _i18n_exception(i18n_msg(texts::no_datapoints_found)) {}
};

class no_volume_found : public _i18n_exception<exception> {
public:
    explicit no_volume_found(std::string volume_id)
        : _i18n_exception(i18n_msg(texts::no_volume_found, std::move(volume_id))) {}
};

class result_pages_overflow : public _i18n_exception<exception> {
public:
    explicit result_pages_overflow(std::string page_limit)
        : _i18n_exception(i18n_msg(texts::result_pages_overflow, std::move(page_limit))) {}
};

class unsupported_statistic_type : public _i18n_exception<exception> {
public:
    explicit unsupported_statistic_type(std::string statistic)
        : _i18n_exception(i18n_msg(texts::unsupported_statistic_type, std::move(statistic))) {}
};

// ---- the monitored resource changed or is not supported ------------------------------------------

class alarm_has_wrong_metric : public _i18n_exception<exception> {
public:
    alarm_has_wrong_metric(std::string alarm, std::string stored, std::string current)
        : _i18n_exception(i18n_msg(texts::alarm_has_wrong_metric, std::move(alarm), std::move(stored),
                                   std::move(current))) {}
};

class alarm_has_wrong_type : public _i18n_exception<exception> {
public:
    alarm_has_wrong_type(std::string alarm, std::string stored, std::string current)
        : _i18n_exception(i18n_msg(texts::alarm_has_wrong_type, std::move(alarm), std::move(stored),
                                   std::move(current))) {}
};

class alarm_has_wrong_unit : public _i18n_exception<exception> {
public:
    alarm_has_wrong_unit(std::string alarm, std::string stored, std::string current)
        : _i18n_exception(i18n_msg(texts::alarm_has_wrong_unit, std::move(alarm), std::move(stored),
                                   std::move(current))) {}
};

class unknown_alarm_type : public _i18n_exception<exception> {
public:
    explicit unknown_alarm_type(std::string type)
        : _i18n_exception(i18n_msg(texts::unknown_alarm_type, std::move(type))) {}
};

class unknown_loadbalancer_type : public _i18n_exception<exception> {
public:
    explicit unknown_loadbalancer_type(std::string type)
        : _i18n_exception(i18n_msg(texts::unknown_loadbalancer_type, std::move(type))) {}
};

}  // namespace orvane::tessel::aws::exceptions

namespace orvane::tessel::aws::utils {

// A calendar date that does not exist; part of the helper library's family, not the module's.
class invalid_date : public libi18n::_i18n_exception<libvexahelper::utils::exceptions::exception> {
public:
    explicit invalid_date(std::string detail)
        : _i18n_exception(libi18n::i18n_msg(texts::invalid_date, std::move(detail))) {}
};

}  // namespace orvane::tessel::aws::utils
