#pragma once

#include "core/string_utils.h"

#include <aws/core/utils/memory/stl/AWSString.h>

#include <string_view>

namespace Aws {
namespace Internal {

// Builds "Action=<op>&k=v&...&Version=<api>" with URL-encoded values.
class QueryWriter {
public:
    explicit QueryWriter(std::string_view action) {
        m_body.reserve(256);
        m_body.append("Action=");
        AppendUrlEncoded(m_body, action);
        m_body.push_back('&');
    }

    void Add(std::string_view key, std::string_view value) {
        m_body.append(key);
        m_body.push_back('=');
        AppendUrlEncoded(m_body, value);
        m_body.push_back('&');
    }

    // prefix + index + suffix, e.g. "Dimensions.member." 1 ".Name".
    void AddIndexed(std::string_view prefix, unsigned index, std::string_view suffix,
                    std::string_view value) {
        m_body.append(prefix);
        m_body.append(ToDecimal(static_cast<int64_t>(index)));
        m_body.append(suffix);
        m_body.push_back('=');
        AppendUrlEncoded(m_body, value);
        m_body.push_back('&');
    }

    Aws::String Finish(std::string_view version) {
        m_body.append("Version=");
        AppendUrlEncoded(m_body, version);
        return std::move(m_body);
    }

private:
    Aws::String m_body;
};

}  // namespace Internal
}  // namespace Aws
