#pragma once

#include <string>

#include "framework/exceptions.h"

namespace orvane::tessel::aws {

// The one way the clients follow a listing. `read_page` sends the request as it stands, takes the
// page in and returns the token of the next one (empty after the last); `ask_for` puts a token on the
// request. With a bound, at most `max_pages` pages are read: a last allowed page that still names a
// next one throws result_pages_overflow. A page that names the very token it was asked with would
// repeat forever, bound or no bound, and leave the host's thread waiting: that ends the listing
// with an error.
inline constexpr int unbounded = 0;

template <class ReadPage, class AskFor>
void follow_pages(int max_pages, ReadPage&& read_page, AskFor&& ask_for) {
    std::string asked;
    for (int page = 1;; ++page) {
        std::string next = read_page();
        if (next.empty()) {
            return;
        }
        if (max_pages != unbounded && page >= max_pages) {
            throw exceptions::result_pages_overflow(std::to_string(max_pages));
        }
        if (next == asked) {
            throw libi18n::error_generic(
                "AWS answered a page with the token it was asked for; the listing "
                "would never end.");
        }
        ask_for(next);
        asked = std::move(next);
    }
}

}  // namespace orvane::tessel::aws
