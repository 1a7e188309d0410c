#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane::tessel::aws {

// Keeps a client's own secrets out of what AWS, or a proxy on the way, sends back: an error body may
// echo the request (a Proxy-Authorization header, a URL, a form field), and its text becomes part
// of a message and a log line. Every form in which a secret can travel is replaced by "***": as it
// is, percent-encoded, JSON- and XML-escaped, and the proxy's Basic credentials in base64.
class secret_redactor {
public:
    secret_redactor() = default;
    secret_redactor(std::string_view secret_key, std::string_view proxy_user,
                    std::string_view proxy_password);

    std::string redact(std::string text) const;

private:
    void add(std::string_view secret);

    std::vector<std::string> needles_;  // longest first, so that no shorter form splits a longer one
};

}  // namespace orvane::tessel::aws
