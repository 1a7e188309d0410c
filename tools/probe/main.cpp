// probe: a command-line host for the module. It loads the library by path, drives its exports and
// prints what comes back, so that anyone can try a sensor from a shell.
#include <CLI/CLI.hpp>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/probe/demo.h"
#include "tools/probe/host_session.h"
#include "tools/probe/renderer.h"
#include "tools/probe/settings_builder.h"

namespace {

using namespace orvane::tessel::probe;

struct options {
    std::string module_path;
    std::string log_dir;
    std::string endpoint;
    bool json = false;

    std::string kind;
    std::string settings_file;
    std::vector<std::string> overrides;
    std::string access_key;
    std::string secret_key;
    int count = 1;
    std::int32_t id = 1;
    bool languages = false;
};

// Before the module is loaded, so nothing reads the environment at the same time. On Windows the
// C runtime's _putenv_s also sets the process environment, which is what the module reads.
void set_environment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
#endif
}

std::string env(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): before any thread starts
    return value == nullptr ? std::string() : std::string(value);
}

settings_request request_of(const options& o) {
    settings_request request;
    request.kind = o.kind;
    if (!o.settings_file.empty()) {
        request.file = o.settings_file;
    }
    for (const auto& item : o.overrides) {
        const auto equals = item.find('=');
        if (equals == std::string::npos) {
            throw std::runtime_error("--set needs KEY=VALUE, not " + item);
        }
        request.overrides.emplace_back(item.substr(0, equals), item.substr(equals + 1));
    }
    request.access_key = o.access_key.empty() ? env("AWS_ACCESS_KEY_ID") : o.access_key;
    request.secret_key = o.secret_key.empty() ? env("AWS_SECRET_ACCESS_KEY") : o.secret_key;
    return request;
}

void add_settings_options(CLI::App& command, options& o) {
    command.add_option("kind", o.kind, "Kind name from the definition document")->required();
    command.add_option("--settings", o.settings_file, "Settings buffer file in the host's wire format");
    command.add_option("--set", o.overrides, "Override one setting: KEY=VALUE (repeatable)");
    command.add_option("--access-key", o.access_key, "AWS access key (default: AWS_ACCESS_KEY_ID)");
    command.add_option("--secret-key", o.secret_key, "AWS secret key (default: AWS_SECRET_ACCESS_KEY)");
}

// Reports a non-zero export result; returns whether the call succeeded.
bool report(const char* export_name, std::int32_t code) {
    if (code != 0) {
        std::cerr << "probe: " << export_name << " returned " << code << "\n";
    }
    return code == 0;
}

int run(const std::string& command, const options& o) {
    if (!o.log_dir.empty()) {
        set_environment("VEXA_LOG_DIR", o.log_dir);
    }
    if (!o.endpoint.empty()) {
        set_environment("AWS_ENDPOINT_URL", o.endpoint);
    }
    std::unique_ptr<renderer> view;
    host_session session(o.module_path, [&](std::string_view raw, const nlohmann::ordered_json& message) {
        if (o.json) {
            std::cout << raw << std::endl;
        } else if (view) {
            view->render(message);
        }
    });
    const auto& document = session.document();
    view = std::make_unique<renderer>(std::cout, document);

    if (command == "info") {
        session.module_information(o.languages);
        return 0;
    }
    if (command == "demo") {
        auto credentials = request_of(o);
        return run_demo(session, std::cout, credentials) ? 0 : 1;
    }
    const std::string settings = build_settings(document, request_of(o));
    bool ok = true;
    if (command == "check") {
        std::cout << (o.json ? "" : "check " + o.kind + "\n") << std::flush;
        ok = report("ExecuteCheck", session.check(o.id, settings));
    } else if (command == "metascan") {
        std::cout << (o.json ? "" : "meta-scan " + o.kind + "\n") << std::flush;
        ok = report("ExecuteMetaScan", session.metascan(o.id, 1, settings));
    } else if (command == "scan") {
        if (!o.json) {
            std::cout << "sensor " << o.id << " (" << o.kind << ")\n";
        }
        ok = report("CreateSensorInstance", session.create(o.id, settings));
        for (int i = 0; ok && i < o.count; ++i) {
            ok = report("ExecuteSensorScan", session.scan(o.id));
        }
        ok = report("DestroySensorInstance", session.destroy(o.id)) && ok;
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"probe: a command-line host for the AWS monitoring module"};
    options o;
    o.module_path = env("VEXA_MODULE").empty() ? VEXA_DEFAULT_MODULE_PATH : env("VEXA_MODULE");
    app.add_option("--module", o.module_path, "Path of the module library")->capture_default_str();
    app.add_option("--log-dir", o.log_dir, "Folder for the module's log files (VEXA_LOG_DIR)");
    app.add_option("--endpoint", o.endpoint, "Send every AWS request to this URL (AWS_ENDPOINT_URL)");
    app.add_flag("--json", o.json, "Print every message as the JSON line the module sent");
    app.add_option("--id", o.id, "Sensor, check or meta-scan id")->capture_default_str();
    app.require_subcommand(1);
    // Subcommands inherit this: "probe info --languages --json" reads as well as "probe --json info".
    app.fallthrough();

    auto* info = app.add_subcommand("info", "Summarise the module definition document");
    info->add_flag("--languages", o.languages, "Ask for every translation");
    auto* check = app.add_subcommand("check", "Run a check (tests the credentials)");
    add_settings_options(*check, o);
    auto* metascan = app.add_subcommand("metascan", "Run a meta-scan (lists what can be monitored)");
    add_settings_options(*metascan, o);
    auto* scan = app.add_subcommand("scan", "Create a sensor, scan it and destroy it");
    add_settings_options(*scan, o);
    scan->add_option("--count", o.count, "Number of scans")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);

    auto* demo = app.add_subcommand("demo", "Run every check and meta-scan, then scan a sensor of each kind");
    demo->add_option("--access-key", o.access_key, "AWS access key (default: AWS_ACCESS_KEY_ID)");
    demo->add_option("--secret-key", o.secret_key, "AWS secret key (default: AWS_SECRET_ACCESS_KEY)");

    CLI11_PARSE(app, argc, argv);
    try {
        return run(app.get_subcommands().front()->get_name(), o);
    } catch (const std::exception& error) {
        std::cerr << "probe: " << error.what() << "\n";
        return 2;
    }
}
