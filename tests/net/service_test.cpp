// dorvex-service: answers by the client's address, the version answer, the directory refusals.
#include <gtest/gtest.h>

#include "directory.h"
#include "service.h"

namespace dorvex::service {
namespace {

const char* kDirectory = R"(# networks of the test
10.0.0.0/8        home
10.1.0.0/16       pcroom PCROOM-00042 100 200 1
10.1.2.0/24       business 9 2
2001:db8::/32     business 5 1
2001:db8:1::/48   pcroom PCROOM-V6-0001 7 8 0
)";

TEST(Directory, TheMostSpecificNetworkWins) {
    const Directory d = Directory::Parse(kDirectory, "test");
    EXPECT_EQ(d.Find("10.9.9.9").kind, Kind::Home);
    EXPECT_EQ(d.Find("10.1.9.9").kind, Kind::PcRoom);
    EXPECT_EQ(d.Find("10.1.9.9").key, "PCROOM-00042");
    EXPECT_EQ(d.Find("10.1.2.3").kind, Kind::Business);
    EXPECT_EQ(d.Find("10.1.2.3").position, 9);
    EXPECT_EQ(d.Find("2001:db8:5::1").kind, Kind::Business);
    EXPECT_EQ(d.Find("2001:db8:1::1").kind, Kind::PcRoom);
    EXPECT_EQ(d.Find("192.0.2.1").kind, Kind::Home) << "outside every network";
    EXPECT_EQ(d.Find("not an address").kind, Kind::Home);
}

TEST(Directory, BadFilesAreRefusedWithLineAndReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"10.0.0.0/8 home\nbanana home\n", "test:2: 'banana' is no IPv4 or IPv6 address"},
        {"10.0.0.0/33 home\n", "test:1: the prefix length must be a number from 0 to 32"},
        {"10.0.0.0/8\n", "test:1: the kind of customer is missing"},
        {"10.0.0.0/8 castle\n", "test:1: unknown kind 'castle'"},
        {"10.0.0.0/8 pcroom SHORT 1 2 1\n", "test:1: a PC-room key needs 11 characters or more"},
        {"10.0.0.0/8 pcroom BAD/KEY/0001 1 2 1\n", "test:1: a PC-room key may hold"},
        {"10.0.0.0/8 business 10 1\n", "test:1: the position code must be"},
        {"10.0.0.0/8 business 9 3\n", "test:1: the skin (1 for A, 2 for B)"},
        {"10.0.0.0/8 home\n10.0.0.0/8 home\n", "test:2: the network 10.0.0.0/8 is listed twice"},
        {"10.0.0.0/8 home extra\n", "test:1: a home network takes no values"},
    };
    for (const auto& [file, message] : cases) {
        try {
            Directory::Parse(file, "test");
            ADD_FAILURE() << "accepted: " << file;
        } catch (const DirectoryError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

class Service : public ::testing::Test {
protected:
    Service() {
        cfg.directory = Directory::Parse(kDirectory, "test");
        cfg.trustedProxies = {"127.0.0.1"};
        cfg.contentDir = "/nonexistent";
        Install(server, cfg);
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::yield();
    }
    ~Service() override {
        server.stop();
        thread.join();
    }
    std::string Get(const std::string& path, const std::string& forwardedFor = "") {
        httplib::Client c("127.0.0.1", port);
        httplib::Headers h;
        if (!forwardedFor.empty())
            h.emplace("X-Forwarded-For", forwardedFor);
        auto r = c.Get(path.c_str(), h);
        return r ? r->body : "<no answer>";
    }
    Config cfg;
    httplib::Server server;
    std::thread thread;
    int port = 0;
};

TEST_F(Service, AnswersByTheForwardedAddressOfATrustedProxy) {
    EXPECT_EQ(Get("/version/pos.php"), "0") << "loopback itself is nobody special";
    EXPECT_EQ(Get("/version/pos.php", "10.1.9.9"), "PCROOM-00042");
    EXPECT_EQ(Get("/desktop/pcroom/PCROOM-00042", "10.1.9.9"), "100,200,1");
    EXPECT_EQ(Get("/desktop/pcroom/OTHER-ROOM-1", "10.1.9.9"), "unknown PC room");
    EXPECT_EQ(Get("/version/pos.php", "10.1.2.3"), "1");
    EXPECT_EQ(Get("/version/pos2.php", "10.1.2.3"), "9|2");
    EXPECT_EQ(Get("/version/pos2.php", "10.9.9.9"), "");
    EXPECT_EQ(Get("/version/pos2.php", "2001:db8:5::1"), "5|1");
    // The nearest untrusted hop is the client; what a client put before it is not believed.
    EXPECT_EQ(Get("/version/pos.php", "10.1.2.3, 10.1.9.9"), "PCROOM-00042");
    EXPECT_EQ(Get("/version/pos.php", "garbage"), "0");
}

TEST_F(Service, AnUntrustedPeerCannotChooseItsAddress) {
    cfg.trustedProxies = {"192.0.2.77"};
    EXPECT_EQ(Get("/version/pos.php", "10.1.2.3"), "0");
}

TEST_F(Service, UnknownFilesAnswerAnEmptyVersion) {
    EXPECT_EQ(Get("/version/?app_name=LauncherLoader.exe"), "");
    EXPECT_EQ(Get("/version/?app_name=../../etc/passwd"), "");
    EXPECT_NE(Get("/cab/passwd").find("No such file"), std::string::npos);
}

} // namespace
} // namespace dorvex::service
