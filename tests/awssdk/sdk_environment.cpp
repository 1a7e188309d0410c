#include "test_support.h"

namespace {

// Registered before main runs; GoogleTest owns the environment.
// NOLINTNEXTLINE(cert-err58-cpp,cppcoreguidelines-owning-memory)
[[maybe_unused]] const ::testing::Environment* const kSdk =
    ::testing::AddGlobalTestEnvironment(new awssdk_test::SdkEnvironment);

}  // namespace
