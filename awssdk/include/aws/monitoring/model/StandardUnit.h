#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace CloudWatch {
namespace Model {

enum class StandardUnit {
    NOT_SET,
    Seconds,
    Microseconds,
    Milliseconds,
    Bytes,
    Kilobytes,
    Megabytes,
    Gigabytes,
    Terabytes,
    Bits,
    Kilobits,
    Megabits,
    Gigabits,
    Terabits,
    Percent,
    Count,
    Bytes_Second,
    Kilobytes_Second,
    Megabytes_Second,
    Gigabytes_Second,
    Terabytes_Second,
    Bits_Second,
    Kilobits_Second,
    Megabits_Second,
    Gigabits_Second,
    Terabits_Second,
    Count_Second,
    None
};

namespace StandardUnitMapper {
StandardUnit GetStandardUnitForName(const Aws::String& name);
Aws::String GetNameForStandardUnit(StandardUnit value);
}  // namespace StandardUnitMapper

}  // namespace Model
}  // namespace CloudWatch
}  // namespace Aws
