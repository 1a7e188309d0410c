#include "core/profile_config.h"
#include "core/string_utils.h"

#include <aws/core/VersionConfig.h>
#include <aws/core/client/ClientConfiguration.h>
#include <aws/core/client/DefaultRetryStrategy.h>
#include <aws/core/platform/Environment.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/utsname.h>
#endif

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>

namespace Aws {
namespace Internal {
namespace {

using Profiles = std::map<Aws::String, std::map<Aws::String, Aws::String>>;

struct ProfileCache {
    std::mutex mutex;
    std::map<Aws::String, Profiles> files;
};

ProfileCache& Cache() {
    static ProfileCache cache;
    return cache;
}

Aws::String ConfigFilePath() {
    Aws::String path = Aws::Environment::GetEnv("AWS_CONFIG_FILE");
    if (!path.empty()) {
        return path;
    }
    Aws::String home = Aws::Environment::GetEnv("HOME");
#ifdef _WIN32
    if (home.empty()) {
        home = Aws::Environment::GetEnv("USERPROFILE");  // where the official SDK looks on Windows
    }
#endif
    if (home.empty()) {
        return {};
    }
    return home + "/.aws/config";
}

Profiles ParseConfigFile(const Aws::String& path) {
    Profiles profiles;
    std::ifstream in(path);
    Aws::String line;
    Aws::String section;
    while (std::getline(in, line)) {
        const std::string_view text = Trim(line);
        if (text.empty() || text.front() == '#' || text.front() == ';') {
            continue;
        }
        if (text.front() == '[') {
            const auto close = text.find(']');
            std::string_view name =
                Trim(text.substr(1, close == std::string_view::npos ? text.size() - 1 : close - 1));
            if (name.substr(0, 8) == "profile ") {
                name = Trim(name.substr(8));
            }
            section = Aws::String(name);
            continue;
        }
        const auto eq = text.find('=');
        if (eq == std::string_view::npos || section.empty()) {
            continue;
        }
        profiles[section][Aws::String(Trim(text.substr(0, eq)))] = Aws::String(Trim(text.substr(eq + 1)));
    }
    return profiles;
}

}  // namespace

namespace {

// Runs `read` on the cached profiles of the current config file, under the cache lock.
template <typename Read>
auto WithProfiles(Read read) {
    static const Profiles kNone;
    const Aws::String path = ConfigFilePath();
    if (path.empty()) {
        return read(kNone);
    }
    auto& cache = Cache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    auto it = cache.files.find(path);
    if (it == cache.files.end()) {
        it = cache.files.emplace(path, ParseConfigFile(path)).first;
    }
    return read(it->second);
}

}  // namespace

Aws::String ProfileValue(const Aws::String& profile, const char* key) {
    return WithProfiles([&](const Profiles& profiles) {
        const auto section = profiles.find(profile);
        if (section == profiles.end()) {
            return Aws::String();
        }
        const auto value = section->second.find(key);
        return value == section->second.end() ? Aws::String() : value->second;
    });
}

bool HasProfile(const Aws::String& profile) {
    return WithProfiles([&](const Profiles& profiles) { return profiles.count(profile) != 0; });
}

Aws::String DefaultProfileName() {
    Aws::String name = Aws::Environment::GetEnv("AWS_PROFILE");
    if (name.empty()) {
        name = Aws::Environment::GetEnv("AWS_DEFAULT_PROFILE");
    }
    return name.empty() ? Aws::String("default") : name;
}

void ResetProfileCache() {
    auto& cache = Cache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    cache.files.clear();
}

}  // namespace Internal

namespace Environment {

#ifdef _WIN32
// The process environment itself, not the C runtime's copy of it: a host that sets a variable with
// SetEnvironmentVariable after start is seen.
Aws::String GetEnv(const char* name) {
    if (name == nullptr) {
        return {};
    }
    Aws::String value(256, '\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);
    }
}
#else
Aws::String GetEnv(const char* name) {
    const char* value = name != nullptr ? std::getenv(name) : nullptr;  // NOLINT(concurrency-mt-unsafe)
    return value != nullptr ? Aws::String(value) : Aws::String();
}
#endif

}  // namespace Environment

namespace Http {
namespace SchemeMapper {

const char* ToString(Scheme scheme) {
    return scheme == Scheme::HTTP ? "http" : "https";
}

Scheme FromString(const char* name) {
    return name != nullptr && Aws::Internal::EqualsIgnoreCase(Aws::Internal::Trim(name), "http")
               ? Scheme::HTTP
               : Scheme::HTTPS;
}

}  // namespace SchemeMapper
}  // namespace Http

namespace Client {
namespace {

constexpr const char* kDefaultRegion = "us-east-1";

// IMDS is never queried: the module always disables it, and a host process should not make surprise
// network calls while building a configuration.
Aws::String ResolveDefaultRegion(const Aws::String& profile) {
    for (const char* variable : {"AWS_DEFAULT_REGION", "AWS_REGION"}) {
        Aws::String region = Aws::Environment::GetEnv(variable);
        if (!region.empty()) {
            return region;
        }
    }
    Aws::String region = Aws::Internal::ProfileValue(profile, "region");
    return region.empty() ? Aws::String(kDefaultRegion) : region;
}

Aws::String FilterToken(std::string_view token) {
    Aws::String out(token);
    for (char& ch : out) {
        if (ch == ' ') {
            ch = '_';
        } else if (!std::isalnum(static_cast<unsigned char>(ch)) &&
                   Aws::String("!#$%&'*+-.^_`|~").find(ch) == Aws::String::npos) {
            ch = '-';
        }
    }
    return out;
}

struct OsInfo {
    const char* name;
    Aws::String release;
    Aws::String machine;
};

#ifdef _WIN32
// RtlGetVersion tells the real version; GetVersionEx is capped at 6.2 for unmanifested programs.
OsInfo OperatingSystem() {
    using RtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto query = ntdll == nullptr ? nullptr
                                        : reinterpret_cast<RtlGetVersion>(reinterpret_cast<void*>(
                                              GetProcAddress(ntdll, "RtlGetVersion")));
    if (query != nullptr) {
        query(&version);
    }
    return {"Windows",
            std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion) + "." +
                std::to_string(version.dwBuildNumber),
            "x86_64"};
}
#else
OsInfo OperatingSystem() {
    utsname info{};
    uname(&info);
    return {"Linux", info.release, info.machine};
}
#endif

}  // namespace

Aws::String ComputeUserAgentString(ClientConfiguration const* const pConfig) {
    (void)pConfig;
    static const Aws::String agent = [] {
        const auto [os, release, machine] = OperatingSystem();
        return Aws::String("aws-sdk-cpp/") + AWS_SDK_VERSION_STRING + " ua/2.1 os/" + os + "#" +
               FilterToken(release) + " lang/c++#C++" + std::to_string(__cplusplus / 100 % 100) +
               " md/arch#" + FilterToken(machine) + " md/GCC#" + FilterToken(__VERSION__);
    }();
    return agent;
}

// The official signature takes the mode by value.
std::shared_ptr<RetryStrategy> InitRetryStrategy(
    Aws::String retryMode) {  // NOLINT(performance-unnecessary-value-param)
    // "standard" and "adaptive" are recognised but share the default exponential backoff.
    (void)retryMode;
    return std::make_shared<DefaultRetryStrategy>();
}

ClientConfiguration::ClientConfiguration() {
    SetDefaults();
}

ClientConfiguration::ClientConfiguration(const ClientConfigurationInitValues& configuration) {
    disableIMDS = configuration.shouldDisableIMDS;
    SetDefaults();
}

ClientConfiguration::ClientConfiguration(const char* profileName, bool shouldDisableIMDS) {
    disableIMDS = shouldDisableIMDS;
    SetDefaults();
    if (profileName != nullptr && Aws::Internal::HasProfile(profileName)) {
        this->profileName = profileName;
        Aws::String profileRegion = Aws::Internal::ProfileValue(this->profileName, "region");
        if (!profileRegion.empty()) {
            region = std::move(profileRegion);
        }
    }
}

void ClientConfiguration::SetDefaults() {
    scheme = Aws::Http::Scheme::HTTPS;
    maxConnections = 25;
    httpRequestTimeoutMs = 0;
    requestTimeoutMs = 3000;
    connectTimeoutMs = 1000;
    enableTcpKeepAlive = true;
    tcpKeepAliveIntervalMs = 30000;
    lowSpeedLimit = 1;
    verifySSL = true;
    proxyScheme = Aws::Http::Scheme::HTTP;
    proxyPort = 0;
    followRedirects = FollowRedirectsPolicy::DEFAULT;
    enableClockSkewAdjustment = true;
    profileName = Aws::Internal::DefaultProfileName();
    userAgent = ComputeUserAgentString(this);
    region = ResolveDefaultRegion(profileName);
    Aws::String mode = Aws::Environment::GetEnv("AWS_RETRY_MODE");
    if (mode.empty()) {
        mode = Aws::Internal::ProfileValue(profileName, "retry_mode");
    }
    retryStrategy = InitRetryStrategy(mode);
}

bool DefaultRetryStrategy::ShouldRetry(const AWSError<CoreErrors>& error, long attemptedRetries) const {
    return attemptedRetries < m_maxRetries && error.ShouldRetry();
}

long DefaultRetryStrategy::CalculateDelayBeforeNextRetry(const AWSError<CoreErrors>& error,
                                                         long attemptedRetries) const {
    (void)error;
    if (attemptedRetries == 0) {
        return 0;
    }
    return (1L << attemptedRetries) * m_scaleFactor;
}

}  // namespace Client
}  // namespace Aws
