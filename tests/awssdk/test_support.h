#pragma once

#include <aws/core/Aws.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "tests/support/environment.h"

namespace awssdk_test {

// Sets (or unsets, with nullopt) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) {  // NOLINT(concurrency-mt-unsafe)
            m_old = old;
        }
        Apply(value);
    }
    ~ScopedEnv() { Apply(m_old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            vexa_test::set_environment(m_name.c_str(), *value);
        } else {
            vexa_test::unset_environment(m_name.c_str());
        }
    }
    std::string m_name;
    std::optional<std::string> m_old;
};

// Matches text against a shape: '#' is one digit, '+' one or more digits, 'H' one upper-case hex digit,
// anything else itself. (std::regex trips g++ 12's uninitialised-use warnings under the sanitizers.)
inline bool MatchesShape(std::string_view text, std::string_view shape) {
    size_t t = 0;
    const auto next = [&](auto accepts) { return t < text.size() && accepts(text[t]) && ++t > 0; };
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    const auto hex = [](char c) {
        return std::string_view("0123456789ABCDEF").find(c) != std::string_view::npos;
    };
    for (const char s : shape) {
        const bool ok = s == '#' || s == '+' ? next(digit)
                        : s == 'H'           ? next(hex)
                                             : next([s](char c) { return c == s; });
        while (s == '+' && next(digit)) {
        }
        if (!ok) {
            return false;
        }
    }
    return t == text.size();
}

// Starts and stops the SDK around every test program, as a host would around the module.
class SdkEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Aws::InitAPI(m_options); }
    void TearDown() override { Aws::ShutdownAPI(m_options); }

private:
    Aws::SDKOptions m_options;
};

}  // namespace awssdk_test
