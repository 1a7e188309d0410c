#include "host/settings_excerpt.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvane::tessel::libvexahelper {

namespace {

constexpr std::string_view hidden = "***";
constexpr std::string_view cut = "\xE2\x80\xA6";  // …

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool is_scalar_char(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
           c == '+' || c == '.';
}

// A key that holds an escape could spell a secret's name in a way a byte comparison misses.
bool hides_secret(std::string_view key) {
    return key == "secure_settings" || is_secret_setting(key) || key.find('\\') != std::string_view::npos;
}

// Reads the buffer token by token, as far as its structure is unambiguous.
class excerpt_writer {
public:
    excerpt_writer(std::string_view buffer, std::size_t limit) : in_(buffer), limit_(limit) {}

    std::string run() {
        while (pos_ < in_.size()) {
            if (pos_ >= limit_) {
                out_.append(cut);
                break;
            }
            if (!step()) {
                out_.append(cut);
                break;
            }
        }
        return std::move(out_);
    }

private:
    enum class expect { value, key_or_end, colon, comma_or_end, value_or_end, done };

    struct frame {
        bool object;
        bool secret;
    };

    bool secret_here() const { return (!frames_.empty() && frames_.back().secret) || key_secret_; }

    expect after_value() const { return frames_.empty() ? expect::done : expect::comma_or_end; }

    bool step() {
        const char c = in_[pos_];
        if (is_space(c)) {
            out_.push_back(c);
            ++pos_;
            return true;
        }
        const bool value_wanted = expect_ == expect::value || expect_ == expect::value_or_end;
        if ((c == '{' || c == '[') && value_wanted) {
            frames_.push_back({c == '{', secret_here()});
            expect_ = c == '{' ? expect::key_or_end : expect::value_or_end;
            key_secret_ = false;
            return copy(1);
        }
        if ((c == '}' &&
             (expect_ == expect::key_or_end || (expect_ == expect::comma_or_end && in_object()))) ||
            (c == ']' &&
             (expect_ == expect::value_or_end || (expect_ == expect::comma_or_end && !in_object())))) {
            frames_.pop_back();
            expect_ = after_value();
            return copy(1);
        }
        if (c == ',' && expect_ == expect::comma_or_end) {
            expect_ = in_object() ? expect::key_or_end : expect::value;
            key_secret_ = false;
            return copy(1);
        }
        if (c == ':' && expect_ == expect::colon) {
            expect_ = expect::value;
            return copy(1);
        }
        if (c == '"' && expect_ == expect::key_or_end) {
            const std::size_t end = string_end();
            const std::size_t key_end = end <= in_.size() ? end - 1 : in_.size();
            key_secret_ = hides_secret(in_.substr(pos_ + 1, key_end - pos_ - 1));
            expect_ = expect::colon;
            return copy(std::min(end, in_.size()) - pos_);
        }
        if (c == '"' && value_wanted) {
            return value(string_end(), true);
        }
        if (is_scalar_char(c) && value_wanted) {
            std::size_t end = pos_;
            while (end < in_.size() && is_scalar_char(in_[end])) {
                ++end;
            }
            return value(end, false);
        }
        return false;
    }

    // A value ends at `end`; a secret one is shown as ***, in quotes if it was a string.
    bool value(std::size_t end, bool quoted) {
        const bool closed = end <= in_.size();
        end = std::min(end, in_.size());
        if (secret_here()) {
            out_.append(quoted ? "\"" : "").append(hidden).append(quoted && closed ? "\"" : "");
            pos_ = end;
        } else {
            copy(end - pos_);
        }
        key_secret_ = false;
        expect_ = after_value();
        return closed;
    }

    // One past the closing quote of the string at pos_, or in_.size() + 1 if it is never closed.
    std::size_t string_end() const {
        for (std::size_t i = pos_ + 1; i < in_.size(); ++i) {
            if (in_[i] == '\\') {
                ++i;
            } else if (in_[i] == '"') {
                return i + 1;
            }
        }
        return in_.size() + 1;
    }

    bool in_object() const { return !frames_.empty() && frames_.back().object; }

    // Copies a token, or as much of it as the limit leaves.
    bool copy(std::size_t count) {
        const std::size_t shown = std::min(count, limit_ - pos_);
        out_.append(in_.substr(pos_, shown));
        pos_ = shown < count ? limit_ : pos_ + count;
        return true;
    }

    std::string_view in_;
    std::size_t limit_;
    std::size_t pos_ = 0;
    std::string out_;
    std::vector<frame> frames_;
    expect expect_ = expect::value;
    bool key_secret_ = false;
};

}  // namespace

bool is_secret_setting(std::string_view key) {
    static constexpr std::array<std::string_view, 3> names = {"secret_key", "password", "orvanecloudapikey"};
    const auto dot = key.rfind('.');
    const std::string_view name = dot == std::string_view::npos ? key : key.substr(dot + 1);
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string settings_excerpt(std::string_view buffer, std::size_t limit) {
    return excerpt_writer(buffer, limit).run();
}

}  // namespace orvane::tessel::libvexahelper
