#pragma once

#include "core/http.h"

#include <aws/core/auth/AWSCredentials.h>
#include <aws/core/utils/memory/stl/AWSString.h>
#include <aws/core/utils/memory/stl/AWSVector.h>

namespace Aws {
namespace Internal {

// The forms in which a client's own secrets could come back in an answer that echoes the request:
// the secret key, the session token and the proxy password as they are and URL-encoded, and the
// proxy's Basic credentials. Error answers pass through Hide before they are parsed or logged.
class SecretFilter {
public:
    SecretFilter() = default;
    SecretFilter(const Aws::Auth::AWSCredentials& credentials, const TransportSettings& transport);

    void Hide(Aws::String& text) const;

private:
    void Add(const Aws::String& secret);

    Aws::Vector<Aws::String> m_forms;
};

}  // namespace Internal
}  // namespace Aws
