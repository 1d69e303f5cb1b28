// varnholt-demo-portal: serves the demo portal on 127.0.0.1 until SIGINT or SIGTERM.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "PortalServer.h"

namespace {

struct CommandLine {
    std::filesystem::path root = VARNHOLT_DEMO_PORTAL_DEFAULT_ROOT;
    std::uint16_t port = 0;
    std::uint16_t framePort = 0;
    std::filesystem::path portFile;
};

void Usage(std::ostream& out) {
    out << "usage: varnholt-demo-portal [--root DIR] [--port N] [--frame-port N] [--port-file FILE]\n"
           "  --root DIR        document root (default: " VARNHOLT_DEMO_PORTAL_DEFAULT_ROOT ")\n"
           "  --port N          port on 127.0.0.1, 0 lets the system choose (default 0)\n"
           "  --frame-port N    port of the second origin used by the game page's frame (default 0)\n"
           "  --port-file FILE  write the chosen port there once listening\n";
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

std::optional<CommandLine> Parse(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            Usage(std::cout);
            std::exit(0);
        }
        if (i + 1 >= argc) return std::nullopt;
        const std::string_view value = argv[++i];
        if (option == "--root") {
            line.root = value;
        } else if (option == "--port" || option == "--frame-port") {
            const auto port = ParsePort(value);
            if (!port) return std::nullopt;
            (option == "--port" ? line.port : line.framePort) = *port;
        } else if (option == "--port-file") {
            line.portFile = value;
        } else {
            return std::nullopt;
        }
    }
    return line;
}

// Written beside the target and renamed into place, so a script polling for the file
// never reads half a number.
bool WritePortFile(const std::filesystem::path& file, std::uint16_t port) {
    const std::filesystem::path partial = file.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << port << '\n';
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(partial, file, error);
    return !error;
}

}  // namespace

int main(int argc, char** argv) {
    const auto line = Parse(argc, argv);
    if (!line) {
        Usage(std::cerr);
        return 2;
    }
    // Blocked before the server thread starts, so it inherits the mask and only
    // sigwait below sees these signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    const auto print = [](const demo_portal::RequestRecord& request) {
        std::cout << request.method << ' ' << request.path << (request.query.empty() ? "" : "?") << request.query
                  << "  [port " << request.localPort << (request.cookie.empty() ? "" : ", cookie") << "]\n"
                  << std::flush;
    };
    demo_portal::PortalServer server({line->root, line->port, line->framePort, print});
    try {
        server.Start();
    } catch (const std::exception& error) {
        std::cerr << "varnholt-demo-portal: " << error.what() << '\n';
        return 1;
    }
    if (!line->portFile.empty() && !WritePortFile(line->portFile, server.Port())) {
        std::cerr << "varnholt-demo-portal: cannot write " << line->portFile << '\n';
        return 1;
    }
    std::cout << "Varnholt demo portal on " << server.Url("/login.html?game=varnholt") << '\n'
              << "  second origin for frames: " << server.FrameUrl("/") << '\n'
              << "  report address for pm_config.ini: success=" << server.Url("/report?game=varnholt") << '\n'
              << "Stop with Ctrl+C." << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    return 0;
}
