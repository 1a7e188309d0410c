#pragma once

#include <aws/core/Aws.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

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
            setenv(m_name.c_str(), value->c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
        } else {
            unsetenv(m_name.c_str());  // NOLINT(concurrency-mt-unsafe)
        }
    }
    std::string m_name;
    std::optional<std::string> m_old;
};

// Starts and stops the SDK around every test program, as a host would around the module.
class SdkEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Aws::InitAPI(m_options); }
    void TearDown() override { Aws::ShutdownAPI(m_options); }

private:
    Aws::SDKOptions m_options;
};

}  // namespace awssdk_test
