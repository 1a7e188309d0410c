#include "core/json_access.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace Aws {
namespace Internal {
namespace {

using Json = nlohmann::ordered_json;

void PrintString(Aws::String& out, const std::string& text) {
    out.push_back('"');
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 32) {
                    std::array<char, 8> buffer{};
                    std::snprintf(buffer.data(), buffer.size(), "\\u%04x", byte);
                    out += buffer.data();
                } else {
                    out.push_back(ch);
                }
        }
    }
    out.push_back('"');
}

// Integers below 2^31 as integers, others as "%1.15g", or "%1.17g" when 15 digits do not read back;
// to_chars rather than printf, so that a comma locale in the host process cannot leak into the text.
void PrintNumber(Aws::String& out, double number) {
    if (std::isnan(number) || std::isinf(number)) {
        out += "null";
        return;
    }
    std::array<char, 32> buffer{};
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    char* end = nullptr;
    if (std::fabs(number) < 2147483648.0 && std::trunc(number) == number) {
        end = std::to_chars(first, last, static_cast<long long>(number)).ptr;
    } else {
        end = std::to_chars(first, last, number, std::chars_format::general, 15).ptr;
        double back = 0.0;
        std::from_chars(first, end, back);
        if (back != number) {
            end = std::to_chars(first, last, number, std::chars_format::general, 17).ptr;
        }
    }
    out.append(first, end);
}

void Print(Aws::String& out, const Json& value, bool formatted, size_t depth) {
    switch (value.type()) {
        case Json::value_t::null:
        case Json::value_t::discarded:
        case Json::value_t::binary:
            out += "null";
            return;
        case Json::value_t::boolean:
            out += value.get<bool>() ? "true" : "false";
            return;
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float:
            PrintNumber(out, value.get<double>());
            return;
        case Json::value_t::string:
            PrintString(out, value.get_ref<const std::string&>());
            return;
        case Json::value_t::array: {
            out.push_back('[');
            bool first = true;
            for (const auto& item : value) {
                if (!first) {
                    out += formatted ? ", " : ",";
                }
                first = false;
                Print(out, item, formatted, depth + 1);
            }
            out.push_back(']');
            return;
        }
        case Json::value_t::object: {
            out.push_back('{');
            if (formatted) {
                out.push_back('\n');
            }
            size_t remaining = value.size();
            for (const auto& [key, member] : value.items()) {
                if (formatted) {
                    out.append(depth + 1, '\t');
                }
                PrintString(out, key);
                out.push_back(':');
                if (formatted) {
                    out.push_back('\t');
                }
                Print(out, member, formatted, depth + 1);
                if (--remaining > 0) {
                    out.push_back(',');
                }
                if (formatted) {
                    out.push_back('\n');
                }
            }
            if (formatted) {
                out.append(depth, '\t');
            }
            out.push_back('}');
            return;
        }
    }
}

}  // namespace

Aws::String PrintJson(const nlohmann::ordered_json& value, bool formatted) {
    Aws::String out;
    Print(out, value, formatted, 0);
    return out;
}

nlohmann::ordered_json& JsonAccess::Get(Aws::Utils::Json::JsonValue& value) {
    if (!value.m_node) {
        value.m_node = std::make_unique<Aws::Utils::Json::JsonValue::Node>();
        value.m_node->value = nlohmann::ordered_json::object();
    }
    return value.m_node->value;
}

}  // namespace Internal

namespace Utils {
namespace Json {

using Aws::Internal::JsonAccess;

JsonValue::JsonValue() = default;

JsonValue::JsonValue(const Aws::String& value) : m_node(std::make_unique<Node>()) {
    m_node->value = nlohmann::ordered_json::parse(value, nullptr, false);
    if (m_node->value.is_discarded()) {
        m_node.reset();
        m_wasParseSuccessful = false;
        m_errorMessage = "Failed to parse JSON at: " + value.substr(0, 64);
    }
}

JsonValue::JsonValue(const JsonValue& value)
    : m_node(value.m_node ? std::make_unique<Node>(*value.m_node) : nullptr),
      m_wasParseSuccessful(value.m_wasParseSuccessful),
      m_errorMessage(value.m_errorMessage) {}

JsonValue::JsonValue(JsonValue&& value) noexcept = default;

JsonValue& JsonValue::operator=(const JsonValue& other) {
    if (this != &other) {
        m_node = other.m_node ? std::make_unique<Node>(*other.m_node) : nullptr;
        m_wasParseSuccessful = other.m_wasParseSuccessful;
        m_errorMessage = other.m_errorMessage;
    }
    return *this;
}

JsonValue& JsonValue::operator=(JsonValue&& other) noexcept = default;

JsonValue::~JsonValue() = default;

JsonValue& JsonValue::WithString(const Aws::String& key, const Aws::String& value) {
    JsonAccess::Get(*this)[key] = value;
    return *this;
}

JsonValue& JsonValue::WithBool(const Aws::String& key, bool value) {
    JsonAccess::Get(*this)[key] = value;
    return *this;
}

JsonValue& JsonValue::WithInteger(const Aws::String& key, int value) {
    JsonAccess::Get(*this)[key] = value;
    return *this;
}

JsonValue& JsonValue::WithInt64(const Aws::String& key, long long value) {
    JsonAccess::Get(*this)[key] = value;
    return *this;
}

JsonValue& JsonValue::WithDouble(const Aws::String& key, double value) {
    JsonAccess::Get(*this)[key] = value;
    return *this;
}

JsonValue& JsonValue::WithObject(const Aws::String& key, const JsonValue& value) {
    auto& target = JsonAccess::Get(*this)[key];
    target = value.m_node ? value.m_node->value : nlohmann::ordered_json::object();
    return *this;
}

JsonValue& JsonValue::WithObject(const Aws::String& key, JsonValue&& value) {
    auto& target = JsonAccess::Get(*this)[key];
    target = value.m_node ? std::move(value.m_node->value) : nlohmann::ordered_json::object();
    return *this;
}

JsonValue& JsonValue::WithArray(const Aws::String& key, const Aws::Vector<Aws::String>& array) {
    auto& target = JsonAccess::Get(*this)[key];
    target = nlohmann::ordered_json::array();
    for (const auto& item : array) {
        target.push_back(item);
    }
    return *this;
}

JsonValue& JsonValue::WithArray(const Aws::String& key, Aws::Vector<JsonValue>&& array) {
    auto& target = JsonAccess::Get(*this)[key];
    target = nlohmann::ordered_json::array();
    for (auto& item : array) {
        target.push_back(item.m_node ? std::move(item.m_node->value) : nlohmann::ordered_json::object());
    }
    return *this;
}

JsonValue& JsonValue::AsString(const Aws::String& value) {
    if (!m_node) {
        m_node = std::make_unique<Node>();
    }
    m_node->value = value;
    return *this;
}

JsonValue& JsonValue::AsObject(const JsonValue& value) {
    *this = value;
    return *this;
}

JsonView JsonValue::View() const {
    return JsonView(*this);
}

JsonView::JsonView(const JsonValue& value) : m_node(value.m_node ? &value.m_node->value : nullptr) {}

Aws::String JsonView::GetString(const Aws::String& key) const {
    const auto* node = JsonAccess::Get(*this);
    if (node == nullptr || !node->is_object()) {
        return {};
    }
    const auto it = node->find(key);
    return it != node->end() && it->is_string() ? it->get<std::string>() : Aws::String();
}

Aws::String JsonView::AsString() const {
    const auto* node = JsonAccess::Get(*this);
    return node != nullptr && node->is_string() ? node->get<std::string>() : Aws::String();
}

bool JsonView::ValueExists(const Aws::String& key) const {
    const auto* node = JsonAccess::Get(*this);
    if (node == nullptr || !node->is_object()) {
        return false;
    }
    const auto it = node->find(key);
    return it != node->end() && !it->is_null();
}

bool JsonView::KeyExists(const Aws::String& key) const {
    const auto* node = JsonAccess::Get(*this);
    return node != nullptr && node->is_object() && node->contains(key);
}

bool JsonView::IsObject() const {
    const auto* node = JsonAccess::Get(*this);
    return node != nullptr && node->is_object();
}

bool JsonView::IsString() const {
    const auto* node = JsonAccess::Get(*this);
    return node != nullptr && node->is_string();
}

bool JsonView::IsNull() const {
    const auto* node = JsonAccess::Get(*this);
    return node == nullptr || node->is_null();
}

Aws::String JsonView::WriteReadable(bool treatAsObject) const {
    const auto* node = JsonAccess::Get(*this);
    if (node == nullptr) {
        return treatAsObject ? "{\n}\n" : "";
    }
    return Aws::Internal::PrintJson(*node, true);
}

Aws::String JsonView::WriteCompact(bool treatAsObject) const {
    const auto* node = JsonAccess::Get(*this);
    if (node == nullptr) {
        return treatAsObject ? "{}" : "";
    }
    return Aws::Internal::PrintJson(*node, false);
}

}  // namespace Json
}  // namespace Utils
}  // namespace Aws
