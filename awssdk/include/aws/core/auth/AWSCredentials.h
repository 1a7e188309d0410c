#pragma once

#include <aws/core/utils/DateTime.h>
#include <aws/core/utils/memory/stl/AWSString.h>

#include <utility>

namespace Aws {
namespace Auth {

class AWSCredentials {
public:
    AWSCredentials() = default;
    AWSCredentials(Aws::String accessKeyId, Aws::String secretKey, Aws::String sessionToken = "")
        : m_accessKeyId(std::move(accessKeyId)),
          m_secretKey(std::move(secretKey)),
          m_sessionToken(std::move(sessionToken)) {}
    AWSCredentials(Aws::String accessKeyId, Aws::String secretKey, Aws::String sessionToken,
                   Aws::Utils::DateTime expiration)
        : m_accessKeyId(std::move(accessKeyId)),
          m_secretKey(std::move(secretKey)),
          m_sessionToken(std::move(sessionToken)),
          m_expiration(expiration) {}

    bool operator==(const AWSCredentials& other) const {
        return m_accessKeyId == other.m_accessKeyId && m_secretKey == other.m_secretKey &&
               m_sessionToken == other.m_sessionToken && m_expiration == other.m_expiration;
    }
    bool operator!=(const AWSCredentials& other) const { return !(*this == other); }

    bool IsEmpty() const { return m_accessKeyId.empty() && m_secretKey.empty(); }
    bool IsExpired() const { return m_expiration <= Aws::Utils::DateTime::Now(); }
    bool IsExpiredOrEmpty() const { return IsEmpty() || IsExpired(); }

    const Aws::String& GetAWSAccessKeyId() const { return m_accessKeyId; }
    const Aws::String& GetAWSSecretKey() const { return m_secretKey; }
    const Aws::String& GetSessionToken() const { return m_sessionToken; }
    Aws::Utils::DateTime GetExpiration() const { return m_expiration; }

    void SetAWSAccessKeyId(const Aws::String& accessKeyId) { m_accessKeyId = accessKeyId; }
    void SetAWSSecretKey(const Aws::String& secretKey) { m_secretKey = secretKey; }
    void SetSessionToken(const Aws::String& sessionToken) { m_sessionToken = sessionToken; }
    void SetExpiration(Aws::Utils::DateTime expiration) { m_expiration = expiration; }

private:
    Aws::String m_accessKeyId;
    Aws::String m_secretKey;
    Aws::String m_sessionToken;
    Aws::Utils::DateTime m_expiration{(std::chrono::time_point<std::chrono::system_clock>::max)()};
};

}  // namespace Auth
}  // namespace Aws
