#pragma once

#include "core/service_client.h"

#include <aws/core/utils/Outcome.h>

#include <pugixml.hpp>

#include <string_view>
#include <utility>

namespace Aws {
namespace Internal {

// Parses a 2xx XML body in place. `node` gets the element holding the result members: the root for
// EC2, "<Operation>Result" below it for the query services. An empty body is an empty result.
bool LoadXmlResult(Aws::String& body, std::string_view operation, bool resultWrapper, pugi::xml_document& doc,
                   pugi::xml_node& node, CoreError& error);

template <typename ResultT, typename ErrorT, typename RequestT>
Aws::Utils::Outcome<ResultT, ErrorT> XmlOperation(const ClientCore& core, const RequestT& request,
                                                  bool resultWrapper,
                                                  void (*unmarshal)(const pugi::xml_node&, ResultT&)) {
    SendOutcome sent = core.Send(request.GetServiceRequestName(), request.SerializePayload());
    if (!sent.IsSuccess()) {
        return ErrorT(std::move(sent.GetError()));
    }
    pugi::xml_document doc;
    pugi::xml_node node;
    CoreError error;
    if (!LoadXmlResult(sent.GetResult().body, request.GetServiceRequestName(), resultWrapper, doc, node,
                       error)) {
        return ErrorT(std::move(error));
    }
    ResultT result;
    unmarshal(node, result);
    return result;
}

}  // namespace Internal
}  // namespace Aws
