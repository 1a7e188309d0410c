#pragma once

#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "libs/i18n/exception.h"
#include "libs/i18n/i18n_text.h"
#include "libs/i18n/texts.h"

namespace orvane::tessel::libi18n {

// A message ready to be sent: the encoded form "#:key[arg,arg]" for the host, and the English
// rendering for logs and for hosts without a translation.
class i18n_msg {
public:
    i18n_msg() = default;

    template <class... Args>
    requires(std::is_constructible_v<std::string, Args>&&...) explicit i18n_msg(const i18n_text& text,
                                                                                Args&&... arguments)
        : i18n_msg(text, std::vector<std::string>{std::string(std::forward<Args>(arguments))...}) {}

    i18n_msg(const i18n_text& text, const std::vector<std::string>& arguments);

    // A message without key: both forms are the text itself.
    static i18n_msg plain(std::string text);

    const std::string& encoded() const noexcept { return encoded_; }
    const std::string& english() const noexcept { return english_; }

    bool operator==(const i18n_msg&) const = default;

private:
    std::string encoded_;
    std::string english_;
};

// Appends an argument to an encoded message, escaping the characters that structure it.
void append_escaped(std::string& out, std::string_view argument);

// Root of the localised exception family; what() is the English rendering.
class i18n_exception : public libexception::exception {
public:
    explicit i18n_exception(i18n_msg message) : exception(message.english()), message_(std::move(message)) {}
    virtual i18n_msg message() const { return message_; }

private:
    i18n_msg message_;
};

// Layer that every localised class puts between itself and its base; it adds no data.
template <class Base>
class _i18n_exception : public Base {
public:
    using Base::Base;
};

// An error without a message of its own; the detail text is its argument.
class error_generic : public _i18n_exception<i18n_exception> {
public:
    explicit error_generic(std::string detail)
        : _i18n_exception(i18n_msg(texts::generic, std::move(detail))) {}
};

}  // namespace orvane::tessel::libi18n
