#include "tools/probe/commands.h"
#include "tools/probe/platform.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "tools/probe/cost_survey.h"
#include "tools/probe/demo.h"
#include "tools/probe/host_session.h"
#include "tools/probe/module_log.h"
#include "tools/probe/outcome.h"
#include "tools/probe/price_table.h"
#include "tools/probe/renderer.h"
#include "tools/probe/settings_builder.h"

namespace orvane::tessel::probe {

namespace {

using json = nlohmann::ordered_json;
namespace fs = std::filesystem;

std::string env(const char* name) {
    return platform::environment(name).value_or(std::string());
}

void set_env(const char* name, const std::string& value) {
    platform::set_environment(name, value);
}

settings_request request_of(const probe_options& options) {
    settings_request request;
    request.kind = options.kind;
    if (!options.settings_file.empty()) {
        request.file = read_json_file(options.settings_file);
    }
    for (const auto& item : options.overrides) {
        const auto equals = item.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw usage_error("--set needs KEY=VALUE");
        }
        request.overrides.emplace_back(item.substr(0, equals), item.substr(equals + 1));
    }
    request.access_key = options.access_key.empty() ? env("AWS_ACCESS_KEY_ID") : options.access_key;
    request.secret_key = options.secret_key.empty() ? env("AWS_SECRET_ACCESS_KEY") : options.secret_key;
    return request;
}

// The module's log goes where the user said, else where VEXA_LOG_DIR already points, else into the
// probe's private folder, so that a failure can always be explained from it.
fs::path prepare_log_folder(const probe_options& options, const private_folder& scratch) {
    fs::path folder = !options.log_dir.empty()       ? fs::absolute(options.log_dir)
                      : !env("VEXA_LOG_DIR").empty() ? fs::absolute(env("VEXA_LOG_DIR"))
                                                     : scratch.path() / "logs";
    std::error_code failed;
    fs::create_directories(folder, failed);
    if (failed) {
        throw usage_error("cannot make the log folder " + folder.string());
    }
    set_env("VEXA_LOG_DIR", folder.string());
    return folder;
}

// A bare file name that is not in the current folder is left to the system's search, which on
// Windows starts next to probe.exe, where the build puts the DLL.
std::unique_ptr<module_library> load(const std::string& path) {
    const fs::path given(path);
    const bool searched = !given.has_parent_path() && !fs::exists(given);
    try {
        return std::make_unique<module_library>(searched ? path : fs::absolute(given).string());
    } catch (const std::runtime_error& failure) {
        throw usage_error(failure.what());
    }
}

// The context every command runs in: the loaded module, its log, and the outcome of the calls.
struct context {
    const probe_options& options;
    module_library& library;
    private_folder& scratch;
    outcome& result;
};

price_table prices_of(const probe_options& options) {
    return options.prices_file.empty() ? price_table::standard()
                                       : price_table::from_json(read_json_file(options.prices_file));
}

// The AWS API bill of monitoring: the sensors of every discovered resource (or of a settings file),
// each scanned once with its requests counted.
void price_sensors(context& run, const settings_request& request, std::ostream& out) {
    const auto prices = prices_of(run.options);
    survey_request survey{request, std::nullopt};
    survey.common.kind.clear();
    survey.common.file.reset();
    if (run.options.interval > 0) {
        survey.interval = run.options.interval;
    }
    json document;
    std::vector<sensor_plan> plans;
    {
        host_session session(run.library, nullptr);
        document = session.document();
        plans = request.file ? sensors_from_file(document, *request.file, survey)
                             : discover_sensors(session, document, survey, run.result);
    }
    const auto scans = measure_scans(run.library, plans, run.scratch.path() / "trace", run.result,
                                     platform::error_output_is_terminal() ? &std::cerr : nullptr);
    const auto bill = make_bill(scans, prices);
    for (const auto& operation : bill.unpriced) {
        run.result.fail("the price table has no price for " + operation + "; give one with --prices FILE");
    }
    if (run.options.json) {
        out << bill_json(bill).dump() << "\n";
    } else {
        print_bill(out, bill, prices);
    }
}

// As the user reads them, in the order of kind_category.
constexpr std::array<const char*, 3> category_names{"sensor", "check", "meta-scan"};

// The settings for the kind the command names, which must be of the command's category; the heading
// goes out first (unless --json) and the outcome is ready for the call.
std::string prepare_call(context& run, const json& document, kind_category category,
                         const std::string& heading) {
    const auto& o = run.options;
    const auto found = category_of(document, o.kind);
    if (found && *found != category) {
        throw usage_error("\"" + o.kind + "\" is no " +
                          category_names.at(static_cast<std::size_t>(category)) +
                          " kind (probe info lists them)");
    }
    auto settings = build_settings(document, request_of(o));
    if (!o.json) {
        std::cout << heading << "\n" << std::flush;
    }
    run.result.begin();
    return settings;
}

void run_check(context& run, host_session& session, const json& document) {
    const auto& o = run.options;
    const auto code =
        session.check(o.id, prepare_call(run, document, kind_category::check, "check " + o.kind));
    if (run.result.export_result(module_export::check, code)) {
        run.result.check_result(o.kind, last_of(session.take_messages(), "check_result"));
    }
}

void run_meta_scan(context& run, host_session& session, const json& document) {
    const auto& o = run.options;
    const auto code = session.metascan(
        o.id, 1, prepare_call(run, document, kind_category::meta_scan, "meta-scan " + o.kind));
    if (run.result.export_result(module_export::meta_scan, code)) {
        run.result.meta_scan_result(o.kind, last_of(session.take_messages(), "meta_scan_result"));
    }
}

void run_scan(context& run, host_session& session, const json& document) {
    const auto& o = run.options;
    const auto settings = prepare_call(run, document, kind_category::sensor,
                                       "sensor " + std::to_string(o.id) + " (" + o.kind + ")");
    if (!run.result.export_result(module_export::create, session.create(o.id, settings))) {
        return;
    }
    for (int i = 0; i < o.count; ++i) {
        run.result.begin();
        const auto code = session.scan(o.id);
        const auto sent = last_of(session.take_messages(), "sensor_scan_result");
        if (run.result.export_result(module_export::scan, code)) {
            run.result.scan_result("sensor " + std::to_string(o.id), sent);
        }
    }
    run.result.begin();
    run.result.export_result(module_export::destroy, session.destroy(o.id));
}

}  // namespace

int run_command(const probe_options& options) {
    private_folder scratch;
    const auto log_folder = prepare_log_folder(options, scratch);
    if (!options.endpoint.empty()) {
        set_env("AWS_ENDPOINT_URL", options.endpoint);
    }
    if (options.command != "info") {
        request_of(options);  // a bad --set or settings file is a usage error before anything runs
    }
    auto library = load(options.module_path);
    module_log log(log_folder / "vexa_aws.log");
    // Without --json the renderer shows every result's message; cost shows its own table.
    outcome result(std::cerr, log, !options.json && options.command != "cost");
    context run{options, *library, scratch, result};

    if (options.command == "cost") {
        price_sensors(run, request_of(options), std::cout);
        return result.exit_status();
    }
    std::unique_ptr<renderer> view;
    json document;
    {
        host_session session(*library, [&](std::string_view raw, const json& message) {
            if (options.json) {
                std::cout << raw << std::endl;
            } else if (view) {
                view->render(message);
            }
        });
        document = session.document();
        view = std::make_unique<renderer>(std::cout, document);
        if (options.command == "info") {
            session.module_information(options.languages);
        } else if (options.command == "check") {
            run_check(run, session, document);
        } else if (options.command == "metascan") {
            run_meta_scan(run, session, document);
        } else if (options.command == "scan") {
            run_scan(run, session, document);
        } else if (options.command == "demo") {
            run_demo(session, document, std::cout, request_of(options), result);
        }
    }
    if (options.command == "demo") {
        std::cout << "\n== AWS API charges: what monitoring this account costs a month ==\n";
        price_sensors(run, request_of(options), std::cout);
        std::cout << "\n"
                  << (result.succeeded() ? "Demo finished: every step succeeded."
                                         : "Demo finished with failures (see above).")
                  << "\n";
    }
    return result.exit_status();
}

}  // namespace orvane::tessel::probe
