#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <pugixml.hpp>

#include <string_view>

namespace Aws {
namespace Internal {

// Element name without its namespace prefix.
inline std::string_view XmlLocalName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// First child element with that local name, or an empty node.
pugi::xml_node XmlChild(const pugi::xml_node& node, std::string_view localName);

// Trimmed text of an element (entities already decoded by the parser).
Aws::String XmlText(const pugi::xml_node& node);
int XmlInt(const pugi::xml_node& node);
double XmlDouble(const pugi::xml_node& node);
bool XmlBool(const pugi::xml_node& node);
Aws::Utils::DateTime XmlDateTime(const pugi::xml_node& node);

// A list member: the child elements named itemName (other elements are skipped), each read by read.
template <typename T>
Aws::Vector<T> XmlList(const pugi::xml_node& node, std::string_view itemName,
                       void (*read)(const pugi::xml_node&, T&)) {
    Aws::Vector<T> list;
    for (pugi::xml_node item = node.first_child(); item; item = item.next_sibling()) {
        if (item.type() == pugi::node_element && XmlLocalName(item) == itemName) {
            read(item, list.emplace_back());
        }
    }
    return list;
}

}  // namespace Internal
}  // namespace Aws
