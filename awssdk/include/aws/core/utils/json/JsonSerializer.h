#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

#include <memory>

namespace Aws {
namespace Internal {
struct JsonAccess;
}  // namespace Internal

namespace Utils {
namespace Json {

class JsonView;

// An owned JSON document. It prints in the official SDK's (cJSON's) byte layout.
class JsonValue {
public:
    JsonValue();
    explicit JsonValue(const Aws::String& value);  // parses; see WasParseSuccessful()
    JsonValue(const JsonValue& value);
    JsonValue(JsonValue&& value) noexcept;
    JsonValue& operator=(const JsonValue& other);
    JsonValue& operator=(JsonValue&& other) noexcept;
    ~JsonValue();

    JsonValue& WithString(const Aws::String& key, const Aws::String& value);
    JsonValue& WithBool(const Aws::String& key, bool value);
    JsonValue& WithInteger(const Aws::String& key, int value);
    JsonValue& WithInt64(const Aws::String& key, long long value);
    JsonValue& WithDouble(const Aws::String& key, double value);
    JsonValue& WithObject(const Aws::String& key, const JsonValue& value);
    JsonValue& WithObject(const Aws::String& key, JsonValue&& value);
    JsonValue& WithArray(const Aws::String& key, const Aws::Vector<Aws::String>& array);
    JsonValue& WithArray(const Aws::String& key, Aws::Vector<JsonValue>&& array);

    JsonValue& AsString(const Aws::String& value);
    JsonValue& AsObject(const JsonValue& value);

    bool WasParseSuccessful() const { return m_wasParseSuccessful; }
    const Aws::String& GetErrorMessage() const { return m_errorMessage; }

    JsonView View() const;

private:
    friend class JsonView;
    friend struct Aws::Internal::JsonAccess;
    struct Node;
    std::unique_ptr<Node> m_node;
    bool m_wasParseSuccessful = true;
    Aws::String m_errorMessage;
};

// A read-only view into a JsonValue; valid while that value lives.
class JsonView {
public:
    JsonView() = default;
    JsonView(const JsonValue& value);  // NOLINT(google-explicit-constructor)

    Aws::String GetString(const Aws::String& key) const;
    Aws::String AsString() const;
    bool ValueExists(const Aws::String& key) const;
    bool KeyExists(const Aws::String& key) const;
    bool IsObject() const;
    bool IsString() const;
    bool IsNull() const;

    // "{\n}\n" / "{}" for an empty value, as the official SDK prints it.
    Aws::String WriteReadable(bool treatAsObject = true) const;
    Aws::String WriteCompact(bool treatAsObject = true) const;

private:
    friend struct Aws::Internal::JsonAccess;
    const void* m_node = nullptr;  // the nlohmann node, kept opaque to keep this header light
};

}  // namespace Json
}  // namespace Utils
}  // namespace Aws
