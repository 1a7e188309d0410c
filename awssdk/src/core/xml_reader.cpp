#include "core/xml_reader.h"

#include "core/string_utils.h"

#include <charconv>
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

// from_chars rather than strtod: the host process may have set a locale whose decimal point is a comma.
double XmlDouble(const pugi::xml_node& node) {
    std::string_view text = RawText(node);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool XmlBool(const pugi::xml_node& node) {
    return EqualsIgnoreCase(RawText(node), "true");
}

Aws::Utils::DateTime XmlDateTime(const pugi::xml_node& node) {
    return Aws::Utils::DateTime(XmlText(node), Aws::Utils::DateFormat::ISO_8601);
}

}  // namespace Internal
}  // namespace Aws
