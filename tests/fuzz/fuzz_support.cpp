#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "libs/stringutils/safe_text.h"

namespace orvane::tessel::fuzz {

bool holds_secret_fragment(std::string_view text) {
    for (std::size_t i = 0; i + fragment <= secret.size(); ++i) {
        if (text.find(secret.substr(i, fragment)) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

void fail(std::string_view property, std::string_view evidence) {
    std::string shown;
    libstringutils::append_log_text(shown, evidence.substr(0, 4096));
    std::fprintf(stderr, "\nproperty violated: %.*s\n%s\n", static_cast<int>(property.size()),
                 property.data(), shown.c_str());
    std::abort();
}

void require_no_secret(std::string_view where, std::string_view text) {
    if (holds_secret_fragment(text)) {
        fail(std::string("a piece of the secret in ").append(where), text);
    }
}

void require_strict_json(std::string_view text) {
    if (nlohmann::json::parse(text, nullptr, false).is_discarded()) {
        fail("a message that is not strict UTF-8 JSON", text);
    }
}

void require_log_line(std::string_view line) {
    std::string again;
    libstringutils::append_log_text(again, line);
    if (again != line) {
        fail("a log entry that is not one line of valid UTF-8", line);
    }
}

halves split_at_nul(std::string_view input) {
    const auto nul = input.find('\0');
    if (nul == std::string_view::npos) {
        return {input, {}};
    }
    return {input.substr(0, nul), input.substr(nul + 1)};
}

}  // namespace orvane::tessel::fuzz
