#include "core/secret_filter.h"

#include "core/string_utils.h"

#include <algorithm>

namespace Aws {
namespace Internal {
namespace {

Aws::String Base64(std::string_view data) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    Aws::String out;
    out.reserve((data.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= data.size(); i += 3) {
        const unsigned value = static_cast<unsigned char>(data[i]) << 16 |
                               static_cast<unsigned char>(data[i + 1]) << 8 |
                               static_cast<unsigned char>(data[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6) {
            out.push_back(kAlphabet[(value >> shift) & 0x3F]);
        }
    }
    if (i < data.size()) {
        const bool two = i + 1 < data.size();
        const unsigned value = static_cast<unsigned char>(data[i]) << 16 |
                               (two ? static_cast<unsigned char>(data[i + 1]) << 8 : 0U);
        out.push_back(kAlphabet[(value >> 18) & 0x3F]);
        out.push_back(kAlphabet[(value >> 12) & 0x3F]);
        out.push_back(two ? kAlphabet[(value >> 6) & 0x3F] : '=');
        out.push_back('=');
    }
    return out;
}

}  // namespace

SecretFilter::SecretFilter(const Aws::Auth::AWSCredentials& credentials, const TransportSettings& transport) {
    Add(credentials.GetAWSSecretKey());
    Add(credentials.GetSessionToken());
    Add(transport.proxyPassword);
    if (transport.proxyPassword.size() >= 4) {
        Add(Base64(transport.proxyUserName + ":" + transport.proxyPassword));
    }
    // Longest first, so that a shorter form never leaves part of a longer one behind.
    std::sort(m_forms.begin(), m_forms.end(),
              [](const Aws::String& a, const Aws::String& b) { return a.size() > b.size(); });
}

void SecretFilter::Add(const Aws::String& secret) {
    // Shorter texts are common words and numbers: hiding them would garble the answer, not protect.
    if (secret.size() < 4) {
        return;
    }
    m_forms.push_back(secret);
    Aws::String encoded = UrlEncode(secret);
    if (encoded != secret) {
        m_forms.push_back(std::move(encoded));
    }
}

void SecretFilter::Hide(Aws::String& text) const {
    for (const auto& form : m_forms) {
        for (auto at = text.find(form); at != Aws::String::npos; at = text.find(form, at + 3)) {
            text.replace(at, form.size(), "***");
        }
    }
}

}  // namespace Internal
}  // namespace Aws
