// DorvexLauncher.exe as shipped, with a probe in its platform layer. DORVEX_BENCH chooses what
// it does once the skin has been painted for the first time:
//   startup              reports the start-up readings and ends
//   hover:N:X:Y:IDLE     N moves to (X,Y), over a button: each draws the hovered image; against
//                        it, N plain blits of the skin's idle bitmap (resource IDLE), loaded once
//   click:N:X:Y          N presses and releases at (X,Y), timed from the release to the browser
//                        call (which opens nothing here); against it, N raw GETs of the position
//                        query, each on a new connection, and N of the same GET through WinINet
// Every mode reports the start-up readings first. The browser is never called: ShellOpen
// records the moment and the address instead.
#include "platform/win32/win32_platform.h"

#include <winsock2.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "net/servers.h"
#include "probe.h"

namespace {

using dorvex::DcHandle;

class ProbePlatform : public dorvex::Win32Platform {
public:
    void EndPaint(DcHandle dc) override {
        Win32Platform::EndPaint(dc);
        if (m_painted)
            return;
        m_painted = true;
        bench::ReportFirstPaint();
        // The benchmark runs from the message loop, outside any handler of the launcher.
        SetTimer(nullptr, 0, 0, &ProbePlatform::Run);
    }
    bool ShellOpen(const std::string& url) override {
        m_opened = bench::NowMs();
        m_openedUrl = url;
        return true;
    }

    static void CALLBACK Run(HWND, ::UINT, UINT_PTR id, ::DWORD);

    bool m_painted = false;
    double m_opened = 0;
    std::string m_openedUrl;
};

ProbePlatform* g_probe = nullptr;

void Hover(HWND hwnd, int n, int x, int y, int idle) {
    std::vector<double> times;
    times.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const double t = bench::NowMs();
        SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        GdiFlush();
        times.push_back(bench::NowMs() - t);
    }
    bench::ReportTimes("hover", times.data(), int(times.size()));

    // The lower bound: the same window, the skin's idle bitmap loaded once, copied as it is.
    RECT rc;
    GetClientRect(hwnd, &rc);
    HMODULE module = GetModuleHandleW(nullptr);
    HBITMAP bmp = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(idle), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HDC dc = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bmp);
    times.clear();
    for (int i = 0; i < n; ++i) {
        const double t = bench::NowMs();
        BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
        GdiFlush();
        times.push_back(bench::NowMs() - t);
    }
    bench::ReportTimes("blit", times.data(), int(times.size()));

    // Where a hover's time goes: loading the image, and drawing it without its magenta.
    times.clear();
    for (int i = 0; i < n; ++i) {
        const double t = bench::NowMs();
        DeleteObject(
            LoadImageW(module, MAKEINTRESOURCEW(idle), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        times.push_back(bench::NowMs() - t);
    }
    bench::ReportTimes("load", times.data(), int(times.size()));
    times.clear();
    for (int i = 0; i < n; ++i) {
        const double t = bench::NowMs();
        TransparentBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, rc.right, rc.bottom,
                       RGB(255, 0, 255));
        GdiFlush();
        times.push_back(bench::NowMs() - t);
    }
    bench::ReportTimes("transparent_blit", times.data(), int(times.size()));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, dc);
}

// One GET of the position query on a new connection, read to the server's close: the least
// any client does for the one request a release makes.
bool RawGet(const sockaddr_in& addr, const std::string& path) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return false;
    bool ok = connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    const std::string req =
        "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    ok = ok && send(s, req.data(), int(req.size()), 0) == int(req.size());
    char buf[4096];
    int got = 0;
    while (ok && (got = recv(s, buf, sizeof buf, 0)) > 0) {
    }
    closesocket(s);
    return ok && got == 0;
}

void Click(HWND hwnd, int n, int x, int y) {
    std::vector<double> times;
    times.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        g_probe->m_opened = 0;
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        const double t = bench::NowMs();
        SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        if (g_probe->m_opened == 0) {
            bench::Report("click_failed", i);
            return;
        }
        times.push_back(g_probe->m_opened - t);
    }
    bench::ReportTimes("click", times.data(), int(times.size()));

    // The web server's address as the launcher was built with it: "http://host:port".
    const std::string server = dorvex::WebServer;
    const size_t colon = server.rfind(':');
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(u_short(colon > 5 ? std::atoi(server.c_str() + colon + 1) : 80));
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    times.clear();
    for (int i = 0; i < n; ++i) {
        const double t = bench::NowMs();
        if (!RawGet(addr, dorvex::paths::kPositionQuery)) {
            bench::Report("raw_get_failed", i);
            return;
        }
        times.push_back(bench::NowMs() - t);
    }
    bench::ReportTimes("raw_get", times.data(), int(times.size()));

    // Where a click's time goes: the same request through WinINet alone, a session per call.
    const std::string url = dorvex::WebServer + dorvex::paths::kPositionQuery;
    times.clear();
    for (int i = 0; i < n; ++i) {
        const double t = bench::NowMs();
        if (!bench::WinInetGet(url.c_str())) {
            bench::Report("wininet_get_failed", i);
            return;
        }
        times.push_back(bench::NowMs() - t);
    }
    bench::ReportTimes("wininet_get", times.data(), int(times.size()));
}

void CALLBACK ProbePlatform::Run(HWND, ::UINT, UINT_PTR id, ::DWORD) {
    KillTimer(nullptr, id);
    HWND hwnd = g_probe->m_hwnd;
    if (bench::ModeIs("hover"))
        Hover(hwnd, bench::ModeInt(1, 1000), bench::ModeInt(2, 0), bench::ModeInt(3, 0),
              bench::ModeInt(4, 129));
    else if (bench::ModeIs("click"))
        Click(hwnd, bench::ModeInt(1, 100), bench::ModeInt(2, 0), bench::ModeInt(3, 0));
    bench::Report("done", 1);
    ExitProcess(0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    static ProbePlatform platform;
    g_probe = &platform;
    dorvex::Platform::Set(&platform);
    return dorvex::AfxWinMain();
}
