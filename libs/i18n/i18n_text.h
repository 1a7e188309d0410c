#pragma once

#include <string_view>

namespace orvane::tessel::libi18n {

// A message key with its English text; the host translates the key through the definition document.
struct i18n_text {
    std::string_view key;
    std::string_view english;
};

}  // namespace orvane::tessel::libi18n
