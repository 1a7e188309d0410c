#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What every fuzz target checks besides "no crash, no sanitizer report".
namespace orvane::tessel::fuzz {

// Planted wherever a secret belongs; no run of `fragment` of its bytes may show in any output.
inline constexpr std::string_view secret = "Qz8Vx3Kp7Wm2Ry6Tn4Lb9Hc";
inline constexpr std::size_t fragment = 6;

bool holds_secret_fragment(std::string_view text);

// Stops the run with the property that failed; the fuzzer keeps the input as a crash.
[[noreturn]] void fail(std::string_view property, std::string_view evidence);

void require_no_secret(std::string_view where, std::string_view text);
// RFC 8259 JSON in well-formed UTF-8, as a strict host reads it.
void require_strict_json(std::string_view text);
// One line (no line break, no other control character) of well-formed UTF-8.
void require_log_line(std::string_view line);

// Splits the input at its first NUL: the bytes before and after a planted part.
struct halves {
    std::string_view before;
    std::string_view after;
};
halves split_at_nul(std::string_view input);

}  // namespace orvane::tessel::fuzz
