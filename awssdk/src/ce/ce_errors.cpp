#include "core/named_error.h"

#include <aws/ce/CostExplorerErrors.h>

#include <array>

namespace Aws {
namespace CostExplorer {
namespace CostExplorerErrorMapper {
namespace {

using NamedError = Aws::Internal::NamedError<CostExplorerErrors>;

constexpr std::array kErrors = {
    NamedError{"BillExpirationException", CostExplorerErrors::BILL_EXPIRATION, false},
    NamedError{"DataUnavailableException", CostExplorerErrors::DATA_UNAVAILABLE, false},
    NamedError{"GenerationExistsException", CostExplorerErrors::GENERATION_EXISTS, false},
    NamedError{"InvalidNextTokenException", CostExplorerErrors::INVALID_NEXT_TOKEN, false},
    NamedError{"LimitExceededException", CostExplorerErrors::LIMIT_EXCEEDED, true},
    NamedError{"RequestChangedException", CostExplorerErrors::REQUEST_CHANGED, false},
    NamedError{"ServiceQuotaExceededException", CostExplorerErrors::SERVICE_QUOTA_EXCEEDED, false},
    NamedError{"TooManyTagsException", CostExplorerErrors::TOO_MANY_TAGS, false},
    NamedError{"UnknownMonitorException", CostExplorerErrors::UNKNOWN_MONITOR, false},
    NamedError{"UnknownSubscriptionException", CostExplorerErrors::UNKNOWN_SUBSCRIPTION, false},
    NamedError{"UnresolvableUsageUnitException", CostExplorerErrors::UNRESOLVABLE_USAGE_UNIT, false},
};

}  // namespace

Aws::Client::AWSError<Aws::Client::CoreErrors> GetErrorForName(const char* errorName) {
    return Aws::Internal::ErrorForName(kErrors, errorName);
}

}  // namespace CostExplorerErrorMapper
}  // namespace CostExplorer
}  // namespace Aws
