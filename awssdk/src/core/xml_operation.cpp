#include "core/xml_operation.h"

#include "core/log.h"
#include "core/xml_reader.h"

namespace Aws {
namespace Internal {

bool LoadXmlResult(Aws::String& body, std::string_view operation, bool resultWrapper, pugi::xml_document& doc,
                   pugi::xml_node& node, CoreError& error) {
    if (body.empty()) {
        return true;
    }
    const pugi::xml_parse_result parsed = doc.load_buffer_inplace(body.data(), body.size());
    if (!parsed) {
        error = CoreError(Aws::Client::CoreErrors::UNKNOWN, "Xml Parse Error", parsed.description(), false);
        AWS_LOGSTREAM_ERROR("AWSClient", "Xml Parse Error: " << parsed.description());
        return false;
    }
    node = doc.document_element();
    if (resultWrapper) {
        Aws::String wrapper(operation);
        wrapper += "Result";
        node = XmlChild(node, wrapper);
    }
    return true;
}

}  // namespace Internal
}  // namespace Aws
