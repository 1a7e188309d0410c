#include "test_support.h"

namespace {

// Registered before main runs; GoogleTest owns the environment.
[[maybe_unused]] const ::testing::Environment* const kSdk = ::testing::AddGlobalTestEnvironment(
    new awssdk_test::SdkEnvironment);  // NOLINT(cppcoreguidelines-owning-memory)

}  // namespace
