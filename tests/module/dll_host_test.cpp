// The DLL driven through its exports, as a Windows host drives it, against the AWS emulator running
// on Linux: plain HTTP, HTTPS with the emulator's self-signed certificate, and an authenticating
// proxy. tests/module/with_emulator.sh starts the emulator and the proxy and says where they are.
#include <windows.h>

#include <winternl.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tools/probe/host_session.h"
#include "tools/probe/settings_builder.h"

namespace {

using orvane::tessel::probe::build_settings;
using orvane::tessel::probe::host_session;
using orvane::tessel::probe::module_library;
using orvane::tessel::probe::settings_request;
using json = nlohmann::ordered_json;

std::string variable(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): set before the test starts
    return value == nullptr ? std::string() : std::string(value);
}

// The DLL as the probe loads it; it stays loaded, as a host keeps its modules.
module_library& module_under_test() {
    static module_library library(variable("VEXA_TEST_MODULE"));
    return library;
}

// A host sets variables in its process environment, not in a C runtime's copy of it.
void host_sets(const char* name, const char* value) {
    SetEnvironmentVariableA(name, value);
}

struct DllHost : ::testing::Test {
    void SetUp() override {
        if (variable("VEXA_TEST_ENDPOINT").empty()) {
            GTEST_SKIP() << "run through tests/module/with_emulator.sh";
        }
        host_sets("VEXA_AWS_DISABLE_VERIFY_SSL", nullptr);
        use_endpoint(variable("VEXA_TEST_ENDPOINT"));
    }
    void TearDown() override { host_sets("VEXA_AWS_DISABLE_VERIFY_SSL", nullptr); }

    static void use_endpoint(const std::string& url) { host_sets("AWS_ENDPOINT_URL", url.c_str()); }

    // One session per call: the environment is read when clients are made.
    static json last_check_result(const std::vector<std::pair<std::string, std::string>>& overrides = {}) {
        host_session session(module_under_test(), nullptr);
        settings_request request;
        request.kind = "ec2_check";
        request.access_key = "AKIDEXAMPLE";
        request.secret_key = "wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY";
        request.overrides = overrides;
        EXPECT_EQ(session.check(1, build_settings(session.document(), request)), 0);
        json result;
        for (auto& message : session.take_messages()) {
            if (message["type"] == "check_result") {
                result = std::move(message);
            }
        }
        return result;
    }

    static std::vector<std::pair<std::string, std::string>> proxy(const std::string& password) {
        return {{"httpproxy.httpproxygroup.name", "127.0.0.2"},
                {"httpproxy.httpproxygroup.port", variable("VEXA_TEST_PROXY_PORT")},
                {"httpproxy.httpproxygroup.user", "vexa"},
                {"httpproxy.httpproxygroup.password", password}};
    }
};

TEST_F(DllHost, ExportsAnswerAsDocumentedInEveryState) {
    HMODULE library = LoadLibraryA(variable("VEXA_TEST_MODULE").c_str());
    ASSERT_NE(library, nullptr);
    const auto api =
        reinterpret_cast<int32_t (*)()>(reinterpret_cast<void*>(GetProcAddress(library, "GetApiLevel")));
    const auto scan = reinterpret_cast<int32_t (*)(int32_t)>(
        reinterpret_cast<void*>(GetProcAddress(library, "ExecuteSensorScan")));
    const auto cleanup =
        reinterpret_cast<int32_t (*)()>(reinterpret_cast<void*>(GetProcAddress(library, "CleanupModule")));
    ASSERT_TRUE(api != nullptr && scan != nullptr && cleanup != nullptr);
    EXPECT_EQ(api(), 6);
    EXPECT_EQ(scan(1), 3);
    EXPECT_EQ(cleanup(), 0);
    {
        host_session session(module_under_test(), nullptr);
        EXPECT_EQ(session.document()["Revision"], 67);
        EXPECT_EQ(api(), 6);
        EXPECT_EQ(session.scan(1), 14) << "no such sensor";
    }
    EXPECT_EQ(scan(1), 3);
    FreeLibrary(library);
}

bool has_static_tls(HMODULE library) {
    const auto* base = reinterpret_cast<const BYTE*>(library);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_TLS].Size != 0;
}

// The loader's flags of a loaded module (LDR_DATA_TABLE_ENTRY.Flags, past the documented start).
std::optional<ULONG> loader_flags(HMODULE library) {
    struct loader_entry {
        LIST_ENTRY in_load_order;
        LIST_ENTRY in_memory_order;
        LIST_ENTRY in_initialization_order;
        void* base;
        void* entry_point;
        ULONG image_size;
        UNICODE_STRING full_name;
        UNICODE_STRING base_name;
        ULONG flags;
    };
    using query_process = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<query_process>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION process{};
    if (query == nullptr ||
        query(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof(process), nullptr) != 0) {
        return std::nullopt;
    }
    const LIST_ENTRY* head = &process.PebBaseAddress->Ldr->InMemoryOrderModuleList;
    for (const LIST_ENTRY* link = head->Flink; link != head; link = link->Flink) {
        const auto* entry = reinterpret_cast<const loader_entry*>(reinterpret_cast<const BYTE*>(link) -
                                                                  offsetof(loader_entry, in_memory_order));
        if (entry->base == library) {
            return entry->flags;
        }
    }
    return std::nullopt;
}

// The entry routine asks the loader to stop per-thread notifications and does nothing else. The
// loader grants that only to images without static thread-local storage; mingw-w64's runtime puts a
// TLS directory into every image it links, and for those Windows and Wine refuse the request.
TEST_F(DllHost, EntryRoutineAsksForNoThreadNotifications) {
    constexpr ULONG dont_call_for_threads = 0x00040000;  // LDRP_DONT_CALL_FOR_THREADS
    HMODULE library = LoadLibraryA(variable("VEXA_TEST_MODULE").c_str());
    ASSERT_NE(library, nullptr);
    const auto flags = loader_flags(library);
    ASSERT_TRUE(flags.has_value());
    EXPECT_EQ((*flags & dont_call_for_threads) != 0, !has_static_tls(library));
    FreeLibrary(library);
}

TEST_F(DllHost, CheckSucceedsOverHttp) {
    const auto result = last_check_result();
    EXPECT_EQ(result.value("success", false), true) << result.dump();
}

TEST_F(DllHost, SelfSignedCertificateIsRefusedUnlessVerificationIsOff) {
    use_endpoint(variable("VEXA_TEST_TLS_ENDPOINT"));
    const auto verified = last_check_result();
    EXPECT_EQ(verified.value("success", true), false) << verified.dump();

    host_sets("VEXA_AWS_DISABLE_VERIFY_SSL", "1");
    const auto unverified = last_check_result();
    EXPECT_EQ(unverified.value("success", false), true) << unverified.dump();
}

TEST_F(DllHost, ProxyWithBasicAuthenticationCarriesTheRequests) {
    const auto through = last_check_result(proxy("pr0xy-pass"));
    EXPECT_EQ(through.value("success", false), true) << through.dump();

    const auto refused = last_check_result(proxy("wrong"));
    EXPECT_EQ(refused.value("success", true), false) << refused.dump();
}

}  // namespace
