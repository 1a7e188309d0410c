#include "core/error_marshaller.h"

#include "core/string_utils.h"
#include "core/xml_reader.h"

#include <nlohmann/json.hpp>

namespace Aws {
namespace Internal {
namespace {

using Aws::Client::CoreErrors;
using Aws::Http::HttpResponseCode;

CoreErrors GuessBodylessErrorType(long status) {
    if (status == 401 || status == 403) {
        return CoreErrors::ACCESS_DENIED;
    }
    if (status == 404) {
        return CoreErrors::RESOURCE_NOT_FOUND;
    }
    return CoreErrors::UNKNOWN;
}

std::string_view FormalName(std::string_view name) {
    const auto hash = name.find('#');
    if (hash != std::string_view::npos) {
        return name.substr(hash + 1);
    }
    const auto colon = name.find(':');
    return colon != std::string_view::npos ? name.substr(0, colon) : name;
}

CoreError FromXml(const HttpResponse& response, ServiceErrorLookup lookup) {
    pugi::xml_document doc;
    const auto parsed = doc.load_buffer(response.body.data(), response.body.size());
    const pugi::xml_node root = doc.document_element();
    pugi::xml_node error;
    if (parsed && root) {
        error = XmlLocalName(root) == "Error" ? root : XmlChild(root, "Error");
        if (!error) {
            error = XmlChild(XmlChild(root, "Errors"), "Error");
        }
    }
    const pugi::xml_node code = XmlChild(error, "Code");
    CoreError result;
    if (error && code) {
        result = MarshallError(XmlText(code), XmlText(XmlChild(error, "Message")), lookup);
    } else {
        result = Aws::Client::CoreErrorsMapper::GetErrorForHttpResponseCode(
            static_cast<HttpResponseCode>(response.status));
    }
    pugi::xml_node requestId = XmlChild(root, "RequestId");
    if (!requestId) {
        requestId = XmlChild(root, "RequestID");
    }
    if (!requestId && error) {
        requestId = XmlChild(error, "RequestId");
        if (!requestId) {
            requestId = XmlChild(error, "RequestID");
        }
    }
    if (requestId) {
        result.SetRequestId(XmlText(requestId));
    }
    return result;
}

CoreError FromJson(const HttpResponse& response, ServiceErrorLookup lookup) {
    const auto status = static_cast<HttpResponseCode>(response.status);
    const auto doc = nlohmann::json::parse(response.body, nullptr, false);
    CoreError result;
    if (doc.is_discarded() || !doc.is_object()) {
        result = CoreError(CoreErrors::UNKNOWN, "", "Failed to parse error payload: " + response.body,
                           Aws::Http::IsRetryableHttpResponseCode(status));
    } else {
        Aws::String message;
        for (const char* key : {"Message", "message"}) {
            const auto it = doc.find(key);
            if (it != doc.end() && it->is_string()) {
                message = it->get<std::string>();
                break;
            }
        }
        Aws::String name;
        const auto header = response.headers.find("x-amzn-errortype");
        if (header != response.headers.end()) {
            name = header->second;
        } else {
            const auto type = doc.find("__type");
            if (type != doc.end() && type->is_string()) {
                name = type->get<std::string>();
            }
        }
        if (!name.empty()) {
            result = MarshallError(name, message, lookup);
        } else {
            result = Aws::Client::CoreErrorsMapper::GetErrorForHttpResponseCode(status);
            result.SetMessage(message);
        }
    }
    const auto requestId = response.headers.find("x-amzn-requestid");
    if (requestId != response.headers.end()) {
        result.SetRequestId(requestId->second);
    }
    return result;
}

}  // namespace

CoreError MarshallError(std::string_view exceptionName, const Aws::String& message,
                        ServiceErrorLookup lookup) {
    if (exceptionName.empty()) {
        return CoreError(CoreErrors::UNKNOWN, "", message, false);
    }
    const Aws::String formal(FormalName(exceptionName));
    CoreError error = lookup != nullptr ? lookup(formal.c_str()) : CoreError(CoreErrors::UNKNOWN, false);
    if (error.GetErrorType() == CoreErrors::UNKNOWN) {
        error = Aws::Client::CoreErrorsMapper::GetErrorForName(formal.c_str());
    }
    if (error.GetErrorType() != CoreErrors::UNKNOWN) {
        error.SetExceptionName(formal);
        error.SetMessage(message);
        return error;
    }
    const Aws::String raw(exceptionName);
    return CoreError(CoreErrors::UNKNOWN, raw,
                     "Unable to parse ExceptionName: " + raw + " Message: " + message, false);
}

CoreError BuildError(const HttpResponse& response, WireProtocol protocol, ServiceErrorLookup lookup) {
    CoreError error;
    if (response.curlCode != 0) {
        error =
            CoreError(CoreErrors::NETWORK_CONNECTION, "",
                      "curlCode: " + std::to_string(response.curlCode) + ", " + response.curlMessage, true);
    } else if (response.body.empty()) {
        const auto status = static_cast<HttpResponseCode>(response.status);
        error = CoreError(GuessBodylessErrorType(response.status), "", "No response body.",
                          Aws::Http::IsRetryableHttpResponseCode(status));
    } else if (protocol == WireProtocol::Xml) {
        error = FromXml(response, lookup);
    } else {
        error = FromJson(response, lookup);
    }
    if (response.curlCode == 0) {
        error.SetResponseCode(static_cast<HttpResponseCode>(response.status));
        error.SetResponseHeaders(response.headers);
    }
    error.SetRemoteHostIpAddress(response.remoteIp);
    return error;
}

}  // namespace Internal
}  // namespace Aws
