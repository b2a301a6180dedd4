// The least a launcher on this platform does before its first paint: one dialog from a
// template, one bitmap of skin A's size from the resources, painted once. Built as the launcher
// is, it is the lower bound of the start-up and footprint benchmarks. It reports as the
// launcher's probe does and ends after its first paint. Built with DORVEX_MINIMAL_WITH_REQUESTS
// (MinimalDialogRequests.exe) it also does the work the launcher cannot leave out before its
// first paint: the lower bound for any launcher that asks the server as this one must.
#ifdef DORVEX_MINIMAL_WITH_REQUESTS
// The core's headers come before <windows.h>, whose macros would rewrite their names.
#include "net/loader_update.h"
#include "net/servers.h"
#endif

#include <windows.h>

#include <commctrl.h>

#include "probe.h"

namespace {

constexpr int kDialog = 102, kBitmap = 129, kWidth = 420, kHeight = 83;

INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: {
#ifdef DORVEX_MINIMAL_WITH_REQUESTS
        // What the launcher must do before its first paint, at the least: the common controls,
        // then the position and version queries, each through WinINet in a session of its own.
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        using namespace dorvex;
        bench::WinInetGet((WebServer + paths::kPositionQuery).c_str());
        bench::WinInetGet((WebServer + paths::kVersionQuery + kLoaderFileName).c_str());
#endif
        const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
        SetWindowPos(hwnd, nullptr, sw / 2 - kWidth / 2, sh - kHeight - 50, kWidth, kHeight,
                     SWP_NOZORDER | SWP_SHOWWINDOW);
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBITMAP bmp =
            static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kBitmap),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(dc, 0, 0, kWidth, kHeight, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(bmp);
        EndPaint(hwnd, &ps);
        bench::ReportFirstPaint();
        bench::Report("done", 1);
        ExitProcess(0);
    }
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return int(DialogBoxParamW(instance, MAKEINTRESOURCEW(kDialog), nullptr, &Proc, 0));
}
