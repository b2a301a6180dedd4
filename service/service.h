// dorvex-service: one HTTP server answering as both of the service's servers.
#pragma once

#include <httplib.h>

#include <functional>
#include <string>
#include <vector>

#include "directory.h"

namespace dorvex::service {

struct Config {
    std::string contentDir; // DorvexManager.ini, LauncherLoader.exe
    Directory directory = Directory::Default();
    std::vector<std::string> trustedProxies;     // peers whose X-Forwarded-For is believed
    std::function<void(const std::string&)> log; // one line per request
};

// The client address the answers are decided by.
std::string ClientAddress(const httplib::Request& req, const std::vector<std::string>& trusted);

// Installs every endpoint on `server`.
void Install(httplib::Server& server, const Config& config);

} // namespace dorvex::service
