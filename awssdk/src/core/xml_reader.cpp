#include "core/xml_reader.h"

#include "core/string_utils.h"

#include <cstdlib>

namespace Aws {
namespace Internal {
namespace {

std::string_view RawText(const pugi::xml_node& node) {
    return Trim(node.text().get());
}

}  // namespace

pugi::xml_node XmlChild(const pugi::xml_node& node, std::string_view localName) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && XmlLocalName(child) == localName) {
            return child;
        }
    }
    return {};
}

Aws::String XmlText(const pugi::xml_node& node) {
    return Aws::String(RawText(node));
}

int XmlInt(const pugi::xml_node& node) {
    return static_cast<int>(std::strtol(node.text().get(), nullptr, 10));
}

double XmlDouble(const pugi::xml_node& node) {
    return std::strtod(node.text().get(), nullptr);
}

bool XmlBool(const pugi::xml_node& node) {
    return EqualsIgnoreCase(RawText(node), "true");
}

Aws::Utils::DateTime XmlDateTime(const pugi::xml_node& node) {
    return Aws::Utils::DateTime(XmlText(node), Aws::Utils::DateFormat::ISO_8601);
}

}  // namespace Internal
}  // namespace Aws
