#include "auth.hpp"

#include <openssl/crypto.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace orvane::tessel::emulator::detail {
namespace {

constexpr seconds_t allowed_skew = 15LL * 60;

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

std::vector<std::string> split(std::string_view text, char sep) {
    std::vector<std::string> out;
    while (true) {
        const auto pos = text.find(sep);
        out.emplace_back(text.substr(0, pos));
        if (pos == std::string_view::npos) {
            return out;
        }
        text.remove_prefix(pos + 1);
    }
}

const std::string* header(const sigv4::http_request& request, std::string_view name) {
    for (const auto& [key, value] : request.headers) {
        if (key.size() == name.size() && std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            })) {
            return &value;
        }
    }
    return nullptr;
}

const char* const signature_mismatch_message =
    "The request signature we calculated does not match the signature you provided. Check your AWS Secret "
    "Access "
    "Key and signing method. Consult the service documentation for details.";

}  // namespace

std::optional<authorization> parse_authorization(std::string_view text) {
    constexpr std::string_view algorithm = "AWS4-HMAC-SHA256";
    text = trim(text);
    if (text.substr(0, algorithm.size()) != algorithm || text.size() == algorithm.size() ||
        text[algorithm.size()] != ' ') {
        return std::nullopt;
    }
    text.remove_prefix(algorithm.size() + 1);
    authorization out;
    bool has_credential = false;
    for (const auto& part : split(text, ',')) {
        const auto item = trim(part);
        const auto eq = item.find('=');
        if (eq == std::string_view::npos) {
            return std::nullopt;
        }
        const auto key = item.substr(0, eq);
        const auto value = item.substr(eq + 1);
        if (key == "Credential") {
            const auto fields = split(value, '/');
            if (fields.size() != 5 || fields[4] != "aws4_request" || fields[0].empty()) {
                return std::nullopt;
            }
            out.access_key = fields[0];
            out.scope = {fields[1], fields[2], fields[3]};
            has_credential = true;
        } else if (key == "SignedHeaders") {
            out.signed_headers = split(value, ';');
        } else if (key == "Signature") {
            out.signature = value;
        }
    }
    if (!has_credential || out.signed_headers.empty() || out.signature.empty()) {
        return std::nullopt;
    }
    return out;
}

namespace {

// Checks X-Amz-Date against the clock and the credential scope; nullptr with `result` failed otherwise.
const std::string* signing_date(const sigv4::http_request& request, const authorization& auth, seconds_t now,
                                auth_result& result) {
    const auto* date_text = header(request, "x-amz-date");
    const auto date = date_text == nullptr ? std::nullopt : parse_iso8601_basic(*date_text);
    if (!date) {
        result.failure = auth_failure::malformed;
        result.detail =
            "Authorization header requires existence of either a 'X-Amz-Date' or a 'Date' header.";
        return nullptr;
    }
    if (*date < now - allowed_skew) {
        result.failure = auth_failure::expired;
        result.detail = "Signature expired: " + *date_text + " is now earlier than " +
                        iso8601_basic(now - allowed_skew) + " (" + iso8601_basic(now) + " - 15 min.)";
        return nullptr;
    }
    if (*date > now + allowed_skew) {
        result.failure = auth_failure::expired;
        result.detail = "Signature not yet current: " + *date_text + " is still later than " +
                        iso8601_basic(now + allowed_skew) + " (" + iso8601_basic(now) + " + 15 min.)";
        return nullptr;
    }
    if (auth.scope.date != date_text->substr(0, 8)) {
        result.failure = auth_failure::bad_signature;
        result.detail =
            "Date in Credential scope does not match YYYYMMDD from ISO-8601 version of date from HTTP: '" +
            auth.scope.date + "' != '" + date_text->substr(0, 8) + "', from '" + *date_text + "'.";
        return nullptr;
    }
    return date_text;
}

void check_signature(const sigv4::http_request& request, const authorization& auth,
                     const std::string& date_text, const credential& cred, auth_result& result) {
    const auto canonical =
        sigv4::canonical_request(request, auth.signed_headers, sigv4::sha256_hex(request.body));
    const auto to_sign = sigv4::string_to_sign(date_text, auth.scope, canonical);
    const auto expected = sigv4::signature(cred.secret_key, auth.scope, to_sign);
    if (expected.size() != auth.signature.size() ||
        CRYPTO_memcmp(expected.data(), auth.signature.data(), expected.size()) != 0) {
        result.failure = auth_failure::bad_signature;
        // AWS shows what it signed; neither text contains the secret.
        result.detail = std::string(signature_mismatch_message) +
                        "\n\nThe Canonical String for this request should have been\n'" + canonical +
                        "'\n\nThe String-to-Sign should have been\n'" + to_sign + "'\n";
    }
}

}  // namespace

auth_result verify(const scenario_model& model, const sigv4::http_request& request, const authorization& auth,
                   seconds_t now) {
    auth_result result;
    result.access_key = auth.access_key;
    const credential* cred = nullptr;
    for (const auto& a : model.accounts) {
        for (const auto& c : a.credentials) {
            if (c.access_key == auth.access_key) {
                cred = &c;
                result.acct = &a;
            }
        }
    }
    if (cred == nullptr) {
        result.failure = auth_failure::unknown_key;
        return result;
    }
    const auto* token = header(request, "x-amz-security-token");
    if ((token == nullptr) != cred->session_token.empty() ||
        (token != nullptr && *token != cred->session_token)) {
        result.failure = auth_failure::invalid_token;
        return result;
    }
    const auto* date_text = signing_date(request, auth, now, result);
    if (date_text == nullptr) {
        return result;
    }
    if (std::find(auth.signed_headers.begin(), auth.signed_headers.end(), "host") ==
        auth.signed_headers.end()) {
        result.failure = auth_failure::malformed;
        result.detail = "'Host' or ':authority' must be a 'SignedHeader' in the AWS Authorization.";
        return result;
    }
    check_signature(request, auth, *date_text, *cred, result);
    return result;
}

api_error auth_error(protocol wire, auth_failure failure, const std::string& detail) {
    struct entry {
        auth_failure failure;
        std::array<const char*, 3> code;  // ec2, query, json
        std::array<int, 3> status;
        std::array<const char*, 3> message;  // empty: `detail`
    };
    static const std::array<entry, 7> table{{
        {auth_failure::missing,
         {"MissingAuthenticationToken", "MissingAuthenticationToken", "MissingAuthenticationTokenException"},
         {401, 403, 400},
         {"The request must contain either a valid (registered) AWS access key ID or X.509 certificate.",
          "Request is missing Authentication Token", "Missing Authentication Token"}},
        {auth_failure::malformed,
         {"IncompleteSignature", "IncompleteSignature", "IncompleteSignatureException"},
         {400, 400, 400},
         {"", "", ""}},
        {auth_failure::unknown_key,
         {"AuthFailure", "InvalidClientTokenId", "UnrecognizedClientException"},
         {401, 403, 400},
         {"AWS was not able to validate the provided access credentials",
          "The security token included in the request is invalid.",
          "The security token included in the request is invalid."}},
        {auth_failure::invalid_token,
         {"AuthFailure", "InvalidClientTokenId", "UnrecognizedClientException"},
         {401, 403, 400},
         {"AWS was not able to validate the provided access credentials",
          "The security token included in the request is invalid.",
          "The security token included in the request is invalid."}},
        {auth_failure::expired,
         {"RequestExpired", "SignatureDoesNotMatch", "InvalidSignatureException"},
         {400, 403, 400},
         {"Request has expired.", "", ""}},
        {auth_failure::bad_signature,
         {"AuthFailure", "SignatureDoesNotMatch", "InvalidSignatureException"},
         {401, 403, 400},
         {"AWS was not able to validate the provided access credentials", "", ""}},
        {auth_failure::region_disabled,
         {"AuthFailure", "InvalidClientTokenId", "UnrecognizedClientException"},
         {401, 403, 400},
         {"AWS was not able to validate the provided access credentials",
          "The security token included in the request is invalid.",
          "The security token included in the request is invalid."}},
    }};
    const auto column = static_cast<std::size_t>(wire);
    for (const auto& e : table) {
        if (e.failure == failure) {
            const std::string message = *e.message.at(column) == '\0' ? detail : e.message.at(column);
            return {e.code.at(column), message, e.status.at(column)};
        }
    }
    return {"InternalFailure", "unexpected authentication state", 500, false};
}

}  // namespace orvane::tessel::emulator::detail
