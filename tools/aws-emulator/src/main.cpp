// aws-emulator --scenario FILE [--port N] [--tls [--cert-file PEM]]
// Prints the base URL as its first line, then serves until SIGINT or SIGTERM.
#include "aws_emulator/emulator.hpp"

#include <CLI/CLI.hpp>

#include <csignal>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    namespace emu = orvane::tessel::emulator;
    CLI::App app{"Loopback AWS emulator: EC2, CloudWatch, ELBv2, RDS and Cost Explorer from a scenario file"};
    std::string scenario_path;
    std::uint16_t port = 0;
    bool tls = false;
    std::string cert_file;
    app.add_option("--scenario", scenario_path, "scenario JSON file")->required();
    app.add_option("--port", port, "port on 127.0.0.1 (0: a free one)");
    app.add_flag("--tls", tls, "serve HTTPS with a self-signed certificate for 127.0.0.1 and localhost");
    app.add_option("--cert-file", cert_file,
                   "with --tls: write the certificate (PEM) here for clients to trust");
    CLI11_PARSE(app, argc, argv);

    // Blocked here so that every server thread inherits the mask and sigwait below receives them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    try {
        emu::server server{emu::scenario::from_file(scenario_path)};
        server.start(port, tls);
        if (tls && !cert_file.empty()) {
            std::ofstream(cert_file) << server.certificate_pem();
        }
        std::cout << server.base_url() << std::endl;
        int received = 0;
        sigwait(&signals, &received);
        server.stop();
    } catch (const std::exception& e) {
        std::cerr << "aws-emulator: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
