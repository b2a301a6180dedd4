#include "service.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "net/loader_update.h"
#include "platform/pe_version.h"

namespace dorvex::service {

namespace {

constexpr const char* kServedFiles[] = {"DorvexManager.ini", "LauncherLoader.exe"};

bool IsServed(const std::string& name) {
    for (const char* f : kServedFiles)
        if (name == f)
            return true;
    return false;
}

std::string Page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"ko\"><head><meta charset=\"utf-8\"><title>" + title +
           " - Dorvex</title><style>body{font-family:sans-serif;margin:0;background:#10182c;"
           "color:#eef}header{background:#e8543e;padding:16px 24px;font-size:22px}main{padding:"
           "24px}a{color:#9cf}</style></head><body><header>Dorvex &middot; " +
           title + "</header><main>" + body + "</main></body></html>\n";
}

bool Trusted(const std::string& peer, const std::vector<std::string>& trusted) {
    const auto p = ParseAddress(peer);
    for (const std::string& t : trusted)
        if (p && ParseAddress(t) == p)
            return true;
    return false;
}

void Text(httplib::Response& res, const std::string& body) {
    res.set_header("Cache-Control", "no-store");
    res.set_content(body, "text/plain");
}

} // namespace

std::string ClientAddress(const httplib::Request& req, const std::vector<std::string>& trusted) {
    std::string client = req.remote_addr;
    if (!Trusted(client, trusted) || !req.has_header("X-Forwarded-For"))
        return client;
    // Walk the chain from the nearest hop; the first address no trusted proxy added is the client.
    std::vector<std::string> hops;
    std::istringstream in(req.get_header_value("X-Forwarded-For"));
    for (std::string h; std::getline(in, h, ',');) {
        h.erase(0, h.find_first_not_of(" \t"));
        h.erase(h.find_last_not_of(" \t") + 1);
        hops.push_back(h);
    }
    for (auto it = hops.rbegin(); it != hops.rend(); ++it) {
        if (!ParseAddress(*it))
            return client; // a forged or broken header: keep the last address we trust
        client = *it;
        if (!Trusted(*it, trusted))
            break;
    }
    return client;
}

void Install(httplib::Server& server, const Config& cfg) {
    auto customer = [&cfg](const httplib::Request& req) {
        return cfg.directory.Find(ClientAddress(req, cfg.trustedProxies));
    };

    server.Get("/version/pos.php", [customer](const httplib::Request& req, httplib::Response& res) {
        const Customer c = customer(req);
        Text(res, c.kind == Kind::PcRoom ? c.key : c.kind == Kind::Business ? "1" : "0");
    });
    server.Get(R"(/desktop/pcroom/(.*))", [customer](const httplib::Request& req,
                                                     httplib::Response& res) {
        const Customer c = customer(req);
        if (c.kind != Kind::PcRoom || req.matches[1] != c.key) {
            res.status = 404;
            Text(res, "unknown PC room");
            return;
        }
        Text(res, std::to_string(c.x) + "," + std::to_string(c.y) + "," + std::to_string(c.skin));
    });
    server.Get("/version/pos2.php",
               [customer](const httplib::Request& req, httplib::Response& res) {
                   const Customer c = customer(req);
                   Text(res, c.kind == Kind::Business
                                 ? std::to_string(c.position) + "|" + std::to_string(c.skin)
                                 : std::string());
               });
    server.Get("/version/", [&cfg](const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.get_param_value("app_name");
        std::string answer;
        if (IsServed(name)) {
            // Read from the served file itself, so the answer never disagrees with it.
            if (auto v = pe::ReadFileVersionOfFile(cfg.contentDir + "/" + name))
                answer = FormatVersion(*v);
        }
        Text(res, answer);
    });
    server.Get(R"(/cab/([A-Za-z.]+))", [&cfg](const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.matches[1];
        std::ifstream in(cfg.contentDir + "/" + name, std::ios::binary);
        if (!IsServed(name) || !in) {
            res.status = 404;
            res.set_content(Page("Not found", "<p>No such file.</p>"), "text/html");
            return;
        }
        std::ostringstream ss;
        ss << in.rdbuf();
        res.set_header("Cache-Control", "no-store");
        res.set_content(ss.str(), "application/octet-stream");
    });

    auto page = [&server](const char* path, std::string title, std::string body) {
        server.Get(path, [title, body](const httplib::Request&, httplib::Response& res) {
            res.set_content(Page(title, body), "text/html; charset=utf-8");
        });
    };
    server.Get("/free_zone/", [](const httplib::Request& req, httplib::Response& res) {
        const std::string menu = req.get_param_value("menu");
        const std::string title = menu == "free_novel" ? "Free novels" : "Free comics";
        res.set_content(Page(title, "<p>Today's free " +
                                        std::string(menu == "free_novel" ? "novels" : "comics") +
                                        " for home users.</p>"),
                        "text/html; charset=utf-8");
    });
    page("/vod/", "Video on demand", "<p>Films and series to watch at home.</p>");
    page("/comic.php", "Comics for business",
         "<p>The full comics library for PC rooms and partners.</p>");
    page("/novel.php", "Novels for business",
         "<p>The full novels library for PC rooms and partners.</p>");
    page("/vod.php", "Video for business", "<p>Video on demand for PC rooms and partners.</p>");
    page("/Product/AlSong_Intro.aspx", "ALSong",
         "<p>The music player. Install it to play music from the launcher.</p>");

    server.set_logger([&cfg](const httplib::Request& req, const httplib::Response& res) {
        if (!cfg.log)
            return;
        const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
        char when[32];
        std::tm utc{};
        gmtime_r(&now, &utc); // requests are logged from many threads
        std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc);
        std::string target = req.target.empty() ? req.path : req.target;
        cfg.log(std::string(when) + " " + ClientAddress(req, cfg.trustedProxies) + " \"" +
                req.method + " " + target + "\" " + std::to_string(res.status) + " " +
                std::to_string(res.body.size()));
    });
}

} // namespace dorvex::service
