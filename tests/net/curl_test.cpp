// The libcurl client against a real HTTP server on 127.0.0.1.
#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "net/http.h"
#include "platform/posix/platform_posix.h"

namespace dorvex {
namespace {

class Curl : public ::testing::Test {
protected:
    Curl() : platform("/nonexistent") {
        Platform::Set(&platform);
        server.Get("/error", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("<html>\r\nmissing\r\n</html>", "text/html");
        });
        server.Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/final");
        });
        server.Get("/final", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("final body\r\n", "text/plain");
        });
        server.Get("/headers", [this](const httplib::Request& req, httplib::Response& res) {
            seen = req.headers;
            res.set_content("ok", "text/plain");
        });
        // Promises 1000 bytes and sends 10, then closes the connection.
        server.Get("/cut", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(1000, "application/octet-stream",
                                     [](size_t offset, size_t, httplib::DataSink& sink) {
                                         if (offset > 0)
                                             return false;
                                         sink.write("0123456789", 10);
                                         return false;
                                     });
        });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::yield();
    }
    ~Curl() override {
        server.stop();
        thread.join();
        Platform::Set(nullptr);
    }
    std::string Url(const std::string& path) {
        return "http://127.0.0.1:" + std::to_string(port) + path;
    }

    PosixPlatform platform;
    httplib::Server server;
    std::thread thread;
    int port = 0;
    httplib::Headers seen;
};

TEST_F(Curl, AnErrorPageIsReturnedAsText) {
    EXPECT_EQ(FetchUrlText(Url("/error")), "<html>missing</html>");
}

TEST_F(Curl, ARedirectIsFollowed) {
    EXPECT_EQ(FetchUrlText(Url("/moved")), "final body");
}

TEST_F(Curl, ABodyCutOffByTheServerIsANetworkError) {
    EXPECT_THROW(FetchUrlText(Url("/cut")), CInternetException);
}

TEST_F(Curl, ARefusedConnectionIsAnOpenFailure) {
    // A port that was just free: bound, never listened on, closed again.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    const int closed = ntohs(addr.sin_port);
    ::close(fd);
    try {
        platform.OpenUrl("http://127.0.0.1:" + std::to_string(closed) + "/");
        FAIL() << "opened";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.m_dwError, 12029u);
    }
}

TEST_F(Curl, TheRequestCarriesTheAgentAndNoExtraHeaders) {
    FetchUrlText(Url("/headers"));
    EXPECT_EQ(seen.find("User-Agent")->second, "DorvexLauncher");
    for (const auto& [name, value] : seen)
        EXPECT_TRUE(name == "Host" || name == "User-Agent" || name == "REMOTE_ADDR" ||
                    name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT")
            << name << ": " << value;
}

} // namespace
} // namespace dorvex
