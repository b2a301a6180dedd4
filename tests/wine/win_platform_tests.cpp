// The win32 backend's HTTP (WinINet) and the Windows profile functions, under Wine: the same
// cases as the native integration tests, against a small HTTP server in this process.
#include "platform/win32/win32_platform.h"

#include <winsock2.h>

#include <cstdio>
#include <string>

#include "net/http.h"
#include "shared/profile_cases.h"

namespace {

int g_passed = 0, g_failed = 0;

void Check(bool ok, const std::string& what) {
    if (ok) {
        ++g_passed;
    } else {
        ++g_failed;
        std::printf("FAILED: %s\n", what.c_str());
    }
}

std::string g_lastRequest;

// One request per connection, answered by path.
DWORD WINAPI Serve(void* arg) {
    SOCKET listener = reinterpret_cast<SOCKET>(arg);
    for (;;) {
        SOCKET c = accept(listener, nullptr, nullptr);
        if (c == INVALID_SOCKET)
            return 0;
        std::string req;
        char buf[2048];
        while (req.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(c, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            req.append(buf, size_t(n));
        }
        g_lastRequest = req;
        const std::string path = req.substr(4, req.find(' ', 4) - 4);
        std::string answer;
        if (path == "/error")
            answer = "HTTP/1.1 404 Not Found\r\nContent-Length: 26\r\nConnection: close\r\n\r\n"
                     "<html>\r\nmissing\r\n</html>\r\n";
        else if (path == "/moved")
            answer = "HTTP/1.1 302 Found\r\nLocation: /final\r\nContent-Length: 0\r\nConnection: "
                     "close\r\n\r\n";
        else if (path == "/final")
            answer = "HTTP/1.1 200 OK\r\nContent-Length: 12\r\nCache-Control: no-store\r\n"
                     "Connection: close\r\n\r\nfinal body\r\n";
        else if (path == "/cut")
            answer =
                "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n0123456789";
        else
            answer = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nCache-Control: no-store\r\n"
                     "Connection: close\r\n\r\nok";
        send(c, answer.data(), int(answer.size()), 0);
        shutdown(c, SD_BOTH);
        closesocket(c);
    }
}

} // namespace

int main() {
    using namespace dorvex;
    static Win32Platform platform;
    Platform::Set(&platform);

    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    int len = sizeof addr;
    getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    listen(listener, 8);
    CloseHandle(CreateThread(nullptr, 0, &Serve, reinterpret_cast<void*>(listener), 0, nullptr));
    const std::string base = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port));

    try {
        Check(FetchUrlText(base + "/error") == "<html>missing</html>", "an error page is text");
        Check(FetchUrlText(base + "/moved") == "final body", "a redirect is followed");
        FetchUrlText(base + "/headers");
        Check(g_lastRequest.find("User-Agent: win_platform_tests\r\n") != std::string::npos,
              "the agent is the program's name: " + g_lastRequest);
    } catch (const CException& e) {
        std::string text;
        e.GetErrorMessage(text);
        Check(false, "unexpected error: " + text);
    }
    bool broke = false;
    try {
        FetchUrlText(base + "/cut");
    } catch (const CInternetException&) {
        broke = true;
    }
    Check(broke, "a body cut off by the server is a network error");
    bool refused = false;
    try {
        platform.OpenUrl("http://127.0.0.1:1/");
    } catch (const CInternetException& e) {
        refused = e.m_dwError == 12029;
        std::string text;
        Check(e.GetErrorMessage(text), "WinINet describes its error");
    }
    Check(refused, "a refused connection is an open failure with 12029");

    // The profile functions against the same table as our posix reader.
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::string ini = Narrow(tmp) + "dorvex-profile-test.ini";
    auto writeFile = [&](const char* content) {
        HANDLE h =
            CreateFileW(Widen(ini).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ::DWORD done = 0;
        WriteFile(h, content, ::DWORD(strlen(content)), &done, nullptr);
        CloseHandle(h);
    };
    for (const ProfileReadCase& c : kProfileReadCases) {
        writeFile(c.file);
        const int v = platform.GetPrivateProfileInt(c.section, c.key, 99, ini);
        Check(v == c.value, std::string("read ") + c.file + " gave " + std::to_string(v));
    }
    for (const ProfileWriteCase& c : kProfileWriteCases) {
        writeFile(c.file);
        platform.WritePrivateProfileString("SKIN", "TYPE", "100002", ini);
        Check(platform.GetPrivateProfileInt("SKIN", "TYPE", 99, ini) == 100002,
              std::string("write into ") + c.file);
        Check(platform.GetPrivateProfileInt(c.otherSection, c.otherKey, 99, ini) == c.otherValue,
              std::string("other key after a write into ") + c.file);
    }
    DeleteFileW(Widen(ini).c_str());

    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    closesocket(listener);
    return g_failed == 0 ? 0 : 1;
}
