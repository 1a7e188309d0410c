#pragma once

#include <aws/core/utils/memory/stl/AWSString.h>

namespace Aws {
namespace Internal {

// A value from the shared config file (AWS_CONFIG_FILE or ~/.aws/config). The file is read once per
// process and path; later lookups are map reads.
Aws::String ProfileValue(const Aws::String& profile, const char* key);
bool HasProfile(const Aws::String& profile);
Aws::String DefaultProfileName();
// Forgets the cached file, so that the next lookup reads it again.
void ResetProfileCache();

}  // namespace Internal
}  // namespace Aws
