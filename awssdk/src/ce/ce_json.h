#pragma once

#include "core/service_client.h"

#include <aws/ce/model/GetCostAndUsageResult.h>
#include <aws/ce/model/GetCostForecastResult.h>
#include <aws/core/utils/Outcome.h>

#include <utility>

namespace Aws {
namespace CostExplorer {
namespace Model {

// Fill a result from a 2xx JSON body; false with `error` set when the body is not JSON.
bool UnmarshalGetCostAndUsageResult(const Aws::String& body, GetCostAndUsageResult& out,
                                    Aws::Internal::CoreError& error);
bool UnmarshalGetCostForecastResult(const Aws::String& body, GetCostForecastResult& out,
                                    Aws::Internal::CoreError& error);

}  // namespace Model
}  // namespace CostExplorer

namespace Internal {

template <typename ResultT, typename ErrorT, typename RequestT>
Aws::Utils::Outcome<ResultT, ErrorT> JsonOperation(const ClientCore& core, const RequestT& request,
                                                   bool (*unmarshal)(const Aws::String&, ResultT&,
                                                                     CoreError&)) {
    SendOutcome sent = core.Send(request.GetServiceRequestName(), request.SerializePayload());
    if (!sent.IsSuccess()) {
        return ErrorT(std::move(sent.GetError()));
    }
    ResultT result;
    CoreError error;
    if (!unmarshal(sent.GetResult().body, result, error)) {
        return ErrorT(std::move(error));
    }
    return result;
}

}  // namespace Internal
}  // namespace Aws
