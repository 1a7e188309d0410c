#pragma once

#include <aws/core/utils/json/JsonSerializer.h>

#include <nlohmann/json.hpp>

namespace Aws {
namespace Utils {
namespace Json {

struct JsonValue::Node {
    nlohmann::ordered_json value;
};

}  // namespace Json
}  // namespace Utils

namespace Internal {

// Lets the SDK's own code reach the document behind the public JSON types.
struct JsonAccess {
    static nlohmann::ordered_json& Get(Aws::Utils::Json::JsonValue& value);
    static const nlohmann::ordered_json* Get(const Aws::Utils::Json::JsonView& view) {
        return static_cast<const nlohmann::ordered_json*>(view.m_node);
    }
};

// cJSON's print layout (the official SDK's JSON printer).
Aws::String PrintJson(const nlohmann::ordered_json& value, bool formatted);

}  // namespace Internal
}  // namespace Aws
