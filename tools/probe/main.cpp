// probe: a command-line host for the module. It loads the library by path, drives its exports and
// prints what comes back, so that anyone can try a sensor from a shell. Exit status: 0 when every call
// succeeded, 1 when one failed, 2 when the command line was wrong.
#include <CLI/CLI.hpp>
#include <cstdlib>
#include <iostream>
#include <string>

#include "tools/probe/commands.h"
#include "tools/probe/usage_error.h"

namespace {

using namespace orvane::tessel::probe;

constexpr int usage_status = 2;

void add_credentials(CLI::App& command, probe_options& o) {
    command.add_option("--access-key", o.access_key, "AWS access key (default: AWS_ACCESS_KEY_ID)");
    command.add_option("--secret-key", o.secret_key, "AWS secret key (default: AWS_SECRET_ACCESS_KEY)");
}

void add_settings_options(CLI::App& command, probe_options& o) {
    command.add_option(
        "--settings", o.settings_file,
        "Settings buffer file in the host's wire format; what it leaves out takes its default");
    command.add_option("--set", o.overrides, "Set one setting: KEY=VALUE (repeatable)");
    add_credentials(command, o);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "probe: a command-line host for the AWS monitoring module.\n"
        "Exit status: 0 every call succeeded; 1 a call, check, scan or meta-scan failed; 2 usage error."};
    probe_options o;
    const char* module = std::getenv("VEXA_MODULE");  // NOLINT(concurrency-mt-unsafe): no threads yet
    o.module_path = module == nullptr || *module == '\0' ? VEXA_DEFAULT_MODULE_PATH : module;
    app.add_option("--module", o.module_path, "Path of the module library (VEXA_MODULE)")
        ->capture_default_str();
    app.add_option("--log-dir", o.log_dir, "Keep the module's log files in this folder (VEXA_LOG_DIR)");
    app.add_option("--endpoint", o.endpoint, "Send every AWS request to this URL (AWS_ENDPOINT_URL)");
    app.add_flag("--json", o.json, "Print every message as the JSON line the module sent");
    app.add_option("--id", o.id, "Sensor, check or meta-scan id")->capture_default_str();
    app.require_subcommand(1);
    // Subcommands inherit this: "probe info --languages --json" reads as well as "probe --json info".
    app.fallthrough();

    auto* info = app.add_subcommand("info", "Summarise the module definition document");
    info->add_flag("--languages", o.languages, "Ask for every translation");
    auto* check = app.add_subcommand("check", "Run a check (tests the credentials)");
    check->add_option("kind", o.kind, "Check kind from the definition document")->required();
    add_settings_options(*check, o);
    auto* metascan = app.add_subcommand("metascan", "Run a meta-scan (lists what can be monitored)");
    metascan->add_option("kind", o.kind, "Meta-scan kind from the definition document")->required();
    add_settings_options(*metascan, o);
    auto* scan = app.add_subcommand("scan", "Create a sensor, scan it and destroy it");
    scan->add_option("kind", o.kind, "Sensor kind from the definition document")->required();
    add_settings_options(*scan, o);
    scan->add_option("--count", o.count, "Number of scans")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);

    auto* demo = app.add_subcommand("demo",
                                    "Run every check and meta-scan, scan a sensor of each kind, "
                                    "and end with what monitoring the account costs");
    add_credentials(*demo, o);

    auto* cost = app.add_subcommand("cost",
                                    "Measure the AWS requests of one scan of every sensor and show "
                                    "what monitoring costs a month");
    cost->add_option("--settings", o.settings_file,
                     "Price these sensors instead of the discovered ones: one settings buffer or a list");
    cost->add_option("--set", o.overrides, "Set one setting of every call: KEY=VALUE (repeatable)");
    add_credentials(*cost, o);
    cost->add_option("--interval", o.interval,
                     "Scan interval in seconds for every sensor (at least its kind's "
                     "minimum; default: each sensor's own)")
        ->check(CLI::PositiveNumber);
    cost->add_option("--prices", o.prices_file, "Price table file replacing the built-in one");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : usage_status;
    }
    o.command = app.get_subcommands().front()->get_name();
    try {
        return run_command(o);
    } catch (const usage_error& error) {
        std::cerr << "probe: " << error.what() << "\n";
        return usage_status;
    } catch (const std::exception& error) {
        std::cerr << "probe: " << error.what() << "\n";
        return 1;
    }
}
