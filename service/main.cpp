// dorvex-service [--listen HOST:PORT]... [--content DIR] [--directory FILE] [--trust-proxy ADDR]...
//                [--threads N]
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>

#include "service.h"

namespace {
std::vector<httplib::Server*> g_servers;
void Stop(int) {
    for (httplib::Server* s : g_servers)
        s->stop();
}

} // namespace

int main(int argc, char** argv) {
    using namespace dorvex::service;
    Config cfg;
    cfg.contentDir = DORVEX_DEFAULT_CONTENT;
    std::vector<std::pair<std::string, int>> listens;
    // Launchers ask with a new connection per request, served fastest by about as many threads
    // as cores can keep busy; each kept-alive idle client holds one thread until it times out.
    size_t threads = 8;
    std::mutex logMutex;
    cfg.log = [&logMutex](const std::string& line) {
        std::lock_guard lock(logMutex);
        std::cout << line << std::endl;
    };
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            auto value = [&]() -> std::string {
                if (i + 1 >= argc)
                    throw std::invalid_argument(a + " needs a value");
                return argv[++i];
            };
            if (a == "--listen") {
                const std::string v = value();
                const size_t colon = v.rfind(':');
                if (colon == std::string::npos)
                    throw std::invalid_argument("--listen wants HOST:PORT");
                std::string host = v.substr(0, colon);
                if (host.size() > 1 && host.front() == '[' && host.back() == ']')
                    host = host.substr(1, host.size() - 2);
                listens.emplace_back(host, std::stoi(v.substr(colon + 1)));
            } else if (a == "--content") {
                cfg.contentDir = value();
            } else if (a == "--directory") {
                cfg.directory = Directory::Load(value());
            } else if (a == "--threads") {
                const std::string v = value();
                threads = std::stoul(v);
                if (threads < 1 || threads > 1024)
                    throw std::invalid_argument("--threads wants 1 to 1024, not " + v);
            } else if (a == "--trust-proxy") {
                const std::string v = value();
                if (!ParseAddress(v))
                    throw std::invalid_argument("--trust-proxy wants an address, not " + v);
                cfg.trustedProxies.push_back(v);
            } else {
                throw std::invalid_argument("unknown option " + a);
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "dorvex-service: " << e.what() << "\n";
        return 2;
    }
    if (listens.empty())
        listens = {{"127.0.0.1", 18080}, {"127.0.0.1", 18081}, {"127.0.0.1", 18082}};

    std::vector<std::unique_ptr<httplib::Server>> servers;
    for (auto& [host, port] : listens) {
        auto s = std::make_unique<httplib::Server>();
        // No SO_REUSEPORT (the library's default): a second instance on a port in use must
        // fail here, not silently share the port with the first.
        // The server keeps this callback, so it shares the socket number rather than refer to
        // this loop's local.
        auto listener = std::make_shared<socket_t>(-1);
        s->set_socket_options([listener](socket_t sock) {
            int yes = 1;
            setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
            // The library sends headers and body in two writes; with Nagle's algorithm the
            // second waits for the client's delayed ACK (40 ms) on a kept-alive connection.
            // Accepted connections inherit this from the listening socket.
            setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
            *listener = sock;
        });
        s->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
        s->set_keep_alive_max_count(1000);
        s->set_keep_alive_timeout(2);
        Install(*s, cfg);
        if (!s->bind_to_port(host.c_str(), port)) {
            std::cerr << "dorvex-service: cannot listen on " << host << ":" << port << "\n";
            return 1;
        }
        // The library listens with a backlog of 5, which drops connections under a burst of
        // starts (a PC room booting); listening again only raises the backlog.
        if (*listener >= 0)
            ::listen(*listener, SOMAXCONN);
        std::cerr << "dorvex-service: listening on " << host << ":" << port << "\n";
        g_servers.push_back(s.get());
        servers.push_back(std::move(s));
    }
    std::signal(SIGINT, Stop);
    std::signal(SIGTERM, Stop);
    std::vector<std::thread> listeners;
    for (auto& s : servers)
        listeners.emplace_back([&s] { s->listen_after_bind(); });
    for (auto& t : listeners)
        t.join();
    std::cerr << "dorvex-service: stopped\n";
    return 0;
}
